#pragma once

#include <QComboBox>
#include <QStringList>

class QFrame;
class QStandardItemModel;
class QTreeView;

namespace data {
class Table;
}

namespace controls {

// A lookup selector: a drop-down that lists the rows of a table in titled
// columns. The chosen row's lookup field is the selector's value; its display
// field is the text shown. The rows are read from the table each time the list
// opens.
//
// The list is the selector's own pop-up: Enter or a click on a row closes it
// accepting the highlighted row, Esc or a click elsewhere closes it without.
// Every key pressed in the selector or in its open list is reported by keyDown
// before it is handled. With deferred choice on, closing the list only
// remembers the row the user accepted; the owner decides afterwards whether the
// choice is taken (takeChoice) or the list opens again (the module window's
// selection protocol does so).
class LookupCombo : public QComboBox {
    Q_OBJECT
public:
    struct Column {
        QString field;
        int widthChars = 10;
        QString title;
    };

    explicit LookupCombo(QWidget* parent = nullptr);
    ~LookupCombo() override;

    void setLookupTable(data::Table* table);
    data::Table* lookupTable() const { return m_table; }
    void setLookupField(const QString& field);
    QString lookupField() const { return m_lookupField; }
    void setDisplayField(const QString& field);
    QString displayField() const { return m_displayField; }
    // Each column as "FIELD<tab>width<tab>title<tab>T".
    void setSelectedColumns(const QStringList& specs);
    QList<Column> columns() const { return m_columns; }

    // The value (lookup field) of the chosen row; "" when none is chosen.
    QString lookupValue() const { return m_value; }
    // Chooses the row whose lookup field is `value` (its display text is looked
    // up in the list or, when the list was not read, in the table).
    void setLookupValue(const QString& value);
    // No row chosen and no text.
    void clearLookupValue();
    // The display text of the chosen row; "" when none is chosen.
    QString chosenText() const { return m_chosenText; }
    // The text shown in the edit part (it may differ from the chosen row's).
    QString displayText() const;
    void setDisplayText(const QString& text);
    // Shows `text` and chooses the first table row whose display field equals
    // it; when no row does (or the table is closed) no row is chosen. True when
    // a row was found.
    bool selectByDisplayText(const QString& text);

    // Leaving the selector with a text that is not the chosen row's, or with no
    // row chosen, empties it.
    void setAcceptOnlyListed(bool on) { m_acceptOnlyListed = on; }
    bool acceptOnlyListed() const { return m_acceptOnlyListed; }

    void setDeferredChoice(bool on) { m_deferred = on; }
    bool deferredChoice() const { return m_deferred; }
    // The row accepted when the list last closed, -1 when it closed without.
    int pendingRow() const { return m_pendingRow; }
    // Deferred choice: the row accepted at the last close becomes the value.
    void takeChoice();
    // The list last closed through closeUp or hidePopup, not by the user.
    bool closedByProgram() const { return m_closedByProgram; }

    // Reads the table's rows into the list.
    void reload();
    bool isDroppedDown() const { return m_dropped; }
    // Closes the list; with accept the highlighted row is accepted.
    void closeUp(bool accept);

    // The rows as last read, and the highlighted row of the open list.
    int rowCount() const;
    QString rowText(int row, int column) const;
    QString rowValue(int row) const;
    int highlightedRow() const;
    void setHighlightedRow(int row);
    QTreeView* listView() const { return m_view; }
    QFrame* listPopup() const { return m_popup; }

    void showPopup() override;
    void hidePopup() override;

signals:
    void dropDown();
    void closedUp(bool accepted);
    void valueChanged(const QString& value);
    void keyDown(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void acceptRow(int row);
    void closeList(bool accepted, int row, bool byProgram);
    int rowOfValue(const QString& value) const;
    void reportKey(QKeyEvent* event);
    void leave(Qt::FocusReason reason);

    data::Table* m_table = nullptr;
    QString m_lookupField;
    QString m_displayField;
    QList<Column> m_columns;
    QString m_value;
    QString m_chosenText;
    QStandardItemModel* m_model;
    QFrame* m_popup;
    QTreeView* m_view;
    bool m_dropped = false;
    bool m_closing = false;
    bool m_closedByProgram = false;
    bool m_deferred = false;
    bool m_acceptOnlyListed = false;
    int m_pendingRow = -1;
    const QEvent* m_reportedKey = nullptr;
};

} // namespace controls
