#include "accounts/AccountsFixture.h"
#include "bank/BankPages.h"
#include "controls/AccessibleNames.h"
#include "controls/HeaderSections.h"
#include "controls/ListPainting.h"
#include "controls/PaintedTexts.h"
#include "controls/RowTexts.h"
#include "controls/TNorvaDateEdit.h"
#include "controls/TNorvaList.h"
#include "notice/NoticeFixture.h"
#include "support/FakeSound.h"
#include "support/RecordingMessageBox.h"
#include "support/SetClock.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace controls;
using Form = shell::Tm3TransaccionesPendientesForm;
namespace dt = core::dt;

Q_DECLARE_METATYPE(QList<QRect>)
Q_DECLARE_METATYPE(std::vector<controls::PaintedRun>)

namespace {

struct Installment : ListRecord {
    int giro = 0;
    double fecha = 0;
    double hora = 0;
    core::Currency monto;
};

struct Document : ListRecord {
    QString numero, descripcion;
    int tipo = 1;
    double vence = 0;
    core::Currency saldo;
};

enum class RowKind { Grid, TwoLine, Card };

// A list painted as one of the windows paints its rows.
struct PaintedList {
    QWidget page;
    HeaderSections* header = new HeaderSections(&page);
    TNorvaList* list = new TNorvaList(&page);

    explicit PaintedList(RowKind kind) {
        page.resize(340, 200);
        header->setGeometry(2, 0, 336, 20);
        list->setGeometry(2, 20, 336, 178);
        list->FollowHeader(header);
        if (kind == RowKind::Grid) {
            // The last column is hidden: its text is painted nowhere.
            header->SetSections({{QStringLiteral("Cuota #"), 50},
                                 {QStringLiteral("Fecha Pago"), 80},
                                 {QStringLiteral("Hora"), 75},
                                 {QStringLiteral("Monto Cuota"), 110},
                                 {QStringLiteral("Oculta"), 0}});
            list->SetOnDrawItem([this](QPainter& p, TNorvaList& l, int index, const QRect& rect,
                                       bool selected) {
                QRect cell = DrawListRow(p, l, index, rect, selected, *header, QColor(GridText));
                const auto* g = l.RecordAs<Installment>(index);
                if (!g)
                    return;
                const QColor none;
                DrawListCell(p, *header, l, selected, none, false, false, 0,
                             QString::number(g->giro), cell);
                DrawListCell(p, *header, l, selected, none, false, false, 1, DateTimeText(g->fecha),
                             cell);
                DrawListCell(p, *header, l, selected, none, false, false, 2, GridTimeText(g->hora),
                             cell);
                DrawListCell(p, *header, l, selected, none, false, true, 3,
                             GridAmountText(g->monto), cell);
                DrawListCell(p, *header, l, selected, none, false, false, 4,
                             QStringLiteral("nunca"), cell);
            });
        } else if (kind == RowKind::TwoLine) {
            list->SetItemHeight(30);
            header->SetSections({{QString(), 67}, {QString(), 168}, {QString(), 80}});
            list->SetOnDrawItem(
                [this](QPainter& p, TNorvaList& l, int index, const QRect& rect, bool selected) {
                    const auto* c = l.RecordAs<Document>(index);
                    TwoLineTexts texts;
                    if (c) {
                        texts.dueDate = ShortDateText(c->vence);
                        texts.number = c->numero;
                        texts.party = c->descripcion;
                        texts.typeName = DocumentTypeName(c->tipo);
                        texts.amount = GridAmountText(c->saldo);
                    }
                    DrawTwoLineRow(p, l, index, rect, selected, *header, c ? &texts : nullptr);
                });
        } else {
            list->SetItemHeight(43);
            list->SetOnDrawItem([](QPainter& p, TNorvaList& l, int index, const QRect& rect, bool) {
                const auto* c = l.RecordAs<Document>(index);
                if (!c)
                    return;
                DrawNoticeCard(p, rect, c->descripcion, nullptr, l,
                               QStringLiteral("Monto: ") + CardAmountText(c->saldo));
            });
        }
        page.show();
    }
};

// What a screen reader reads for row `row` of a list.
QString rowName(QWidget* list, int row) {
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(list);
    if (!view || !view->tableInterface())
        return QStringLiteral("<no table>");
    QAccessibleInterface* cell = view->tableInterface()->cellAt(row, 0);
    return cell ? cell->text(QAccessible::Name) : QStringLiteral("<no cell>");
}

QString nameOf(QWidget* w) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// The text of the label that labels `w` (its label relation), "" when none.
QString labelOf(QWidget* w) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    if (!iface)
        return QString();
    const auto labels = iface->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

bool isInput(const QWidget* w) {
    if (qobject_cast<const QLineEdit*>(w))
        return !qobject_cast<const QComboBox*>(w->parentWidget()) &&
               !qobject_cast<const QAbstractSpinBox*>(w->parentWidget());
    return qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w);
}

} // namespace

class TstAccessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { banktest::useSpanishFormats(); }

    void captionName_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::newRow("colon") << "Beneficiario:"
                               << "Beneficiario";
        QTest::newRow("mnemonic") << "S&iguiente"
                                  << "Siguiente";
        QTest::newRow("literal ampersand") << "Ruta && nombre:"
                                           << "Ruta & nombre";
        QTest::newRow("blanks run together") << "Refrescar datos cada            Hora(s)."
                                             << "Refrescar datos cada Hora(s)";
        QTest::newRow("dot leaders") << "Desactivar sonido de aviso......   "
                                     << "Desactivar sonido de aviso";
        QTest::newRow("leading blank") << " Nueva Transacción"
                                       << "Nueva Transacción";
        QTest::newRow("only marks") << " &: "
                                    << "";
    }
    void captionName() {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QCOMPARE(CaptionName(text), name);
    }

    void nameFromObjectName_data() {
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("name");
        QTest::newRow("picture button") << "BBuscarSonido006"
                                        << "Buscar Sonido";
        QTest::newRow("one-letter prefix") << "CBanco"
                                           << "Banco";
        QTest::newRow("two words") << "EFechaDesde"
                                   << "Fecha Desde";
        QTest::newRow("lower-case start") << "fcImageBtn1"
                                          << "Fc Image Btn";
        QTest::newRow("capitals only") << "OK_2"
                                       << "OK";
        QTest::newRow("digits only") << "007"
                                     << "";
    }
    void nameFromObjectName() {
        QFETCH(QString, objectName);
        QFETCH(QString, name);
        QCOMPARE(NameFromObjectName(objectName), name);
    }

    // Fields at (77,15) 245x21 unless said; labels as the bank pages lay them.
    void captionIndex_data() {
        QTest::addColumn<QRect>("field");
        QTest::addColumn<QList<QRect>>("captions");
        QTest::addColumn<int>("index");
        const QRect field(77, 15, 245, 21);
        QTest::newRow("left on the row") << field << QList<QRect>{QRect(5, 17, 68, 17)} << 0;
        QTest::newRow("nearest on the left")
            << QRect(246, 54, 90, 21) << QList<QRect>{QRect(8, 57, 70, 17), QRect(178, 57, 66, 17)}
            << 1;
        QTest::newRow("left beats above")
            << field << QList<QRect>{QRect(77, 0, 100, 14), QRect(5, 17, 68, 17)} << 1;
        QTest::newRow("another row") << field << QList<QRect>{QRect(5, 44, 68, 17)} << -1;
        QTest::newRow("on the right")
            << QRect(5, 15, 60, 21) << QList<QRect>{QRect(77, 17, 68, 17)} << -1;
        QTest::newRow("just above")
            << QRect(10, 239, 280, 21) << QList<QRect>{QRect(10, 222, 150, 15)} << 0;
        QTest::newRow("too far above")
            << QRect(10, 239, 280, 21) << QList<QRect>{QRect(10, 200, 150, 15)} << -1;
        QTest::newRow("above, not across")
            << QRect(200, 239, 80, 21) << QList<QRect>{QRect(10, 222, 150, 15)} << -1;
        QTest::newRow("field over the blanks of its caption")
            << QRect(120, 109, 40, 21)
            << QList<QRect>{QRect(10, 80, 260, 15), QRect(10, 112, 200, 15)} << 1;
        QTest::newRow("a caption under the field is none")
            << QRect(50, 23, 230, 21) << QList<QRect>{QRect(8, 26, 40, 17), QRect(150, 26, 36, 17)}
            << 0;
    }
    void captionIndex() {
        QFETCH(QRect, field);
        QFETCH(QList<QRect>, captions);
        QFETCH(int, index);
        QCOMPARE(CaptionIndex(field, captions), index);
    }

    // The captions over the two-line rows: both rows of them, read in order;
    // the page's title further up is not one of them.
    void headingIndexes() {
        const QRect list(2, 86, 336, 240);
        const QList<QRect> captions{QRect(0, 0, 340, 20),   QRect(6, 70, 60, 14),
                                    QRect(6, 56, 60, 14),   QRect(68, 56, 160, 14),
                                    QRect(68, 70, 160, 14), QRect(237, 56, 60, 14)};
        QCOMPARE(HeadingIndexes(list, captions), (QList<int>{2, 3, 5, 1, 4}));
        QCOMPARE(HeadingIndexes(QRect(2, 186, 336, 40), captions), QList<int>());
    }

    void readPaintedRuns_data() {
        QTest::addColumn<std::vector<PaintedRun>>("runs");
        QTest::addColumn<QString>("text");
        QTest::newRow("cells in column order")
            << std::vector<PaintedRun>{{{140, 12}, 30, QStringLiteral("B")},
                                       {{2, 12}, 20, QStringLiteral("A")},
                                       {{300, 12}, 40, QStringLiteral("   1.234,56")}}
            << "A, B, 1.234,56";
        QTest::newRow("one text in two scripts")
            << std::vector<PaintedRun>{{{2, 12}, 25.5, QStringLiteral("Pago ")},
                                       {{27.5, 12}, 20, QStringLiteral("Ωmega")},
                                       {{80, 12}, 20, QStringLiteral("NP")}}
            << "Pago Ωmega, NP";
        QTest::newRow("two lines, blanks dropped")
            << std::vector<PaintedRun>{{{0, 31}, 30, QStringLiteral("Monto: 5,00")},
                                       {{0, 14}, 30, QStringLiteral("Alquiler")},
                                       {{60, 31}, 10, QStringLiteral("  ")}}
            << "Alquiler\nMonto: 5,00";
        QTest::newRow("nothing") << std::vector<PaintedRun>{} << "";
    }
    void readPaintedRuns() {
        QFETCH(std::vector<PaintedRun>, runs);
        QFETCH(QString, text);
        QCOMPARE(ReadPaintedRuns(runs), text);
    }

    // A row reads as what it paints, through the list's accessible cells; its
    // item text stays empty and the empty list's "$" is not read aloud.
    void rowReadsWhatItPaints_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("grid row") << int(RowKind::Grid) << "7, 05/03/2024, 08:30 AM, 1.234,56";
        QTest::newRow("two-line row")
            << int(RowKind::TwoLine) << "05/03/2024, Cliente Uno, 1.234,56\n0001, Factura";
        QTest::newRow("notice card") << int(RowKind::Card) << "Cliente Uno\nMonto: 1.234,56";
    }
    void rowReadsWhatItPaints() {
        QFETCH(int, kind);
        QFETCH(QString, text);
        PaintedList painted{RowKind(kind)};
        TNorvaList* list = painted.list;
        const RecordListModel& model = list->Model();
        list->ShowPlaceholder();
        QCOMPARE(model.data(model.index(0), Qt::AccessibleTextRole).toString(),
                 QStringLiteral(" "));
        // (Read through the accessible table only once the rows are in: with no
        // screen reader listening, the table is not told of model changes.)
        list->Clear();

        if (RowKind(kind) == RowKind::Grid) {
            auto g = std::make_shared<Installment>();
            g->giro = 7;
            g->fecha = dt::encodeDate(2024, 3, 5);
            g->hora = dt::encodeTime(8, 30);
            g->monto = core::Currency::fromDouble(1234.56);
            list->AddRecord(g);
        } else {
            auto c = std::make_shared<Document>();
            c->numero = QStringLiteral("0001");
            c->descripcion = QStringLiteral("Cliente Uno");
            c->vence = dt::encodeDate(2024, 3, 5);
            c->saldo = core::Currency::fromDouble(1234.56);
            list->AddRecord(c);
        }
        list->AddRecord(nullptr); // a row of another kind paints no text
        list->SetItemIndex(0);
        QCOMPARE(rowName(list, 0), text);
        QCOMPARE(model.data(model.index(0), Qt::AccessibleTextRole).toString(), text);
        QCOMPARE(model.data(model.index(0), Qt::DisplayRole).toString(), QString());
        QCOMPARE(list->ItemText(0), QString());
        QCOMPARE(rowName(list, 1), QStringLiteral(" "));
    }

    // Every enabled input of the module window (its pages, the configuration
    // page and the new-transaction page among them) and of the notice window
    // has a name, and none is named after another input's caption by mistake.
    void everyInputIsNamed() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        RecordingMessageBox boxes;
        banktest::Program p;
        int inputs = 0;
        for (QWidget* window : {static_cast<QWidget*>(&p.module), static_cast<QWidget*>(&p.notice)})
            for (QWidget* w : window->findChildren<QWidget*>()) {
                if (w->window() != window || !isInput(w) || !w->isEnabled())
                    continue;
                ++inputs;
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
                // Drop-downs read their chosen text as their name on this
                // platform and their caption through their label, when they
                // have one; the others read the caption.
                if (!qobject_cast<QComboBox*>(w))
                    QCOMPARE(nameOf(w), w->accessibleName());
                else if (!labelOf(w).isEmpty())
                    QCOMPARE(CaptionName(labelOf(w)), w->accessibleName());
            }
        QVERIFY(inputs > 25);
    }

    void namedControls_data() {
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("name");
        // The new-transaction page.
        QTest::newRow("beneficiary") << "CBeneficiarios"
                                     << "Beneficiario";
        QTest::newRow("total") << "EMonto"
                               << "Monto Total";
        QTest::newRow("count") << "EGiros"
                               << "Nro. Cuotas";
        QTest::newRow("period") << "CBPeriodos"
                                << "Períodos";
        QTest::newRow("time, second part") << "CHoraampm"
                                           << "Hora Aviso";
        QTest::newRow("bank selector") << "CBanco"
                                       << "Banco";
        // The search line of the date page.
        QTest::newRow("to date") << "EFechaHasta"
                                 << "Hasta";
        // The configuration page: fields inside their captions, check boxes
        // without their dot leaders, a picture button named by the page.
        QTest::newRow("inside the caption") << "ERefrescarDatos"
                                            << "Refrescar datos cada Hora(s)";
        QTest::newRow("unit after the field") << "ComboBMinHora"
                                              << "Tiempo de espera";
        QTest::newRow("below the caption") << "EPathSonido"
                                           << "Ruta del archivo de sonido";
        QTest::newRow("check box") << "CDesactivarSonido"
                                   << "Desactivar sonido de aviso";
        QTest::newRow("own name kept") << "BBuscarSonido006"
                                       << "Buscar archivo de sonido";
        // The lists: by the header above them.
        QTest::newRow("bank list") << "NorvaListTransPendiente"
                                   << "Descripcion, Beneficiario, # Cuotas";
        QTest::newRow("installments") << "NorvaListGiros"
                                      << "Cuota #, Fecha Pago, Hora, Monto Cuota";
    }
    void namedControls() {
        QFETCH(QString, objectName);
        QFETCH(QString, name);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        RecordingMessageBox boxes;
        banktest::Program p;
        auto* w = p.module.findChild<QWidget*>(objectName);
        QVERIFY(w);
        QCOMPARE(w->accessibleName(), name);
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            // A drop-down's caption reaches the screen reader as its label.
            QCOMPARE(CaptionName(labelOf(combo)), name);
            if (combo->lineEdit())
                QCOMPARE(combo->lineEdit()->accessibleName(), name);
        } else {
            QCOMPARE(nameOf(w), name);
        }
    }

    // The search line's caption says "Banco" on the bank page and "Desde:" on
    // the date page; the selector of the accounts page serves customers and
    // suppliers. The names follow the captions by the time the field has the
    // focus or its caption is painted.
    void namesFollowTheirCaptions() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        RecordingMessageBox boxes;
        banktest::Program p;
        QWidget* from = p.module.EFechaDesde;
        QCOMPARE(from->accessibleName(), QStringLiteral("Banco")); // as laid out

        bank::PendingPage& page = banktest::openDatePage(p);
        QCOMPARE(page.LBusqueda->text(), QStringLiteral("Desde:"));
        QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(from, &focusIn);
        QCOMPARE(from->accessibleName(), QStringLiteral("Desde"));

        page.LBusqueda->setText(QStringLiteral("Fecha:"));
        page.LBusqueda->repaint();
        QCOMPARE(from->accessibleName(), QStringLiteral("Fecha"));

        banktest::openBankPage(p);
        page.LBusqueda->repaint();
        QCOMPARE(p.module.CBanco->accessibleName(), QStringLiteral("Banco"));

        // A name the window sets itself is its own from then on.
        p.module.CBanco->setAccessibleName(QStringLiteral("Banco de la cuenta"));
        controls::RefreshAccessibleNames(&p.module);
        QCOMPARE(p.module.CBanco->accessibleName(), QStringLiteral("Banco de la cuenta"));
    }

    // One caption serves the customer and the supplier selectors, which
    // take turns on the same spot: the one showing has it as name and label.
    void sharedCaptionServesTheShowingSelector() {
        RecordingMessageBox boxes;
        accountstest::Program p;
        Form& m = *p.module;
        p.openPage(accountstest::Payables);
        QCOMPARE(m.CProveedores->accessibleName(), QStringLiteral("Proveedores"));
        QCOMPARE(labelOf(m.CProveedores), QStringLiteral("Proveedores:"));
        QCOMPARE(labelOf(m.CClientes), QString());
        p.openPage(accountstest::Receivables);
        QCOMPARE(m.CClientes->accessibleName(), QStringLiteral("Clientes"));
        QCOMPARE(labelOf(m.CClientes), QStringLiteral("Clientes:"));
        QCOMPARE(labelOf(m.CProveedores), QString());
    }

    // The demo company's bank list reads its transactions cell by cell.
    void windowRowsReadTheirCells() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        RecordingMessageBox boxes;
        banktest::Program p;
        bank::PendingPage& page = banktest::openBankPage(p);
        banktest::chooseBank(p.module.CBanco, 0);
        TNorvaList* list = page.NorvaListTransPendiente;
        QVERIFY(list->Count() > 0);
        const auto* t = list->RecordAs<bank::TTransReg>(0);
        QVERIFY(t);
        QCOMPARE(rowName(list, 0),
                 QStringList({t->Descripcion, t->Beneficiario, QString::number(t->NroGiros)})
                     .join(QStringLiteral(", ")));
        QCOMPARE(list->ItemText(0), QString());
    }

    // A notice card reads its two lines; the list is named by the title bar
    // above it, and the name follows the title.
    void noticeCardReadsItsLines() {
        noticetest::useFormats();
        SetClock clock{2026, 3, 9, 9, 0};
        CompanyFixture company{CompanyFixture::Kind::Empty};
        noticetest::writeSettings(company, {});
        const qint64 t = noticetest::addTransaction(company, QStringLiteral("Alquiler"));
        noticetest::addInstallment(company, t,
                                   {2, clock.today(), dt::encodeTime(8, 0), 1000.0, 0, 0, false});
        FakeSound sound;
        RecordingMessageBox boxes;
        noticetest::Program p;
        p.module.TimerEsperaTimer();
        p.notice.Timer2Timer();
        TNorvaList* list = p.notice.NorvaListAvisoPen;
        QVERIFY(list->isVisible());
        list->grab(); // painting the cards sets the title
        p.notice.LTitulo->grab();
        QCOMPARE(rowName(list, 0), QStringLiteral("Alquiler - Cuota #2\nMonto: 1.000,00"));
        QCOMPARE(list->ItemText(0), QString());
        QCOMPARE(list->accessibleName(), CaptionName(p.notice.LTitulo->text()));
        QVERIFY(list->accessibleName().startsWith(QStringLiteral("Oper.: 1")));
    }
};

QTEST_MAIN(TstAccessibility)
#include "tst_accessibility.moc"
