// bench_loads COMPANY [--runs N]: the loads of start-up and of the reload,
// LoadDueInstallments and LoadOpenDocuments for receivables and payables, on
// a generated company folder, against the sqlite3 shell running the same
// statement on the same files with its output thrown away.

#include "BenchSupport.h"

#include "accounts/OpenDocuments.h"
#include "bank/DueInstallments.h"
#include "data/Query.h"
#include "platform/Clock.h"
#include "support/RecordingMessageBox.h"

#include <QApplication>
#include <QTextStream>
#include <algorithm>

namespace {

struct Case {
    QString name;
    QString sizeText;
    bench::Statement statement;
    std::function<size_t(data::Query&)> load; // into a list emptied by `release`
    std::function<void()> release;
};

int runsFor(qint64 rows, int asked) {
    if (asked > 0)
        return asked;
    return rows <= 2000 ? 15 : rows <= 20000 ? 11 : rows <= 200000 ? 7 : 3;
}

} // namespace

int main(int argc, char** argv) {
    bench::usePlatform();
    bench::UserFolders folders;
    QApplication app(argc, argv);
    bench::useProgramFormats();
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        QTextStream(stderr) << "Uso: bench_loads EMPRESA [--runs N]\n";
        return 2;
    }
    const int askedRuns =
        args.size() >= 3 && args.at(1) == QLatin1String("--runs") ? args.at(2).toInt() : 0;
    try {
        RecordingMessageBox boxes;
        const bench::Company company(args.at(0));
        const int days = company.daysAhead;
        const double horizon = platform::Clock::instance().today() + days;
        const qint64 installments = company.count(QStringLiteral("m3GirosPendientes"));
        const qint64 receivables = company.count(QStringLiteral("SCuentasxCobrar"));
        const qint64 payables = company.count(QStringLiteral("SCuentasxPagar"));

        auto files = [&](const QStringList& tables) {
            QStringList out;
            for (const QString& t : tables)
                out << company.data + t + QStringLiteral(".dat");
            return out;
        };
        const QList<QPair<QString, double>> params{{QStringLiteral("Fecha"), horizon}};
        bank::TGirosList giros;
        accounts::TCuentasList documents;
        std::vector<Case> cases;
        cases.push_back(
            {QStringLiteral("`LoadDueInstallments`"),
             QStringLiteral("%1 installments").arg(bench::count(installments)),
             {bank::DueInstallmentsSql(),
              files({QStringLiteral("m3GirosPendientes"), QStringLiteral("m3TransPendientes")}),
              params},
             [&](data::Query& q) {
                 return bank::LoadDueInstallments(q, giros, days, nullptr).size();
             },
             [&] { giros.clear(); }});
        cases.push_back(
            {QStringLiteral("`LoadOpenDocuments` receivables"),
             QStringLiteral("%1 documents").arg(bench::count(receivables)),
             {accounts::OpenDocumentsStatement(accounts::OpenReceivablesHead(),
                                               QStringLiteral("FCC"), QStringLiteral("FC"),
                                               accounts::ReceivablesOwnType),
              files({QStringLiteral("SCuentasxCobrar"), QStringLiteral("Sclientes")}), params},
             [&](data::Query& q) {
                 return accounts::LoadOpenReceivables(q, nullptr, days, documents).size();
             },
             [&] { documents.clear(); }});
        cases.push_back(
            {QStringLiteral("`LoadOpenDocuments` payables"),
             QStringLiteral("%1 documents").arg(bench::count(payables)),
             {accounts::OpenDocumentsStatement(accounts::OpenPayablesHead(), QStringLiteral("FCP"),
                                               QStringLiteral("FP"), accounts::PayablesOwnType),
              files({QStringLiteral("SCuentasxPagar"), QStringLiteral("SProveedor")}), params},
             [&](data::Query& q) {
                 return accounts::LoadOpenPayables(q, nullptr, days, documents).size();
             },
             [&] { documents.clear(); }});

        bench::header(QStringLiteral("Loads, %1 installments and %2 documents of each kind")
                          .arg(bench::count(installments), bench::count(receivables)));
        for (Case& c : cases) {
            data::Query query;
            query.setDatabaseName(company.data);
            const size_t rows = c.load(query); // warms the system's cache
            c.release();
            const int runs = runsFor(qint64(rows), askedRuns);
            // The records are released outside the timed part: the reload
            // empties its lists before it loads them again.
            // Ours, the C library and the shell in turn, so that the three see
            // the same machine (others may be using it).
            std::vector<double> frees;
            std::vector<bench::Timing> oursRuns, engineRuns, shellRuns;
            qint64 engineRows = 0;
            bench::engineRun(c.statement, &engineRows);
            bench::ShellFloor floor(c.statement);
            for (int i = 0; i < runs; ++i) {
                oursRuns.push_back(bench::measure([&] { c.load(query); }));
                frees.push_back(bench::timeMs(c.release));
                engineRuns.push_back(bench::engineRun(c.statement));
                if (floor.available())
                    shellRuns.push_back(floor.run());
            }
            const bench::Timing ours = bench::median(oursRuns);
            const bench::Timing engine = bench::median(engineRuns);
            const bench::Timing shell =
                floor.available() ? bench::median(shellRuns) : bench::Timing{-1, -1};
            const QString size =
                QStringLiteral("%1 → %2 rows").arg(c.sizeText, bench::count(qint64(rows)));
            const bool atTarget = installments >= 100000;
            const double r = shell.cpu > 0 ? ours.cpu / shell.cpu : 0;
            const double rWall = shell.wall > 0 ? ours.wall / shell.wall : 0;
            const QString ratios = shell.cpu > 0 ? bench::ratio(r) + QStringLiteral(" CPU, ") +
                                                       bench::ratio(rWall) + QStringLiteral(" wall")
                                                 : QStringLiteral("n/a");
            QString verdict = QStringLiteral("(target at 100 000)");
            if (installments == 100000)
                verdict = QStringLiteral("%1 (≤ 1.5×)").arg(bench::verdict(r <= 1.5));
            else if (atTarget)
                verdict = r <= 1.5 ? QStringLiteral("within 1.5×") : QStringLiteral("over 1.5×");
            bench::row(c.name, size, bench::ms(ours),
                       QStringLiteral("sqlite3 shell: %1").arg(bench::ms(shell)), ratios, verdict);
            bench::row(QStringLiteral("  the same statement, C library, stepped only"), size,
                       bench::ms(engine), QString(),
                       shell.cpu > 0 ? bench::ratio(engine.cpu / shell.cpu) + QStringLiteral(" CPU")
                                     : QString(),
                       engineRows == qint64(rows)
                           ? QString()
                           : QStringLiteral("rows differ: %1").arg(bench::count(engineRows)));
            bench::row(QStringLiteral("  releasing the records"), size,
                       bench::ms(bench::median(frees)), QString(), QString(), QString());
        }
        if (!boxes.calls.isEmpty())
            QTextStream(stderr) << "messages shown: " << boxes.texts().join(QStringLiteral("; "))
                                << "\n";
    } catch (const std::exception& e) {
        QTextStream(stderr) << "bench_loads: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
