#include "controls/LookupCombo.h"

#include "data/EngineError.h"
#include "data/Table.h"

#include <QFocusEvent>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace controls {

namespace {
constexpr int ValueRole = Qt::UserRole + 1;

bool isOpenKey(const QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_F4 && modifiers == Qt::NoModifier)
        return true;
    return (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up) &&
           modifiers == Qt::AltModifier;
}
} // namespace

LookupCombo::LookupCombo(QWidget* parent)
    : QComboBox(parent), m_model(new QStandardItemModel(this)),
      m_popup(new QFrame(this, Qt::Popup)), m_view(new QTreeView(m_popup)) {
    setEditable(true);
    lineEdit()->setReadOnly(true);
    setInsertPolicy(QComboBox::NoInsert);
    setModel(m_model);

    m_popup->setObjectName(QStringLiteral("LookupPopup"));
    m_popup->setFrameShape(QFrame::Box);
    auto* layout = new QVBoxLayout(m_popup);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_view);
    m_view->setModel(m_model);
    m_view->setRootIsDecorated(false);
    m_view->setItemsExpandable(false);
    m_view->setAllColumnsShowFocus(true);
    m_view->setUniformRowHeights(true);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->header()->setStretchLastSection(true);
    m_view->header()->setSectionsMovable(false);

    m_popup->installEventFilter(this);
    m_view->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);
    lineEdit()->installEventFilter(this);
}

LookupCombo::~LookupCombo() = default;

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

int LookupCombo::rowOfValue(const QString& value) const {
    for (int r = 0; r < m_model->rowCount(); ++r)
        if (m_model->item(r, 0) && m_model->item(r, 0)->data(ValueRole).toString() == value)
            return r;
    return -1;
}

void LookupCombo::setLookupValue(const QString& value) {
    QString text;
    if (!value.isEmpty()) {
        const int row = rowOfValue(value);
        if (row >= 0) {
            text = rowText(row, modelColumn());
        } else if (m_table && m_table->isOpen()) {
            try {
                for (m_table->first(); !m_table->eof(); m_table->next())
                    if (m_table->fieldByName(m_lookupField).asString() == value) {
                        text = m_table->fieldByName(m_displayField).asString();
                        break;
                    }
            } catch (const data::EngineError&) {
                // The text stays unknown.
            }
        }
    }
    m_chosenText = text;
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
    lineEdit()->setCursorPosition(0);
}

bool LookupCombo::selectByDisplayText(const QString& text) {
    QString value;
    bool found = false;
    if (!text.isEmpty() && m_table && m_table->isOpen()) {
        try {
            for (m_table->first(); !m_table->eof(); m_table->next())
                if (m_table->fieldByName(m_displayField).asString() == text) {
                    value = m_table->fieldByName(m_lookupField).asString();
                    found = true;
                    break;
                }
        } catch (const data::EngineError&) {
            found = false;
        }
    }
    if (found) {
        m_chosenText = text;
        if (m_value != value) {
            m_value = value;
            emit valueChanged(value);
        }
    } else {
        setLookupValue(QString());
    }
    setDisplayText(text);
    return found;
}

void LookupCombo::takeChoice() {
    const int row = m_pendingRow;
    m_pendingRow = -1;
    if (row >= 0)
        acceptRow(row);
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

int LookupCombo::rowCount() const {
    return m_model->rowCount();
}

QString LookupCombo::rowText(int row, int column) const {
    const QStandardItem* item = m_model->item(row, column);
    return item ? item->text() : QString();
}

QString LookupCombo::rowValue(int row) const {
    const QStandardItem* item = m_model->item(row, 0);
    return item ? item->data(ValueRole).toString() : QString();
}

int LookupCombo::highlightedRow() const {
    const QModelIndex index = m_view->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void LookupCombo::setHighlightedRow(int row) {
    if (row < 0 || row >= m_model->rowCount()) {
        m_view->setCurrentIndex(QModelIndex());
        m_view->clearSelection();
        return;
    }
    m_view->setCurrentIndex(m_model->index(row, 0));
}

void LookupCombo::showPopup() {
    if (m_dropped)
        return;
    // The list is a window of its own: it takes the selector's font.
    m_popup->setFont(font());
    try {
        reload();
    } catch (const data::EngineError&) {
        // A table that cannot be read shows an empty list.
    }
    m_pendingRow = -1;
    m_dropped = true;
    emit dropDown();
    if (!m_dropped) // the owner closed it again at once
        return;
    setHighlightedRow(rowOfValue(m_value));

    int width = 2;
    for (int i = 0; i < m_columns.size(); ++i)
        width += m_view->columnWidth(i);
    width = qMax(width + 20, this->width());
    const int rows = qBound(3, m_model->rowCount(), 10);
    const int rowHeight = qMax(m_view->sizeHintForRow(0), fontMetrics().height() + 2);
    const int height = m_view->header()->sizeHint().height() + rows * rowHeight + 6;
    QPoint at = mapToGlobal(QPoint(0, this->height()));
    if (QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        if (at.y() + height > area.bottom())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - height);
    }
    m_popup->setGeometry(QRect(at, QSize(width, height)));
    m_popup->show();
    m_view->setFocus(Qt::PopupFocusReason);
}

void LookupCombo::hidePopup() {
    closeList(false, -1, true);
}

void LookupCombo::closeUp(bool accept) {
    closeList(accept, accept ? highlightedRow() : -1, true);
}

void LookupCombo::closeList(bool accepted, int row, bool byProgram) {
    if (!m_dropped || m_closing)
        return;
    m_closedByProgram = byProgram;
    m_closing = true;
    m_dropped = false;
    m_pendingRow = accepted ? row : -1;
    m_popup->hide();
    m_closing = false;
    if (!m_deferred)
        takeChoice();
    emit closedUp(accepted);
}

void LookupCombo::acceptRow(int row) {
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QString text = rowText(row, modelColumn());
    const QString value = rowValue(row);
    m_chosenText = text;
    setDisplayText(text);
    if (m_value != value) {
        m_value = value;
        emit valueChanged(value);
    }
}

void LookupCombo::reportKey(QKeyEvent* event) {
    if (event == m_reportedKey)
        return;
    m_reportedKey = event;
    emit keyDown(event->key(), event->modifiers() & ~Qt::KeypadModifier);
}

bool LookupCombo::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyRelease) {
        m_reportedKey = nullptr;
        return QComboBox::eventFilter(watched, event);
    }
    if (watched == m_popup) {
        if (type == QEvent::Hide && m_dropped && !m_closing)
            closeList(false, -1, false); // a click outside the list closed it
        return QComboBox::eventFilter(watched, event);
    }
    if (watched == m_view && type == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        reportKey(key);
        if (!m_dropped) // the owner closed the list while it saw the key
            return true;
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            closeList(true, highlightedRow(), false);
            return true;
        case Qt::Key_Escape:
            closeList(false, -1, false);
            return true;
        default:
            if (isOpenKey(key)) {
                closeList(false, -1, false);
                return true;
            }
            return false;
        }
    }
    if (watched == m_view->viewport() && type == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QModelIndex index = m_view->indexAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && index.isValid()) {
            m_view->setCurrentIndex(m_model->index(index.row(), 0));
            closeList(true, index.row(), false);
            return true;
        }
        return false;
    }
    if (watched == lineEdit()) {
        if (type == QEvent::KeyPress)
            reportKey(static_cast<QKeyEvent*>(event));
        else if (type == QEvent::FocusOut)
            leave(static_cast<QFocusEvent*>(event)->reason());
    }
    return QComboBox::eventFilter(watched, event);
}

void LookupCombo::leave(Qt::FocusReason reason) {
    if (!m_acceptOnlyListed || m_dropped || reason == Qt::PopupFocusReason ||
        reason == Qt::ActiveWindowFocusReason)
        return;
    if (m_value.isEmpty() || displayText() != m_chosenText)
        clearLookupValue();
}

void LookupCombo::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    leave(event->reason());
}

void LookupCombo::keyPressEvent(QKeyEvent* event) {
    reportKey(event);
    if (isOpenKey(event)) {
        showPopup();
        event->accept();
        return;
    }
    // The choice changes only through the list; everything else goes to the window.
    event->ignore();
}

void LookupCombo::wheelEvent(QWheelEvent* event) {
    event->ignore();
}

} // namespace controls
