#include "accounts/BrowseRules.h"
#include "core/Formats.h"
#include "data/Query.h"
#include "support/CompanyFixture.h"
#include "support/SetClock.h"

#include <QTest>
#include <memory>

using namespace accounts;
using core::Currency;

Q_DECLARE_METATYPE(accounts::BrowseMode)
Q_DECLARE_METATYPE(accounts::DateCondition)

namespace {

const DocumentKind& kindOf(bool receivables) {
    return receivables ? ReceivableDocuments() : PayableDocuments();
}

const double Today = core::dt::encodeDate(2026, 5, 10);

using TypedBalances = QList<QPair<int, qint64>>; // type, ten-thousandths

} // namespace

class TstBrowseRules : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        m_demo = std::make_unique<CompanyFixture>(CompanyFixture::Kind::Demo, Today);
    }
    void cleanupTestCase() { m_demo.reset(); }

    void dateCondition_data() {
        QTest::addColumn<bool>("from");
        QTest::addColumn<bool>("to");
        QTest::addColumn<DateCondition>("condition");
        QTest::newRow("both empty") << false << false << DateCondition::None;
        QTest::newRow("from only") << true << false << DateCondition::FromOnward;
        QTest::newRow("to only") << false << true << DateCondition::Between;
        QTest::newRow("both") << true << true << DateCondition::Between;
    }
    void dateCondition() {
        QFETCH(bool, from);
        QFETCH(bool, to);
        QFETCH(DateCondition, condition);
        QCOMPARE(BrowseDateCondition(from, to), condition);
    }

    // The statements, text for text.
    void statements_data() {
        QTest::addColumn<bool>("receivables");
        QTest::addColumn<BrowseMode>("mode");
        QTest::addColumn<DateCondition>("dates");
        QTest::addColumn<int>("typeIndex");
        QTest::addColumn<QString>("tail"); // after the SELECT and FROM texts
        const BrowseMode one = BrowseMode::OneParty;
        const BrowseMode all = BrowseMode::AllParties;
        QTest::newRow("customer, both dates, Todas")
            << true << one << DateCondition::Between << 0
            << QStringLiteral(" AND (FC_DESCRIPCION = :Cliente)  AND (FCC_FECHAVENCIMIENTO BETWEEN "
                              ":FechaDesde and :FechaHasta)  AND FCC_TIPOTRANSACCION IN (1 , 2 , 3 "
                              ", 5 , 7) ORDER BY FCC_FECHAVENCIMIENTO ASC");
        QTest::newRow("supplier, from only, N/DP")
            << false << one << DateCondition::FromOnward << 4
            << QStringLiteral(" AND (FP_DESCRIPCION = :Proveedor)  AND (FCP_FECHAVENCIMIENTO >= "
                              ":FechaDesde)  AND (FCP_TIPOTRANSACCION = 8) ORDER BY "
                              "FCP_FECHAVENCIMIENTO ASC");
        QTest::newRow("customer, no dates, N/CP")
            << true << one << DateCondition::None << 4
            << QStringLiteral(" AND (FC_DESCRIPCION = :Cliente)  AND (FCC_TIPOTRANSACCION = 7) "
                              "ORDER BY FCC_FECHAVENCIMIENTO ASC");
        QTest::newRow("customer, Facturas")
            << true << one << DateCondition::None << 1
            << QStringLiteral(" AND (FC_DESCRIPCION = :Cliente)  AND (FCC_TIPOTRANSACCION = 1) "
                              "ORDER BY FCC_FECHAVENCIMIENTO ASC");
        QTest::newRow("customer, N/D")
            << true << one << DateCondition::None << 2
            << QStringLiteral(" AND (FC_DESCRIPCION = :Cliente)  AND (FCC_TIPOTRANSACCION = 2) "
                              "ORDER BY FCC_FECHAVENCIMIENTO ASC");
        QTest::newRow("supplier, N/C")
            << false << one << DateCondition::None << 3
            << QStringLiteral(" AND (FP_DESCRIPCION = :Proveedor)  AND (FCP_TIPOTRANSACCION = 5) "
                              "ORDER BY FCP_FECHAVENCIMIENTO ASC");
        QTest::newRow("all receivables, Giros")
            << true << all << DateCondition::None << 5
            << QStringLiteral(" AND (FCC_TIPOTRANSACCION = 3) ORDER BY FC_DESCRIPCION, "
                              "FCC_FECHAVENCIMIENTO ASC");
        QTest::newRow("all payables, both dates, Todas")
            << false << all << DateCondition::Between << 0
            << QStringLiteral(" AND (FCP_FECHAVENCIMIENTO BETWEEN :FechaDesde and :FechaHasta)  "
                              "AND FCP_TIPOTRANSACCION IN (1 , 2 , 3 , 5 , 8) ORDER BY "
                              "FP_DESCRIPCION, FCP_FECHAVENCIMIENTO ASC");
        // No entry chosen reads as "Todas": no other type is ever read.
        QTest::newRow("all payables, no entry")
            << false << all << DateCondition::None << -1
            << QStringLiteral(" AND FCP_TIPOTRANSACCION IN (1 , 2 , 3 , 5 , 8) ORDER BY "
                              "FP_DESCRIPCION, FCP_FECHAVENCIMIENTO ASC");
    }
    void statements() {
        QFETCH(bool, receivables);
        QFETCH(BrowseMode, mode);
        QFETCH(DateCondition, dates);
        QFETCH(int, typeIndex);
        QFETCH(QString, tail);
        const DocumentKind& kind = kindOf(receivables);
        const QString fixed =
            receivables ? QStringLiteral("SELECT FCC_CODIGO, FCC_NUMERO, FCC_SALDODOCUMENTO, "
                                         "FCC_FECHAEMISION, FCC_FECHAVENCIMIENTO, "
                                         "FCC_TIPOTRANSACCION, FCC_DESCRIPCIONMOV, "
                                         "FC_DESCRIPCION, FC_TELEFONO, FC_DIRECCION1 FROM "
                                         "SCuentasxcobrar, SClientes WHERE "
                                         "(FCC_SALDODOCUMENTO > 0) AND (FCC_CODIGO = "
                                         "FC_CODIGO) ")
                        : QStringLiteral("SELECT FCP_CODIGO, FCP_NUMERO, FCP_SALDODOCUMENTO, "
                                         "FCP_FECHAEMISION, FCP_FECHAVENCIMIENTO, "
                                         "FCP_TIPOTRANSACCION, FCP_DESCRIPCIONMOV, "
                                         "FP_DESCRIPCION, FP_TELEFONO, FP_DIRECCION1 FROM "
                                         "SCuentasxpagar, Sproveedor WHERE "
                                         "(FCP_SALDODOCUMENTO > 0) AND (FCP_CODIGO = "
                                         "FP_CODIGO) ");
        QCOMPARE(BrowseStatement(kind, mode, dates, typeIndex), fixed + tail);
    }

    void messages() {
        QCOMPARE(BrowseError(ReceivableDocuments()),
                 QStringLiteral("Error de Consulta al obtener datos de la Tabla SCuentasxCobrar."));
        QCOMPARE(BrowseError(PayableDocuments()),
                 QStringLiteral("Error de Consulta al obtener datos de la Tabla SCuentasxPagar."));
    }

    // Which codes add to which side, and which side each label shows.
    void totals_data() {
        QTest::addColumn<bool>("receivables");
        QTest::addColumn<TypedBalances>("documents");
        QTest::addColumn<qint64>("debit");
        QTest::addColumn<qint64>("credit");
        QTest::addColumn<qint64>("balance");
        const TypedBalances three{{1, 1000000}, {2, 200000}, {5, 300000}};
        QTest::newRow("customer: invoice, debit note, credit note")
            << true << three << qint64(1200000) << qint64(300000) << qint64(900000);
        QTest::newRow("supplier: invoice, debit note, credit note")
            << false << three << qint64(200000) << qint64(1300000) << qint64(1100000);
        QTest::newRow("customer: draft and pending credit note")
            << true << TypedBalances{{3, 50000}, {7, 80000}} << qint64(50000) << qint64(80000)
            << qint64(-30000);
        QTest::newRow("supplier: draft and pending debit note")
            << false << TypedBalances{{3, 50000}, {8, 80000}} << qint64(80000) << qint64(50000)
            << qint64(-30000);
        QTest::newRow("customer: types of neither side")
            << true << TypedBalances{{4, 1}, {6, 1}, {8, 1}} << qint64(0) << qint64(0) << qint64(0);
        QTest::newRow("supplier: types of neither side")
            << false << TypedBalances{{4, 1}, {6, 1}, {7, 1}} << qint64(0) << qint64(0)
            << qint64(0);
    }
    void totals() {
        QFETCH(bool, receivables);
        QFETCH(TypedBalances, documents);
        QFETCH(qint64, debit);
        QFETCH(qint64, credit);
        QFETCH(qint64, balance);
        const DocumentKind& kind = kindOf(receivables);
        DocumentTotals t;
        for (const auto& [type, raw] : documents)
            t.Add(kind, type, Currency::fromRaw(raw));
        QCOMPARE(t.Debit(kind).raw(), debit);
        QCOMPARE(t.Credit(kind).raw(), credit);
        QCOMPARE(t.DocumentBalance().raw(), balance);
    }

    // The statements run on real tables: one party's documents, two customers
    // of the same name listed together, the date conditions and the filter.
    void statementsOnTheDemoCompany_data() {
        QTest::addColumn<bool>("receivables");
        QTest::addColumn<BrowseMode>("mode");
        QTest::addColumn<QString>("party");
        QTest::addColumn<int>("fromOffset"); // days from today; 0: empty edit
        QTest::addColumn<int>("toOffset");
        QTest::addColumn<bool>("hasFrom");
        QTest::addColumn<bool>("hasTo");
        QTest::addColumn<int>("typeIndex");
        QTest::addColumn<QStringList>("numbers");
        const BrowseMode one = BrowseMode::OneParty;
        const BrowseMode all = BrowseMode::AllParties;
        const QString andes = QStringLiteral("Comercial Los Andes, C.A.");
        QTest::newRow("same-named customers, no dates")
            << true << one << andes << 0 << 0 << false << false << 0
            << QStringList{"000120", "000121", "000122"};
        QTest::newRow("up to today, however old") << true << one << andes << 0 << 0 << false << true
                                                  << 0 << QStringList{"000120", "000121"};
        QTest::newRow("from 5 days ago on") << true << one << andes << -5 << 0 << true << false << 0
                                            << QStringList{"000121", "000122"};
        QTest::newRow("between") << true << one << andes << -20 << -10 << true << true << 0
                                 << QStringList{"000120"};
        QTest::newRow("N/D") << true << one << andes << 0 << 0 << false << false << 2
                             << QStringList{"000121"};
        QTest::newRow("customer N/CP") << true << one << QStringLiteral("Panadería San José") << 0
                                       << 0 << false << false << 4 << QStringList{"000130"};
        QTest::newRow("supplier N/DP")
            << false << one << QStringLiteral("Transporte Rápido Oriente") << 0 << 0 << false
            << false << 4 << QStringList{"TRO-890"};
        QTest::newRow("supplier N/C") << false << one << QStringLiteral("Transporte Rápido Oriente")
                                      << 0 << 0 << false << false << 3 << QStringList{"TRO-889"};
        QTest::newRow("no party chosen")
            << true << one << QString() << 0 << 0 << false << false << 0 << QStringList{};
        QTest::newRow("all customers, Giros")
            << true << all << QString() << 0 << 0 << false << false << 5 << QStringList{"000102"};
        QTest::newRow("all suppliers, Todas, by name then due date")
            << false << all << QString() << 0 << 0 << false << false << 0
            << QStringList{"A-55120", "A-55180", "PG-1020", "PG-1033",
                           "SIL-305", "TRO-889", "TRO-890"};
    }
    void statementsOnTheDemoCompany() {
        QFETCH(bool, receivables);
        QFETCH(BrowseMode, mode);
        QFETCH(QString, party);
        QFETCH(int, fromOffset);
        QFETCH(int, toOffset);
        QFETCH(bool, hasFrom);
        QFETCH(bool, hasTo);
        QFETCH(int, typeIndex);
        QFETCH(QStringList, numbers);
        const double today = Today;
        SetClock clock(today);
        const CompanyFixture& company = *m_demo;
        const DocumentKind& kind = kindOf(receivables);
        const DateCondition dates = BrowseDateCondition(hasFrom, hasTo);
        data::Query query;
        query.setDatabaseName(company.dataFolder());
        query.addSql(BrowseStatement(kind, mode, dates, typeIndex));
        if (dates != DateCondition::None)
            query.setParamDate(QStringLiteral("FechaDesde"), hasFrom ? today + fromOffset : 0);
        if (dates == DateCondition::Between)
            query.setParamDate(QStringLiteral("FechaHasta"), today + toOffset);
        if (mode == BrowseMode::OneParty)
            query.setParamString(kind.partyParameter, party);
        query.open();
        QStringList found;
        for (; !query.eof(); query.next())
            found << query.fieldByName(kind.documentPrefix + QStringLiteral("_NUMERO")).asString();
        QCOMPARE(found, numbers);
    }

    // The saved state of a page in its six slots, written and read back under
    // the separators in force; an empty first slot is a page never searched.
    void savedState_data() {
        QTest::addColumn<QChar>("decimal");
        QTest::addColumn<int>("typeIndex");
        QTest::addColumn<qint64>("owed");
        QTest::addColumn<qint64>("reducing");
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("comma, both dates")
            << QChar(',') << 1 << qint64(1205000) << qint64(300000) << Today - 30 << Today
            << QStringList{"1", "120,5", "30", "90,5", "10/04/2026", "10/05/2026"};
        QTest::newRow("point, empty from-date, ten-thousandths")
            << QChar('.') << 5 << qint64(1) << qint64(123456789) << 0.0 << Today + 1
            << QStringList{"5", "0.0001", "12345.6789", "-12345.6788", "30/12/1899", "11/05/2026"};
        QTest::newRow("nothing found, no range")
            << QChar(',') << 0 << qint64(0) << qint64(0) << 0.0 << 0.0
            << QStringList{"0", "0", "0", "0", "30/12/1899", "30/12/1899"};
    }
    void savedState() {
        QFETCH(QChar, decimal);
        QFETCH(int, typeIndex);
        QFETCH(qint64, owed);
        QFETCH(qint64, reducing);
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(QStringList, texts);
        const core::Formats before = core::Formats::current();
        core::Formats f = before;
        f.decimalSeparator = decimal;
        f.thousandSeparator = decimal == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
        f.dateSeparator = QLatin1Char('/');
        core::Formats::setCurrent(f);

        QStringList memory(22);
        QVERIFY(!ReadBrowseMemory(memory, 10));
        BrowseMemory saved;
        saved.typeIndex = typeIndex;
        saved.totals.OwedTotal = Currency::fromRaw(owed);
        saved.totals.ReducingTotal = Currency::fromRaw(reducing);
        saved.from = from;
        saved.to = to;
        WriteBrowseMemory(memory, 10, saved);
        QCOMPARE(memory.mid(10, 6), texts);
        QCOMPARE(memory.mid(0, 10), QStringList(10));
        QCOMPARE(memory.mid(16), QStringList(6));

        const std::optional<BrowseMemory> back = ReadBrowseMemory(memory, 10);
        QVERIFY(back);
        QCOMPARE(back->typeIndex, typeIndex);
        QCOMPARE(back->totals.OwedTotal.raw(), owed);
        QCOMPARE(back->totals.ReducingTotal.raw(), reducing);
        QCOMPARE(back->totals.DocumentBalance().raw(), owed - reducing);
        QCOMPARE(back->from, from);
        QCOMPARE(back->to, to);
        core::Formats::setCurrent(before);
    }

    // Slots that do not read give an entry and amounts of 0 and empty dates;
    // a memory too short is left alone.
    void unreadableSlots() {
        QStringList memory{"x", "1,2,3", "", "", "32/13/2026", "abc"};
        const std::optional<BrowseMemory> back = ReadBrowseMemory(memory, 0);
        QVERIFY(back);
        QCOMPARE(back->typeIndex, 0);
        QCOMPARE(back->totals.OwedTotal.raw(), qint64(0));
        QCOMPARE(back->from, 0.0);
        QCOMPARE(back->to, 0.0);
        QStringList tooShort(20);
        WriteBrowseMemory(tooShort, 16, BrowseMemory());
        QCOMPARE(tooShort, QStringList(20));
    }

private:
    std::unique_ptr<CompanyFixture> m_demo;
};

QTEST_MAIN(TstBrowseRules)
#include "tst_browserules.moc"
