#include "controls/LookupCombo.h"

#include "data/EngineError.h"
#include "data/Table.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTreeView>

namespace controls {

namespace {
constexpr int ValueRole = Qt::UserRole + 1;
}

LookupCombo::LookupCombo(QWidget* parent)
    : QComboBox(parent), m_model(new QStandardItemModel(this)), m_view(new QTreeView(this)) {
    setEditable(true);
    lineEdit()->setReadOnly(true);
    setInsertPolicy(QComboBox::NoInsert);
    m_view->setRootIsDecorated(false);
    m_view->setItemsExpandable(false);
    m_view->setAllColumnsShowFocus(true);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->header()->setStretchLastSection(true);
    setModel(m_model);
    setView(m_view);
    connect(this, qOverload<int>(&QComboBox::activated), this, [this](int row) { acceptRow(row); });
}

void LookupCombo::setLookupTable(data::Table* table) {
    m_table = table;
}

void LookupCombo::setLookupField(const QString& field) {
    m_lookupField = field;
}

void LookupCombo::setDisplayField(const QString& field) {
    m_displayField = field;
}

void LookupCombo::setSelectedColumns(const QStringList& specs) {
    m_columns.clear();
    for (const QString& spec : specs) {
        const QStringList parts = spec.split(QLatin1Char('\t'));
        Column c;
        c.field = parts.value(0);
        c.widthChars = parts.value(1).toInt();
        c.title = parts.value(2);
        m_columns.append(c);
    }
    m_model->clear();
    QStringList titles;
    for (const Column& c : m_columns)
        titles << c.title;
    m_model->setHorizontalHeaderLabels(titles);
}

void LookupCombo::setLookupValue(const QString& value) {
    if (m_value == value)
        return;
    m_value = value;
    emit valueChanged(value);
}

void LookupCombo::clearLookupValue() {
    setLookupValue(QString());
    setDisplayText(QString());
}

QString LookupCombo::displayText() const {
    return lineEdit()->text();
}

void LookupCombo::setDisplayText(const QString& text) {
    lineEdit()->setText(text);
}

void LookupCombo::reload() {
    const QString shown = displayText();
    m_model->removeRows(0, m_model->rowCount());
    if (!m_table || !m_table->isOpen())
        return;
    int displayColumn = 0;
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].field.compare(m_displayField, Qt::CaseInsensitive) == 0)
            displayColumn = i;
    for (m_table->first(); !m_table->eof(); m_table->next()) {
        QList<QStandardItem*> row;
        for (const Column& c : m_columns) {
            auto* item = new QStandardItem(m_table->fieldByName(c.field).asString());
            item->setEditable(false);
            row << item;
        }
        if (!row.isEmpty() && !m_lookupField.isEmpty())
            row.first()->setData(m_table->fieldByName(m_lookupField).asString(), ValueRole);
        m_model->appendRow(row);
    }
    setModelColumn(displayColumn);
    const QFontMetrics fm(font());
    for (int i = 0; i < m_columns.size(); ++i)
        m_view->setColumnWidth(i, fm.averageCharWidth() * m_columns[i].widthChars + 8);
    setDisplayText(shown);
}

void LookupCombo::showPopup() {
    try {
        reload();
    } catch (const data::EngineError&) {
        // A table that cannot be read shows an empty list.
    }
    m_dropped = true;
    emit dropDown();
    int current = -1;
    for (int r = 0; r < m_model->rowCount(); ++r)
        if (m_model->item(r, 0)->data(ValueRole).toString() == m_value)
            current = r;
    const QString shown = displayText();
    setCurrentIndex(current);
    setDisplayText(shown);
    QComboBox::showPopup();
}

void LookupCombo::hidePopup() {
    QComboBox::hidePopup();
    if (m_dropped) {
        m_dropped = false;
        emit closedUp(false);
    }
}

void LookupCombo::closeUp(bool accept) {
    if (!m_dropped)
        return;
    const QModelIndex index = m_view->currentIndex();
    m_dropped = false;
    QComboBox::hidePopup();
    if (accept && index.isValid())
        acceptRow(index.row());
    emit closedUp(accept);
}

void LookupCombo::acceptRow(int row) {
    if (row < 0 || row >= m_model->rowCount())
        return;
    const int displayColumn = modelColumn();
    setDisplayText(m_model->item(row, displayColumn)->text());
    setLookupValue(m_model->item(row, 0)->data(ValueRole).toString());
}

} // namespace controls
