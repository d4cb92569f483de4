#include "controls/TNorvaList.h"

#include "controls/HeaderSections.h"
#include "controls/PaintedTexts.h"

#include <QItemSelectionModel>
#include <QPaintEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace controls {

namespace {

// Gives every row the list's fixed height; the rows are painted by the list itself.
class FixedHeightDelegate : public QStyledItemDelegate {
public:
    explicit FixedHeightDelegate(TNorvaList* list) : QStyledItemDelegate(list), m_list(list) {}
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return QSize(1, m_list->ItemHeight());
    }

private:
    TNorvaList* m_list;
};

} // namespace

TNorvaList::TNorvaList(QWidget* parent) : QListView(parent), m_model(new RecordListModel(this)) {
    setModel(m_model);
    setItemDelegate(new FixedHeightDelegate(this));
    setUniformItemSizes(true);
    setViewMode(QListView::ListMode);
    setFlow(QListView::TopToBottom);
    setWrapping(false);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setTextElideMode(Qt::ElideNone);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit ItemIndexChanged(ItemIndex()); });
    m_model->SetAccessibleTextSource([this](int row) { return AccessibleText(row); });
}

TNorvaList::~TNorvaList() = default;

void TNorvaList::SetOnDrawItem(DrawItemHandler handler) {
    m_onDrawItem = std::move(handler);
    viewport()->update();
}

void TNorvaList::SetItemHeight(int height) {
    height = qMax(1, height);
    if (height == m_itemHeight)
        return;
    m_itemHeight = height;
    // The uniform size is taken again from the delegate.
    scheduleDelayedItemsLayout();
    viewport()->update();
}

int TNorvaList::ClientHeight() const {
    return viewport()->height();
}

int TNorvaList::ClientWidth() const {
    return viewport()->width();
}

void TNorvaList::Clear() {
    m_model->Clear();
}

void TNorvaList::AddPlaceholder() {
    m_model->AddItem(RecordListModel::PlaceholderText, nullptr);
    setEnabled(false);
}

void TNorvaList::ShowPlaceholder() {
    Clear();
    AddPlaceholder();
}

void TNorvaList::dropPlaceholder() {
    if (IsPlaceholder())
        m_model->Clear();
    setEnabled(true);
}

int TNorvaList::AddRecord(ListRecordPtr record) {
    dropPlaceholder();
    return m_model->AddRecord(std::move(record));
}

void TNorvaList::AddRecords(std::vector<ListRecordPtr> records) {
    if (records.empty())
        return;
    dropPlaceholder();
    m_model->AddRecords(std::move(records));
}

void TNorvaList::SetRecords(std::vector<ListRecordPtr> records) {
    if (records.empty()) {
        ShowPlaceholder();
        return;
    }
    m_model->SetRecords(std::move(records));
    setEnabled(true);
}

int TNorvaList::AddItem(const QString& text, ListRecordPtr record) {
    return m_model->AddItem(text, std::move(record));
}

void TNorvaList::RemoveItem(int index) {
    m_model->RemoveItem(index);
}

ListRecordPtr TNorvaList::TakeRecord(int index) {
    return m_model->TakeRecord(index);
}

int TNorvaList::ItemIndex() const {
    const QModelIndexList rows = selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TNorvaList::SetItemIndex(int index) {
    if (index < 0 || index >= Count()) {
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    const QModelIndex row = m_model->index(index);
    selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
    scrollTo(row);
}

bool TNorvaList::IsSelected(int index) const {
    if (index < 0 || index >= Count())
        return false;
    return selectionModel()->isSelected(m_model->index(index));
}

QRect TNorvaList::ItemRect(int index) const {
    if (index < 0 || index >= Count())
        return QRect();
    const_cast<TNorvaList*>(this)->executeDelayedItemsLayout();
    QRect rect = visualRect(m_model->index(index));
    // A row spans the client area, as in a list box.
    rect.setLeft(0);
    rect.setWidth(viewport()->width());
    return rect;
}

int TNorvaList::TopIndex() const {
    const_cast<TNorvaList*>(this)->executeDelayedItemsLayout();
    const QModelIndex top = indexAt(QPoint(0, 0));
    return top.isValid() ? top.row() : (Count() > 0 ? 0 : -1);
}

QString TNorvaList::AccessibleText(int index) const {
    if (index < 0 || index >= Count() || m_readingRow)
        return QString();
    // The row is painted at the top of a page of the list's width, unselected:
    // where and how it is highlighted changes none of its texts, and an owner
    // that moves things along with the selected row is left alone.
    m_readingRow = true;
    const auto done = qScopeGuard([this] { m_readingRow = false; });
    const QRect rect(0, 0, viewport()->width(), m_itemHeight);
    auto* self = const_cast<TNorvaList*>(this);
    const std::vector<PaintedRun> runs = RecordPaintedRuns(
        *this, [&](QPainter& painter) { self->drawItem(painter, index, rect, false); });
    const QString text = ReadPaintedRuns(runs);
    return text.isEmpty() ? QStringLiteral(" ") : text;
}

void TNorvaList::FollowHeader(const HeaderSections* header) {
    if (!header)
        return;
    connect(header, &QHeaderView::sectionResized, viewport(), qOverload<>(&QWidget::update));
    connect(header, &QHeaderView::sectionCountChanged, viewport(), qOverload<>(&QWidget::update));
}

void TNorvaList::paintEvent(QPaintEvent*) {
    executeDelayedItemsLayout();
    QPainter painter(viewport());
    const QColor base = palette().color(QPalette::Active, QPalette::Base);
    painter.fillRect(viewport()->rect(), base);
    // Every row in view is painted whatever part of the list is exposed: the rows
    // also paint what lies below the last of them (the empty grid).
    const int top = TopIndex();
    if (top < 0)
        return;
    const int height = viewport()->height();
    for (int index = top; index < Count(); ++index) {
        const QRect rect = ItemRect(index);
        if (rect.top() >= height)
            break;
        drawItem(painter, index, rect, IsSelected(index));
    }
}

void TNorvaList::drawItem(QPainter& painter, int index, const QRect& rect, bool selected) {
    painter.save();
    painter.setFont(font());
    painter.setBrush(palette().color(QPalette::Active, QPalette::Base));
    painter.setPen(palette().color(QPalette::Active, QPalette::Text));
    if (selected) {
        painter.setBrush(palette().color(QPalette::Active, QPalette::Highlight));
        painter.setPen(palette().color(QPalette::Active, QPalette::HighlightedText));
    }
    try {
        if (m_onDrawItem) {
            m_onDrawItem(painter, *this, index, rect, selected);
        } else {
            painter.fillRect(rect, painter.brush());
            painter.drawText(rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                             ItemText(index));
        }
    } catch (...) {
        // A row that cannot be painted stays as far as it got; the list goes on.
    }
    painter.restore();
}

} // namespace controls
