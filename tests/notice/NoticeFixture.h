#pragma once

// The program's four long-lived objects on a company folder with exactly the
// installments and documents a test writes, and the settings it asks for. The
// notice window's rise and fall run without pause: a step only counts.

#include "core/DateTime.h"
#include "core/Formats.h"
#include "data/Query.h"
#include "data/Schema.h"
#include "data/TableFileWriter.h"
#include "platform/AccessMarker.h"
#include "platform/MessageBoxService.h"
#include "platform/Paths.h"
#include "platform/SystemInfo.h"
#include "shell/Application.h"
#include "shell/Settings.h"
#include "shell/SettingsPage.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "shell/TMenuDataModule.h"
#include "shell/Tm3TransaccionesPendientesForm.h"
#include "shell/Tm3TrayIconTransaccionesPenForm.h"
#include "support/CompanyFixture.h"

#include <QFile>
#include <QTimer>
#include <QVariantMap>
#include <functional>

namespace noticetest {

// Dots for thousands and commas for decimals unless a test says otherwise.
inline void useFormats(QChar thousands = QLatin1Char('.'), QChar decimals = QLatin1Char(',')) {
    core::Formats f;
    f.dateSeparator = QLatin1Char('/');
    f.thousandSeparator = thousands;
    f.decimalSeparator = decimals;
    core::Formats::setCurrent(f);
}

// The settings file of the company, written before the start.
inline void writeSettings(const CompanyFixture& company, shell::Settings s) {
    if (s.soundFile.isEmpty())
        s.soundFile = company.dataFolder() + QStringLiteral("ICONOS/notify.wav");
    shell::writeSettingsFile(company.dataFolder() + QStringLiteral("FileConfig.txt"), s);
}

struct Program {
    shell::TMenuDataModule menus;
    shell::TAvisoTransaccionesPendientesForm notice;
    shell::Tm3TrayIconTransaccionesPenForm tray;
    shell::Tm3TransaccionesPendientesForm module{&notice, &tray};
    shell::SettingsPage& page = *module.PanelConfig;
    int steps = 0;                     // steps of the rise and the fall so far
    std::function<void(int)> midSlide; // runs at each step, given its number

    Program() {
        shell::application::resetTerminate();
        platform::accessmarker::create(platform::paths::accessMarker(platform::computerName()));
        notice.SlideStep = [this] {
            ++steps;
            if (midSlide)
                midSlide(steps);
        };
        module.FormCreate();
    }
    ~Program() {
        // Nothing of a test reaches the next one through a timer.
        module.TimerEspera->stop();
        module.TimerBusqueda->stop();
        notice.Timer2->stop();
    }
    bool noticeShown() const { return notice.isVisible(); }
};

inline qint64 addTransaction(const CompanyFixture& company, const QString& description,
                             const QString& beneficiary = QStringLiteral("Proveedor")) {
    data::TableFileWriter w(company.dataFolder(), data::schema::TransPendientes);
    return w.insert({{QStringLiteral("FTP_NROCUENTA"), QStringLiteral("0102-001")},
                     {QStringLiteral("FTP_BANCO"), QStringLiteral("Banco Uno")},
                     {QStringLiteral("FTP_BENEFICIARIO"), beneficiary},
                     {QStringLiteral("FTP_DESCRIPCION"), description},
                     {QStringLiteral("FTP_MONTO"), 0.0},
                     {QStringLiteral("FTP_NROGIROS"), 1}});
}

struct Giro {
    int giro = 1;
    double fecha = 0; // date
    double hora = 0;  // time of day
    double amount = 0;
    int periodo = 0;
    int tipo = 0;
    bool paid = false;
};

inline qint64 addInstallment(const CompanyFixture& company, qint64 transaction, const Giro& g) {
    data::TableFileWriter w(company.dataFolder(), data::schema::GirosPendientes);
    return w.insert({{QStringLiteral("FGP_KEYTRANSACCION"), transaction},
                     {QStringLiteral("FGP_GIRO"), g.giro},
                     {QStringLiteral("FGP_FECHAGIRO"), g.fecha},
                     {QStringLiteral("FGP_HORAGIRO"), g.hora},
                     {QStringLiteral("FGP_MONTOGIRO"), g.amount},
                     {QStringLiteral("FGP_STATUS"), g.paid},
                     {QStringLiteral("FGP_PERIODOFIJO"), g.periodo},
                     {QStringLiteral("FGP_TIPOTRANS"), g.tipo}});
}

// A customer ("FC", receivables) or supplier ("FP", payables) with one open
// document due `dueDays` from today.
inline void addDocument(const CompanyFixture& company, bool receivable, const QString& code,
                        const QString& name, double balance, double today, int dueDays,
                        int type = 1) {
    const QString party = receivable ? QStringLiteral("FC") : QStringLiteral("FP");
    const QString doc = receivable ? QStringLiteral("FCC") : QStringLiteral("FCP");
    {
        data::TableFileWriter parties(company.dataFolder(), receivable ? data::schema::Clientes
                                                                       : data::schema::Proveedores);
        parties.insert({{party + QStringLiteral("_CODIGO"), code},
                        {party + QStringLiteral("_DESCRIPCION"), name},
                        {party + QStringLiteral("_STATUS"), true}});
    }
    data::TableFileWriter docs(company.dataFolder(), receivable ? data::schema::CuentasxCobrar
                                                                : data::schema::CuentasxPagar);
    docs.insert({{doc + QStringLiteral("_CODIGO"), code},
                 {doc + QStringLiteral("_NUMERO"), code + QStringLiteral("-1")},
                 {doc + QStringLiteral("_SALDODOCUMENTO"), balance},
                 {doc + QStringLiteral("_FECHAEMISION"), today - 10},
                 {doc + QStringLiteral("_FECHAVENCIMIENTO"), today + dueDays},
                 {doc + QStringLiteral("_TIPOTRANSACCION"), type}});
}

// The installment rows of the company: (number, date, period code), by key.
struct GiroRow {
    int giro;
    double fecha;
    int periodo;
};
inline QList<GiroRow> installmentRows(const CompanyFixture& company) {
    data::Query q;
    q.setDatabaseName(company.dataFolder());
    q.addSql(QStringLiteral("SELECT * FROM m3GirosPendientes ORDER BY FGP_AUTOINCKEY"));
    q.open();
    QList<GiroRow> rows;
    for (; !q.eof(); q.next())
        rows.append({int(q.fieldByName(QStringLiteral("FGP_GIRO")).asInteger()),
                     q.fieldByName(QStringLiteral("FGP_FECHAGIRO")).asDateTime(),
                     int(q.fieldByName(QStringLiteral("FGP_PERIODOFIJO")).asInteger())});
    q.close();
    return rows;
}

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace noticetest
