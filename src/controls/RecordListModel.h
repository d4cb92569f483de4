#pragma once

#include "controls/ListRecord.h"

#include <QAbstractListModel>
#include <QString>
#include <functional>
#include <vector>

namespace controls {

// The rows of an owner-drawn list: each row has a text and an object. Rows of
// pending items have an empty text and carry their record; the empty-list
// placeholder is the single row "$" with no record. The model owns the records
// of its rows (shared with any other list that shows the same record).
//
// The item texts stay as the lists need them (empty for record rows); what a
// row says to a screen reader (Qt::AccessibleTextRole) comes from the list that
// paints it: the texts the row paints.
class RecordListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // The row's record as a ListRecord* (quintptr in the variant), or null.
    static constexpr int RecordRole = Qt::UserRole + 1;
    // The text of the placeholder row of an empty list.
    static inline const QString PlaceholderText = QStringLiteral("$");

    struct Row {
        QString text;
        ListRecordPtr record;
    };

    explicit RecordListModel(QObject* parent = nullptr);
    ~RecordListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The text a row reads as (Qt::AccessibleTextRole); without a source, or
    // when the source gives nothing, the item text.
    using AccessibleTextSource = std::function<QString(int row)>;
    void SetAccessibleTextSource(AccessibleTextSource source) {
        m_accessibleText = std::move(source);
    }

    int Count() const { return int(m_rows.size()); }
    // Removes every row, releasing the records.
    void Clear();
    // Appends one row; returns its index.
    int AddItem(const QString& text, ListRecordPtr record);
    int AddRecord(ListRecordPtr record) { return AddItem(QString(), std::move(record)); }
    // Appends the records as rows with empty texts, in one insertion.
    void AddRecords(std::vector<ListRecordPtr> records);
    // Replaces every row by the records, in one reset.
    void SetRecords(std::vector<ListRecordPtr> records);
    // Removes a row; the list's share of the record is released.
    void RemoveItem(int row);
    // Removes a row and hands its record over to the caller.
    ListRecordPtr TakeRecord(int row);

    // Out of range rows have an empty text and no record.
    QString ItemText(int row) const;
    ListRecord* RecordAt(int row) const;
    ListRecordPtr SharedRecordAt(int row) const;

    // True when the list holds exactly the placeholder: one row "$" without record.
    bool IsPlaceholder() const;

private:
    bool validRow(int row) const { return row >= 0 && row < Count(); }

    std::vector<Row> m_rows;
    AccessibleTextSource m_accessibleText;
};

} // namespace controls
