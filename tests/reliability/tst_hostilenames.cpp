// Names no one would choose: a beneficiary, a description and a customer
// with quotes, percent signs, SQL text, markup and a thousand characters are
// stored, found, reported and exported exactly as they were typed.

#include "Recording.h"
#include "platform/TextFile.h"
#include "reports/ReportQueries.h"
#include "reports/TReporteTransaccionesPendientes.h"
#include "reports/export/ExportFormat.h"
#include "support/SetClock.h"

#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace banktest;
using reliability::record;

namespace {

// `lead` followed by a pattern of the same kinds of characters, 1 000 in all.
QString hostile(const QString& lead) {
    QString text = lead;
    const QString more = QStringLiteral(" 'ñ' \"%\" _ -- ; <&> \\ ");
    while (text.size() < 1000)
        text += more;
    text.truncate(1000);
    return text;
}

const QString Beneficiary =
    hostile(QStringLiteral("O'Brien \"el 100%\" '); DROP TABLE m3TransPendientes; --"));
const QString Description = hostile(QStringLiteral("50% de 'alquiler' OR 1=1 /* <b>&amp;</b>"));
const QString Customer = hostile(QStringLiteral("Cliente ' OR FC_DESCRIPCION LIKE '%"));

QString sqlText(const QString& text) {
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

// Every text the pages hold, joined (a long text may be laid out in pieces).
QString allText(const reports::engine::PageStore& store) {
    QString out;
    for (const auto& page : store.pages)
        for (const auto* t : reports::engine::PageStore::texts(page))
            out += t->text;
    return out;
}

// The texts of an exported file as a reader of its format gets them.
QString exportedText(reports::exporting::ExportFormat format, const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = f.readAll();
    if (format == reports::exporting::ExportFormat::Ascii)
        return platform::textfile::decode1252(bytes);
    QString out;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::Characters)
            out += xml.text();
    if (xml.hasError())
        return QStringLiteral("not well-formed: ") + xml.errorString();
    return out;
}

// The store written in the three text formats; each must hold `name` whole.
void exportsHold(const reports::engine::PageStore& store, const QString& name) {
    using reports::exporting::ExportFormat;
    QTemporaryDir dir;
    for (ExportFormat format : {ExportFormat::Ascii, ExportFormat::Excel, ExportFormat::Html}) {
        const QString path =
            dir.filePath(QStringLiteral("Lista") + reports::exporting::extensionOf(format));
        QString error;
        QVERIFY2(reports::exporting::exportStore(format, store, path, &error), qPrintable(error));
        QString text = exportedText(format, path);
        // A long text may be cut into lines: what matters is every character in order.
        text.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
        QVERIFY2(text.contains(name), qPrintable(reports::exporting::captionOf(format)));
    }
}

reports::ReportContext context(const CompanyFixture& company, bool bank, bool receivables) {
    reports::ReportContext c;
    c.workFolder = company.workFolder();
    c.dataFolder = company.dataFolder();
    c.companyName = QStringLiteral("Compañía");
    c.choices.CheckBTransP = bank;
    c.choices.CheckBCtsxCobrar = receivables;
    return c;
}

} // namespace

class TstHostileNames : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        useSpanishFormats();
        QCOMPARE(Beneficiary.size(), 1000);
    }

    void beneficiaryAndDescription() {
        SetClock clock(2024, 5, 10, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        addBanks(company);
        RecordingMessageBox boxes;
        Program p;
        reliability::Entry e;
        e.beneficiary = Beneficiary;
        e.description = Description;
        e.start = core::dt::encodeDate(2024, 5, 11);
        QCOMPARE(record(p, boxes, e), (QStringList{reliability::SaveQuestion, reliability::Saved}));

        // Stored.
        const QList<TransRow> rows = transactions(company);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].beneficiary, Beneficiary);
        QCOMPARE(rows[0].description, Description);
        QCOMPARE(installments(company).size(), 3);
        // Found: the due installment loaded carries them.
        QCOMPARE(p.module.DueInstallments.size(), size_t(1));
        QCOMPARE(p.module.DueInstallments.front()->Beneficiario, Beneficiary);
        QCOMPARE(p.module.DueInstallments.front()->Descripcion, Description);

        // Reported, by the beneficiary as the report's filter: only this one.
        company.exec(QStringLiteral("SFixed.dat"),
                     QStringLiteral("INSERT INTO SFixed (FX_CODIGO, FX_SALDO) VALUES "
                                    "('0134-002', 5000000), ('0102-001', 5000000)"));
        addTransaction(company, QStringLiteral("0102-001"), QStringLiteral("Banco Uno"),
                       QStringLiteral("Otra"), 10, 1, QStringLiteral("O"));
        reports::TReporteTransaccionesPendientes report(context(company, true, false));
        QVERIFY(report.BuildBankReportQuery(0, 0, QString(), core::dt::encodeDate(2024, 5, 1),
                                            core::dt::encodeDate(2024, 12, 31), Beneficiary, true,
                                            QString()));
        reports::engine::PageStore store;
        QVERIFY(report.Prepare(store));
        const QString text = allText(store);
        QVERIFY(text.contains(Beneficiary));
        QVERIFY(text.contains(Description));
        QVERIFY(!text.contains(QStringLiteral("Otra")));
        QVERIFY(boxes.calls.size() == 2);

        // Exported.
        exportsHold(store, Beneficiary);
        exportsHold(store, Description);
    }

    void customer() {
        SetClock clock(2024, 5, 10, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        addBanks(company);
        company.exec(QStringLiteral("Sclientes.dat"),
                     QStringLiteral("INSERT INTO Sclientes VALUES ('C001', %1, '0212', 'Calle', 1);"
                                    "INSERT INTO Sclientes VALUES ('C002', 'Cliente', '0212', "
                                    "'Calle', 1)")
                         .arg(sqlText(Customer)));
        const double due = core::dt::encodeDate(2024, 5, 10);
        company.exec(QStringLiteral("SCuentasxCobrar.dat"),
                     QStringLiteral("INSERT INTO SCuentasxCobrar VALUES ('C001', 'F-1', 1000000, "
                                    "%1, %1, 1, %2);"
                                    "INSERT INTO SCuentasxCobrar VALUES ('C002', 'F-2', 20000, "
                                    "%1, %1, 1, 'Otro documento')")
                         .arg(due)
                         .arg(sqlText(Description)));
        shell::Settings settings;
        settings.includeReceivables = true;
        QVERIFY(shell::writeSettingsFile(company.dataFolder() + QStringLiteral("FileConfig.txt"),
                                         settings));
        RecordingMessageBox boxes;
        Program p;
        QCOMPARE(boxes.texts(), QStringList());

        // Found by the notice's load and listed by the customer selector.
        showModule(p);
        QCOMPARE(p.module.OpenReceivables.size(), size_t(2));
        QVERIFY(std::any_of(
            p.module.OpenReceivables.begin(), p.module.OpenReceivables.end(), [](const auto& c) {
                return c->Descripcion == Customer && c->SaldoDocumento == money(100);
            }));
        p.module.CClientes->showPopup();
        bool listed = false;
        for (int row = 0; row < p.module.CClientes->rowCount(); ++row)
            for (int column = 0; column < 2; ++column)
                listed = listed || p.module.CClientes->rowText(row, column) == Customer;
        QVERIFY(listed);
        p.module.CClientes->hidePopup();

        // Reported with the customer as the filter: only its document.
        reports::TReporteTransaccionesPendientes report(context(company, false, true));
        QVERIFY(report.BuildAccountsReportQuery(
            2, true, true, core::dt::encodeDate(2024, 4, 1), core::dt::encodeDate(2024, 6, 1), true,
            true, true, reports::ReceivablesReportHead(), QStringLiteral("FCC"),
            QStringLiteral("FC"), QStringLiteral("7"), Customer));
        reports::engine::PageStore store;
        QVERIFY(report.Prepare(store));
        const QString text = allText(store);
        QVERIFY(text.contains(Customer));
        QVERIFY(text.contains(Description));
        QVERIFY(!text.contains(QStringLiteral("Otro documento")));
        QCOMPARE(boxes.texts(), QStringList());

        exportsHold(store, Customer);
    }
};

QTEST_MAIN(TstHostileNames)
#include "tst_hostilenames.moc"
