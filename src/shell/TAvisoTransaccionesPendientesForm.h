#pragma once

#include "shell/TEForm.h"

#include <QImage>
#include <QList>
#include <QPointer>
#include <functional>

class QAbstractButton;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPainter;
class QPushButton;
class QTimer;
class QToolButton;

namespace controls {
class TNorvaList;
}

namespace notice {
class Tm3AvisoTiempoForm;
}

namespace shell {

class Tm3TransaccionesPendientesForm;

// The notice window: created first, hidden, below the bottom edge of the
// screen, from where it rises when something falls due.
//
// Its three groups (the buttons "Pendientes", "CtasxCobrar" and "CtasxPagar"
// at the bottom, each showing its list) are set by the notice check and by the
// inclusion of receivables and payables of the configuration page. The notice
// check appends the records that fall due to its three lists, which own them
// from then on; the maturity list refers to records of the list it was built
// from (the records are shared, so none is released while a list shows it).
class TAvisoTransaccionesPendientesForm : public TEForm {
    Q_OBJECT
public:
    // The rise and the fall, in one-pixel steps.
    static constexpr int RiseSteps = 205;
    static constexpr int FallSteps = 174;
    // The window stands this far from the right edge of the screen (its width
    // and 2 pixels).
    static constexpr int RightOffset = 215;

    explicit TAvisoTransaccionesPendientesForm(QWidget* parent = nullptr);
    ~TAvisoTransaccionesPendientesForm() override;

    // The module window whose totals, settings and notice timer the window reads.
    void setModuleWindow(Tm3TransaccionesPendientesForm* module) { m_module = module; }
    Tm3TransaccionesPendientesForm* moduleWindow() const { return m_module; }

    // Whether the notice is on screen.
    bool isOnScreen() const { return isVisible(); }

    void FormCreate() override;

    // Controls.
    QFrame* PanelAviso;
    QLabel* LTitulo;
    QLabel* Image1;           // the summary view's background picture
    QLabel* Image2;           // the small picture at the left of the title bar
    QToolButton* fcImageBtn1; // the close button at the right of the title bar
    QLabel* LTransPend;
    QLabel* LCtsxCobrar;
    QLabel* LCtsxPagar;
    // The lists of announced installments, receivables and payables, and the
    // maturity list; they lie on top of one another, at most one visible.
    controls::TNorvaList* NorvaListAvisoPen;
    controls::TNorvaList* NorvaListAvisoCobrar;
    controls::TNorvaList* NorvaListAvisoPagar;
    controls::TNorvaList* NorvaListVencimiento;
    // The group buttons; at most one is down ("Pendientes" at start).
    QWidget* fcButtonGroup1;
    QPushButton* fcButtonGroup1fcImageBtn1; // "Pendientes"
    QPushButton* fcButtonGroup1fcImageBtn2; // "CtasxCobrar"
    QPushButton* fcButtonGroup1fcImageBtn3; // "CtasxPagar"
    // Starts the rise a second after the notice check has shown the window.
    QTimer* Timer2;
    // The card pictures, 40 x 30 on white: 0 cheque, 1 debit note,
    // 2 receivable, 3 payable.
    QList<QImage> ImageListAviso;
    // The pop-up menu of the four lists.
    QMenu* PopupAviso;
    QAction* MenuIVer;
    QAction* MenuIVerTodos;
    QMenu* Titulo; // "Ver V&encidos entre"
    QAction* Vencido1;
    QAction* Vencido2;
    QAction* Vencido3;
    QAction* Vencido4;
    QAction* Imprimir1;
    QAction* Actualizar;
    QAction* Visto1;
    QAction* Regresar1;
    QAction* Cerrar1;

    // The kind of items the maturity list shows or last showed (0 bank
    // installments, 1 receivables, 2 payables), the beginning of its title, and
    // whether closing the notice skips the postpone question.
    int DueListKind = 0;
    QString DueListTitle;
    bool DontAskAgain = false;

    // The title shown when no list with a count is painted.
    static const QString PendingTitle; // "     Transacciones Pendientes"

    // Sets the visibility of the four lists, in this order.
    void ShowNoticeList(bool bank, bool receivables, bool payables, bool maturity);

    // Sets one group. Included: the button is enabled when the group has
    // items; a button that was down stays down with its list shown while the
    // group has items, else it is raised and its list hidden. Not included:
    // list hidden, button disabled and raised. Returns whether the group is
    // included and has items. It never presses a button.
    bool SetNoticeGroup(bool included, bool hasItems, bool previousDown, QWidget* list,
                        QAbstractButton* button);

    // A group button put down (the others raised) with its click behaviour run.
    void PressGroupButton(QAbstractButton* button);
    // A group button raised; nothing else changes.
    void RaiseGroupButton(QAbstractButton* button);
    bool IsDown(const QAbstractButton* button) const;

    // The file the media player plays when the notice rises.
    QString MediaPlayerFile() const { return m_mediaFile; }
    void SetMediaPlayerFile(const QString& file) { m_mediaFile = file; }
    // Whether the player has a sound open (played since it was last stopped).
    bool SoundDeviceOpen() const { return m_soundOpen; }
    // Stops the sound.
    void StopSound();

    // "Transacciones Bancarias : " + the count of the bank list.
    void SetBankSummary();
    // The three summary labels: each count, or 0 for a group whose button is disabled.
    void SetSummaryLabels();

    // The kind of a list (0 bank, 1 receivables, 2 payables): the tag of the
    // three lists, DueListKind for the maturity list.
    int ListKind(const controls::TNorvaList* list) const;
    controls::TNorvaList* KindList(int kind) const;
    QPushButton* KindButton(int kind) const;

    // The refresh after a change to the bank tables: before the installments
    // are read again the maturity list is emptied and hidden and the bank list
    // emptied; after it the bank group, the title and the summary labels follow.
    void ClearBankLists();
    void UpdateAfterBankRefresh();

    // The fall: 174 steps down, then out of sight, the list of the maturity
    // list's kind back in its place and the module window's lists repainted.
    void SlideDown();
    // Takes the foreground of the desktop.
    void BringToForeground();
    // Repaints the module window's six owner-drawn lists (each in its enabled
    // look) and then the whole module window.
    void RepaintModuleLists();

    // What runs between two steps of the rise and the fall: the program yields
    // the processor, processes the pending events and paces the movement so it
    // can be seen. Tests put their own (a count, or an action in mid-movement).
    std::function<void()> SlideStep;

    // The postpone dialog while it is open.
    notice::Tm3AvisoTiempoForm* PostponeDialog() const;

    // The module window's installment detail panel made the visible page: its
    // caption labels enabled as given, the module window shown and switched
    // to the side bar's "Detalle" of "Pendientes" unless it shows it already.
    void ShowInstallmentDetail(bool enable);

    // The pop-up menu prepared for the list it opens over (the menu's list):
    // the captions of the day ranges from the edits as they show, "&Pagado"
    // only over installments, the ranges or "&Regresar" by the list.
    void PopupAvisoPopup(controls::TNorvaList* list);
    // The list the pop-up menu was last opened over, which its items act on.
    controls::TNorvaList* PopupList() const { return m_menuList; }

    // The row painting of the four lists (their draw-item handlers).
    void NorvaListAvisoPenDrawItem(QPainter& painter, int index, const QRect& rect);
    void NorvaListAvisoCobrarDrawItem(QPainter& painter, int index, const QRect& rect);
    void NorvaListAvisoPagarDrawItem(QPainter& painter, int index, const QRect& rect);
    void NorvaListVencimientoDrawItem(QPainter& painter, int index, const QRect& rect);

public slots:
    // The rise (Timer2's handler): 205 steps up, then the sound.
    void Timer2Timer();
    // Closing: the close button and "&Cerrar".
    void fcImageBtn1Click();
    void fcButtonGroup1fcImageBtn1Click();
    void fcButtonGroup1fcImageBtn2Click();
    void fcButtonGroup1fcImageBtn3Click();
    void LTransPendClick();
    void LCtsxCobrarClick();
    void LCtsxPagarClick();
    // Back from the maturity list to the list of its kind.
    void Regresar1Click();
    // A double-click on a row: an installment opens the module window's
    // detail panel with it; a receivable or payable opens the page of its
    // party with the party's documents up to the notice horizon; a row of the
    // maturity list is opened as a row of its kind.
    void NorvaListAvisoPenDblClick();
    void NorvaListAvisoCobrarDblClick();
    void NorvaListAvisoPagarDblClick();
    void NorvaListVencimientoDblClick();
    // The items of the pop-up menu, acting on the menu's list: "&Ver" (the
    // double-click of the selected row), "Ver T&odas" (every pending item of
    // the list's kind up to the notice horizon in the module window), the
    // range items under "Ver V&encidos entre" (the items of the list in that
    // day range, in the maturity list), "&Imprimir" (the report of the list's
    // kind), "&Actualizar Datos" (the reload, at once) and "&Pagado" (the
    // selected installment marked paid).
    void MenuIVerClick();
    void MenuIVerTodosClick();
    void Vencido1Click(const QAction* item);
    void Imprimir1Click();
    void ActualizarClick();
    void Visto1Click();

protected:
    void FormShow() override;
    bool FormKeyDown(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPanel();
    void buildButtonGroup();
    void buildPopup();
    void groupButtonClicked(QPushButton* button);
    void summaryLabelClicked(QPushButton* button);
    void placeBelowScreen();
    void step(int dy);
    void drawCard(QPainter& painter, controls::TNorvaList& list, int kind, int index,
                  const QRect& rect);
    void setCountTitle(int kind);
    void postpone();
    // The double-click action of a list's kind on its selected row.
    void openSelected(controls::TNorvaList* list);
    void openInstallment(controls::TNorvaList* list);
    void openDocument(controls::TNorvaList* list, bool receivable);
    // An edit of the configuration page cancelled and the installments of one
    // transaction left, as their own buttons do.
    void leaveModuleEdits();

    Tm3TransaccionesPendientesForm* m_module = nullptr;
    QString m_mediaFile;
    bool m_soundOpen = false;
    int m_slideTop = 0;    // the top the rise or the fall last gave the window
    bool m_rising = false; // a rise is in progress
    QPointer<TEForm> m_postpone;
    controls::TNorvaList* m_menuList = nullptr; // the list the pop-up menu opened over
};

} // namespace shell
