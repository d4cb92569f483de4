#include "controls/NumberRules.h"

#include "core/Formats.h"

#include <QLocale>
#include <cmath>

namespace controls {

NumberField NumberField::of(const TNorvaNumberObject& limits, TPorcent porcent,
                            bool hideSeparator) {
    NumberField f;
    f.tipoDato = limits.TipoDato();
    f.decimales = limits.Decimales();
    f.minValor = limits.MinValor();
    f.maxValor = limits.MaxValor();
    f.porcent = porcent;
    f.hideSeparator = hideSeparator;
    return f;
}

namespace numberrules {

namespace {

QChar decimalSeparator() {
    return core::Formats::current().decimalSeparator;
}
QChar thousandSeparator() {
    return core::Formats::current().thousandSeparator;
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Keeps the digits, the decimal separator and the characters of `extra`.
QString keepNumberChars(const QString& text, QLatin1String extra) {
    const QChar dec = decimalSeparator();
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (isDigit(c) || c == dec || extra.contains(c))
            out += c;
    }
    return out;
}

// The maximum written plainly: shortest form, current decimal separator.
QString plainNumber(double value) {
    QString text = QString::number(value, 'f', QLocale::FloatingPointShortest);
    text.replace(QLatin1Char('.'), decimalSeparator());
    return text;
}

} // namespace

std::optional<double> readReal(const QString& text) {
    const QString t = text.trimmed();
    const QChar dec = decimalSeparator();
    QString plain;
    plain.reserve(t.size());
    int i = 0;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        plain += t[i++];
    int digits = 0;
    bool separator = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (isDigit(c)) {
            plain += c;
            ++digits;
        } else if (c == dec && !separator) {
            plain += QLatin1Char('.');
            separator = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double realValue(const QString& text) {
    return readReal(keepNumberChars(text, QLatin1String("+-"))).value_or(0.0);
}

qint64 wholeValue(const QString& text) {
    return qint64(std::llround(realValue(text)));
}

QString formatValue(double value, int decimals, bool hideSeparator) {
    // Beyond what 64 bits of units hold a value cannot be printed.
    if (!std::isfinite(value) || std::fabs(value) * std::pow(10.0, decimals) >= 9.0e18)
        value = 0;
    QString text = core::formatNumber(value, 0, decimals);
    if (hideSeparator)
        text.remove(thousandSeparator());
    return text;
}

QString shownText(double value, bool oldTextHadPercent, const NumberField& field) {
    QString text = formatValue(value, field.shownDecimals(), field.hideSeparator);
    if (oldTextHadPercent || field.porcent == TPorcent::Porcentaje)
        text += QLatin1Char('%');
    return text;
}

QString editingText(const QString& text) {
    return keepNumberChars(text, QLatin1String("%-"));
}

bool acceptsKey(const QString& text, int selectionStart, int selectionLength, QChar c,
                const NumberField& field) {
    if (c == QLatin1Char('\b'))
        return true;
    const QChar dec = decimalSeparator();
    const bool digit = isDigit(c);
    const bool minus = c == QLatin1Char('-');
    const bool percent = c == QLatin1Char('%');
    const bool separator = c == dec;
    const bool allowed = digit || (percent && field.porcent != TPorcent::Numero) ||
                         (minus && field.minValor < 0) ||
                         (separator && field.decimales > 0 && field.tipoDato == TDato::Reales);
    if (!allowed)
        return false;

    selectionStart = qBound(0, selectionStart, int(text.size()));
    selectionLength = qBound(0, selectionLength, int(text.size()) - selectionStart);
    const QString kept = text.left(selectionStart) + text.mid(selectionStart + selectionLength);
    if ((separator || percent || minus) && kept.contains(c))
        return false;
    // A minus sign only goes first, into an otherwise empty field.
    if (minus && !kept.isEmpty())
        return false;
    if (percent)
        return true;

    const QString result =
        text.left(selectionStart) + c + text.mid(selectionStart + selectionLength);
    const std::optional<double> value = readReal(result);
    return !(value && *value > field.maxValor);
}

QString changedText(const QString& text, const NumberField& field) {
    if (text.isEmpty())
        return text;
    QString t = text;
    const bool percent = t.contains(QLatin1Char('%'));
    t.remove(QLatin1Char('%'));

    const int sep = int(t.indexOf(decimalSeparator()));
    if (sep >= 0 && t.size() - sep - 1 > field.decimales)
        t.truncate(sep + 1 + std::max(field.decimales, 0));

    const std::optional<double> value = readReal(keepNumberChars(t, QLatin1String("-")));
    if (value && *value > field.maxValor)
        t = plainNumber(field.maxValor);

    if (percent)
        t += QLatin1Char('%');
    return t;
}

std::optional<QString> exitText(const QString& text, const NumberField& field) {
    QString t = text;
    bool percent = false;
    if (t.endsWith(QLatin1Char('%'))) {
        t.chop(1);
        percent = true;
    }
    if (t.isEmpty())
        t = QStringLiteral("0");
    std::optional<double> value = readReal(keepNumberChars(t, QLatin1String("-")));
    if (!value)
        return std::nullopt;
    if (*value < field.minValor)
        value = field.minValor;
    QString out = formatValue(*value, field.shownDecimals(), field.hideSeparator);
    if (percent || field.porcent == TPorcent::Porcentaje)
        out += QLatin1Char('%');
    return out;
}

std::optional<double> pastedValue(const QString& clipboardText, const NumberField& field) {
    QString t = clipboardText;
    t.remove(thousandSeparator());
    std::optional<double> value = readReal(t);
    if (!value)
        return std::nullopt;
    return std::min(std::max(*value, field.minValor), field.maxValor);
}

double calculatorValue(double value, const NumberField& field) {
    double shown = value >= field.minValor ? value : field.minValor;
    if (value > field.maxValor)
        shown = field.maxValor;
    return shown;
}

} // namespace numberrules
} // namespace controls
