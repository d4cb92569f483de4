#pragma once

#include "bank/Records.h"

#include <QString>

class QWidget;

namespace data {
class Query;
}

// The due installments: every unpaid installment whose date falls on or before
// today plus the notice horizon, with its transaction's texts, ordered by date
// and then by time of day.
namespace bank {

// The column list shared by the due query and the date search.
extern const QString InstallmentSelect;

// The whole statement of the due query; its one parameter is "Fecha".
QString DueInstallmentsSql();

// Appends one record per due installment, read with `query` (closed first and
// given the statement), up to today plus `daysAhead` days, and returns the list.
// An engine error shows "Error de Consulta al obtener datos de la Tabla
// m3GirosPendientes." over `parent`; the records read before it stay. The query
// is closed at the end in every case.
TGirosList& LoadDueInstallments(data::Query& query, TGirosList& list, int daysAhead,
                                QWidget* parent);

} // namespace bank
