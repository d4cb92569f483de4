#pragma once

#include "controls/ListRecord.h"
#include "core/Currency.h"
#include "core/DateTime.h"

#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

namespace accounts {

// One open receivable or payable document (or, in the notice lists, one party's
// open documents taken together). It does not say whether it is a receivable or
// a payable: the list that holds it does.
class TCuentas : public controls::ListRecord {
public:
    TCuentas() = default;
    ~TCuentas() override;
    TCuentas(const TCuentas&) = default;
    TCuentas& operator=(const TCuentas&) = default;

    QString Numero;                       // FCC_NUMERO / FCP_NUMERO, as text
    QString Descripcion;                  // FC_DESCRIPCION / FP_DESCRIPCION: the party's name
    quint8 TipoTransaccion = 0;           // FCC_TIPOTRANSACCION / FCP_TIPOTRANSACCION, low byte
    core::TDateTime FechaVencimiento = 0; // FCC_FECHAVENCIMIENTO / FCP_FECHAVENCIMIENTO
    core::Currency SaldoDocumento;        // FCC_SALDODOCUMENTO / FCP_SALDODOCUMENTO: open balance
};

using TCuentasPtr = std::shared_ptr<TCuentas>;

// A list of open documents. It owns its records; a record handed to another
// list (the notice window's) passes with its pointer.
using TCuentasList = std::vector<TCuentasPtr>;

} // namespace accounts
