#pragma once

#include "accounts/TCuentas.h"

#include <QString>

class QWidget;

namespace data {
class Query;
}

// The open documents that the notice reminds of: the receivables and payables
// of the suite that fall due by the notice horizon, one record per party name.
namespace accounts {

// The SELECT and FROM texts of the document statements, shared with the
// browse of the customer, supplier and date pages and with the reports.
inline const QString ReceivablesSelect = QStringLiteral(
    "SELECT FCC_CODIGO, FCC_NUMERO, FCC_SALDODOCUMENTO, FCC_FECHAEMISION, FCC_FECHAVENCIMIENTO, "
    "FCC_TIPOTRANSACCION, FCC_DESCRIPCIONMOV, FC_DESCRIPCION, FC_TELEFONO, FC_DIRECCION1 ");
inline const QString ReceivablesFrom =
    QStringLiteral("FROM SCuentasxcobrar, SClientes WHERE (FCC_SALDODOCUMENTO > 0) AND "
                   "(FCC_CODIGO = FC_CODIGO) ");
inline const QString PayablesSelect = QStringLiteral(
    "SELECT FCP_CODIGO, FCP_NUMERO, FCP_SALDODOCUMENTO, FCP_FECHAEMISION, FCP_FECHAVENCIMIENTO, "
    "FCP_TIPOTRANSACCION, FCP_DESCRIPCIONMOV, FP_DESCRIPCION, FP_TELEFONO, FP_DIRECCION1 ");
inline const QString PayablesFrom =
    QStringLiteral("FROM SCuentasxpagar, Sproveedor WHERE (FCP_SALDODOCUMENTO > 0) AND "
                   "(FCP_CODIGO = FP_CODIGO) ");

// The grouped columns of the notice's statements, between the SELECT and the
// FROM texts. The SUM carries the name of the balance column, so that reading
// the balance by name gives the party's total (the last of two like-named
// columns answers). The MIN of the due date makes the engine take the other
// columns of a group (number, type) from the party's oldest due document, so
// the notice counts the days overdue from the oldest debt.
inline const QString ReceivablesSum =
    QStringLiteral(", SUM(FCC_SALDODOCUMENTO) AS FCC_SALDODOCUMENTO ");
inline const QString PayablesSum =
    QStringLiteral(", SUM(FCP_SALDODOCUMENTO) AS FCP_SALDODOCUMENTO ");
inline const QString ReceivablesOldestDue =
    QStringLiteral(", MIN(FCC_FECHAVENCIMIENTO) AS FCC_FECHAVENCIMIENTO ");
inline const QString PayablesOldestDue =
    QStringLiteral(", MIN(FCP_FECHAVENCIMIENTO) AS FCP_FECHAVENCIMIENTO ");

// The statement heads of the notice's load (start-up and the reload).
QString OpenReceivablesHead(); // ReceivablesSelect + ReceivablesSum + ReceivablesOldestDue +
                               // ReceivablesFrom
QString OpenPayablesHead();    // the same for payables

// The table names of the messages, and the codes that only one kind has:
// 7 (pending credit note) among receivables, 8 (pending debit note) among payables.
inline const QString ReceivablesTable = QStringLiteral("SCuentasxCobrar");
inline const QString PayablesTable = QStringLiteral("SCuentasxPagar");
inline const QString ReceivablesOwnType = QStringLiteral("7");
inline const QString PayablesOwnType = QStringLiteral("8");

// "Error de Consulta al obtener datos de la Tabla " + table + ".".
QString OpenDocumentsError(const QString& tableName);

// The whole statement: the head, then the horizon, the admitted types (1, 2,
// 3, 5 and the kind's own code), the grouping by party name and the order by
// name and due date.
QString OpenDocumentsStatement(const QString& head, const QString& documentPrefix,
                               const QString& partyPrefix, const QString& extraType);

// Appends to `list` one record per party name, in name order: the sum of the
// open balances of the admitted types due on or before today + daysAhead, with
// the number, type and due date of the party's oldest such document. The list
// is not emptied first. The query is the module window's document query; it is
// closed before and after. One guarded unit: on any failure it shows
// OpenDocumentsError(tableName) over `parent`, keeps the records appended so
// far, closes the query (so the suite's tables are not held) and returns.
TCuentasList& LoadOpenDocuments(data::Query& query, QWidget* parent, int daysAhead,
                                const QString& documentPrefix, const QString& partyPrefix,
                                const QString& head, const QString& extraType,
                                const QString& tableName, TCuentasList& list);

// The two calls of start-up and the reload: "FCC", "FC", the receivables'
// head, "7", "SCuentasxCobrar"; and "FCP", "FP", the payables' head, "8",
// "SCuentasxPagar".
TCuentasList& LoadOpenReceivables(data::Query& query, QWidget* parent, int daysAhead,
                                  TCuentasList& list);
TCuentasList& LoadOpenPayables(data::Query& query, QWidget* parent, int daysAhead,
                               TCuentasList& list);

} // namespace accounts
