#pragma once

#include "controls/StatusHint.h"

#include <QDialog>
#include <QEvent>
#include <QPointer>

class QKeyEvent;
class QLabel;
class QPrinter;
class QStatusBar;

namespace shell {

// A standard message of the suite posted to a window: the window shows entry
// `entry` of the table of standard messages with its type and an OK button.
class StandardMessageEvent : public QEvent {
public:
    explicit StandardMessageEvent(int entry) : QEvent(eventType()), m_entry(entry) {}
    static QEvent::Type eventType();
    int entry() const { return m_entry; }

private:
    int m_entry;
};

// The base form of every window but the tray window, as a top-level window or
// a dialog. It gives all windows the same keyboard (Enter and the arrows move
// between fields, Esc closes through the normal close), the same look (shadow
// boxes, two decimals on number fields, flat edits, button pictures by name),
// a status-line hint, Ctrl+P to print the window and the standard messages.
//
// The window sees every key before the focused control (FormKeyDown); Enter
// reaches it after the control had its chance. FormCreate runs once: a
// derived window calls it at the end of its construction (its override calls
// TEForm::FormCreate first); otherwise it runs just before the first show.
class TEForm : public QDialog, public controls::StatusTextTarget {
    Q_OBJECT
public:
    // The window-menu command that prints the window (Windows).
    static constexpr int PrintFormCommand = 160;
    // Shapes tagged from here on keep their own visibility.
    static constexpr int ShadowTagLimit = 5000;
    // The standard message shown when the window cannot be printed.
    static constexpr int FormCannotBePrinted = 38;
    // What Up and Down on a closed drop-down become with combo-arrows on.
    static constexpr int ComboArrowUp = 1500;
    static constexpr int ComboArrowDown = 1501;

    explicit TEForm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~TEForm() override;

    // The creation pass: page controls on their first page, the appearance
    // pass, and "&Imprimir Forma" in the window menu where the platform has one.
    virtual void FormCreate();

    // Shows `text` as plain text in panel 0 of the status line (statusLine());
    // a status bar without panels shows it as its message.
    void ShowStatusText(const QString& text) override;
    // Gives `control` the focus and shows its hint; a hidden or disabled
    // control is left alone. A window given as control is activated.
    void FocusField(QWidget* control);

    // Enter moves to the next field (default). Switching it on switches
    // Enter-default off.
    bool EnterMoves() const { return m_enterMoves; }
    void SetEnterMoves(bool on);
    // Enter is left to the standard dialog handling (the focused button or the
    // default button). Switching it on switches Enter-moves off. With both
    // off, Enter moves only when the standard handling did not use it.
    bool EnterDefault() const { return m_enterDefault; }
    void SetEnterDefault(bool on);
    // Up, Down and Esc are left to the controls.
    bool ArrowsOff() const { return m_arrowsOff; }
    void SetArrowsOff(bool on) { m_arrowsOff = on; }
    // Up and Down on a closed drop-down go to ComboArrowKey.
    bool ComboArrows() const { return m_comboArrows; }
    void SetComboArrows(bool on) { m_comboArrows = on; }
    // Set by a window while one of its lookup selectors has its list open: the
    // arrows are the selector's and Esc does not close the window.
    bool LookupOpen() const { return m_lookupOpen; }
    void SetLookupOpen(bool on) { m_lookupOpen = on; }

    // The first status bar among the window's children, kept once found.
    QStatusBar* StatusBar() const;

    // Ctrl+P: the print dialog and, when confirmed, an image of the window; a
    // failure shows standard message 38.
    void PrintForm();

    // Posts standard message `entry` to the window.
    void ShowStandardMessage(int entry);
    // Entry `entry` of the table: the type digit (0 warning, 1 error,
    // 2 information, 3 confirmation) followed by the text; empty if unknown.
    static QString StandardMessage(int entry);

    // The picture of a button by its name: the number its last three
    // characters give, minus one; -1 when they are not three digits.
    static int ButtonPictureIndex(const QString& objectName);

    // Runs FormCreate before the first show when the window has not.
    void setVisible(bool visible) override;

protected:
    // Runs each time the window is shown: the focused control's hint.
    virtual void FormShow();
    // The key handling that runs before the focused control sees the key;
    // true when the key was used or dropped. Derived windows that handle keys
    // call it first.
    virtual bool FormKeyDown(QKeyEvent* event);
    // The close checks: false keeps the window open.
    virtual bool FormCloseQuery() { return true; }
    // Runs when the window closes.
    virtual void FormClose() {}
    // Panel 0 of the status line: by default the first label of StatusBar().
    virtual QLabel* statusLine() const;
    // Ctrl+A and Ctrl+M: nothing in this program.
    virtual void CtrlAOperation() {}
    virtual void CtrlMOperation() {}
    // Up (ComboArrowUp) or Down (ComboArrowDown) on a closed drop-down, with
    // combo-arrows on.
    virtual void ComboArrowKey(QWidget* control, int code);
    // The print dialog; true when the user confirms.
    virtual bool runPrintDialog(QPrinter& printer);

    // The control the focus is in (a drop-down or spin box rather than its
    // inner edit); nullptr when nothing has the focus.
    QWidget* focusedControl() const;

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void appearancePass();
    void dialogEnter(bool backwards);
    bool standardEnter();
    void moveFocus(bool next);
    void showFocusedHint();
    bool printImage(QPrinter& printer);
    void showStandardMessageNow(int entry);

    bool m_created = false;
    bool m_enterMoves = true;
    bool m_enterDefault = false;
    bool m_arrowsOff = false;
    bool m_comboArrows = false;
    bool m_lookupOpen = false;
    mutable QPointer<QStatusBar> m_statusBar;
    // A key press the window has seen before the focused control, until it
    // comes up to the window or its key is released.
    const QEvent* m_previewed = nullptr;
};

} // namespace shell
