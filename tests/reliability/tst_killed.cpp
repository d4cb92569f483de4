// A copy of the program killed while it writes: another copy of this
// executable records transactions on the new-transaction page and saves the
// settings file in a loop, and is killed with SIGKILL at moments chosen at
// random. Afterwards the program starts and reads its tables without a
// message, every table file passes SQLite's integrity check, every
// transaction has its installments numbered from 1 with none written half,
// only the transaction being written when the kill came may lack some, and
// the settings file is the old one or the new one, whole.

#include "ChildProcess.h"
#include "Recording.h"
#include "platform/TextFile.h"
#include "support/SetClock.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>

using namespace banktest;
using reliability::integrity;
using reliability::scalar;

namespace {

const char* const RecordRole = "--record-in-a-loop";

SetClock* startClock() {
    return new SetClock(2024, 5, 10, 9, 0);
}

// The two settings files the writer saves in turn; they differ in length.
shell::Settings settingsA() {
    shell::Settings s;
    s.soundFile = QStringLiteral("Empre001\\ICONOS\\notify.wav");
    return s;
}
shell::Settings settingsB() {
    shell::Settings s = settingsA();
    s.includeReceivables = true;
    s.wait = 1440;
    s.daysAhead = 30;
    s.soundFile = QStringLiteral("Empre001\\ICONOS\\") + QString(300, QLatin1Char('x')) +
                  QStringLiteral(".wav");
    return s;
}
QByteArray bytesOf(const shell::Settings& s) {
    return platform::textfile::encode1252(shell::settingsLines(s).join(QStringLiteral("\r\n")));
}

// Transaction number i: 1 to 5 installments of 100 each, in June.
int countOf(int i) {
    return 1 + i % 5;
}

// The writer: the program on the company folder, saving transactions
// number first, first + 1, ... and the settings file after each, until killed.
int recordInALoop(int first) {
    useSpanishFormats();
    std::unique_ptr<SetClock> clock(startClock());
    RecordingMessageBox boxes;
    Program p;
    const QString settings =
        p.module.WorkFolder + p.module.DataFolder + QStringLiteral("FileConfig.txt");
    for (int i = first;; ++i) {
        reliability::Entry e;
        e.beneficiary = QStringLiteral("Beneficiario %1").arg(i);
        e.description = QStringLiteral("T%1").arg(i);
        e.total = 100.0 * countOf(i);
        e.count = countOf(i);
        const QStringList said = reliability::record(p, boxes, e);
        if (said != QStringList{reliability::SaveQuestion, reliability::Saved}) {
            reliability::report("failed " + said.join(QLatin1Char('|')).toUtf8());
            return 1;
        }
        if (!shell::writeSettingsFile(settings, i % 2 ? settingsB() : settingsA()))
            return 1;
        reliability::report("saved " + QByteArray::number(i));
    }
}

} // namespace

class TstKilled : public QObject {
    Q_OBJECT

    // What must hold after every kill.
    void checkCompany(const CompanyFixture& company, int lastSaved, const QSet<int>& interrupted) {
        // The program starts on the folder and reads its tables without a word.
        {
            RecordingMessageBox boxes;
            Program p;
            QVERIFY2(boxes.calls.isEmpty(), qPrintable(boxes.texts().join(QLatin1Char('|'))));
        }
        const QList<TransRow> trans = transactions(company);
        const QList<GiroRow> giros = installments(company);

        // The settings file is one of the two, whole.
        QFile file(company.dataFolder() + QStringLiteral("FileConfig.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray settings = file.readAll();
        QVERIFY2(settings == bytesOf(settingsA()) || settings == bytesOf(settingsB()),
                 settings.left(200).constData());

        // Every table file is sound.
        QStringList files =
            QDir(company.dataFolder()).entryList({QStringLiteral("*.dat")}, QDir::Files);
        for (QString& f : files)
            f = company.dataFolder() + f;
        files << company.path(QStringLiteral("sempresas.dat"));
        for (const QString& f : files)
            QCOMPARE(integrity(f), QStringLiteral("ok"));

        // No row is written half.
        const QString girosFile = company.dataFolder() + QStringLiteral("m3GirosPendientes.dat");
        const QString transFile = company.dataFolder() + QStringLiteral("m3TransPendientes.dat");
        QCOMPARE(
            scalar(girosFile, QStringLiteral("SELECT COUNT(*) FROM m3GirosPendientes WHERE "
                                             "FGP_KEYTRANSACCION IS NULL OR FGP_GIRO IS NULL OR "
                                             "FGP_FECHAGIRO IS NULL OR FGP_HORAGIRO IS NULL OR "
                                             "FGP_MONTOGIRO IS NULL OR FGP_STATUS IS NULL OR "
                                             "FGP_PERIODOFIJO IS NULL OR FGP_TIPOTRANS IS NULL")),
            qint64(0));
        QCOMPARE(scalar(transFile,
                        QStringLiteral("SELECT COUNT(*) FROM m3TransPendientes WHERE "
                                       "FTP_NROCUENTA IS NULL OR FTP_BANCO IS NULL OR "
                                       "FTP_BENEFICIARIO IS NULL OR FTP_DESCRIPCION IS NULL OR "
                                       "FTP_MONTO IS NULL OR FTP_NROGIROS IS NULL")),
                 qint64(0));

        // Every transaction saved is there with all its installments; only one
        // being written when a kill came may have only some of them.
        QVERIFY(trans.size() >= lastSaved);
        for (qsizetype t = 0; t < trans.size(); ++t) {
            const TransRow& r = trans.at(t);
            const int i = r.description.mid(1).toInt();
            QCOMPARE(r.description, QStringLiteral("T%1").arg(i));
            QCOMPARE(r.beneficiary, QStringLiteral("Beneficiario %1").arg(i));
            QCOMPARE(r.count, countOf(i));
            QCOMPARE(r.total, 100.0 * countOf(i));
            QList<int> numbers;
            for (const GiroRow& g : giros) {
                if (g.transaction != r.key)
                    continue;
                numbers << g.giro;
                QCOMPARE(g.amount, money(100));
                QVERIFY(!g.paid);
            }
            QVERIFY(numbers.size() <= r.count);
            for (qsizetype k = 0; k < numbers.size(); ++k)
                QCOMPARE(numbers.at(k), int(k) + 1);
            if (!interrupted.contains(i))
                QCOMPARE(numbers.size(), qsizetype(r.count));
        }
        // No installment without its transaction.
        for (const GiroRow& g : giros)
            QVERIFY(std::any_of(trans.begin(), trans.end(),
                                [&](const TransRow& r) { return r.key == g.transaction; }));
    }

private slots:
    void initTestCase() { useSpanishFormats(); }

    void killedWhileWriting() {
        std::unique_ptr<SetClock> clock(startClock());
        CompanyFixture company(CompanyFixture::Kind::Empty);
        addBanks(company);
        prepareComputer();
        QVERIFY(shell::writeSettingsFile(company.dataFolder() + QStringLiteral("FileConfig.txt"),
                                         settingsA()));

        const quint32 seed = QRandomGenerator::global()->generate();
        qInfo("kill moments from seed %u", seed);
        QRandomGenerator random(seed);
        int next = 1;
        int saved = 0;
        QSet<int> interrupted;
        for (int round = 0; round < 12; ++round) {
            QProcess child;
            reliability::startChild(child, QString::fromLatin1(RecordRole), {QString::number(next)},
                                    company.workFolder());
            QVERIFY(child.waitForStarted(-1));
            const int saves = 1 + int(random.bounded(3));
            int last = next - 1;
            for (int s = 0; s < saves; ++s) {
                const QString line = reliability::nextLine(child);
                QVERIFY2(line.startsWith(QStringLiteral("saved ")),
                         qPrintable(line + QString::fromUtf8(child.readAllStandardError())));
                last = line.mid(6).toInt();
            }
            child.kill();
            QVERIFY(child.waitForFinished(-1));
            QCOMPARE(child.exitStatus(), QProcess::CrashExit);
            const QStringList journals =
                QDir(company.dataFolder()).entryList({QStringLiteral("*-journal")}, QDir::Files);
            if (!journals.isEmpty())
                qInfo("round %d: killed with %s left behind", round,
                      qPrintable(journals.join(QLatin1Char(' '))));
            saved += last - next + 1;
            interrupted << last + 1;
            checkCompany(company, saved, interrupted);
            if (QTest::currentTestFailed())
                return;
            // The one being written when the kill came may be there.
            next = last + 2;
            saved = int(transactions(company).size());
        }
    }
};

int main(int argc, char** argv) {
    if (argc > 2 && qstrcmp(argv[1], RecordRole) == 0) {
        QApplication app(argc, argv);
        return recordInALoop(QByteArray(argv[2]).toInt());
    }
    QApplication app(argc, argv);
    TstKilled test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_killed.moc"
