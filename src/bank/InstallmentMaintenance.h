#pragma once

#include "bank/Records.h"

#include <QHash>
#include <QObject>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QWidget;

namespace controls {
class TNorvaDateEdit;
class TNorvaList;
class TNorvaNumberEdit;
} // namespace controls

namespace shell {
class Tm3TransaccionesPendientesForm;
}

namespace bank {

// The maintenance of recorded installments: marking paid (with the renewal of
// the installment of a fixed series that carries the period code), renewing,
// editing date and amount (the panel PanelEditar), deleting with the
// renumbering of the rest, and the detail panel PanelAviso. The operations act
// on the selected row of the list the pop-up menu PopupMenuProcesar was opened
// on. An installment or transaction that is no longer in its table (deleted by
// another program) changes nothing else: the user is told and the list is read
// again.
class InstallmentMaintenance : public QObject {
    Q_OBJECT
public:
    explicit InstallmentMaintenance(shell::Tm3TransaccionesPendientesForm& form);
    ~InstallmentMaintenance() override;

    // The lists PopupMenuProcesar serves, by what they show.
    enum class ListKind { BankInstallments, DateInstallments, Documents };
    // Gives a list the pop-up menu.
    void AttachPopup(controls::TNorvaList* list, ListKind kind);
    // The menu's items enabled for the list it is opened on, which the items
    // then act on.
    void PreparePopup(controls::TNorvaList* list);
    controls::TNorvaList* PopupList() const { return m_list; }

    // Marks the installment of the list's selected row paid after asking, and
    // renews it when it carries a period code; the browse totals follow.
    void MarkInstallmentPaid(controls::TNorvaList* list);
    // Creates the next installment of a fixed series from `r` (an installment
    // read from the tables) and moves the period code to it; the transaction's
    // count grows with it. The code leaves `r`'s row only once the new row is
    // written, so a failure never ends the series; an installment that no
    // longer carries the code (renewed already) is not renewed again. True when
    // the new installment was written.
    bool RenewFixedInstallment(const TGirosReg& r);
    // Deletes the installment of the list's selected row after asking and
    // renumbers the rest of its transaction in index order; the transaction's
    // count and amount are lowered once the row is gone.
    void DeleteInstallment(controls::TNorvaList* list);
    // Resets the detail panel.
    void ClearInstallmentDetail();
    // Shows an installment in the detail panel (the pop-up's "&Detalle", the
    // notice window's double-click) and switches the window to the panel.
    void ShowDetail(const TGirosRegPtr& r);
    // The detail panel's caption labels enabled, the module window shown and
    // switched to the detail panel through the side bar's "Detalle".
    void ShowInstallmentDetail(bool enable);

    // The pop-up menu.
    QMenu* PopupMenuProcesar;
    QAction* Procesar1;
    QAction* YaPagada1;
    QAction* Imprimir1;
    QAction* Eliminar1;
    QAction* Detalle1;
    QAction* Modificar1;

    // The detail panel PanelAviso.
    QLabel* LTituloPendiente;
    QLabel* LTTipoTrans;
    QLabel* LTNroDoc;
    QLabel* LTDescrip;
    QLabel* LTBenefi;
    QLabel* LTFecha;
    QLabel* LTMonto;
    QLabel* LTMasDetalle;
    QLabel* LTCouta;
    QLabel* LTBanco;
    QLabel* LTFechaPagado;
    QLabel* LTipoTrans;
    QLabel* LNroDoc;
    QLabel* LDescrip;
    QLabel* LBeneficiario;
    QLabel* LFecha;
    QLabel* LDetalleMonto;
    QLabel* LCoutaDetalle;
    QLabel* LBanco;
    QLabel* LFechaPagado;
    QLabel* ImagenDetalle;
    QPushButton* BProcesar022;
    QPushButton* BVolver2032;
    QPushButton* BLimpiar010;

    // The edit panel PanelEditar.
    QFrame* PanelEditar;
    QLabel* LTituloEditar;
    controls::TNorvaNumberEdit* ENorDocumento;
    controls::TNorvaDateEdit* EFechaVencimiento;
    controls::TNorvaNumberEdit* EMontoPagar;
    QPushButton* BEditar001;
    QPushButton* BCancelar3002;

public slots:
    void Procesar1Click();
    void YaPagada1Click();
    void Eliminar1Click();
    void Detalle1Click();
    void Modificar1Click();
    void BEditar001Click();
    void BCancelar3002Click();
    void BProcesar022Click();
    void BVolver2032Click();

private:
    void buildDetailPanel();
    void buildEditPanel();
    void markPaid(const QString& alreadyPaid);
    TGirosRegPtr selected(controls::TNorvaList* list) const;
    bool isBrowseList(const controls::TNorvaList* list) const;
    void afterTotalsChanged(const controls::TNorvaList* list);
    void installmentMissing(controls::TNorvaList* list);
    void endEdit(bool giveFrameBack);

    shell::Tm3TransaccionesPendientesForm& m_form;
    QHash<const controls::TNorvaList*, ListKind> m_kinds;
    controls::TNorvaList* m_list = nullptr; // the list the menu was opened on
    TGirosRegPtr m_edit;                    // the installment in the edit panel
    controls::TNorvaList* m_editList = nullptr;
    TGirosRegPtr m_detail; // the installment in the detail panel
};

} // namespace bank
