#include "controls/Fonts.h"
#include "core/DateTime.h"
#include "core/Formats.h"
#include "reports/ExportReaders.h"
#include "reports/ScriptedPrintDialog.h"
#include "reports/TNorvaReportesProgressForm.h"
#include "reports/TReporteTransVencimiento.h"
#include "reports/TReporteTransaccionesPendientes.h"
#include "reports/engine/Print.h"
#include "support/CompanyFixture.h"
#include "support/RecordingMessageBox.h"
#include "support/SetClock.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <functional>
#include <map>

using namespace reports;
using engine::PageStore;
using engine::StoredPage;
using engine::TextOp;

using exportreaders::pdfText;

namespace {

core::TDateTime day(int y, int m, int d) {
    return core::dt::encodeDate(y, m, d);
}

// A text as an SQL string, for the rows the tests write.
QString sqlText(const QString& text) {
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

qint64 money(double value) {
    return qint64(std::llround(value * 10000));
}

QString amount(double value) {
    return core::format15(core::Currency::fromRaw(money(value))).trimmed();
}

// A company folder whose rows the tests write as the suite would.
struct Company {
    CompanyFixture fixture{CompanyFixture::Kind::Empty};
    int nextTransaction = 1;

    Company() {
        fixture.exec(QStringLiteral("../sempresas.dat"),
                     QStringLiteral("UPDATE sempresas SET FE_DIRECCION1 = 'Av. Principal 1'"));
    }

    void exec(const QString& table, const QString& sql) const {
        fixture.exec(table + QStringLiteral(".dat"), sql);
    }
    void account(const QString& code, double balance) const {
        exec(QStringLiteral("SFixed"),
             QStringLiteral("INSERT INTO SFixed VALUES ('%1', %2)").arg(code).arg(money(balance)));
    }
    int transaction(const QString& account, const QString& bank, const QString& beneficiary,
                    const QString& description, int count) {
        const int key = nextTransaction++;
        exec(QStringLiteral("m3TransPendientes"),
             QStringLiteral("INSERT INTO m3TransPendientes (FTP_AUTOINCKEY, FTP_NROCUENTA, "
                            "FTP_BANCO, FTP_BENEFICIARIO, FTP_DESCRIPCION, FTP_MONTO, "
                            "FTP_NROGIROS) VALUES (%1, %2, %3, %4, %5, 0, %6)")
                 .arg(key)
                 .arg(sqlText(account), sqlText(bank), sqlText(beneficiary), sqlText(description))
                 .arg(count));
        return key;
    }
    void installment(int transaction, int number, core::TDateTime date, double value,
                     bool paid = false, int kind = 0) const {
        exec(QStringLiteral("m3GirosPendientes"),
             QStringLiteral("INSERT INTO m3GirosPendientes (FGP_KEYTRANSACCION, FGP_GIRO, "
                            "FGP_FECHAGIRO, FGP_HORAGIRO, FGP_MONTOGIRO, FGP_STATUS, "
                            "FGP_PERIODOFIJO, FGP_TIPOTRANS) VALUES (%1, %2, %3, 0.5, %4, %5, 0, "
                            "%6)")
                 .arg(transaction)
                 .arg(number)
                 .arg(date)
                 .arg(money(value))
                 .arg(paid ? 1 : 0)
                 .arg(kind));
    }
    void party(bool supplier, const QString& code, const QString& name) const {
        exec(supplier ? QStringLiteral("SProveedor") : QStringLiteral("Sclientes"),
             QStringLiteral("INSERT INTO %1 VALUES ('%2', '%3', '0212-555', 'Calle %2', 1)")
                 .arg(supplier ? QStringLiteral("SProveedor") : QStringLiteral("Sclientes"), code,
                      name));
    }
    void document(bool payable, const QString& code, const QString& number, double balance,
                  core::TDateTime due, int type) const {
        const QString table =
            payable ? QStringLiteral("SCuentasxPagar") : QStringLiteral("SCuentasxCobrar");
        exec(table, QStringLiteral("INSERT INTO %1 VALUES ('%2', '%3', %4, %5, %6, %7, 'Doc %3')")
                        .arg(table, code, number)
                        .arg(money(balance))
                        .arg(due - 30)
                        .arg(due)
                        .arg(type));
    }

    ReportContext context(bool bank, bool receivables, bool payables) const {
        ReportContext c;
        c.workFolder = fixture.workFolder();
        c.dataFolder = fixture.dataFolder();
        c.companyName = QStringLiteral("Compañía Demo, C.A.");
        c.companyLine3 = QStringLiteral("J-12345678-9");
        c.companyLine4 = QStringLiteral("0012345");
        c.choices.CheckBTransP = bank;
        c.choices.CheckBCtsxCobrar = receivables;
        c.choices.CheckBCtsxPagar = payables;
        return c;
    }
};

// The texts of a page line by line (top to bottom), each line's texts from
// left to right without their surrounding blanks.
QList<QStringList> lines(const StoredPage& page) {
    std::map<qint64, std::multimap<qreal, QString>> byTop;
    for (const TextOp* t : PageStore::texts(page))
        byTop[qRound64(t->rect.top() * 10)].emplace(t->rect.left(), t->text.trimmed());
    QList<QStringList> out;
    for (const auto& [top, texts] : byTop) {
        QStringList line;
        for (const auto& [left, text] : texts)
            line << text;
        out << line;
    }
    return out;
}

QList<QStringList> allLines(const PageStore& store) {
    QList<QStringList> out;
    for (const StoredPage& page : store.pages)
        out += lines(page);
    return out;
}

// The first text op on the page that reads `text` (blanks aside), or null.
const TextOp* find(const StoredPage& page, const QString& text) {
    for (const TextOp* t : PageStore::texts(page))
        if (t->text.trimmed() == text)
            return t;
    return nullptr;
}

int pageOf(const PageStore& store, const QString& text) {
    for (size_t i = 0; i < store.pages.size(); ++i)
        if (find(store.pages[i], text))
            return int(i) + 1;
    return 0;
}

bool hasLine(const PageStore& store, const QStringList& line) {
    return allLines(store).contains(line);
}

int count(const PageStore& store, const QString& text) {
    int n = 0;
    for (const StoredPage& page : store.pages)
        for (const TextOp* t : PageStore::texts(page))
            n += t->text.trimmed() == text;
    return n;
}

// Runs a pass; the store it laid out.
PageStore pass(TransactionsReportForm& report, bool* finished = nullptr) {
    PageStore store;
    const bool done = report.Prepare(store);
    if (finished)
        *finished = done;
    return store;
}

// Connects to every progress form the moment it shows.
class ProgressWatch : public QObject {
public:
    std::function<void(TNorvaReportesProgressForm&)> shown;
    QStringList captions; // LabelCaption as each form was started
    ProgressWatch() { qApp->installEventFilter(this); }
    ~ProgressWatch() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* form = qobject_cast<TNorvaReportesProgressForm*>(watched);
                form && !m_seen.contains(form)) {
                m_seen << form;
                captions << form->LabelCaption->text();
                if (shown)
                    shown(*form);
            }
        return false;
    }

private:
    QList<const QObject*> m_seen;
};

// The aging column (0 the other, 1..4 the ranges) of an amount op of the
// due-date report, by its left edge; -1 for none.
int agingColumn(const TextOp& t, bool accounts) {
    const qreal margin = engine::mmToPixels(5);
    const qreal bank[] = {249, 334, 419, 504, 589};
    const qreal cts[] = {255, 340, 425, 510, 595};
    for (int i = 0; i < 5; ++i)
        if (std::abs(t.rect.left() - margin - (accounts ? cts[i] : bank[i])) < 0.5)
            return i;
    return -1;
}

// The aging amounts of the line that holds `key`: column -> text.
std::map<int, QString> agingOfLine(const PageStore& store, const QString& key, bool accounts) {
    std::map<int, QString> out;
    for (const StoredPage& page : store.pages) {
        const TextOp* k = find(page, key);
        if (!k)
            continue;
        for (const TextOp* t : PageStore::texts(page))
            if (qFuzzyCompare(t->rect.top(), k->rect.top()) && agingColumn(*t, accounts) >= 0)
                out[agingColumn(*t, accounts)] = t->text.trimmed();
        break;
    }
    return out;
}

} // namespace

class TstReports : public QObject {
    Q_OBJECT

    RecordingMessageBox* boxes = nullptr;

private slots:
    void initTestCase() {
        controls::installFontSubstitutions();
        core::Formats::setCurrent(core::Formats());
    }
    void init() { boxes = new RecordingMessageBox; }
    void cleanup() {
        delete boxes;
        boxes = nullptr;
    }

    // The bank section: the company header, the title with its dates and
    // conditions, a transaction of three installments with its subtotal, the
    // totals table by kind and status and the balance rows.
    void bankSection() {
        SetClock clock(2024, 5, 31, 15, 30);
        Company c;
        c.account(QStringLiteral("0102-001"), 1000);
        c.account(QStringLiteral("0134-002"), 500);
        c.account(QStringLiteral("0108-003"), 250);
        const int alquiler =
            c.transaction(QStringLiteral("0102-001"), QStringLiteral("Banco Uno"),
                          QStringLiteral("O'Brien"), QStringLiteral("Alquiler"), 3);
        c.installment(alquiler, 1, day(2024, 5, 1), 100, true);
        c.installment(alquiler, 2, day(2024, 6, 1), 150);
        c.installment(alquiler, 3, day(2024, 7, 1), 200);
        const int luz = c.transaction(QStringLiteral("0134-002"), QStringLiteral("Banco Dos"),
                                      QStringLiteral("Eléctrica"), QStringLiteral("Luz"), 1);
        c.installment(luz, 1, day(2024, 5, 20), 50, false, 1);
        const int pagado = c.transaction(QStringLiteral("0108-003"), QStringLiteral("Banco Tres"),
                                         QStringLiteral("Agua"), QStringLiteral("Servicio"), 1);
        c.installment(pagado, 1, day(2024, 5, 2), 30, true, 1);

        TReporteTransaccionesPendientes report(c.context(true, false, false));
        QVERIFY(report.BuildBankReportQuery(0, 0, QString(), day(2024, 5, 1), day(2024, 7, 31),
                                            QString(), false, QString()));
        bool finished = false;
        const PageStore store = pass(report, &finished);
        QVERIFY(finished);
        QCOMPARE(store.pages.size(), size_t(1));
        const QList<QStringList> l = lines(store.pages[0]);
        QCOMPARE(l.value(0), (QStringList{"Compañía Demo, C.A.", "Fecha: 31/05/2024"}));
        QCOMPARE(l.value(1), (QStringList{"Hora:    03:30 PM"}));
        QCOMPARE(l.value(2), (QStringList{"R.I.F:", "J-12345678-9", "N.I.T:", "0012345"}));
        QCOMPARE(l.value(3), (QStringList{"Pág.     1"}));
        QCOMPARE(l.value(4), (QStringList{"Av. Principal 1"}));
        QCOMPARE(l.value(5), (QStringList{"Transacciones Pendientes"}));
        QCOMPARE(l.value(6), (QStringList{"Banco"}));
        QCOMPARE(l.value(7), (QStringList{"Desde:", "01/05/2024"}));
        QCOMPARE(l.value(8), (QStringList{"Hasta:", "31/07/2024"}));
        QCOMPARE(l.value(9), (QStringList{"Condiciones: Por Pagar/Pagadas"}));
        QCOMPARE(l.value(10),
                 (QStringList{"Descripción", "Banco", "Nro. de Cuenta", "Beneficiario"}));
        QCOMPARE(l.value(11), (QStringList{"Alquiler", "Banco Uno", "0102-001", "O'Brien"}));
        QCOMPARE(l.value(12), (QStringList{"Tipo", "Fecha", "Cuota", "Status", "Monto"}));
        QCOMPARE(l.value(13),
                 (QStringList{"Cheque", "01/05/2024", "1 - 3", "Pagado", amount(100)}));
        QCOMPARE(l.value(14),
                 (QStringList{"Cheque", "01/06/2024", "2 - 3", "Por Pagar", amount(150)}));
        QCOMPARE(l.value(15),
                 (QStringList{"Cheque", "01/07/2024", "3 - 3", "Por Pagar", amount(200)}));
        QCOMPARE(l.value(16), (QStringList{"Total Transacciones : 3", amount(450)}));
        QCOMPARE(l.value(17), (QStringList{"Luz", "Banco Dos", "0134-002", "Eléctrica"}));
        QCOMPARE(l.value(19),
                 (QStringList{"Nota de Débito", "20/05/2024", "1 - 1", "Por Pagar", amount(50)}));
        QCOMPARE(l.value(20), (QStringList{"Total Transacciones : 1", amount(50)}));
        QCOMPARE(l.value(21), (QStringList{"Servicio", "Banco Tres", "0108-003", "Agua"}));
        QCOMPARE(l.value(24), (QStringList{"Total Transacciones : 1", amount(30)}));
        QCOMPARE(l.value(25), (QStringList{"Totales", "Pagados", "Por Pagar"}));
        QCOMPARE(l.value(26),
                 (QStringList{"Total Cheques:", amount(450), amount(100), amount(350)}));
        QCOMPARE(l.value(27),
                 (QStringList{"Total Notas de Débito:", amount(80), amount(30), amount(50)}));
        QCOMPARE(l.value(28),
                 (QStringList{"Total Transacciones", amount(530), amount(130), amount(400)}));
        QCOMPARE(l.value(29), (QStringList{"Banco", "Numero de Cuenta", "Saldo", "Por Pagar"}));
        // One row per account, in account order: paid and unpaid, all paid,
        // all unpaid.
        QCOMPARE(l.value(30), (QStringList{"Banco Uno", "0102-001", amount(1000), amount(350)}));
        QCOMPARE(l.value(31), (QStringList{"Banco Tres", "0108-003", amount(250), amount(0)}));
        QCOMPARE(l.value(32), (QStringList{"Banco Dos", "0134-002", amount(500), amount(50)}));
        QCOMPARE(l.size(), 33);
        QVERIFY(boxes->calls.isEmpty());

        // Amounts are marked for the spreadsheet; the rest is not.
        const TextOp* total = find(store.pages[0], amount(530));
        QVERIFY(total && total->amount && total->align == engine::Align::Right);
        QVERIFY(!find(store.pages[0], QStringLiteral("Alquiler"))->amount);
    }

    // Positions of the bank title: the date lines, the condition lines and the
    // column headings, worked out from the designed places.
    void titleLayout_data() {
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<bool>("filters");
        QTest::addColumn<QStringList>("texts"); // in order, top to bottom
        QTest::addColumn<QList<int>>("tops");   // of each, in the band
        QTest::addColumn<int>("headings");
        QTest::addColumn<int>("next"); // where the first transaction starts, in the band
        QTest::newRow("both dates, one condition")
            << day(2024, 5, 1) << day(2024, 5, 31) << false
            << QStringList{"Desde:", "Hasta:", "Condiciones: Por Pagar/Pagadas"}
            << QList<int>{53, 71, 87} << 107 << 120;
        QTest::newRow("only Hasta:") << 0.0 << day(2024, 5, 31) << false
                                     << QStringList{"Hasta:", "Condiciones: Por Pagar/Pagadas"}
                                     << QList<int>{53, 71} << 90 << 103;
        QTest::newRow("only Desde:: the conditions under it")
            << day(2024, 5, 1) << 0.0 << false
            << QStringList{"Desde:", "Condiciones: Por Pagar/Pagadas"} << QList<int>{53, 71} << 90
            << 103;
        QTest::newRow("no dates: 34 lower")
            << 0.0 << 0.0 << false << QStringList{"Condiciones: Por Pagar/Pagadas"}
            << QList<int>{53} << 73 << 86;
        QTest::newRow("four condition lines: headings 45 lower")
            << day(2024, 5, 1) << day(2024, 5, 31) << true
            << QStringList{"Desde:",
                           "Hasta:",
                           "Condiciones: Por Pagar",
                           "Nro de Cuenta: 0102-001",
                           "Beneficiario: O'Brien",
                           "Tipo: Cheques/ND"}
            << QList<int>{53, 71, 87, 102, 117, 132} << 152 << 165;
    }
    void titleLayout() {
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(bool, filters);
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, tops);
        QFETCH(int, headings);
        QFETCH(int, next);
        Company c;
        c.account(QStringLiteral("0102-001"), 1000);
        const int t = c.transaction(QStringLiteral("0102-001"), QStringLiteral("Banco Uno"),
                                    QStringLiteral("O'Brien"), QStringLiteral("Alquiler"), 1);
        c.installment(t, 1, day(2024, 5, 10), 100);
        TReporteTransaccionesPendientes report(c.context(true, false, false));
        QVERIFY(report.BuildBankReportQuery(filters ? 2 : 0, 0, QStringLiteral("0102-001"), from,
                                            to, QStringLiteral("O'Brien"), filters, QString()));
        for (int round = 0; round < 2; ++round) { // a further pass lays it out alike
            const PageStore store = pass(report);
            const StoredPage& page = store.pages.at(0);
            const qreal band = find(page, QStringLiteral("Banco"))->rect.top() - 32;
            QStringList found;
            QList<int> foundTops;
            for (const QStringList& line : lines(page)) {
                for (const QString& text : texts)
                    if (line.value(0) == text) {
                        found << text;
                        foundTops << qRound(find(page, text)->rect.top() - band);
                    }
            }
            QCOMPARE(found, texts);
            QCOMPARE(foundTops, tops);
            QCOMPARE(find(page, QStringLiteral("Descripción"))->rect.top() - band, qreal(headings));
            QCOMPARE(qRound(find(page, QStringLiteral("Alquiler"))->rect.top() - 2 - band), next);
            QCOMPARE(pageOf(store, QStringLiteral("Desde:")) != 0, from != 0);
            QCOMPARE(pageOf(store, QStringLiteral("Hasta:")) != 0, to != 0);
        }
    }

    // The totals by kind and status: a paid cheque of 100,00 and an unpaid
    // debit note of 50,00.
    void kindTable() {
        Company c;
        c.account(QStringLiteral("0102-001"), 1000);
        const int t = c.transaction(QStringLiteral("0102-001"), QStringLiteral("Banco Uno"),
                                    QStringLiteral("B"), QStringLiteral("Pagos"), 2);
        c.installment(t, 1, day(2024, 5, 1), 100, true, 0);
        c.installment(t, 2, day(2024, 5, 2), 50, false, 1);
        TReporteTransaccionesPendientes report(c.context(true, false, false));
        QVERIFY(report.BuildBankReportQuery(0, 0, QString(), 0, 0, QString(), false, QString()));
        const PageStore store = pass(report);
        QVERIFY(hasLine(store, {"Total Cheques:", "100,00", "100,00", "0,00"}));
        QVERIFY(hasLine(store, {"Total Notas de Débito:", "50,00", "0,00", "50,00"}));
        QVERIFY(hasLine(store, {"Total Transacciones", "150,00", "100,00", "50,00"}));
        QVERIFY(hasLine(store, {"Banco Uno", "0102-001", "1.000,00", "50,00"}));
    }

    // A bank section without rows (a report started from a list) still prints
    // one empty transaction with its subtotal, and the totals with zeros.
    void emptyBankSection() {
        Company c;
        TReporteTransaccionesPendientes report(c.context(true, false, false));
        QVERIFY(!report.BuildBankReportQuery(3, 3, QString(), 0, 0, QString(), false, QString()));
        const PageStore store = pass(report);
        QVERIFY(hasLine(store, {"Tipo", "Fecha", "Cuota", "Status", "Monto"}));
        QVERIFY(hasLine(store, {amount(0)})); // the empty row
        QVERIFY(hasLine(store, {"Total Transacciones : 0", amount(0)}));
        QVERIFY(hasLine(store, {"Total Cheques:", amount(0), amount(0), amount(0)}));
        QVERIFY(hasLine(store, {"Total Transacciones", amount(0), amount(0), amount(0)}));
        // One balance row, empty.
        QVERIFY(hasLine(store, {"-", "-", amount(0), amount(0)}));
    }

    // The accounts sections: receivables by customer, then payables by
    // supplier, with the signs of the documents that lower what is owed.
    void accountsSections() {
        Company c;
        c.party(false, QStringLiteral("C01"), QStringLiteral("Cliente Uno"));
        c.party(false, QStringLiteral("C02"), QStringLiteral("Cliente Dos"));
        c.party(true, QStringLiteral("P01"), QStringLiteral("Proveedor Uno"));
        c.document(false, QStringLiteral("C01"), QStringLiteral("F-1"), 1000, day(2024, 5, 1), 1);
        c.document(false, QStringLiteral("C01"), QStringLiteral("NC-1"), 200, day(2024, 5, 2), 5);
        c.document(false, QStringLiteral("C02"), QStringLiteral("ND-2"), 70, day(2024, 5, 3), 2);
        c.document(false, QStringLiteral("C02"), QStringLiteral("NP-2"), 10, day(2024, 5, 3), 7);
        c.document(true, QStringLiteral("P01"), QStringLiteral("FP-1"), 500, day(2024, 5, 4), 1);
        c.document(true, QStringLiteral("P01"), QStringLiteral("NDP-1"), 60, day(2024, 5, 5), 2);
        c.document(true, QStringLiteral("P01"), QStringLiteral("GP-1"), 40, day(2024, 5, 5), 3);

        TReporteTransaccionesPendientes report(c.context(false, true, true));
        QVERIFY(report.BuildAccountsReportQuery(2, true, true, day(2024, 4, 1), 0, true, true, true,
                                                ReceivablesReportHead(), "FCC", "FC", "7",
                                                QString()));
        bool finished = false;
        const PageStore first = pass(report, &finished);
        QVERIFY(finished);
        const QList<QStringList> l = allLines(first);
        // The company header, then no bank title: straight to the section.
        QCOMPARE(l.value(5), (QStringList{"Cuentas por Cobrar"}));
        QCOMPARE(l.value(6), (QStringList{"Desde:", "01/04/2024"}));
        QCOMPARE(l.value(7), (QStringList{"Código", "Descripción", "Teléfono", "Dirección"}));
        QCOMPARE(l.value(8), (QStringList{"C01", "Cliente Uno", "0212-555", "Calle C01"}));
        QCOMPARE(l.value(9),
                 (QStringList{"Operación", "Emisión", "Vencimiento", "Descripción", "Monto"}));
        QCOMPARE(l.value(10),
                 (QStringList{"Factura", "01/04/2024", "01/05/2024", "Doc F-1", amount(1000)}));
        QCOMPARE(l.value(11), (QStringList{"Nota de Crédito", "02/04/2024", "02/05/2024",
                                           "Doc NC-1", amount(-200)}));
        QCOMPARE(l.value(12), (QStringList{"Total Transacciones : 2", amount(800)}));
        QCOMPARE(l.value(15).mid(0, 1), QStringList{"Nota de Débito"});
        QCOMPARE(l.value(15).last(), amount(70)); // a customer's debit note adds
        QCOMPARE(l.value(16).first(), QStringLiteral("Nota Pendiente"));
        QCOMPARE(l.value(16).last(), amount(-10));
        QCOMPARE(l.value(17), (QStringList{"Total Transacciones : 2", amount(60)}));
        QCOMPARE(l.value(18), (QStringList{"Total", amount(860)}));
        QCOMPARE(l.value(19), (QStringList{"Cuentas por Pagar"}));
        QCOMPARE(l.value(23).first(), QStringLiteral("Factura"));
        QCOMPARE(l.value(24).first(), QStringLiteral("Nota de Débito"));
        QCOMPARE(l.value(24).last(), amount(-60)); // a supplier's debit note lowers
        QCOMPARE(l.value(25).first(), QStringLiteral("Giro"));
        QCOMPARE(l.value(26), (QStringList{"Total Transacciones : 3", amount(480)}));
        QCOMPARE(l.value(27), (QStringList{"Total", amount(480)}));
        QCOMPARE(l.size(), 28);
        QCOMPARE(pageOf(first, QStringLiteral("Banco")), 0);
        QCOMPARE(pageOf(first, QStringLiteral("Totales")), 0);

        // Printing from the preview: the same pages again, from the receivables.
        QCOMPARE(pass(report), first);
        QVERIFY(boxes->calls.isEmpty());
    }

    // A run whose receivables have nothing to show begins with the payables,
    // titled as such, on every pass.
    void firstSectionPayables() {
        Company c;
        c.party(true, QStringLiteral("P01"), QStringLiteral("Proveedor Uno"));
        c.document(true, QStringLiteral("P01"), QStringLiteral("FP-1"), 500, day(2024, 5, 4), 1);
        TReporteTransaccionesPendientes report(c.context(false, true, true));
        report.Run.ReportHasData =
            report.BuildAccountsReportQuery(2, true, true, 0, 0, true, true, true,
                                            ReceivablesReportHead(), "FCC", "FC", "7", QString());
        QVERIFY(!report.Run.ReportHasData);
        report.Run.ReportHasData =
            report.BuildAccountsReportQuery(2, true, true, 0, 0, true, true, true,
                                            PayablesReportHead(), "FCP", "FP", "8", QString());
        QVERIFY(report.Run.ReportHasData);
        const PageStore first = pass(report);
        QCOMPARE(pageOf(first, QStringLiteral("Cuentas por Cobrar")), 0);
        QCOMPARE(count(first, QStringLiteral("Cuentas por Pagar")), 1);
        QVERIFY(hasLine(first, {"Total Transacciones : 1", amount(500)}));
        QCOMPARE(pass(report), first);
        QVERIFY(boxes->calls.isEmpty());
    }

    // The bank section followed by both accounts sections; pages after the
    // first carry the headings of the section they are in; a second pass
    // prints exactly the pages of the first.
    void fullRunTwoPasses() {
        Company c;
        c.account(QStringLiteral("0102-001"), 1000);
        for (int i = 0; i < 12; ++i) {
            const int t =
                c.transaction(QStringLiteral("0102-001"), QStringLiteral("Banco Uno"),
                              QStringLiteral("Beneficiario %1").arg(i),
                              QStringLiteral("Trans %1").arg(i, 2, 10, QLatin1Char('0')), 3);
            for (int n = 1; n <= 3; ++n)
                c.installment(t, n, day(2024, 5, n), 10 * n);
        }
        for (int i = 0; i < 20; ++i) {
            const QString code = QStringLiteral("C%1").arg(i, 2, 10, QLatin1Char('0'));
            c.party(false, code, QStringLiteral("Cliente %1").arg(i));
            c.document(false, code, QStringLiteral("F%1").arg(i), 100 + i, day(2024, 5, 10), 1);
        }
        c.party(true, QStringLiteral("P01"), QStringLiteral("Proveedor Uno"));
        c.document(true, QStringLiteral("P01"), QStringLiteral("FP-1"), 500, day(2024, 5, 4), 1);

        ReportContext context = c.context(true, true, true);
        TReporteTransaccionesPendientes report(context);
        report.Run.ReportHasData =
            report.BuildBankReportQuery(2, 0, QString(), 0, 0, QString(), false, QString());
        QVERIFY(report.Run.ReportHasData);
        bool finished = false;
        const PageStore first = pass(report, &finished);
        QVERIFY(finished);
        QVERIFY(first.pages.size() >= 3);
        QCOMPARE(count(first, QStringLiteral("Cuentas por Cobrar")), 1);
        QCOMPARE(count(first, QStringLiteral("Cuentas por Pagar")), 1);
        QVERIFY(hasLine(first, {"Total", amount(20 * 100 + 190)}));
        QVERIFY(hasLine(first, {"Banco Uno", "0102-001", amount(1000), amount(12 * 60)}));
        // The second page begins inside the transactions: the bank headings.
        const QList<QStringList> second = lines(first.pages[1]);
        QCOMPARE(second.value(0), (QStringList{"Transacciones Pendientes", "Pág.     2"}));
        QCOMPARE(second.value(1),
                 (QStringList{"Descripción", "Banco", "Nro. de Cuenta", "Beneficiario"}));
        // The last page begins inside the receivables: the accounts headings.
        const QList<QStringList> last = lines(first.pages.back());
        QCOMPARE(last.value(1), (QStringList{"Código", "Descripción", "Teléfono", "Dirección"}));

        const PageStore again = pass(report);
        QCOMPARE(again.pages.size(), first.pages.size());
        for (size_t i = 0; i < first.pages.size(); ++i)
            QCOMPARE(allLines(PageStore{{}, {}, {}, {again.pages[i]}}),
                     allLines(PageStore{{}, {}, {}, {first.pages[i]}}));
        QCOMPARE(again, first);
        QVERIFY(boxes->calls.isEmpty());
    }

    // The totals table starts on a new page when the last transaction's
    // subtotal ends lower than 218 mm from the top of the paper, though it
    // would fit.
    void totalsPageBreak_data() {
        QTest::addColumn<int>("lastRows");
        QTest::addColumn<bool>("newPage");
        QTest::newRow("ends above 218 mm") << 1 << false;
        QTest::newRow("ends below 218 mm") << 4 << true;
    }
    void totalsPageBreak() {
        QFETCH(int, lastRows);
        QFETCH(bool, newPage);
        Company c;
        c.account(QStringLiteral("0102-001"), 1000);
        for (int i = 0; i < 6; ++i) {
            const int rows = i == 5 ? lastRows : 1;
            const int t = c.transaction(QStringLiteral("0102-001"), QStringLiteral("Banco Uno"),
                                        QStringLiteral("B"), QStringLiteral("T%1").arg(i), rows);
            for (int n = 1; n <= rows; ++n)
                c.installment(t, n, day(2024, 5, n), 10);
        }
        TReporteTransaccionesPendientes report(c.context(true, false, false));
        QVERIFY(report.BuildBankReportQuery(0, 0, QString(), day(2024, 5, 1), day(2024, 5, 31),
                                            QString(), false, QString()));
        const PageStore store = pass(report);
        const StoredPage& page = store.pages[0];
        const TextOp* last = nullptr;
        for (const TextOp* t : PageStore::texts(page))
            if (t->text.startsWith(QStringLiteral("Total Transacciones : ")))
                last = t;
        QVERIFY(last);
        const qreal bottom = last->rect.top() - 8 + 34; // the subtotal band's bottom
        QCOMPARE(engine::pixelsToMm(bottom) > 218.0, newPage);
        // The totals would fit under it on the first page.
        QVERIFY(bottom + 144 + 19 < store.paperSize.height() - store.margins.bottom() - 21);
        QCOMPARE(pageOf(store, QStringLiteral("Totales")), newPage ? 2 : 1);
        QCOMPARE(store.pages.size(), size_t(newPage ? 2 : 1));
    }

    // "Encabezados resaltados": opaque silver headings with navy text, or
    // transparent black ones with a line under them.
    void headingStyle_data() {
        QTest::addColumn<bool>("highlight");
        QTest::newRow("highlighted") << true;
        QTest::newRow("plain") << false;
    }
    void headingStyle() {
        QFETCH(bool, highlight);
        Company c;
        ReportContext context = c.context(true, false, false);
        context.highlightHeadings = highlight;
        TReporteTransaccionesPendientes report(context);
        report.BuildBankReportQuery(0, 0, QString(), 0, 0, QString(), false, QString());
        const PageStore store = pass(report);
        const StoredPage& page = store.pages[0];
        const TextOp* heading = find(page, QStringLiteral("Beneficiario"));
        QVERIFY(heading);
        QCOMPARE(heading->color, highlight ? QColor(0, 0, 0x80) : QColor(Qt::black));
        bool filled = false;
        bool lined = false;
        for (const engine::DrawOp& op : page.ops) {
            if (const auto* r = std::get_if<engine::RectOp>(&op))
                filled |= r->rect == heading->rect && r->fill == QColor(0xC0, 0xC0, 0xC0);
            if (const auto* l = std::get_if<engine::LineOp>(&op))
                lined |= l->line == QLineF(heading->rect.bottomLeft(), heading->rect.bottomRight());
        }
        QCOMPARE(filled, highlight);
        QCOMPARE(lined, !highlight);
    }

    // The due-date report: each installment in the column the first rule that
    // holds chooses, the running total of the transaction, the subtotals and
    // totals by column (a column of 0 prints nothing).
    void agingColumns_data() {
        QTest::addColumn<int>("analysis");
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<QList<int>>("columns"); // of the installments of 1/1, 10/5, 31/5, 15/6
        QTest::newRow("Cuentas Vencidas")
            << 0
            << QStringList{"Por Vencer", "Vencido 1..30", "Vencido 31..60", "Vencido 61..90",
                           "Mas de 91"}
            << QList<int>{4, 1, 0, 0};
        QTest::newRow("Cuentas por Vencer")
            << 1
            << QStringList{"Vencido", "Por Vencer 1..30", "Por Vencer 31..60", "Por Vencer 61..90",
                           "Mas de 91"}
            << QList<int>{0, 0, 0, 1};
    }
    void agingColumns() {
        QFETCH(int, analysis);
        QFETCH(QStringList, headings);
        QFETCH(QList<int>, columns);
        SetClock clock(2024, 5, 31, 10, 0);
        Company c;
        c.account(QStringLiteral("0102-001"), 1000);
        const int t = c.transaction(QStringLiteral("0102-001"), QStringLiteral("Banco Uno"),
                                    QStringLiteral("B"), QStringLiteral("Alquiler"), 4);
        const core::TDateTime dates[] = {day(2024, 1, 1), day(2024, 5, 10), day(2024, 5, 31),
                                         day(2024, 6, 15)};
        const double amounts[] = {10, 20, 30, 40};
        for (int i = 0; i < 4; ++i)
            c.installment(t, i + 1, dates[i], amounts[i]);

        AgingSetup setup;
        setup.analysis = accounts::DueAnalysis(analysis);
        TReporteTransVencimiento report(c.context(true, false, false), [setup] { return setup; });
        QVERIFY(report.BuildBankReportQuery(2, 0, QString(), 0, 0, QString(), false, QString()));
        const PageStore store = pass(report);
        const StoredPage& page = store.pages.at(0);

        QStringList shown;
        for (const QStringList& line : lines(page))
            if (line.value(0) == QStringLiteral("Tipo"))
                shown = line.mid(4, 5);
        QCOMPARE(shown, headings);

        std::array<double, 5> sums{};
        double running = 0;
        for (int i = 0; i < 4; ++i) {
            const auto cells = agingOfLine(store, core::formatShortDate(dates[i]), false);
            QCOMPARE(cells.size(), size_t(1));
            QCOMPARE(cells.begin()->first, columns[i]);
            QCOMPARE(cells.begin()->second, amount(amounts[i]));
            sums[columns[i]] += amounts[i];
            running += amounts[i];
            // The last amount of the row is the transaction's total so far.
            for (const QStringList& line : lines(page))
                if (line.value(1) == core::formatShortDate(dates[i]))
                    QCOMPARE(line.last(), amount(running));
        }
        const auto subtotal = agingOfLine(store, QStringLiteral("Total Transacciones : 4"), false);
        std::map<int, QString> expected;
        for (int i = 0; i < 5; ++i)
            if (sums[i] != 0)
                expected[i] = amount(sums[i]);
        QCOMPARE(subtotal, expected); // the columns of 0 print nothing
        QStringList sums_;
        for (const auto& [column, text] : expected)
            sums_ << text;
        QVERIFY(hasLine(store,
                        QStringList{"Total Transacciones : 4"} + sums_ + QStringList{amount(100)}));
        // The section's totals over the totals table, by column alike.
        QVERIFY(hasLine(store, sums_ + QStringList{amount(100)}));
        QCOMPARE(report.AgingColumn(0), 0);
        QCOMPARE(pass(report), store);
    }

    // Moved bounds: range 1 up to 45 takes an item 40 days overdue, and its
    // heading reads so.
    void agingMovedBounds() {
        SetClock clock(2024, 5, 31);
        Company c;
        c.account(QStringLiteral("0102-001"), 1000);
        const int t = c.transaction(QStringLiteral("0102-001"), QStringLiteral("Banco Uno"),
                                    QStringLiteral("B"), QStringLiteral("Alquiler"), 1);
        c.installment(t, 1, day(2024, 5, 31) - 40, 25);
        AgingSetup setup;
        setup.bounds = accounts::DueRangeBounds{1, 45, 46, 60, 61, 90, 91};
        setup.texts = QStringList{"1", "45", "46", "60", "61", "90", "91"};
        TReporteTransVencimiento report(c.context(true, false, false), [setup] { return setup; });
        report.BuildBankReportQuery(2, 0, QString(), 0, 0, QString(), false, QString());
        const PageStore store = pass(report);
        QCOMPARE(pageOf(store, QStringLiteral("Vencido 1..45")), 1);
        QCOMPARE(pageOf(store, QStringLiteral("Vencido 46..60")), 1);
        const auto cells = agingOfLine(store, core::formatShortDate(day(2024, 5, 31) - 40), false);
        QCOMPARE(cells, (std::map<int, QString>{{1, amount(25)}}));
    }

    // A customer's invoice of 300,00 due 40 days ago and a credit note of
    // 100,00 due 10 days ago: running totals, columns and subtotal.
    void agingDocuments() {
        SetClock clock(2024, 5, 31);
        Company c;
        c.party(false, QStringLiteral("C01"), QStringLiteral("Cliente Uno"));
        c.document(false, QStringLiteral("C01"), QStringLiteral("F-1"), 300, day(2024, 5, 31) - 40,
                   1);
        c.document(false, QStringLiteral("C01"), QStringLiteral("NC-1"), 100, day(2024, 5, 31) - 10,
                   5);
        TReporteTransVencimiento report(c.context(false, true, false));
        QVERIFY(report.BuildAccountsReportQuery(2, true, true, 0, 0, true, true, true,
                                                ReceivablesReportHead(), "FCC", "FC", "7",
                                                QString()));
        const PageStore store = pass(report);
        QCOMPARE(agingOfLine(store, QStringLiteral("Doc F-1"), true),
                 (std::map<int, QString>{{2, amount(300)}}));
        QCOMPARE(agingOfLine(store, QStringLiteral("Doc NC-1"), true),
                 (std::map<int, QString>{{1, amount(-100)}}));
        QVERIFY(hasLine(store, {"Factura", core::formatShortDate(day(2024, 5, 31) - 70),
                                core::formatShortDate(day(2024, 5, 31) - 40), "Doc F-1",
                                amount(300), amount(300)}));
        QVERIFY(hasLine(store, {"Nota de Crédito", core::formatShortDate(day(2024, 5, 31) - 40),
                                core::formatShortDate(day(2024, 5, 31) - 10), "Doc NC-1",
                                amount(-100), amount(200)}));
        QVERIFY(
            hasLine(store, {"Total Transacciones : 2", amount(-100), amount(300), amount(200)}));
        QVERIFY(hasLine(store, {"Total", amount(-100), amount(300), amount(200)}));
        QCOMPARE(pageOf(store, QStringLiteral("Cuentas por Cobrar")), 1);
    }

    // Printed through the engine into a PDF: the company, the section titles
    // and the amounts read back.
    void printedPdf() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        Company c;
        c.account(QStringLiteral("0102-001"), 1000);
        const int t = c.transaction(QStringLiteral("0102-001"), QStringLiteral("Banco Uno"),
                                    QStringLiteral("O'Brien"), QStringLiteral("Alquiler"), 1);
        c.installment(t, 1, day(2024, 5, 10), 1234.5);
        c.party(false, QStringLiteral("C01"), QStringLiteral("Cliente Uno"));
        c.document(false, QStringLiteral("C01"), QStringLiteral("F-1"), 987.65, day(2024, 5, 1), 1);
        TReporteTransaccionesPendientes report(c.context(true, true, false));
        report.Run.ReportHasData =
            report.BuildBankReportQuery(0, 0, QString(), 0, 0, QString(), false, QString());
        QTemporaryDir dir;
        ScriptedPrintDialog dialog;
        dialog.outputFile = dir.filePath(QStringLiteral("reporte.pdf"));
        QString error;
        QCOMPARE(engine::printReport(report.report(), 0, nullptr, &error),
                 engine::PrintResult::Printed);
        const QString text = pdfText(dialog.outputFile);
        for (const QString& expected :
             {QStringLiteral("Compañía Demo, C.A."), QStringLiteral("Transacciones Pendientes"),
              QStringLiteral("Cuentas por Cobrar"), QStringLiteral("1.234,50"),
              QStringLiteral("987,65"), QStringLiteral("Total Transacciones : 1")})
            QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" in ") + text));
    }

    // The progress form counts the rows read; Escape asks the cancel question
    // at any row: "Sí" stops the pass there, "No" goes on.
    void cancelFromProgress_data() {
        QTest::addColumn<int>("at");
        QTest::addColumn<bool>("yes");
        QTest::newRow("first row") << 0 << true;
        QTest::newRow("in the middle") << 5000 << true;
        QTest::newRow("last row") << 9999 << true;
        QTest::newRow("answered No") << 4321 << false;
        QTest::newRow("not asked") << -1 << false;
    }
    void cancelFromProgress() {
        QFETCH(int, at);
        QFETCH(bool, yes);
        Company c;
        c.account(QStringLiteral("0102-001"), 1000);
        QString trans;
        for (int i = 1; i <= 100; ++i)
            trans += QStringLiteral("(%1, '0102-001', 'Banco Uno', 'B', 'T%2', 0, 100),")
                         .arg(i)
                         .arg(i, 3, 10, QLatin1Char('0'));
        trans.chop(1);
        c.exec(QStringLiteral("m3TransPendientes"),
               QStringLiteral("INSERT INTO m3TransPendientes (FTP_AUTOINCKEY, FTP_NROCUENTA, "
                              "FTP_BANCO, FTP_BENEFICIARIO, FTP_DESCRIPCION, FTP_MONTO, "
                              "FTP_NROGIROS) VALUES ") +
                   trans);
        c.exec(QStringLiteral("m3GirosPendientes"),
               QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n "
                              "WHERE i < 9999) INSERT INTO m3GirosPendientes (FGP_KEYTRANSACCION, "
                              "FGP_GIRO, FGP_FECHAGIRO, FGP_HORAGIRO, FGP_MONTOGIRO, FGP_STATUS, "
                              "FGP_PERIODOFIJO, FGP_TIPOTRANS) SELECT i / 100 + 1, i % 100 + 1, "
                              "%1 + i % 100, 0.5, 10000, 0, 0, 0 FROM n")
                   .arg(day(2024, 1, 1)));

        ProgressWatch watch;
        int forms = 0;
        watch.shown = [&](TNorvaReportesProgressForm& form) {
            ++forms;
            QObject::connect(
                &form, &TNorvaReportesProgressForm::Stepping, &form, [&form, at](int position) {
                    if (position == at)
                        QCoreApplication::postEvent(
                            &form, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
                });
        };
        if (yes)
            boxes->answerYes();
        else
            boxes->answerNo();

        TReporteTransaccionesPendientes report(c.context(true, false, false));
        QVERIFY(report.BuildBankReportQuery(0, 0, QString(), 0, 0, QString(), false, QString()));
        bool finished = false;
        const PageStore store = pass(report, &finished);
        QCOMPARE(forms, 1);
        QCOMPARE(watch.captions, QStringList{"Leyendo... 0/10000"});
        QCOMPARE(finished, !yes);
        QCOMPARE(count(store, QStringLiteral("Cheque")), yes ? at : 10000);
        QCOMPARE(boxes->texts(),
                 at < 0 ? QStringList() : QStringList{QStringLiteral("Cancelar la impresión ?")});
        if (at >= 0) {
            QCOMPARE(boxes->calls.first().icon, platform::MessageBoxService::Icon::Confirmation);
            QCOMPARE(boxes->calls.first().buttons, platform::MessageBoxService::Buttons::YesNo);
        }
        QVERIFY(!report.Run.ProgressForm); // freed with the pass
    }

    // Failures show their message and cancel the pass.
    void failures() {
        Company c;
        c.account(QStringLiteral("0102-001"), 1000);
        const int t = c.transaction(QStringLiteral("0102-001"), QStringLiteral("Banco Uno"),
                                    QStringLiteral("B"), QStringLiteral("Alquiler"), 1);
        c.installment(t, 1, day(2024, 5, 10), 25);
        {
            ReportContext context = c.context(true, false, false);
            QTemporaryDir elsewhere; // no company table there
            context.workFolder = elsewhere.path() + QLatin1Char('/');
            TReporteTransaccionesPendientes report(context);
            report.BuildBankReportQuery(0, 0, QString(), 0, 0, QString(), false, QString());
            bool finished = true;
            pass(report, &finished);
            QVERIFY(!finished);
            QCOMPARE(boxes->texts(),
                     QStringList{"Error de ejecución al obtener datos de la empresa."});
        }
        boxes->clear();
        {
            // The balance table goes away during the run: the grouped statement fails.
            TReporteTransaccionesPendientes report(c.context(true, false, false));
            report.BuildBankReportQuery(0, 0, QString(), 0, 0, QString(), false, QString());
            report.Run.BankSumSql.replace(QStringLiteral("SFixed"), QStringLiteral("SFijo"));
            bool finished = true;
            const PageStore store = pass(report, &finished);
            QVERIFY(!finished);
            QCOMPARE(boxes->texts(),
                     QStringList{"Error de Consulta al obtener datos de la Tabla."});
            QVERIFY(hasLine(store, {"Total Transacciones : 1", amount(25)}));
            QVERIFY(!report.Run.ProgressForm);
        }
    }
};

QTEST_MAIN(TstReports)
#include "tst_reports.moc"
