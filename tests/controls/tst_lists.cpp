#include "controls/HeaderSections.h"
#include "controls/ListPainting.h"
#include "controls/RowTexts.h"
#include "controls/TNorvaHorizontalList.h"
#include "controls/TNorvaList.h"
#include "core/Formats.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace controls;
namespace dt = core::dt;

namespace {

// Records of the kinds that the windows put in their lists.
struct Installment : ListRecord {
    int giro = 0;
    double fecha = 0;
    double hora = 0;
    core::Currency monto;
    bool paid = false;
};

struct Document : ListRecord {
    QString numero;
    QString descripcion;
    int tipo = 1;
    double vence = 0;
    core::Currency saldo;
};

const double Today = dt::encodeDate(2024, 3, 5);
const QRgb Highlight = 0x0A246A;

std::shared_ptr<Installment> installment(int giro, double fecha, bool paid = false) {
    auto record = std::make_shared<Installment>();
    record->giro = giro;
    record->fecha = fecha;
    record->hora = dt::encodeTime(14, 30);
    record->monto = core::Currency::fromRaw(12345650);
    record->paid = paid;
    return record;
}

std::vector<ListRecordPtr> installments(int count, double fecha) {
    std::vector<ListRecordPtr> records;
    records.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        records.push_back(installment(i + 1, fecha));
    return records;
}

std::vector<ListRecordPtr> documents(int count) {
    std::vector<ListRecordPtr> records;
    for (int i = 0; i < count; ++i) {
        auto doc = std::make_shared<Document>();
        doc->numero = QStringLiteral("F-%1").arg(i + 100);
        doc->descripcion = QStringLiteral("Comercial Andina");
        doc->tipo = 7;
        doc->vence = Today + i;
        doc->saldo = core::Currency::fromRaw(12345650);
        records.push_back(doc);
    }
    return records;
}

QFont testFont() {
    // Text without antialiasing is painted in the text colour only.
    QFont font = QApplication::font();
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// The installment grid of the bank browse and its draw-item handler, as the
// window writes it.
struct BankGrid {
    HeaderSections header;
    TNorvaList list;
    // Lines on the last pixel column of every section but the last.
    const QList<int> lines{19, 91, 144, 271, 314};

    explicit BankGrid(int rows) {
        header.SetSections({{QStringLiteral("#"), 20},
                            {QStringLiteral("Fecha"), 72},
                            {QStringLiteral("Hora"), 53},
                            {QStringLiteral("Monto"), 127},
                            {QStringLiteral("Status"), 43},
                            {QString(), 50}});
        list.SetItemHeight(15);
        list.setFont(testFont());
        list.resize(420, rows * 15);
        list.SetOnDrawItem(
            [this](QPainter& p, TNorvaList& l, int index, const QRect& rect, bool selected) {
                const Installment* giro = l.RecordAs<Installment>(index);
                const QColor text = giro && IsOverdueUnpaid(giro->fecha, giro->paid, Today)
                                        ? QColor(GridRed)
                                        : QColor(GridText);
                QRect cell = DrawListRow(p, l, index, rect, selected, header, text);
                if (!giro)
                    return;
                const QColor none;
                DrawListCell(p, header, l, selected, none, false, false, 0,
                             QString::number(giro->giro), cell);
                DrawListCell(p, header, l, selected, none, false, false, 1,
                             DateTimeText(giro->fecha), cell);
                DrawListCell(p, header, l, selected, none, false, false, 2,
                             GridTimeText(giro->hora), cell);
                DrawListCell(p, header, l, selected, none, false, true, 3,
                             GridAmountText(giro->monto), cell);
                DrawListCell(p, header, l, selected, none, false, false, 4, StatusText(giro->paid),
                             cell);
            });
    }
};

// The list's client area as painted.
QImage paint(TNorvaList& list) {
    list.show();
    QCoreApplication::processEvents();
    return list.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRgb at(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

// Pixels of the colour in the area, the column lines left out.
int count(const QImage& image, const QRect& area, QRgb colour, const QList<int>& lines = {}) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (!lines.contains(x) && at(image, x, y) == colour)
                ++n;
    return n;
}

QRect rowArea(const QImage& image, int row, int itemHeight = 15) {
    return QRect(0, row * itemHeight, image.width(), itemHeight);
}

QRgb stripe(int row) {
    return row % 2 == 0 ? GridGrey : GridWhite;
}

} // namespace

class TestLists : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QPalette palette = QApplication::palette();
        palette.setColor(QPalette::Base, Qt::white);
        palette.setColor(QPalette::Text, Qt::black);
        palette.setColor(QPalette::Highlight, QColor(Highlight));
        palette.setColor(QPalette::HighlightedText, Qt::white);
        QApplication::setPalette(palette);
        QCOMPARE(ActiveCaptionColor().rgb() & 0xFFFFFF, Highlight);
        core::Formats::setCurrent(core::Formats());
    }

    // Three items in a list with room for sixteen: items 0-2 striped with their
    // texts, rows 3-15 filler (4, 6, ..., 14 grey; 3, 5, ..., 15 white), a line on
    // the last pixel column of every section but the last, all the way down.
    void shortGrid() {
        BankGrid grid(16);
        grid.list.SetRecords(installments(3, Today + 1));
        const QImage image = paint(grid.list);
        QVERIFY(grid.list.verticalScrollBar()->isVisible());
        QVERIFY(!grid.list.horizontalScrollBar()->isVisible());
        QCOMPARE(image.height(), 240);
        QVERIFY(image.width() > 365);

        for (int row = 0; row < 16; ++row) {
            const QRect area = rowArea(image, row);
            const int pixels = area.width() * area.height();
            const int lineless = pixels - int(grid.lines.size()) * area.height();
            const int background = count(image, area, stripe(row), grid.lines);
            if (row < 3) {
                QCOMPARE(at(image, 1, area.top() + 7), stripe(row));
                QVERIFY2(count(image, area, GridText, grid.lines) > 0, "row text");
                QCOMPARE(background + count(image, area, GridText, grid.lines), lineless);
            } else {
                QCOMPARE(background, lineless);
            }
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x : grid.lines)
                    QCOMPARE(at(image, x, y), GridText);
        }
    }

    // The red rule and the selected row; a row whose object is not an installment
    // is an empty striped row.
    void selectionAndRedRule() {
        BankGrid grid(6);
        grid.list.SetRecords({installment(1, Today - 1),         // red
                              installment(2, Today),             // black
                              installment(3, Today - 366, true), // black
                              installment(4, Today - 1),         // red, but selected
                              std::make_shared<Document>()});    // not an installment
        QSignalSpy changed(&grid.list, &TNorvaList::ItemIndexChanged);
        paint(grid.list);
        QTest::mouseClick(grid.list.viewport(), Qt::LeftButton, {}, QPoint(300, 3 * 15 + 7));
        QCOMPARE(grid.list.ItemIndex(), 3);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().toInt(), 3);
        const QImage image = paint(grid.list);

        const QList<QRgb> background{GridGrey, GridWhite, GridGrey};
        const QList<bool> red{true, false, false};
        for (int row = 0; row < 3; ++row) {
            const QRect area = rowArea(image, row);
            QCOMPARE(at(image, 1, area.top() + 7), background[row]);
            QCOMPARE(count(image, area, GridRed, grid.lines) > 0, red[row]);
            QCOMPARE(count(image, area, GridText, grid.lines) > 0, !red[row]);
        }

        const QRect selected = rowArea(image, 3);
        const int lineless =
            selected.width() * selected.height() - int(grid.lines.size()) * selected.height();
        const int white = count(image, selected, GridWhite, grid.lines);
        QVERIFY2(white > 0, "white text");
        QCOMPARE(count(image, selected, Highlight, grid.lines) + white, lineless);
        QCOMPARE(at(image, 1, selected.top()), Highlight);
        QCOMPARE(at(image, image.width() - 1, selected.bottom()), Highlight);
        QCOMPARE(at(image, grid.lines.first(), selected.top()), GridText);

        const QRect other = rowArea(image, 4);
        QCOMPARE(count(image, other, GridGrey, grid.lines),
                 other.width() * other.height() - int(grid.lines.size()) * other.height());
    }

    // An empty list holds the placeholder, is disabled and shows the empty grid.
    void placeholder() {
        BankGrid grid(16);
        grid.list.SetRecords(installments(2, Today));
        grid.list.ShowPlaceholder();
        QCOMPARE(grid.list.Count(), 1);
        QCOMPARE(grid.list.ItemText(0), QStringLiteral("$"));
        QVERIFY(grid.list.RecordAt(0) == nullptr);
        QVERIFY(grid.list.IsPlaceholder());
        QVERIFY(!grid.list.isEnabled());

        const QImage image = paint(grid.list);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                QCOMPARE(at(image, x, y), grid.lines.contains(x) ? GridText : stripe(y / 15));

        // Filling the list replaces the placeholder and enables the list.
        grid.list.AddRecord(installment(1, Today));
        QCOMPARE(grid.list.Count(), 1);
        QVERIFY(!grid.list.IsPlaceholder());
        QVERIFY(grid.list.isEnabled());
        grid.list.ShowPlaceholder();
        grid.list.AddRecords(installments(2, Today));
        QCOMPARE(grid.list.Count(), 2);
        QVERIFY(grid.list.isEnabled());
        grid.list.ShowPlaceholder();
        grid.list.SetRecords(installments(3, Today));
        QCOMPARE(grid.list.Count(), 3);
        QVERIFY(grid.list.isEnabled());
        // Nothing to show: the placeholder again.
        grid.list.SetRecords({});
        QVERIFY(grid.list.IsPlaceholder());
        QVERIFY(!grid.list.isEnabled());
    }

    // The two-line document rows (30 pixels, columns from a hidden header) in a
    // list with room for ten rows.
    void twoLineRows_data() {
        QTest::addColumn<int>("documents");
        QTest::newRow("placeholder") << 0;
        QTest::newRow("three") << 3;
        QTest::newRow("seven") << 7;
        QTest::newRow("eight") << 8;
    }
    void twoLineRows() {
        QFETCH(int, documents);
        HeaderSections header; // never shown
        header.SetSections({{QString(), 67}, {QString(), 168}, {QString(), 80}});
        const QList<int> lines{66, 234};
        TNorvaList list;
        list.SetItemHeight(30);
        list.setFont(testFont());
        list.resize(420, 300);
        list.SetOnDrawItem(
            [&](QPainter& p, TNorvaList& l, int index, const QRect& rect, bool selected) {
                TwoLineTexts texts;
                const Document* doc = l.RecordAs<Document>(index);
                if (doc) {
                    texts.dueDate = ShortDateText(doc->vence);
                    texts.number = doc->numero;
                    texts.party = doc->descripcion;
                    texts.typeName = DocumentTypeName(doc->tipo);
                    texts.amount = GridAmountText(doc->saldo);
                }
                DrawTwoLineRow(p, l, index, rect, selected, header, doc ? &texts : nullptr);
            });
        if (documents == 0)
            list.ShowPlaceholder();
        else
            list.SetRecords(::documents(documents));
        const QImage image = paint(list);
        QCOMPARE(image.height(), 300);

        const bool halves = documents < 8;
        for (int row = 0; row < 10; ++row) {
            // The first and last pixel rows of both bands, and their middles.
            for (int offset : {0, 7, 14, 15, 22, 29}) {
                const int y = row * 30 + offset;
                const QRgb band = offset < 15 ? GridGrey : GridWhite;
                if (row < documents) {
                    QCOMPARE(at(image, 1, y), band);
                    QCOMPARE(at(image, 330, y), stripe(row));
                } else {
                    for (int x : {1, 100, 330})
                        QCOMPARE(at(image, x, y), halves ? band : stripe(row));
                }
            }
        }
        for (int y = 0; y < 300; ++y) {
            QCOMPARE(at(image, 66, y), GridText);
            QCOMPARE(at(image, 234, y), GridText);
            QVERIFY(at(image, 314, y) != GridText);
        }
        if (documents == 0)
            return;

        // The six cells of the first row: date, party and amount above; number and
        // type name below; the amount right-aligned and nothing under it.
        const auto text = [&](int left, int right, int top) {
            return count(image, QRect(QPoint(left, top), QPoint(right, top + 14)), GridText);
        };
        QVERIFY(text(0, 65, 0) > 0);
        QVERIFY(text(0, 65, 15) > 0);
        QVERIFY(text(67, 233, 0) > 0);
        QVERIFY(text(67, 233, 15) > 0);
        QCOMPARE(text(235, 313, 15), 0);
        QVERIFY(text(290, 309, 0) > 0);
        QCOMPARE(text(310, 313, 0), 0);
        QCOMPARE(text(235, 250, 0), 0);
    }

    // Notice cards: two lines, a picture at the right whose bottom-left colour is
    // transparent, and the grey separator under each card.
    void noticeCards() {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(QColor(0x00FF00));
        const QRgb key = 0xFF00FF;
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                picture.setPixel(x, y, key | 0xFF000000u);
        picture.setPixel(0, 29, key | 0xFF000000u);

        TNorvaList list;
        list.SetItemHeight(43);
        list.setFont(testFont());
        list.resize(316, 3 * 43);
        list.SetOnDrawItem([&](QPainter& p, TNorvaList& l, int index, const QRect& rect, bool) {
            const Installment* giro = l.RecordAs<Installment>(index);
            const QString line1 = QStringLiteral("Alquiler del local comercial de la avenida - "
                                                 "Cuota #") +
                                  QString::number(giro->giro);
            DrawNoticeCard(p, rect, line1, index < 2 ? &picture : nullptr, l,
                           QStringLiteral("Monto: ") + CardAmountText(giro->monto));
        });
        list.SetRecords(installments(3, Today));
        list.SetItemIndex(1);
        const QImage image = paint(list);
        const int pictureLeft = list.ClientWidth() - 40;
        QVERIFY(pictureLeft > 250);

        for (int card = 0; card < 3; ++card) {
            const int top = card * 43;
            const QRgb background = card == 1 ? Highlight : GridWhite;
            const QRgb text = card == 1 ? GridWhite : GridText;
            for (int x = 0; x < 250; ++x)
                QCOMPARE(at(image, x, top + 42), CardLine);
            QCOMPARE(at(image, 250, top + 42), background);
            QCOMPARE(at(image, 0, top + 1), background);
            QVERIFY2(count(image, QRect(0, top + 2, pictureLeft, 16), text) > 0, "line 1");
            QVERIFY2(count(image, QRect(0, top + 20, pictureLeft, 20), text) > 0, "line 2");
            // The picture's transparent corner shows the card, not the long first line.
            const QRect corner(pictureLeft, top, 10, 13);
            QCOMPARE(count(image, corner, background), corner.width() * corner.height());
            QCOMPARE(at(image, pictureLeft + 20, top + 20), card < 2 ? 0x00FF00 : background);
        }
    }

    // A card's first line too long for its room cuts the description, never
    // the installment's number.
    void cardLineKeepsTheNumber_data() {
        QTest::addColumn<QString>("head");
        QTest::addColumn<int>("width");
        QTest::newRow("fits") << QStringLiteral("Alquiler") << 270;
        QTest::newRow("too long") << QStringLiteral("Compra de mobiliario para la sede") << 160;
        QTest::newRow("no room for the head") << QStringLiteral("Compra de mobiliario") << 20;
    }
    void cardLineKeepsTheNumber() {
        QFETCH(QString, head);
        QFETCH(int, width);
        const QFontMetrics metrics(testFont());
        const QString tail = QStringLiteral(" - Cuota #12");
        const QString line = ElideKeepingTail(metrics, head, tail, width);
        QVERIFY(line.endsWith(tail));
        if (metrics.horizontalAdvance(head + tail) <= width) {
            QCOMPARE(line, head + tail);
        } else {
            QVERIFY(line.size() < head.size() + tail.size());
            QVERIFY(metrics.horizontalAdvance(line) <=
                    qMax(width, metrics.horizontalAdvance(tail)));
        }
    }

    // A date search can give tens of thousands of rows: one reset, one insertion.
    void manyRows() {
        BankGrid grid(16);
        QSignalSpy resets(&grid.list.Model(), &QAbstractItemModel::modelReset);
        QSignalSpy inserts(&grid.list.Model(), &QAbstractItemModel::rowsInserted);
        grid.list.SetRecords(installments(50000, Today + 1));
        QCOMPARE(resets.count(), 1);
        QCOMPARE(inserts.count(), 0);
        QCOMPARE(grid.list.Count(), 50000);

        grid.list.SetItemIndex(49999);
        QImage image = paint(grid.list);
        QCOMPARE(grid.list.TopIndex(), 50000 - 16);
        QCOMPARE(grid.list.ItemRect(49999).top(), 15 * 15);
        QCOMPARE(at(image, 1, 15 * 15 + 7), Highlight);
        QCOMPARE(at(image, 1, 14 * 15 + 7), GridGrey); // item 49998
        QCOMPARE(at(image, 1, 7), GridGrey);           // item 49984

        grid.list.AddRecords(installments(10, Today));
        QCOMPARE(inserts.count(), 1);
        QCOMPARE(inserts.first().at(1).toInt(), 50000);
        QCOMPARE(inserts.first().at(2).toInt(), 50009);
        QCOMPARE(grid.list.RecordAs<Installment>(50009)->giro, 10);
        QVERIFY(grid.list.RecordAs<Document>(50009) == nullptr);
    }

    // Rows own their records; a record shown by two lists lives until both let it go.
    void recordOwnership() {
        TNorvaList due, notice;
        auto record = installment(1, Today);
        std::weak_ptr<Installment> watch = record;
        due.AddRecord(record);
        notice.AddRecord(record);
        record.reset();
        due.Clear();
        QVERIFY(!watch.expired());
        ListRecordPtr taken = notice.TakeRecord(0);
        QCOMPARE(notice.Count(), 0);
        QVERIFY(!watch.expired());
        QCOMPARE(dynamic_cast<Installment*>(taken.get())->giro, 1);
        taken.reset();
        QVERIFY(watch.expired());
        QVERIFY(notice.TakeRecord(0) == nullptr);
        QVERIFY(notice.RecordAt(5) == nullptr);
    }

    void horizontalExtent() {
        TNorvaHorizontalList list;
        QCOMPARE(list.HScroll(), 0);
        list.addItem(QStringLiteral("Banco Mercantil - Cuenta corriente"));
        list.resize(200, 100);
        list.show();
        QCoreApplication::processEvents();
        QVERIFY(!list.horizontalScrollBar()->isVisible());

        list.SetHScroll(600);
        QCoreApplication::processEvents();
        QCOMPARE(list.HScroll(), 600);
        QVERIFY(list.horizontalScrollBar()->isVisible());
        QCOMPARE(list.horizontalScrollBar()->maximum(), 600 - list.viewport()->width());
        list.resize(300, 100);
        QCoreApplication::processEvents();
        QCOMPARE(list.horizontalScrollBar()->maximum(), 600 - list.viewport()->width());

        list.SetHScroll(100);
        QCoreApplication::processEvents();
        QVERIFY(!list.horizontalScrollBar()->isVisible());
    }
};

QTEST_MAIN(TestLists)
#include "tst_lists.moc"
