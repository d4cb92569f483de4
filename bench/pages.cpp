// bench_pages --lists COMPANY: the date search filling its list with every
//   installment of the company, and the bank list of the company's first bank
//   account (10 000 transactions in scripts/bench), each against the sqlite3
//   shell running a statement that reads the same rows.
// bench_pages --report COMPANY OUTDIR: the pending transactions report's first
//   pass over every installment of the company, and its export to each
//   format from the pages of that pass.

#include "BenchSupport.h"

#include "bank/DueInstallments.h"
#include "bank/PendingPage.h"
#include "controls/LookupCombo.h"
#include "controls/OutlookBar.h"
#include "controls/TNorvaDateEdit.h"
#include "controls/TNorvaList.h"
#include "platform/Clock.h"
#include "reports/TReporteTransaccionesPendientes.h"
#include "reports/export/ExportFormat.h"
#include "support/FakeSound.h"
#include "support/RecordingMessageBox.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QTreeView>

namespace {

using Form = shell::Tm3TransaccionesPendientesForm;

QString ratios(const bench::Timing& ours, const bench::Timing& floor) {
    if (floor.cpu <= 0 || floor.wall <= 0)
        return QStringLiteral("n/a");
    return bench::ratio(ours.cpu / floor.cpu) + QStringLiteral(" CPU, ") +
           bench::ratio(ours.wall / floor.wall) + QStringLiteral(" wall");
}

int listsMode(const bench::Company& company) {
    const qint64 installments = company.count(QStringLiteral("m3GirosPendientes"));
    bench::header(
        QStringLiteral("The bank pages on %1 installments").arg(bench::count(installments)));
    bench::Program p(company);
    // The program's own notice check would run in the middle of a measure.
    p.module.TimerEspera->stop();
    p.module.TimerBusqueda->stop();
    p.module.show();
    QCoreApplication::processEvents();
    bank::PendingPage& page = *p.module.Pending;
    const core::TDateTime today = platform::Clock::instance().today();

    // "Fecha": every installment from a year and more ago to a year ahead.
    p.module.OutlookBar->clickItem(Form::GroupPendientes, 1);
    QCoreApplication::processEvents();
    page.CBStatus->setCurrentIndex(0);
    p.module.EFechaDesde->SetDate(today - 400);
    p.module.EFechaHasta->SetDate(today + 400);
    QCoreApplication::processEvents();
    page.BBuscar006Click();
    QCoreApplication::processEvents();
    const bench::Statement searchSql{
        bank::InstallmentSelect +
            QStringLiteral("FROM m3GirosPendientes, m3TransPendientes WHERE (FTP_AUTOINCKEY = "
                           "FGP_KEYTRANSACCION)  AND (FGP_FECHAGIRO BETWEEN :FechaDesde and "
                           ":FechaHasta)  ORDER BY FGP_FECHAGIRO ASC"),
        {company.data + QStringLiteral("m3GirosPendientes.dat"),
         company.data + QStringLiteral("m3TransPendientes.dat")},
        {{QStringLiteral("FechaDesde"), today - 400}, {QStringLiteral("FechaHasta"), today + 400}}};
    // Ours and the shell in turn, so that both see the same machine.
    std::vector<bench::Timing> ours, floors;
    bench::ShellFloor searchShell(searchSql);
    for (int i = 0; i < 5; ++i) {
        ours.push_back(bench::measure([&] { page.BBuscar006Click(); }));
        QCoreApplication::processEvents();
        floors.push_back(searchShell.run());
    }
    const bench::Timing search = bench::median(ours);
    const bench::Timing searchFloor = bench::median(floors);
    page.BBuscar006Click();
    const double paint = bench::timeMs([] { QCoreApplication::processEvents(); });
    const int rows = page.NorvaListFecha->Count();
    const QString searchSize = QStringLiteral("%1 rows").arg(bench::count(rows));
    bench::row(QStringLiteral("Date search (\"&Buscar\") filling its list"), searchSize,
               bench::ms(search), QStringLiteral("sqlite3 shell: %1").arg(bench::ms(searchFloor)),
               ratios(search, searchFloor), QString());
    bench::row(QStringLiteral("  the list painted after it"), searchSize, bench::ms(paint),
               QString(), QString(), QString());
    page.NorvaListFecha->Clear();

    // "Banco": the first account's transactions.
    p.module.OutlookBar->clickItem(Form::GroupPendientes, 0);
    QCoreApplication::processEvents();
    const QString account = QStringLiteral("0102-0000-00-0000000001");
    controls::LookupCombo* bank = p.module.CBanco;
    bank->showPopup();
    int choice = -1;
    for (int r = 0; r < 1000 && choice < 0; ++r)
        if (bank->rowValue(r) == account)
            choice = r;
    if (choice < 0)
        throw std::runtime_error("the bank selector does not list the first account");
    bank->setHighlightedRow(choice);
    QTest::keyClick(bank->listView(), Qt::Key_Return);
    QCoreApplication::processEvents();
    const bench::Statement bankSql{
        QStringLiteral("SELECT * FROM m3TransPendientes WHERE FTP_NROCUENTA = '%1' ORDER BY "
                       "FTP_NROCUENTA, rowid")
            .arg(account),
        {company.data + QStringLiteral("m3TransPendientes.dat")},
        {}};
    ours.clear();
    floors.clear();
    bench::ShellFloor bankShell(bankSql);
    for (int i = 0; i < 5; ++i) {
        ours.push_back(bench::measure([&] { page.BancoChosen(); }));
        QCoreApplication::processEvents();
        floors.push_back(bankShell.run());
    }
    const bench::Timing list = bench::median(ours);
    const bench::Timing bankFloor = bench::median(floors);
    const int transactions = page.NorvaListTransPendiente->Count();
    bench::row(QStringLiteral("Bank list of one account"),
               QStringLiteral("%1 transactions (of %2)")
                   .arg(bench::count(transactions),
                        bench::count(company.count(QStringLiteral("m3TransPendientes")))),
               bench::ms(list), QStringLiteral("sqlite3 shell: %1").arg(bench::ms(bankFloor)),
               ratios(list, bankFloor), QString());
    return 0;
}

int reportMode(const bench::Company& company, const QString& outDir) {
    using namespace reports;
    const qint64 installments = company.count(QStringLiteral("m3GirosPendientes"));
    const QString size = QStringLiteral("%1 installments").arg(bench::count(installments));
    bench::header(QStringLiteral("The pending transactions report on %1").arg(size));
    const core::TDateTime today = platform::Clock::instance().today();
    ReportContext c;
    c.workFolder = company.work;
    c.dataFolder = company.data;
    c.companyName = QStringLiteral("Empresa de Prueba, C.A.");
    c.companyLine3 = QStringLiteral("J-00000000-0");
    c.choices.CheckBTransP = true;
    c.choices.CheckBCtsxCobrar = false;
    c.choices.CheckBCtsxPagar = false;
    c.choices.dateFrom = today - 400;
    c.choices.dateTo = today + 400;

    TReporteTransaccionesPendientes report(c);
    bool built = false;
    const double build = bench::timeMs([&] {
        built = report.BuildBankReportQuery(0, 0, QString(), today - 400, today + 400, QString(),
                                            false, QString());
    });
    if (!built)
        throw std::runtime_error("the report has no rows");
    engine::PageStore store;
    bool finished = false;
    const double pass = bench::timeMs([&] { finished = report.Prepare(store); });
    if (!finished)
        throw std::runtime_error("the report's pass was cancelled");
    bench::row(QStringLiteral("Report: its first statement"), size, bench::ms(build), QString(),
               QString(), QString());
    bench::row(QStringLiteral("Report: the first pass"),
               QStringLiteral("%1 → %2 pages").arg(size, bench::count(qint64(store.pages.size()))),
               bench::ms(pass), QString(), QString(), QString());
    QDir().mkpath(outDir);
    for (int f = 0; f < exporting::ExportFormatCount; ++f) {
        const auto format = exporting::ExportFormat(f);
        const QString path =
            QDir(outDir).filePath(QStringLiteral("Reporte") + exporting::extensionOf(format));
        QString error;
        bool ok = false;
        const double t =
            bench::timeMs([&] { ok = exporting::exportStore(format, store, path, &error); });
        if (!ok)
            throw std::runtime_error(error.toStdString());
        bench::row(QStringLiteral("Export \"%1\" (%2)")
                       .arg(exporting::captionOf(format), exporting::extensionOf(format)),
                   QStringLiteral("%1 pages → %2 KiB")
                       .arg(bench::count(qint64(store.pages.size())),
                            bench::count(QFileInfo(path).size() / 1024)),
                   bench::ms(t), QString(), QString(), QString());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    bench::usePlatform();
    bench::UserFolders folders;
    QApplication app(argc, argv);
    bench::useProgramFormats();
    const QStringList args = app.arguments().mid(1);
    const bool lists = args.size() == 2 && args[0] == QLatin1String("--lists");
    const bool report = args.size() == 3 && args[0] == QLatin1String("--report");
    if (!lists && !report) {
        QTextStream(stderr) << "Uso: bench_pages --lists EMPRESA | --report EMPRESA CARPETA\n";
        return 2;
    }
    try {
        RecordingMessageBox boxes;
        FakeSound sound;
        const bench::Company company(args.at(1));
        const int code = lists ? listsMode(company) : reportMode(company, args.at(2));
        if (!boxes.calls.isEmpty())
            QTextStream(stderr) << "messages shown: " << boxes.texts().join(QStringLiteral("; "))
                                << "\n";
        return code;
    } catch (const std::exception& e) {
        QTextStream(stderr) << "bench_pages: " << e.what() << "\n";
        return 1;
    }
}
