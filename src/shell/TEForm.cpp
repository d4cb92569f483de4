#include "shell/TEForm.h"

#include <QGuiApplication>
#include <QScreen>

#include "controls/AccessibleNames.h"
#include "controls/Fonts.h"
#include "controls/Shape.h"
#include "controls/StatusHint.h"
#include "controls/TNorvaDateEdit.h"
#include "controls/TNorvaNumberEdit.h"
#include "platform/MessageBoxService.h"
#include "shell/TMenuDataModule.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextEdit>
#include <QToolButton>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace shell {

namespace {

bool isButton(const QWidget* w) {
    return qobject_cast<const QPushButton*>(w) || qobject_cast<const QToolButton*>(w);
}

// A drop-down whose list is showing.
bool isOpenDropDown(const QWidget* w) {
    if (auto* combo = qobject_cast<const QComboBox*>(w))
        return combo->view() && combo->view()->isVisible();
    if (auto* number = qobject_cast<const controls::TNorvaNumberEdit*>(w))
        return number->isDroppedDown();
    if (auto* date = qobject_cast<const controls::TNorvaDateEdit*>(w))
        return date->DropDownDate();
    return false;
}

} // namespace

QEvent::Type StandardMessageEvent::eventType() {
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

TEForm::TEForm(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags) {
    setWindowTitle(QStringLiteral("EnterForm"));
    setFont(controls::designFont());
    // Key preview: the window sees the keys of its controls before they do.
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now->window() == this)
            showFocusedHint();
    });
}

TEForm::~TEForm() = default;

void TEForm::SetEnterMoves(bool on) {
    m_enterMoves = on;
    if (on)
        m_enterDefault = false;
}

void TEForm::SetEnterDefault(bool on) {
    m_enterDefault = on;
    if (on)
        m_enterMoves = false;
}

// ---------------------------------------------------------------- creation

void TEForm::FormCreate() {
    m_created = true;
    for (QTabWidget* tabs : findChildren<QTabWidget*>())
        if (tabs->count() > 0)
            tabs->setCurrentIndex(0);
    for (QStackedWidget* stack : findChildren<QStackedWidget*>())
        if (!qobject_cast<QTabWidget*>(stack->parentWidget()) && stack->count() > 0)
            stack->setCurrentIndex(0);
    appearancePass();
#ifdef Q_OS_WIN
    if (HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE)) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, PrintFormCommand, L"&Imprimir Forma");
    }
#endif
}

void TEForm::appearancePass() {
    const TMenuDataModule* pictures = TMenuDataModule::instance();
    for (QWidget* w : findChildren<QWidget*>()) {
        if (auto* shape = qobject_cast<controls::Shape*>(w)) {
            // Shadow boxes show; separator lines and shapes tagged 5000 or
            // more keep their own visibility.
            if (shape->height() > 10 && shape->width() > 1 && shape->tag() < ShadowTagLimit)
                shape->setVisible(true);
        } else if (auto* number = qobject_cast<controls::TNorvaNumberEdit*>(w)) {
            if (number->NorvaNumberObject().Decimales() > 0) {
                number->NorvaNumberObject().SetDecimales(2);
                number->SetInitText(number->InitText());
            }
        } else if (qobject_cast<QPlainTextEdit*>(w) ||
                   (qobject_cast<QTextEdit*>(w) && !qobject_cast<QTextBrowser*>(w))) {
            // Memos get a flat one-line border; line edits, drop-downs and spin
            // boxes are drawn flat by the style already.
            auto* editor = static_cast<QFrame*>(w);
            editor->setFrameShape(QFrame::Box);
            editor->setFrameShadow(QFrame::Plain);
            editor->setLineWidth(1);
        } else if (auto* push = qobject_cast<QPushButton*>(w)) {
            // Only a button marked default takes Enter from the fields.
            push->setAutoDefault(false);
        }
        // Date edits always show four-digit years (their short date format).

        if (isButton(w) && pictures) {
            const int index = ButtonPictureIndex(w->objectName());
            if (index >= 0 && index < pictures->ImageBotones().size()) {
                auto* button = static_cast<QAbstractButton*>(w);
                button->setIcon(pictures->ButtonIcon(index));
                button->setIconSize(QSize(TMenuDataModule::GlyphSize, TMenuDataModule::GlyphSize));
            }
        }
    }
    // Every field, list and picture button gets its caption as its accessible
    // name, for screen readers and test tools.
    controls::NameControls(this);
}

int TEForm::ButtonPictureIndex(const QString& objectName) {
    if (objectName.size() < 3)
        return -1;
    const QString digits = objectName.right(3);
    for (QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
    const int index = digits.toInt() - 1;
    return index >= 0 ? index : -1;
}

void TEForm::setVisible(bool visible) {
    if (visible && !m_created)
        FormCreate();
    // Every window opens centred on the desktop the first time, unless the
    // program placed it; later it opens where it was.
    if (visible && isWindow() && !isVisible() && !testAttribute(Qt::WA_Moved) &&
        !property("centred").toBool()) {
        setProperty("centred", true);
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QSize size = frameGeometry().size().expandedTo(sizeHint());
            QRect frame(QPoint(), size);
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QDialog::setVisible(visible);
}

void TEForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TEForm::FormShow() {
    showFocusedHint();
}

// ------------------------------------------------------------- status line

QStatusBar* TEForm::StatusBar() const {
    if (!m_statusBar)
        m_statusBar = findChild<QStatusBar*>();
    return m_statusBar;
}

QLabel* TEForm::statusLine() const {
    QStatusBar* bar = StatusBar();
    return bar ? bar->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void TEForm::ShowStatusText(const QString& text) {
    if (QLabel* panel = statusLine()) {
        panel->setTextFormat(Qt::PlainText);
        panel->setText(text);
    } else if (QStatusBar* bar = StatusBar()) {
        if (text.isEmpty())
            bar->clearMessage();
        else
            bar->showMessage(text);
    }
}

void TEForm::showFocusedHint() {
    ShowStatusText(controls::controlHint(focusedControl()));
}

void TEForm::FocusField(QWidget* control) {
    if (!control || !control->isEnabled())
        return;
    if (control->isWindow()) {
        control->activateWindow();
        showFocusedHint();
        return;
    }
    if (!control->isVisibleTo(this))
        return;
    control->setFocus(Qt::OtherFocusReason);
    ShowStatusText(controls::controlHint(control));
}

QWidget* TEForm::focusedControl() const {
    QWidget* w = focusWidget();
    if (!w || w == this)
        return nullptr;
    // The inner edit of a drop-down or a spin box stands for its control.
    for (QWidget* parent = w->parentWidget(); parent && parent != this;
         parent = parent->parentWidget()) {
        auto* combo = qobject_cast<QComboBox*>(parent);
        if (parent->focusProxy() == w || (combo && combo->lineEdit() == w))
            w = parent;
        else
            break;
    }
    return w;
}

// ---------------------------------------------------------------- keyboard

bool TEForm::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return QDialog::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    if (type == QEvent::KeyRelease) {
        m_previewed = nullptr;
        return false;
    }
    QWidget* target = focusWidget() ? focusWidget() : this;
    if (widget != target) {
        // The window's own turn: a key that came up from the focused control
        // was seen already; one sent to the window itself was not.
        if (widget != this || event == m_previewed) {
            if (widget == this)
                m_previewed = nullptr;
            return false;
        }
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (FormKeyDown(key)) {
        m_previewed = nullptr;
        key->accept();
        return true;
    }
    m_previewed = event;
    return false;
}

bool TEForm::FormKeyDown(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;

    if (modifiers == Qt::ControlModifier) {
        switch (key) {
        case Qt::Key_P:
            PrintForm();
            return true;
        case Qt::Key_A:
            CtrlAOperation();
            return false;
        case Qt::Key_M:
            CtrlMOperation();
            return true;
        case Qt::Key_S:
        case Qt::Key_D:
        case Qt::Key_T:
            return true;
        default:
            break;
        }
    }

    const bool escape = key == Qt::Key_Escape;
    const bool upDown = key == Qt::Key_Up || key == Qt::Key_Down;
    const bool alt = modifiers & Qt::AltModifier;
    QWidget* focused = focusedControl();
    if (!focused) {
        if (escape) {
            close();
            return true;
        }
        return false;
    }

    // Alt keys do nothing in number and date fields without their button.
    if (alt) {
        if (auto* number = qobject_cast<controls::TNorvaNumberEdit*>(focused);
            number && !number->ShowButton())
            return true;
        if (auto* date = qobject_cast<controls::TNorvaDateEdit*>(focused);
            date && !date->ShowButton())
            return true;
    }

    // Lists, calendars and open drop-downs take their arrows themselves.
    bool ownArrows = m_lookupOpen || isOpenDropDown(focused);
    for (QWidget* w = focusWidget(); w && w != this && !ownArrows; w = w->parentWidget())
        ownArrows = qobject_cast<QAbstractItemView*>(w) || qobject_cast<QCalendarWidget*>(w);
    if (ownArrows && !escape)
        return false;

    if (m_comboArrows && upDown && qobject_cast<QComboBox*>(focused) && !isOpenDropDown(focused)) {
        ComboArrowKey(focused, key == Qt::Key_Up ? ComboArrowUp : ComboArrowDown);
        return true;
    }
    if (m_arrowsOff || alt)
        return false;

    if (escape) {
        if (m_lookupOpen || isOpenDropDown(focused))
            return false;
        close();
        return true;
    }
    if (upDown) {
        // Between fields, also on drop-downs, spin boxes and sliders, whose
        // value stays.
        moveFocus(key == Qt::Key_Down);
        return true;
    }
    return false;
}

void TEForm::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        // Closing by Esc is FormKeyDown's, through the normal close.
        event->accept();
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
        !(modifiers & (Qt::AltModifier | Qt::ControlModifier))) {
        dialogEnter(modifiers & Qt::ShiftModifier);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TEForm::dialogEnter(bool backwards) {
    ShowStatusText(QString());
    if (m_enterMoves) {
        QWidget* focused = focusedControl();
        if (isButton(focused))
            standardEnter();
        else
            moveFocus(!backwards);
    } else if (m_enterDefault) {
        standardEnter();
    } else if (!standardEnter()) {
        moveFocus(!backwards);
    }
    showFocusedHint();
}

bool TEForm::standardEnter() {
    QWidget* focused = focusedControl();
    if (isButton(focused)) {
        auto* button = static_cast<QAbstractButton*>(focused);
        if (button->isEnabled())
            button->click();
        return true;
    }
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (button->isDefault() && button->isVisible()) {
            if (button->isEnabled())
                button->click();
            return true;
        }
    }
    return false;
}

void TEForm::moveFocus(bool next) {
    focusNextPrevChild(next);
    showFocusedHint();
}

void TEForm::ComboArrowKey(QWidget*, int) {}

// ------------------------------------------------------------------ closing

void TEForm::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    QDialog::closeEvent(event);
}

// ----------------------------------------------------------------- printing

void TEForm::PrintForm() {
    try {
        QPrinter printer(QPrinter::HighResolution);
        if (!runPrintDialog(printer))
            return;
        if (!printImage(printer))
            ShowStandardMessage(FormCannotBePrinted);
    } catch (...) {
        ShowStandardMessage(FormCannotBePrinted);
    }
}

bool TEForm::runPrintDialog(QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintSelection);
    return dialog.exec() == QDialog::Accepted;
}

bool TEForm::printImage(QPrinter& printer) {
    const QPixmap image = grab();
    if (image.isNull())
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The window at its size on screen, made smaller only where the page is.
    const QRect page = painter.viewport();
    const qreal scale = qreal(printer.resolution()) / qreal(logicalDpiX());
    QSizeF size = QSizeF(image.size()) / image.devicePixelRatio() * scale;
    if (size.width() > page.width() || size.height() > page.height())
        size.scale(page.size(), Qt::KeepAspectRatio);
    painter.drawPixmap(QRectF(QPointF(0, 0), size), image, QRectF(image.rect()));
    return painter.end() && printer.printerState() != QPrinter::Error;
}

// -------------------------------------------------------- standard messages

QString TEForm::StandardMessage(int entry) {
    switch (entry) {
    case FormCannotBePrinted:
        return QStringLiteral("1La forma no puede ser impresa");
    default:
        return QString();
    }
}

void TEForm::ShowStandardMessage(int entry) {
    QCoreApplication::postEvent(this, new StandardMessageEvent(entry));
}

void TEForm::showStandardMessageNow(int entry) {
    const QString message = StandardMessage(entry);
    if (message.isEmpty())
        return;
    using Icon = platform::MessageBoxService::Icon;
    Icon icon = Icon::Warning;
    switch (message.at(0).unicode()) {
    case '1':
        icon = Icon::Error;
        break;
    case '2':
        icon = Icon::Information;
        break;
    case '3':
        icon = Icon::Confirmation;
        break;
    default:
        break;
    }
    platform::MessageBoxService::instance().show(this, icon, message.mid(1),
                                                 platform::MessageBoxService::Buttons::Ok);
}

bool TEForm::event(QEvent* event) {
    if (event->type() == StandardMessageEvent::eventType()) {
        showStandardMessageNow(static_cast<StandardMessageEvent*>(event)->entry());
        return true;
    }
    return QDialog::event(event);
}

bool TEForm::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
#ifdef Q_OS_WIN
    if (eventType == "windows_generic_MSG") {
        const MSG* msg = static_cast<const MSG*>(message);
        if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == PrintFormCommand)
            PrintForm();
    }
#endif
    // Every command goes on to the standard handling.
    return QDialog::nativeEvent(eventType, message, result);
}

} // namespace shell
