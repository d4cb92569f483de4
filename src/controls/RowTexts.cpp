#include "controls/RowTexts.h"

#include "core/Formats.h"

namespace controls {

QString GridAmountText(core::Currency amount) {
    return core::format12(amount);
}

QString CardAmountText(core::Currency amount) {
    QString text = core::format15(amount);
    qsizetype blanks = 0;
    while (blanks < text.size() && text.at(blanks) == QLatin1Char(' '))
        ++blanks;
    return text.mid(blanks);
}

QString GridTimeText(core::TDateTime time) {
    return core::formatGridTime(time);
}

QString ShortDateText(core::TDateTime date) {
    return core::formatShortDate(date);
}

QString DateTimeText(core::TDateTime value) {
    QString text = core::formatShortDate(value);
    // A value of midnight to the millisecond shows no time.
    if (core::dt::toTime(value) != QTime(0, 0))
        text += QLatin1Char(' ') + core::formatLongTime(value);
    return text;
}

QString StatusText(bool paid) {
    return paid ? QStringLiteral("P") : QStringLiteral("NP");
}

QString DocumentTypeAbbreviation(DocumentKind kind, int typeCode) {
    const auto& a = DocumentTypeAbbreviations;
    switch (typeCode) {
    case 1:
        return QString::fromLatin1(a[0]);
    case 2:
        return QString::fromLatin1(a[2]);
    case 3:
        return QString::fromLatin1(a[1]);
    case 5:
        return QString::fromLatin1(a[4]);
    case 7:
        return kind == DocumentKind::Receivable ? QString::fromLatin1(a[5]) : QString();
    case 8:
        return kind == DocumentKind::Payable ? QString::fromLatin1(a[3]) : QString();
    default:
        return QString();
    }
}

QString DocumentTypeName(int typeCode) {
    switch (typeCode) {
    case 1:
        return QStringLiteral("Factura");
    case 2:
        return QStringLiteral("N/Débito");
    case 3:
        return QStringLiteral("Giro");
    case 5:
        return QStringLiteral("N/Crédito");
    case 7:
        return QStringLiteral("N/C Pendiente");
    case 8:
        return QStringLiteral("N/D Pendiente");
    default:
        return QString();
    }
}

bool IsOverdueUnpaid(core::TDateTime installmentDate, bool paid, core::TDateTime today) {
    return !paid && today > installmentDate;
}

} // namespace controls
