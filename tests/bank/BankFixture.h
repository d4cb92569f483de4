#pragma once

// The program's four long-lived objects started on a company folder, and the
// rows of the module's two tables written and read as an outside program would.

#include "core/Currency.h"
#include "core/DateTime.h"
#include "core/Formats.h"
#include "data/Query.h"
#include "data/Schema.h"
#include "data/TableFileWriter.h"
#include "platform/AccessMarker.h"
#include "platform/Paths.h"
#include "platform/SystemInfo.h"
#include "shell/Application.h"
#include "shell/Settings.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "shell/TMenuDataModule.h"
#include "shell/Tm3TransaccionesPendientesForm.h"
#include "shell/Tm3TrayIconTransaccionesPenForm.h"
#include "support/CompanyFixture.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <optional>

namespace banktest {

// Commas for decimals and dots for thousands, slashes in dates, in every test.
inline void useSpanishFormats() {
    core::Formats f;
    f.dateSeparator = QLatin1Char('/');
    f.decimalSeparator = QLatin1Char(',');
    f.thousandSeparator = QLatin1Char('.');
    core::Formats::setCurrent(f);
}

// A computer that was allowed before, on a company that has its settings file:
// the start asks nothing and says nothing.
inline void prepareComputer(int daysAhead = 3) {
    platform::accessmarker::create(platform::paths::accessMarker(platform::computerName()));
    const QString work = platform::paths::currentFolder();
    const QString data = work + QStringLiteral("Empre001/");
    if (!QDir(data).exists() || QFile::exists(data + QStringLiteral("FileConfig.txt")))
        return;
    shell::Settings first;
    first.daysAhead = daysAhead;
    first.soundFile = platform::paths::defaultSoundFile(work);
    shell::writeSettingsFile(data + QStringLiteral("FileConfig.txt"), first);
}

struct Program {
    shell::TMenuDataModule menus;
    shell::TAvisoTransaccionesPendientesForm notice;
    shell::Tm3TrayIconTransaccionesPenForm tray;
    shell::Tm3TransaccionesPendientesForm module{&notice, &tray};

    Program() {
        shell::application::resetTerminate();
        prepareComputer();
        module.FormCreate();
    }
};

inline qint64 addTransaction(const CompanyFixture& company, const QString& account,
                             const QString& bank, const QString& description, double total,
                             int count, const QString& beneficiary = QStringLiteral("Proveedor")) {
    data::TableFileWriter w(company.dataFolder(), data::schema::TransPendientes);
    return w.insert({{QStringLiteral("FTP_NROCUENTA"), account},
                     {QStringLiteral("FTP_BANCO"), bank},
                     {QStringLiteral("FTP_BENEFICIARIO"), beneficiary},
                     {QStringLiteral("FTP_DESCRIPCION"), description},
                     {QStringLiteral("FTP_MONTO"), total},
                     {QStringLiteral("FTP_NROGIROS"), count}});
}

struct Giro {
    int giro = 1;
    double fecha = 0;
    double amount = 0;
    bool paid = false;
    int periodo = 0;
    double hora = 0;
    int tipo = 0;
};

inline qint64 addInstallment(const CompanyFixture& company, qint64 transaction, const Giro& g) {
    data::TableFileWriter w(company.dataFolder(), data::schema::GirosPendientes);
    QVariantMap row{{QStringLiteral("FGP_KEYTRANSACCION"), transaction},
                    {QStringLiteral("FGP_GIRO"), g.giro},
                    {QStringLiteral("FGP_FECHAGIRO"), g.fecha},
                    {QStringLiteral("FGP_HORAGIRO"), g.hora},
                    {QStringLiteral("FGP_MONTOGIRO"), g.amount},
                    {QStringLiteral("FGP_STATUS"), g.paid},
                    {QStringLiteral("FGP_PERIODOFIJO"), g.periodo},
                    {QStringLiteral("FGP_TIPOTRANS"), g.tipo}};
    if (g.paid)
        row.insert(QStringLiteral("FGP_FECHAPAGADO"), g.fecha);
    return w.insert(row);
}

// The three banks every test company gets.
inline void addBanks(const CompanyFixture& company) {
    data::TableFileWriter w(company.dataFolder(), data::schema::Bancos);
    w.insert({{QStringLiteral("FB_NOCUENTA"), QStringLiteral("0102-001")},
              {QStringLiteral("FB_DESCRIPCION"), QStringLiteral("Banco Uno")}});
    w.insert({{QStringLiteral("FB_NOCUENTA"), QStringLiteral("0134-002")},
              {QStringLiteral("FB_DESCRIPCION"), QStringLiteral("Banco Dos")}});
    w.insert({{QStringLiteral("FB_NOCUENTA"), QStringLiteral("0108-003")},
              {QStringLiteral("FB_DESCRIPCION"), QStringLiteral("Banco Tres")}});
}

struct GiroRow {
    qint64 key = 0;
    qint64 transaction = 0;
    int giro = 0;
    double fecha = 0;
    double hora = 0;
    core::Currency amount;
    bool paid = false;
    QString paidDate;
    int periodo = 0;
    int tipo = 0;
};

// The installment rows, of one transaction or (0) of all, by transaction,
// number and key.
inline QList<GiroRow> installments(const CompanyFixture& company, qint64 transaction = 0) {
    data::Query q;
    q.setDatabaseName(company.dataFolder());
    q.addSql(QStringLiteral("SELECT * FROM m3GirosPendientes") +
             (transaction ? QStringLiteral(" WHERE FGP_KEYTRANSACCION = %1").arg(transaction)
                          : QString()) +
             QStringLiteral(" ORDER BY FGP_KEYTRANSACCION, FGP_GIRO, FGP_AUTOINCKEY"));
    q.open();
    QList<GiroRow> rows;
    for (; !q.eof(); q.next()) {
        GiroRow r;
        r.key = q.fieldByName(QStringLiteral("FGP_AUTOINCKEY")).asInteger();
        r.transaction = q.fieldByName(QStringLiteral("FGP_KEYTRANSACCION")).asInteger();
        r.giro = int(q.fieldByName(QStringLiteral("FGP_GIRO")).asInteger());
        r.fecha = q.fieldByName(QStringLiteral("FGP_FECHAGIRO")).asDateTime();
        r.hora = q.fieldByName(QStringLiteral("FGP_HORAGIRO")).asDateTime();
        r.amount = q.fieldByName(QStringLiteral("FGP_MONTOGIRO")).asCurrency();
        r.paid = q.fieldByName(QStringLiteral("FGP_STATUS")).asBoolean();
        r.paidDate = q.fieldByName(QStringLiteral("FGP_FECHAPAGADO")).asString();
        r.periodo = int(q.fieldByName(QStringLiteral("FGP_PERIODOFIJO")).asInteger());
        r.tipo = int(q.fieldByName(QStringLiteral("FGP_TIPOTRANS")).asInteger());
        rows << r;
    }
    return rows;
}

struct TransRow {
    qint64 key = 0;
    QString account, bank, beneficiary, description;
    double total = 0;
    int count = 0;
};

inline QList<TransRow> transactions(const CompanyFixture& company) {
    data::Query q;
    q.setDatabaseName(company.dataFolder());
    q.addSql(QStringLiteral("SELECT * FROM m3TransPendientes ORDER BY FTP_AUTOINCKEY"));
    q.open();
    QList<TransRow> rows;
    for (; !q.eof(); q.next()) {
        TransRow r;
        r.key = q.fieldByName(QStringLiteral("FTP_AUTOINCKEY")).asInteger();
        r.account = q.fieldByName(QStringLiteral("FTP_NROCUENTA")).asString();
        r.bank = q.fieldByName(QStringLiteral("FTP_BANCO")).asString();
        r.beneficiary = q.fieldByName(QStringLiteral("FTP_BENEFICIARIO")).asString();
        r.description = q.fieldByName(QStringLiteral("FTP_DESCRIPCION")).asString();
        r.total = q.fieldByName(QStringLiteral("FTP_MONTO")).asFloat();
        r.count = int(q.fieldByName(QStringLiteral("FTP_NROGIROS")).asInteger());
        rows << r;
    }
    return rows;
}

inline std::optional<TransRow> transaction(const CompanyFixture& company, qint64 key) {
    for (const TransRow& r : transactions(company))
        if (r.key == key)
            return r;
    return std::nullopt;
}

inline core::Currency money(double amount) {
    return core::Currency::fromDouble(amount);
}

} // namespace banktest
