#include "core/Formats.h"

#include <QLocale>
#include <cmath>

namespace core {

namespace {
Formats& currentFormats() {
    static Formats formats;
    return formats;
}

QString groupDigits(const QString& digits, QChar separator) {
    QString out;
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return out;
}

// Formats a non-negative count of units of 10^-decimals.
QString formatScaled(bool negative, quint64 units, int decimals, int width) {
    const Formats& f = Formats::current();
    quint64 scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    QString text = groupDigits(QString::number(units / scale), f.thousandSeparator);
    if (decimals > 0)
        text += f.decimalSeparator +
                QStringLiteral("%1").arg(units % scale, decimals, 10, QLatin1Char('0'));
    if (negative && units != 0)
        text.prepend(QLatin1Char('-'));
    return text.rightJustified(width, QLatin1Char(' '));
}

QString twelveHour(TDateTime value, bool seconds, const QString& am, const QString& pm) {
    const QTime t = dt::toTime(value);
    int h = t.hour() % 12;
    if (h == 0)
        h = 12;
    QString text = QStringLiteral("%1:%2")
                       .arg(h, 2, 10, QLatin1Char('0'))
                       .arg(t.minute(), 2, 10, QLatin1Char('0'));
    if (seconds)
        text += QStringLiteral(":%1").arg(t.second(), 2, 10, QLatin1Char('0'));
    return text + QLatin1Char(' ') + (t.hour() < 12 ? am : pm);
}
} // namespace

QString Formats::shortDatePattern() const {
    return QStringLiteral("dd") + dateSeparator + QStringLiteral("MM") + dateSeparator +
           QStringLiteral("yyyy");
}

void Formats::applySeparatorRule() {
    if (decimalSeparator == thousandSeparator) {
        decimalSeparator = QLatin1Char('.');
        thousandSeparator = QLatin1Char(',');
    }
}

Formats Formats::fromSystem() {
    const QLocale locale = QLocale::system();
    Formats f;
    const QString pattern = locale.dateFormat(QLocale::ShortFormat);
    for (QChar c : pattern) {
        if (!c.isLetter() && !c.isSpace()) {
            f.dateSeparator = c;
            break;
        }
    }
    const QString dec = locale.decimalPoint();
    const QString grp = locale.groupSeparator();
    f.decimalSeparator = dec.isEmpty() ? QLatin1Char('.') : dec.at(0);
    f.thousandSeparator = grp.isEmpty() ? QLatin1Char(',') : grp.at(0);
    if (!locale.amText().isEmpty())
        f.amText = locale.amText();
    if (!locale.pmText().isEmpty())
        f.pmText = locale.pmText();
    f.applySeparatorRule();
    return f;
}

const Formats& Formats::current() {
    return currentFormats();
}

void Formats::setCurrent(const Formats& formats) {
    currentFormats() = formats;
}

QString formatNumber(double value, int width, int decimals) {
    if (!std::isfinite(value))
        value = 0;
    double scale = std::pow(10.0, decimals);
    double units = std::round(std::fabs(value) * scale);
    return formatScaled(value < 0, quint64(units), decimals, width);
}

QString formatAmount(Currency value, int width, int decimals) {
    // Round the ten-thousandths to the shown decimals, halves away from zero.
    qint64 raw = value.raw();
    bool negative = raw < 0;
    quint64 magnitude = negative ? quint64(-(raw + 1)) + 1 : quint64(raw);
    quint64 divisor = 1;
    for (int i = decimals; i < 4; ++i)
        divisor *= 10;
    quint64 units = (magnitude + divisor / 2) / divisor;
    if (decimals > 4) {
        for (int i = 4; i < decimals; ++i)
            units *= 10;
    }
    return formatScaled(negative, units, decimals, width);
}

QString formatShortDate(TDateTime value) {
    return dt::toDate(value).toString(Formats::current().shortDatePattern());
}

QString formatShortTime(TDateTime value) {
    const Formats& f = Formats::current();
    return twelveHour(value, false, f.amText, f.pmText);
}

QString formatLongTime(TDateTime value) {
    const Formats& f = Formats::current();
    return twelveHour(value, true, f.amText, f.pmText);
}

QString formatGridTime(TDateTime value) {
    return twelveHour(value, false, QStringLiteral("AM"), QStringLiteral("PM"));
}

std::optional<TDateTime> parseShortDate(const QString& text) {
    const QStringList parts = text.trimmed().split(Formats::current().dateSeparator);
    if (parts.size() != 3)
        return std::nullopt;
    bool okD, okM, okY;
    int d = parts[0].toInt(&okD), m = parts[1].toInt(&okM), y = parts[2].toInt(&okY);
    if (!okD || !okM || !okY)
        return std::nullopt;
    QDate date(y, m, d);
    if (!date.isValid())
        return std::nullopt;
    return dt::fromDate(date);
}

} // namespace core
