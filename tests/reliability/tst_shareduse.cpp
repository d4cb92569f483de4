// Shared use of the company's tables: while the program reloads its pending
// items and records installments, another process writes SCuentasxCobrar as
// the suite does (plain SQL, one statement per document) and
// m3GirosPendientes as a second copy of the program does (through the
// table engine). No query of the program fails, no write of either side is
// refused, and in the end every row written by either is there.

#include "ChildProcess.h"
#include "bank/BankFixture.h"
#include "data/EngineError.h"
#include "data/Table.h"
#include "support/RecordingMessageBox.h"
#include "support/SetClock.h"

#include <QApplication>
#include <QTest>

using namespace banktest;
using reliability::scalar;

namespace {

const char* const WriterRole = "--write-beside-the-program";
constexpr int Writes = 100;

core::TDateTime today() {
    return core::dt::encodeDate(2024, 5, 10);
}

// The other process: `count` documents of 1,00 for customer C001 and `count`
// installments of 2,00 for transaction `transaction`, all due today,
// alternately, each as its own statement.
int writeBesideTheProgram(qint64 transaction, int count) {
    sqlite3* suite = nullptr;
    if (sqlite3_open_v2("Empre001/SCuentasxCobrar.dat", &suite, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK)
        return 2;
    sqlite3_busy_timeout(suite, 5000);
    sqlite3_stmt* insert = nullptr;
    if (sqlite3_prepare_v2(suite,
                           "INSERT INTO SCuentasxCobrar VALUES ('C001', ?1, 10000, ?2, ?2, 1, "
                           "'Documento de la suite')",
                           -1, &insert, nullptr) != SQLITE_OK)
        return 3;
    data::Table giros;
    giros.setDatabaseName(QStringLiteral("Empre001/"));
    giros.setTableName(QStringLiteral("m3GirosPendientes.dat"));
    try {
        giros.open();
        for (int i = 1; i <= count; ++i) {
            sqlite3_bind_text(insert, 1, QByteArray("S" + QByteArray::number(i)).constData(), -1,
                              SQLITE_TRANSIENT);
            sqlite3_bind_double(insert, 2, today());
            if (sqlite3_step(insert) != SQLITE_DONE) {
                reliability::report("suite write failed: " + QByteArray(sqlite3_errmsg(suite)));
                return 4;
            }
            sqlite3_reset(insert);

            giros.insert();
            giros.fieldByName(QStringLiteral("FGP_KEYTRANSACCION")).setAsInteger(transaction);
            giros.fieldByName(QStringLiteral("FGP_GIRO")).setAsInteger(i);
            giros.fieldByName(QStringLiteral("FGP_FECHAGIRO")).setAsDateTime(today());
            giros.fieldByName(QStringLiteral("FGP_HORAGIRO")).setAsDateTime(0);
            giros.fieldByName(QStringLiteral("FGP_MONTOGIRO")).setAsCurrency(money(2));
            giros.fieldByName(QStringLiteral("FGP_STATUS")).setAsBoolean(false);
            giros.fieldByName(QStringLiteral("FGP_PERIODOFIJO")).setAsInteger(0);
            giros.fieldByName(QStringLiteral("FGP_TIPOTRANS")).setAsInteger(0);
            giros.post();
            reliability::report("wrote " + QByteArray::number(i));
        }
    } catch (const data::EngineError& e) {
        reliability::report("engine: " + e.text().toUtf8());
        return 5;
    }
    sqlite3_finalize(insert);
    sqlite3_close(suite);
    reliability::report("done");
    return 0;
}

} // namespace

class TstSharedUse : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useSpanishFormats(); }

    void anotherProcessWritesWhileTheProgramReads() {
        SetClock clock(today() + core::dt::encodeTime(9, 0));
        CompanyFixture company(CompanyFixture::Kind::Empty);
        addBanks(company);
        company.exec(QStringLiteral("Sclientes.dat"),
                     QStringLiteral("INSERT INTO Sclientes VALUES ('C001', 'Cliente Uno', "
                                    "'0212-555', 'Calle 1', 1)"));
        const qint64 theirs =
            addTransaction(company, QStringLiteral("0134-002"), QStringLiteral("Banco Dos"),
                           QStringLiteral("Del otro equipo"), 2 * Writes, Writes);
        const qint64 ours =
            addTransaction(company, QStringLiteral("0102-001"), QStringLiteral("Banco Uno"),
                           QStringLiteral("Nuestra"), 0, 0);
        shell::Settings settings;
        settings.includeReceivables = true;
        settings.daysAhead = 0;
        QVERIFY(shell::writeSettingsFile(company.dataFolder() + QStringLiteral("FileConfig.txt"),
                                         settings));
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(boxes.calls.isEmpty());

        QProcess child;
        reliability::startChild(child, QString::fromLatin1(WriterRole),
                                {QString::number(theirs), QString::number(Writes)},
                                company.workFolder());
        QVERIFY(child.waitForStarted(-1));

        // The program reloads what is pending and records an installment of
        // its own, over and over, until the other process has finished.
        data::Table giros;
        giros.setDatabaseName(p.module.DataFolder);
        giros.setTableName(QStringLiteral("m3GirosPendientes.dat"));
        int rounds = 0;
        int written = 0;
        QString last;
        while (child.state() != QProcess::NotRunning || child.canReadLine()) {
            p.module.TimerBusquedaTimer();
            QVERIFY2(boxes.calls.isEmpty(), qPrintable(boxes.texts().join(QLatin1Char('|'))));
            try {
                giros.open();
                giros.insert();
                giros.fieldByName(QStringLiteral("FGP_KEYTRANSACCION")).setAsInteger(ours);
                giros.fieldByName(QStringLiteral("FGP_GIRO")).setAsInteger(++written);
                giros.fieldByName(QStringLiteral("FGP_FECHAGIRO")).setAsDateTime(today());
                giros.fieldByName(QStringLiteral("FGP_MONTOGIRO")).setAsCurrency(money(3));
                giros.fieldByName(QStringLiteral("FGP_STATUS")).setAsBoolean(false);
                giros.post();
                giros.close();
            } catch (const data::EngineError& e) {
                QFAIL(qPrintable(e.text()));
            }
            ++rounds;
            while (child.canReadLine())
                last = QString::fromUtf8(child.readLine()).trimmed();
            child.waitForReadyRead(0);
        }
        QCOMPARE(last, QStringLiteral("done"));
        QCOMPARE(child.exitCode(), 0);
        qInfo("%d reloads and writes of the program beside the other process", rounds);

        // Nothing written by either side is lost.
        QCOMPARE(scalar(company.dataFolder() + QStringLiteral("SCuentasxCobrar.dat"),
                        QStringLiteral("SELECT COUNT(DISTINCT FCC_NUMERO) FROM SCuentasxCobrar")),
                 qint64(Writes));
        QList<int> theirNumbers, ourNumbers;
        for (const GiroRow& g : installments(company))
            (g.transaction == theirs ? theirNumbers : ourNumbers) << g.giro;
        QCOMPARE(theirNumbers.size(), qsizetype(Writes));
        QCOMPARE(ourNumbers.size(), qsizetype(written));
        for (int i = 0; i < Writes; ++i)
            QCOMPARE(theirNumbers.at(i), i + 1);

        // And the program's next reload sees all of it.
        p.module.TimerBusquedaTimer();
        QVERIFY(boxes.calls.isEmpty());
        QCOMPARE(qsizetype(p.module.DueInstallments.size()), qsizetype(Writes + written));
        QCOMPARE(p.module.OpenReceivables.size(), size_t(1));
        QCOMPARE(p.module.OpenReceivables.front()->SaldoDocumento, money(Writes));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc > 3 && qstrcmp(argv[1], WriterRole) == 0)
        return writeBesideTheProgram(QByteArray(argv[2]).toLongLong(), QByteArray(argv[3]).toInt());
    TstSharedUse test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shareduse.moc"
