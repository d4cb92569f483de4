#include "accounts/BrowseRules.h"

#include "accounts/OpenDocuments.h"

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

} // namespace accounts
