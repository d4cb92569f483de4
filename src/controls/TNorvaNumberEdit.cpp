#include "controls/TNorvaNumberEdit.h"

#include "controls/Calculator.h"
#include "controls/DropDown.h"
#include "controls/EditMenu.h"
#include "controls/StatusHint.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <cmath>

namespace controls {

namespace {
// Focus that comes and goes with the window's activation or a pop-up does not
// enter or leave the field.
bool isPassingFocus(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}
} // namespace

TNorvaNumberEdit::TNorvaNumberEdit(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAcceptDrops(false);
    m_buttonAction = addDropDownButton(this);
    m_buttonAction->setObjectName(QStringLiteral("calculatorButton"));
    m_buttonAction->setVisible(false);
    connect(m_buttonAction, &QAction::triggered, this, &TNorvaNumberEdit::DropDown);
    connect(this, &QLineEdit::textChanged, this, &TNorvaNumberEdit::NorvaNumberEditChange);
    SetPorcent(TPorcent::Numero);
    SetInitText(m_limits.ActValor());
}

TNorvaNumberEdit::~TNorvaNumberEdit() = default;

void TNorvaNumberEdit::SetPorcent(TPorcent porcent) {
    m_porcent = porcent;
    QString t = text();
    if (porcent == TPorcent::Numero)
        t.remove(QLatin1Char('%'));
    else if (porcent == TPorcent::Porcentaje && !t.contains(QLatin1Char('%')))
        t += QLatin1Char('%');
    if (t != text())
        setText(t);
}

void TNorvaNumberEdit::SetInitText(double value) {
    if (!std::isfinite(value))
        value = 0;
    const bool percent = text().contains(QLatin1Char('%'));
    m_initText = value;
    setText(numberrules::shownText(value, percent, field()));
}

void TNorvaNumberEdit::SetShowButton(bool show) {
    m_showButton = show;
    m_buttonAction->setVisible(show);
}

double TNorvaNumberEdit::RealValue() const {
    return numberrules::realValue(text());
}

qint64 TNorvaNumberEdit::WholeValue() const {
    return numberrules::wholeValue(text());
}

core::Currency TNorvaNumberEdit::CurrencyValue() const {
    return core::Currency::fromDouble(RealValue());
}

void TNorvaNumberEdit::SetWholeValue(qint64 value) {
    setText(QString::number(value));
}

NumberField TNorvaNumberEdit::field() const {
    return NumberField::of(m_limits, m_porcent, m_hideSeparator);
}

void TNorvaNumberEdit::NorvaNumberEditEnter() {
    showHintInStatusLine(this);
    const QString editing = numberrules::editingText(text());
    if (editing != text())
        setText(editing);
    selectAll();
}

void TNorvaNumberEdit::NorvaNumberEditChange() {
    if (m_changing)
        return;
    const QString t = text();
    const QString changed = numberrules::changedText(t, field());
    if (changed != t) {
        m_changing = true;
        setText(changed);
        m_changing = false;
    }
    emit OnChange();
}

bool TNorvaNumberEdit::NorvaNumberEditKeyDown(QKeyEvent* event) {
    if (!(event->modifiers() & Qt::AltModifier))
        return false;
    if (!m_showButton)
        return true;
    if (event->key() == Qt::Key_Down) {
        DropDown();
        return true;
    }
    return false;
}

bool TNorvaNumberEdit::NorvaNumberEditKeyPress(QChar c) const {
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int length = hasSelectedText() ? int(selectedText().size()) : 0;
    return numberrules::acceptsKey(text(), start, length, c, field());
}

void TNorvaNumberEdit::NorvaNumberEditExit() {
    const std::optional<QString> shown = numberrules::exitText(text(), field());
    if (!shown)
        SetInitText(0);
    else if (*shown != text())
        setText(*shown);
}

Calculator* TNorvaNumberEdit::calculator() {
    if (!m_calculator) {
        m_calculator = new Calculator(this);
        connect(m_calculator, &Calculator::valueAccepted, this,
                &TNorvaNumberEdit::calculatorResult);
    }
    return m_calculator;
}

bool TNorvaNumberEdit::isDroppedDown() const {
    return m_calculator && m_calculator->isVisible();
}

void TNorvaNumberEdit::DropDown() {
    if (!m_showButton || isReadOnly() || !isEnabled() || isDroppedDown())
        return;
    Calculator* calc = calculator();
    calc->setDecimals(m_popupDecimals);
    calc->setValue(RealValue());
    showDropDown(calc, this);
}

void TNorvaNumberEdit::calculatorResult(double value) {
    SetInitText(numberrules::calculatorValue(value, field()));
    setModified(true);
    if (m_calculator)
        m_calculator->hide();
    setFocus(Qt::OtherFocusReason);
    deselect();
    end(false);
    emit OnPaste();
}

void TNorvaNumberEdit::paste() {
    pasteFrom(QClipboard::Clipboard);
}

void TNorvaNumberEdit::pasteFrom(QClipboard::Mode mode) {
    if (isReadOnly())
        return;
    const std::optional<double> value =
        numberrules::pastedValue(QGuiApplication::clipboard()->text(mode), field());
    if (!value)
        return;
    SetInitText(*value);
    setModified(true);
    emit OnPaste();
}

void TNorvaNumberEdit::cut() {
    emit OnCut();
    QLineEdit::cut();
}

void TNorvaNumberEdit::clearSelection() {
    emit OnClear();
    del();
}

void TNorvaNumberEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (isPassingFocus(event->reason()) && m_entered)
        return;
    m_entered = true;
    NorvaNumberEditEnter();
    emit OnEnter();
}

void TNorvaNumberEdit::focusOutEvent(QFocusEvent* event) {
    const bool leaving = !isPassingFocus(event->reason());
    if (leaving) {
        m_entered = false;
        if (m_ownExit)
            NorvaNumberEditExit();
    }
    QLineEdit::focusOutEvent(event);
    if (leaving)
        emit OnExit();
}

void TNorvaNumberEdit::keyPressEvent(QKeyEvent* event) {
    if (NorvaNumberEditKeyDown(event)) {
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        paste();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        cut();
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (!typed.isEmpty() && !command && typed.at(0).isPrint()) {
        if (typed.size() == 1) {
            if (!NorvaNumberEditKeyPress(typed.at(0))) {
                event->accept();
                return;
            }
        } else {
            for (QChar c : typed)
                if (NorvaNumberEditKeyPress(c))
                    insert(QString(c));
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TNorvaNumberEdit::inputMethodEvent(QInputMethodEvent* event) {
    // Composed characters go through the same filter as typed ones.
    for (QChar c : event->commitString())
        if (NorvaNumberEditKeyPress(c))
            insert(QString(c));
    event->accept();
}

void TNorvaNumberEdit::contextMenuEvent(QContextMenuEvent* event) {
    QPointer<QMenu> menu = createEditMenu(
        this, [this] { cut(); }, [this] { paste(); }, [this] { clearSelection(); });
    menu->exec(event->globalPos());
    delete menu;
}

void TNorvaNumberEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        pasteFrom(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

} // namespace controls
