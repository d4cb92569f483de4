#pragma once

#include "controls/ListRecord.h"
#include "core/Currency.h"
#include "core/DateTime.h"

#include <QString>
#include <memory>
#include <vector>

namespace data {
class Field;
}

// The in-memory records of the pending bank transactions: copies of rows of the
// module's two tables, m3TransPendientes (one row per transaction) and
// m3GirosPendientes (one row per installment).
namespace bank {

// Field names of the two tables.
namespace fields {
inline const QString FTP_AUTOINCKEY = QStringLiteral("FTP_AUTOINCKEY");
inline const QString FTP_NROCUENTA = QStringLiteral("FTP_NROCUENTA");
inline const QString FTP_BANCO = QStringLiteral("FTP_BANCO");
inline const QString FTP_BENEFICIARIO = QStringLiteral("FTP_BENEFICIARIO");
inline const QString FTP_DESCRIPCION = QStringLiteral("FTP_DESCRIPCION");
inline const QString FTP_MONTO = QStringLiteral("FTP_MONTO");
inline const QString FTP_NROGIROS = QStringLiteral("FTP_NROGIROS");

inline const QString FGP_AUTOINCKEY = QStringLiteral("FGP_AUTOINCKEY");
inline const QString FGP_KEYTRANSACCION = QStringLiteral("FGP_KEYTRANSACCION");
inline const QString FGP_GIRO = QStringLiteral("FGP_GIRO");
inline const QString FGP_FECHAGIRO = QStringLiteral("FGP_FECHAGIRO");
inline const QString FGP_HORAGIRO = QStringLiteral("FGP_HORAGIRO");
inline const QString FGP_MONTOGIRO = QStringLiteral("FGP_MONTOGIRO");
inline const QString FGP_STATUS = QStringLiteral("FGP_STATUS");
inline const QString FGP_FECHAPAGADO = QStringLiteral("FGP_FECHAPAGADO");
inline const QString FGP_PERIODOFIJO = QStringLiteral("FGP_PERIODOFIJO");
inline const QString FGP_TIPOTRANS = QStringLiteral("FGP_TIPOTRANS");
} // namespace fields

// One installment. Which fields are filled depends on who made it: the due
// query fills the transaction texts and every installment field but FechaPagado;
// the browse lists fill everything; the schedule of a new transaction fills
// Giro, TipoTrans, FechaGiro, MontoGiro and HoraGiro.
class TGirosReg : public controls::ListRecord {
public:
    QString Descripcion;  // of the owning transaction
    QString Beneficiario; // of the owning transaction
    QString Banco;        // bank account name
    qint32 Giro = 0;      // installment number, 1 for the first
    qint32 AutoIncKey = 0;
    core::Currency MontoGiro;
    core::TDateTime FechaGiro = 0; // due date
    core::TDateTime HoraGiro = 0;  // time of day of the notice
    bool Status = false;           // paid
    quint8 TipoTrans = 0;          // 0 cheque, 1 debit note
    qint32 PeriodoFijo = 0;        // period code of a fixed installment, 0 = not fixed
    qint32 KeyTransaccion = 0;
    QString FechaPagado; // the date paid as text, empty while unpaid
};

using TGirosRegPtr = std::shared_ptr<TGirosReg>;
// A list of installments owns its records; a record handed to another list
// passes with its pointer.
using TGirosList = std::vector<TGirosRegPtr>;

// One pending bank transaction. The new-transaction page fills everything but
// Key; the bank list fills Key, Descripcion, Beneficiario and NroGiros.
class TTransReg : public controls::ListRecord {
public:
    QString NroCuenta; // bank account number
    QString Banco;     // bank account name
    QString Beneficiario;
    QString Descripcion;
    core::Currency Monto;
    core::TDateTime FechaInicio = 0; // date of the first installment
    qint32 NroGiros = 0;
    TGirosList Giros; // the installments of a transaction being entered
    qint32 Key = 0;
};

using TTransRegPtr = std::shared_ptr<TTransReg>;

// Reads the installment fields (key, number, amount, dates, status, kind, period
// code, transaction key and, with withPaidDate, the paid date as text) of the
// current row of a table or query into `record`.
template <class Source>
void ReadInstallmentFields(TGirosReg& record, Source& source, bool withPaidDate) {
    record.AutoIncKey = qint32(source.fieldByName(fields::FGP_AUTOINCKEY).asInteger());
    record.Giro = qint32(source.fieldByName(fields::FGP_GIRO).asInteger());
    record.MontoGiro = source.fieldByName(fields::FGP_MONTOGIRO).asCurrency();
    record.FechaGiro = source.fieldByName(fields::FGP_FECHAGIRO).asDateTime();
    record.HoraGiro = source.fieldByName(fields::FGP_HORAGIRO).asDateTime();
    record.Status = source.fieldByName(fields::FGP_STATUS).asBoolean();
    record.TipoTrans = quint8(source.fieldByName(fields::FGP_TIPOTRANS).asInteger());
    record.PeriodoFijo = qint32(source.fieldByName(fields::FGP_PERIODOFIJO).asInteger());
    record.KeyTransaccion = qint32(source.fieldByName(fields::FGP_KEYTRANSACCION).asInteger());
    if (withPaidDate)
        record.FechaPagado = source.fieldByName(fields::FGP_FECHAPAGADO).asString();
}

// The browse pages keep totals between visits as texts: an exact decimal text
// of the amount ("600.5", "-12.3456") and back; a text that does not read gives 0.
QString CurrencyText(core::Currency value);
core::Currency CurrencyFromText(const QString& text);

} // namespace bank
