#include "bank/Records.h"

#include <QRegularExpression>

namespace bank {

QString CurrencyText(core::Currency value) {
    const qint64 raw = value.raw();
    const quint64 magnitude = raw < 0 ? quint64(-(raw + 1)) + 1 : quint64(raw);
    const quint64 whole = magnitude / quint64(core::Currency::Scale);
    const quint64 fraction = magnitude % quint64(core::Currency::Scale);
    QString text = QString::number(whole);
    if (fraction != 0) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return raw < 0 ? QLatin1Char('-') + text : text;
}

core::Currency CurrencyFromText(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(-?)(\\d{1,15})(?:\\.(\\d{1,4}))?$"));
    const QRegularExpressionMatch m = pattern.match(text.trimmed());
    if (!m.hasMatch())
        return core::Currency();
    const qint64 whole = m.captured(2).toLongLong();
    const QString digits = (m.captured(3) + QStringLiteral("0000")).left(4);
    const qint64 raw = whole * core::Currency::Scale + digits.toLongLong();
    return core::Currency::fromRaw(m.captured(1).isEmpty() ? raw : -raw);
}

} // namespace bank
