#include "accounts/BrowseRules.h"

#include "accounts/OpenDocuments.h"
#include "bank/Records.h"
#include "core/Formats.h"

namespace accounts {

const DocumentKind& ReceivableDocuments() {
    static const DocumentKind kind{true,
                                   QStringLiteral("FCC"),
                                   QStringLiteral("FC"),
                                   ReceivablesOwnType,
                                   QStringLiteral("2"),
                                   QStringLiteral("5"),
                                   QStringLiteral("Cobrar."),
                                   QStringLiteral("Cliente"),
                                   ReceivablesSelect,
                                   ReceivablesFrom};
    return kind;
}

const DocumentKind& PayableDocuments() {
    static const DocumentKind kind{false,
                                   QStringLiteral("FCP"),
                                   QStringLiteral("FP"),
                                   PayablesOwnType,
                                   QStringLiteral("5"),
                                   QStringLiteral("2"),
                                   QStringLiteral("Pagar."),
                                   QStringLiteral("Proveedor"),
                                   PayablesSelect,
                                   PayablesFrom};
    return kind;
}

DateCondition BrowseDateCondition(bool hasFromDate, bool hasToDate) {
    if (hasFromDate && !hasToDate)
        return DateCondition::FromOnward;
    if (hasFromDate || hasToDate)
        return DateCondition::Between;
    return DateCondition::None;
}

QString BrowseHead(const DocumentKind& kind, BrowseMode mode) {
    QString head = kind.select + kind.from;
    if (mode == BrowseMode::OneParty)
        head += QStringLiteral(" AND (") + kind.partyPrefix + QStringLiteral("_DESCRIPCION = :") +
                kind.partyParameter + QStringLiteral(") ");
    return head;
}

QString BrowseStatement(const DocumentKind& kind, BrowseMode mode, DateCondition dates,
                        int typeIndex) {
    const QString& d = kind.documentPrefix;
    QString sql = BrowseHead(kind, mode);
    if (dates == DateCondition::FromOnward)
        sql += QStringLiteral(" AND (") + d + QStringLiteral("_FECHAVENCIMIENTO >= :FechaDesde) ");
    else if (dates == DateCondition::Between)
        sql += QStringLiteral(" AND (") + d +
               QStringLiteral("_FECHAVENCIMIENTO BETWEEN :FechaDesde and :FechaHasta) ");

    auto one = [&d](const QString& code) {
        return QStringLiteral(" AND (") + d + QStringLiteral("_TIPOTRANSACCION = ") + code +
               QStringLiteral(")");
    };
    switch (typeIndex) {
    case Facturas:
        sql += one(QStringLiteral("1"));
        break;
    case NotasDebito:
        sql += one(QStringLiteral("2"));
        break;
    case NotasCredito:
        sql += one(QStringLiteral("5"));
        break;
    case Pendientes:
        sql += one(kind.ownType);
        break;
    case Giros:
        sql += one(QStringLiteral("3"));
        break;
    default: // "Todas", and no entry at all
        sql += QStringLiteral(" AND ") + d +
               QStringLiteral("_TIPOTRANSACCION IN (1 , 2 , 3 , 5 , ") + kind.ownType +
               QStringLiteral(")");
        break;
    }

    if (mode == BrowseMode::OneParty)
        sql += QStringLiteral(" ORDER BY ") + d + QStringLiteral("_FECHAVENCIMIENTO ASC");
    else
        sql += QStringLiteral(" ORDER BY ") + kind.partyPrefix + QStringLiteral("_DESCRIPCION, ") +
               d + QStringLiteral("_FECHAVENCIMIENTO ASC");
    return sql;
}

QString BrowseError(const DocumentKind& kind) {
    return QStringLiteral("Error de Consulta al obtener datos de la Tabla SCuentasx") +
           kind.tableEnd;
}

core::Currency DocumentTotals::Debit(const DocumentKind& kind) const {
    return kind.receivables ? OwedTotal : ReducingTotal;
}

core::Currency DocumentTotals::Credit(const DocumentKind& kind) const {
    return kind.receivables ? ReducingTotal : OwedTotal;
}

void DocumentTotals::Add(const DocumentKind& kind, int type, core::Currency balance) {
    if (type == 1 || type == 3 || type == kind.owedExtraType.toInt())
        OwedTotal += balance;
    else if (type == kind.reducingType.toInt() || type == kind.ownType.toInt())
        ReducingTotal += balance;
}

QString SlotAmountText(core::Currency amount) {
    QString text = bank::CurrencyText(amount);
    text.replace(QLatin1Char('.'), core::Formats::current().decimalSeparator);
    return text;
}

core::Currency SlotAmount(const QString& text) {
    QString plain = text;
    plain.replace(core::Formats::current().decimalSeparator, QLatin1Char('.'));
    return bank::CurrencyFromText(plain);
}

void WriteBrowseMemory(QStringList& memory, int firstSlot, const BrowseMemory& saved) {
    if (firstSlot < 0 || memory.size() < firstSlot + 6)
        return;
    memory[firstSlot] = QString::number(saved.typeIndex);
    memory[firstSlot + 1] = SlotAmountText(saved.totals.OwedTotal);
    memory[firstSlot + 2] = SlotAmountText(saved.totals.ReducingTotal);
    memory[firstSlot + 3] = SlotAmountText(saved.totals.DocumentBalance());
    memory[firstSlot + 4] = core::formatShortDate(saved.from);
    memory[firstSlot + 5] = core::formatShortDate(saved.to);
}

std::optional<BrowseMemory> ReadBrowseMemory(const QStringList& memory, int firstSlot) {
    if (firstSlot < 0 || memory.value(firstSlot).isEmpty())
        return std::nullopt;
    BrowseMemory saved;
    bool ok = false;
    const int index = memory.value(firstSlot).toInt(&ok);
    saved.typeIndex = ok ? index : 0;
    saved.totals.OwedTotal = SlotAmount(memory.value(firstSlot + 1));
    saved.totals.ReducingTotal = SlotAmount(memory.value(firstSlot + 2));
    saved.from = core::parseShortDate(memory.value(firstSlot + 4)).value_or(0);
    saved.to = core::parseShortDate(memory.value(firstSlot + 5)).value_or(0);
    return saved;
}

} // namespace accounts
