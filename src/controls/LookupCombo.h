#pragma once

#include <QComboBox>
#include <QStringList>

class QStandardItemModel;
class QTreeView;

namespace data {
class Table;
}

namespace controls {

// A lookup selector: a drop-down that lists the rows of a table in columns.
// The chosen row's lookup field is the selector's value; its display field is
// the text shown. The rows are read from the table each time the list opens.
class LookupCombo : public QComboBox {
    Q_OBJECT
public:
    struct Column {
        QString field;
        int widthChars = 10;
        QString title;
    };

    explicit LookupCombo(QWidget* parent = nullptr);

    void setLookupTable(data::Table* table);
    data::Table* lookupTable() const { return m_table; }
    void setLookupField(const QString& field);
    QString lookupField() const { return m_lookupField; }
    void setDisplayField(const QString& field);
    // Each column as "FIELD<tab>width<tab>title<tab>T".
    void setSelectedColumns(const QStringList& specs);
    QList<Column> columns() const { return m_columns; }

    // The value (lookup field) of the chosen row; "" when none is chosen.
    QString lookupValue() const { return m_value; }
    void setLookupValue(const QString& value);
    void clearLookupValue();
    // The text shown in the edit part.
    QString displayText() const;
    void setDisplayText(const QString& text);

    // Reads the table's rows into the list.
    void reload();
    bool isDroppedDown() const { return m_dropped; }
    // Closes the list; with accept the current row becomes the value.
    void closeUp(bool accept);

    void showPopup() override;
    void hidePopup() override;

signals:
    void dropDown();
    void closedUp(bool accepted);
    void valueChanged(const QString& value);

private:
    void acceptRow(int row);

    data::Table* m_table = nullptr;
    QString m_lookupField;
    QString m_displayField;
    QList<Column> m_columns;
    QString m_value;
    QStandardItemModel* m_model;
    QTreeView* m_view;
    bool m_dropped = false;
};

} // namespace controls
