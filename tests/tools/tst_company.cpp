#include "Company.h"

#include "data/Query.h"
#include "data/Table.h"
#include "platform/TextFile.h"
#include "shell/EncodePassword.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

namespace {

// What the sqlite3 C API, as an outside program, sees in a table file.
QStringList schemaObjects(const QString& file) {
    sqlite3* db = nullptr;
    QStringList out;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT type || ':' || name FROM sqlite_master "
                           "WHERE name NOT LIKE 'sqlite_%' ORDER BY type, name",
                           -1, &st, nullptr);
        while (st && sqlite3_step(st) == SQLITE_ROW)
            out << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return out;
}

} // namespace

class TstCompany : public QObject {
    Q_OBJECT
private slots:
    void createLaysOutTheWorkingFolder() {
        QTemporaryDir dir;
        company::create(dir.path());
        QDir work(dir.path());
        QVERIFY(work.exists(QStringLiteral("Empre001/Reports")));
        QVERIFY(work.exists(QStringLiteral("Empre001/ICONOS/notify.wav")));
        QVERIFY(work.exists(QStringLiteral("m3Help/Monvela.html")));
        QVERIFY(work.exists(QStringLiteral("m3Help/img/notice.png")));
        QCOMPARE(schemaObjects(work.filePath(QStringLiteral("sempresas.dat"))),
                 QStringList{QStringLiteral("table:sempresas")});
        const QStringList tables{QStringLiteral("Sbancos"),
                                 QStringLiteral("Sbeneficiario"),
                                 QStringLiteral("Sclientes"),
                                 QStringLiteral("SProveedor"),
                                 QStringLiteral("SCuentasxCobrar"),
                                 QStringLiteral("SCuentasxPagar"),
                                 QStringLiteral("SFixed"),
                                 QStringLiteral("Susuarios"),
                                 QStringLiteral("m3TransPendientes"),
                                 QStringLiteral("m3GirosPendientes")};
        for (const QString& t : tables) {
            const QStringList objects = schemaObjects(
                work.filePath(QStringLiteral("Empre001/") + t + QStringLiteral(".dat")));
            QVERIFY2(objects.contains(QStringLiteral("table:") + t), qPrintable(t));
        }
        QVERIFY(schemaObjects(work.filePath(QStringLiteral("Empre001/m3GirosPendientes.dat")))
                    .contains(QStringLiteral("index:FGP_KEYTRANSACCION2")));
        QVERIFY(schemaObjects(work.filePath(QStringLiteral("Empre001/Susuarios.dat")))
                    .contains(QStringLiteral("index:CLAVE")));
        QVERIFY(schemaObjects(work.filePath(QStringLiteral("Empre001/Sclientes.dat")))
                    .contains(QStringLiteral("index:FC_KEYDESCRIPCION")));

        data::Table empresas;
        empresas.setDatabaseName(dir.path() + QLatin1Char('/'));
        empresas.setTableName(QStringLiteral("sempresas.dat"));
        empresas.open();
        QCOMPARE(empresas.fieldByName(QStringLiteral("FE_DIRDATOS")).asString(),
                 QStringLiteral("Empre001"));
        QCOMPARE(empresas.fieldByName(QStringLiteral("FE_DIRREPORTES")).asString(),
                 QStringLiteral("Empre001/Reports"));
        QCOMPARE(empresas.recordCount(), 1);

        QFile datos(work.filePath(QStringLiteral("Empre001/Datos.txt")));
        QVERIFY(datos.open(QIODevice::ReadOnly));
        QCOMPARE(datos.readAll(), QByteArray("EMPRESA S.A\r\n\r\n\r\n"));
    }

    void createNeverOverwritesACompany() {
        QTemporaryDir dir;
        company::create(dir.path());
        company::addUser(dir.path(), QStringLiteral("ANA"), QStringLiteral("x"), true);
        QVERIFY_THROWS_EXCEPTION(std::exception, company::create(dir.path()));
        data::Table users;
        users.setDatabaseName(dir.path() + QStringLiteral("/Empre001/"));
        users.setTableName(QStringLiteral("Susuarios.dat"));
        users.open();
        QCOMPARE(users.recordCount(), 1);
    }

    void addUserStoresTheEncodedPassword() {
        QTemporaryDir dir;
        company::create(dir.path());
        company::addUser(dir.path(), QStringLiteral("ANA"), QStringLiteral("clave1"), true);
        company::addUser(dir.path(), QStringLiteral("LUIS"), QStringLiteral("ñandú"), false);
        data::Table users;
        users.setDatabaseName(dir.path() + QStringLiteral("/Empre001/"));
        users.setTableName(QStringLiteral("Susuarios.dat"));
        users.open();
        users.setIndexName(QStringLiteral("CLAVE"));
        QVERIFY(users.findKey({shell::EncodePassword(QStringLiteral("ñandú"))}));
        QCOMPARE(users.fieldByName(QStringLiteral("Nombre")).asString(), QStringLiteral("LUIS"));
        QVERIFY(!users.fieldByName(QStringLiteral("AccesoProduc")).asBoolean());
        QVERIFY(users.findKey({shell::EncodePassword(QStringLiteral("clave1"))}));
        QVERIFY(users.fieldByName(QStringLiteral("AccesoProduc")).asBoolean());
        QVERIFY_THROWS_EXCEPTION(company::ToolError,
                                 company::addUser(dir.path() + QStringLiteral("/nada"),
                                                  QStringLiteral("X"), QStringLiteral("y"), true));
    }

    void demoHasTheCasesTheModuleMustHandle() {
        QTemporaryDir dir;
        const core::TDateTime today = core::dt::encodeDate(2026, 12, 11);
        company::createDemo(dir.path(), today);
        data::Query q;
        q.setDatabaseName(dir.path() + QStringLiteral("/Empre001/"));
        auto scalar = [&q](const QString& sql) {
            q.close();
            q.clearSql();
            q.addSql(sql);
            q.open();
            return q.field(0).asInteger();
        };
        // Two customers and two suppliers share a name.
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM Sclientes GROUP BY FC_DESCRIPCION "
                                       "ORDER BY COUNT(*) DESC")),
                 2);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM SProveedor GROUP BY FP_DESCRIPCION "
                                       "ORDER BY COUNT(*) DESC")),
                 2);
        // Documents that must never show: other types, a closed balance.
        QVERIFY(scalar(QStringLiteral(
                    "SELECT COUNT(*) FROM SCuentasxCobrar WHERE "
                    "FCC_TIPOTRANSACCION IN (4, 6) AND FCC_SALDODOCUMENTO > 0")) >= 2);
        QVERIFY(scalar(QStringLiteral("SELECT COUNT(*) FROM SCuentasxPagar WHERE "
                                      "FCP_SALDODOCUMENTO = 0")) >= 1);
        // Due in the past, today and later.
        QVERIFY(scalar(QStringLiteral("SELECT COUNT(*) FROM SCuentasxCobrar WHERE "
                                      "FCC_FECHAVENCIMIENTO = %1")
                           .arg(today)) >= 1);
        // Installments overdue, due today at a time already past, and later; the last
        // installment of a fixed transaction alone carries its period.
        QVERIFY(scalar(QStringLiteral("SELECT COUNT(*) FROM m3GirosPendientes WHERE "
                                      "NOT(FGP_STATUS) AND FGP_FECHAGIRO < %1")
                           .arg(today)) >= 1);
        QVERIFY(scalar(QStringLiteral("SELECT COUNT(*) FROM m3GirosPendientes WHERE "
                                      "NOT(FGP_STATUS) AND FGP_FECHAGIRO = %1")
                           .arg(today)) >= 1);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM m3GirosPendientes g WHERE "
                                       "FGP_PERIODOFIJO <> 0 AND FGP_GIRO <> (SELECT MAX(FGP_GIRO) "
                                       "FROM m3GirosPendientes h WHERE h.FGP_KEYTRANSACCION = "
                                       "g.FGP_KEYTRANSACCION)")),
                 0);
        QVERIFY(scalar(QStringLiteral("SELECT COUNT(*) FROM m3GirosPendientes WHERE "
                                      "FGP_PERIODOFIJO <> 0")) >= 2);
        QCOMPARE(
            scalar(QStringLiteral("SELECT COUNT(*) FROM m3TransPendientes WHERE FTP_NROGIROS <> "
                                  "(SELECT COUNT(*) FROM m3GirosPendientes WHERE "
                                  "FGP_KEYTRANSACCION = FTP_AUTOINCKEY)")),
            0);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM Susuarios")), 2);
        // Its settings include receivables and payables and name its own chime.
        const auto settings =
            platform::textfile::readLines(dir.filePath(QStringLiteral("Empre001/FileConfig.txt")));
        QVERIFY(settings);
        QCOMPARE(settings->size(), 12);
        QCOMPARE(settings->mid(0, 2), QStringList({QStringLiteral("1"), QStringLiteral("1")}));
        QCOMPARE(settings->at(10), dir.filePath(QStringLiteral("Empre001/ICONOS/notify.wav")));
    }

    void autostartEntryStartsTheProgramInTheCompanyFolder() {
        QTemporaryDir dir, config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        QVERIFY_THROWS_EXCEPTION(company::ToolError,
                                 company::writeAutostart(dir.path(), QStringLiteral("/x/monvela")));
        company::create(dir.filePath(QStringLiteral("Mi Empresa")));
        company::writeAutostart(dir.filePath(QStringLiteral("Mi Empresa")),
                                QStringLiteral("/opt/mon vela/bin/monvela"));
        const QString entry = config.filePath(QStringLiteral("autostart/monvela.desktop"));
        QCOMPARE(company::autostartEntry(), entry);
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        QVERIFY(lines.contains(QStringLiteral("Exec=\"/opt/mon vela/bin/monvela\"")));
        QVERIFY(
            lines.contains(QStringLiteral("Path=") + dir.filePath(QStringLiteral("Mi Empresa"))));
        QVERIFY(lines.contains(QStringLiteral("Type=Application")));
        file.close();
        company::removeAutostart();
        QVERIFY(!QFile::exists(entry));
        company::removeAutostart(); // nothing to remove is no error
        qunsetenv("XDG_CONFIG_HOME");
    }

    void toolCommandLine() {
        const QString tool = qEnvironmentVariable("MONVELA_COMPANY_TOOL");
        if (tool.isEmpty())
            QSKIP("run through ctest");
        QTemporaryDir dir;
        QProcess p;
        p.start(tool, {QStringLiteral("demo"), dir.filePath(QStringLiteral("demo"))});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        p.start(tool, {QStringLiteral("add-user"), dir.filePath(QStringLiteral("demo")),
                       QStringLiteral("MARIA"), QStringLiteral("secreta"),
                       QStringLiteral("--no-access")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        p.start(tool, {QStringLiteral("demo"), dir.filePath(QStringLiteral("demo"))});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 1); // an existing company is never overwritten
        QVERIFY(!p.readAllStandardError().isEmpty());
        p.start(tool, {QStringLiteral("nonsense")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 2);
        // The sqlite3 shell sees the contract.
        const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
        if (!shell.isEmpty()) {
            p.start(shell, {dir.filePath(QStringLiteral("demo/Empre001/m3GirosPendientes.dat")),
                            QStringLiteral(".schema")});
            QVERIFY(p.waitForFinished(30000));
            const QString schema = QString::fromUtf8(p.readAllStandardOutput());
            QVERIFY(schema.contains(QStringLiteral(
                "\"m3GirosPendientes\" (FGP_AUTOINCKEY INTEGER PRIMARY KEY AUTOINCREMENT")));
            QVERIFY(schema.contains(QStringLiteral("FGP_KEYTRANSACCION2")));
        }
    }
};

QTEST_GUILESS_MAIN(TstCompany)
#include "tst_company.moc"
