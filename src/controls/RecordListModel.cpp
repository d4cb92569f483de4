#include "controls/RecordListModel.h"

#include <iterator>

namespace controls {

RecordListModel::RecordListModel(QObject* parent) : QAbstractListModel(parent) {}

RecordListModel::~RecordListModel() = default;

int RecordListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !validRow(index.row()))
        return {};
    const Row& row = m_rows[size_t(index.row())];
    if (role == Qt::DisplayRole)
        return row.text;
    if (role == RecordRole)
        return QVariant::fromValue(quintptr(row.record.get()));
    if (role == Qt::AccessibleTextRole) {
        const QString text = m_accessibleText ? m_accessibleText(index.row()) : QString();
        return text.isEmpty() ? row.text : text;
    }
    return {};
}

Qt::ItemFlags RecordListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void RecordListModel::Clear() {
    if (m_rows.empty())
        return;
    beginResetModel();
    // The records are released after the views have let go of the rows.
    std::vector<Row> old;
    old.swap(m_rows);
    endResetModel();
}

int RecordListModel::AddItem(const QString& text, ListRecordPtr record) {
    const int row = Count();
    beginInsertRows(QModelIndex(), row, row);
    m_rows.push_back(Row{text, std::move(record)});
    endInsertRows();
    return row;
}

void RecordListModel::AddRecords(std::vector<ListRecordPtr> records) {
    if (records.empty())
        return;
    const int first = Count();
    beginInsertRows(QModelIndex(), first, first + int(records.size()) - 1);
    m_rows.reserve(m_rows.size() + records.size());
    for (ListRecordPtr& record : records)
        m_rows.push_back(Row{QString(), std::move(record)});
    endInsertRows();
}

void RecordListModel::SetRecords(std::vector<ListRecordPtr> records) {
    std::vector<Row> rows;
    rows.reserve(records.size());
    for (ListRecordPtr& record : records)
        rows.push_back(Row{QString(), std::move(record)});
    beginResetModel();
    rows.swap(m_rows);
    endResetModel();
}

void RecordListModel::RemoveItem(int row) {
    TakeRecord(row);
}

ListRecordPtr RecordListModel::TakeRecord(int row) {
    if (!validRow(row))
        return nullptr;
    beginRemoveRows(QModelIndex(), row, row);
    ListRecordPtr record = std::move(m_rows[size_t(row)].record);
    m_rows.erase(std::next(m_rows.begin(), row));
    endRemoveRows();
    return record;
}

QString RecordListModel::ItemText(int row) const {
    return validRow(row) ? m_rows[size_t(row)].text : QString();
}

ListRecord* RecordListModel::RecordAt(int row) const {
    return validRow(row) ? m_rows[size_t(row)].record.get() : nullptr;
}

ListRecordPtr RecordListModel::SharedRecordAt(int row) const {
    return validRow(row) ? m_rows[size_t(row)].record : nullptr;
}

bool RecordListModel::IsPlaceholder() const {
    return m_rows.size() == 1 && !m_rows.front().record && m_rows.front().text == PlaceholderText;
}

} // namespace controls
