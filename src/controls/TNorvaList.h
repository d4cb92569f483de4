#pragma once

#include "controls/ListRecord.h"
#include "controls/RecordListModel.h"

#include <QListView>
#include <functional>
#include <vector>

class QPainter;

namespace controls {

class HeaderSections;

// The owner-drawn list on which every list of pending items is built: rows of a
// fixed height painted by the owning window, a vertical scroll bar that is always
// there (greyed when not needed), no horizontal scroll bar, no border and no
// focus rectangle. The list owns its rows and their records (RecordListModel);
// only the rows in view are painted, so very long lists stay quick.
class TNorvaList : public QListView {
    Q_OBJECT
public:
    // The owner's row painting: painter (font, brush and text colour prepared),
    // the list, the row index, the row rectangle in the list's client area and
    // whether the row is selected.
    using DrawItemHandler = std::function<void(QPainter& painter, TNorvaList& list, int index,
                                               const QRect& rect, bool selected)>;

    explicit TNorvaList(QWidget* parent = nullptr);
    ~TNorvaList() override;

    void SetOnDrawItem(DrawItemHandler handler);
    const DrawItemHandler& OnDrawItem() const { return m_onDrawItem; }

    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int height);
    // The height of the client area in which rows are painted.
    int ClientHeight() const;
    int ClientWidth() const;

    RecordListModel& Model() { return *m_model; }
    const RecordListModel& Model() const { return *m_model; }

    int Count() const { return m_model->Count(); }
    // Removes every row (and releases the records); the enabled state stays.
    void Clear();
    // Appends the placeholder row "$" and disables the list.
    void AddPlaceholder();
    // Clear() and AddPlaceholder(): what every owner does when its list is emptied.
    void ShowPlaceholder();
    bool IsPlaceholder() const { return m_model->IsPlaceholder(); }

    // Appends a row for the record; a placeholder is replaced and the list enabled.
    int AddRecord(ListRecordPtr record);
    // Appends the records in one insertion; a placeholder is replaced and the list
    // enabled. An empty vector changes nothing.
    void AddRecords(std::vector<ListRecordPtr> records);
    // Replaces every row by the records and enables the list; with no records the
    // list shows the placeholder instead.
    void SetRecords(std::vector<ListRecordPtr> records);
    // Appends a row with a text and an optional record, as it is.
    int AddItem(const QString& text, ListRecordPtr record = nullptr);
    void RemoveItem(int index);
    ListRecordPtr TakeRecord(int index);

    QString ItemText(int index) const { return m_model->ItemText(index); }
    ListRecord* RecordAt(int index) const { return m_model->RecordAt(index); }
    ListRecordPtr SharedRecordAt(int index) const { return m_model->SharedRecordAt(index); }
    // The row's record as the given record class, or null (placeholder, other class).
    template <class Record> Record* RecordAs(int index) const {
        return dynamic_cast<Record*>(RecordAt(index));
    }

    // The selected row, -1 when none.
    int ItemIndex() const;
    // Selects the row (and makes it current); -1 or a row out of range clears.
    void SetItemIndex(int index);
    bool IsSelected(int index) const;
    // The rectangle of a row in the client area (empty when out of range).
    QRect ItemRect(int index) const;
    int TopIndex() const;

    // What row `index` paints, as text: the cells of a grid row left to right
    // (", " between them), the lines of a two-line row or card one per line.
    // Item texts are left out when the owner paints the rows. A row that paints
    // no text reads as a blank (so the placeholder's "$" is not read aloud).
    // It is the row's accessible text.
    QString AccessibleText(int index) const;

    // Repaints the list whenever the header's sections change width.
    void FollowHeader(const HeaderSections* header);

signals:
    // The selected row changed (by mouse, keyboard or SetItemIndex); -1 when none.
    void ItemIndexChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawItem(QPainter& painter, int index, const QRect& rect, bool selected);
    void dropPlaceholder();

    RecordListModel* m_model;
    DrawItemHandler m_onDrawItem;
    int m_itemHeight = 15;
    mutable bool m_readingRow = false;
};

} // namespace controls
