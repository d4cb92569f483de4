#pragma once

#include "bank/Records.h"
#include "core/Currency.h"

#include <QObject>

class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QStackedWidget;
class QWidget;

namespace controls {
class HeaderSections;
class Shape;
class TNorvaList;
} // namespace controls

namespace shell {
class Tm3TransaccionesPendientesForm;
}

namespace bank {

// The "Pendientes" panel PanelPendiente of the module window. "Banco" lists the
// transactions of one company bank account and, for a chosen transaction, its
// installments with three totals; "Fecha" searches the installments of every
// transaction by a date range and a paid/unpaid filter, with the same totals.
// The installment lists carry the maintenance pop-up menu.
class PendingPage : public QObject {
    Q_OBJECT
public:
    explicit PendingPage(shell::Tm3TransaccionesPendientesForm& form);
    ~PendingPage() override;

    // The pages of the panel.
    void ShowBankPage(); // side bar "Banco", menu "&Banco"
    void ShowDatePage(); // side bar "Fecha", menu "&Fecha"
    // Side bar "Detalle": the detail panel alone.
    void ShowDetailPanel();
    // The bank selector's choice while the panel shows: the chosen bank's
    // transactions, in key order.
    void BancoChosen();
    // Start-up: the empty lists and the hidden status shadow.
    void PrepareLists();
    // Closing the module window: the list of the page showing is emptied.
    void FormClose();

    // The three totals of the listed installments: all, unpaid, and unpaid
    // dated before today; shown in LTotal, LPorPagar and LVencidos.
    core::Currency TotalMonto;
    core::Currency TotalPorPagar;
    core::Currency TotalVencidos;
    void ShowTotals();
    void ClearTotalLabels(); // the three labels "0,00"

    // The installment list whose rows were read for `list` is read again (after
    // a row changed elsewhere): the transaction's installments or the search.
    void ReloadList(controls::TNorvaList* list);
    // The bank page shows the installments of one transaction.
    bool ShowsInstallments() const;
    // The transaction of the bank list's selected row, or null.
    TTransReg* SelectedTransaction() const;

    // Controls.
    QLabel* LTituloPendientes;
    QLabel* LBusqueda;
    controls::Shape* SSombraBanco;
    QLabel* LHasta;
    QStackedWidget* PageControlPendientes;
    QWidget* TabSheetBanco;
    QWidget* TabSheetMuestra;
    QWidget* TabSheetFecha;
    controls::HeaderSections* CabeceraTransPendientes;
    controls::TNorvaList* NorvaListTransPendiente;
    QMenu* PopupBanco;
    QLabel* StaticText1;
    controls::HeaderSections* CabeceraGirosPendientesBanco;
    controls::TNorvaList* NorvaListPendientesBanco;
    controls::HeaderSections* CabeceraGirosPendientesFecha;
    controls::TNorvaList* NorvaListFecha;
    QPushButton* BVer008;
    QPushButton* BBorrar010;
    QPushButton* BTAnterior0032;
    QPushButton* BBuscar006;
    QComboBox* CBStatus;
    controls::Shape* SCBStatus;
    QLabel* LPorPagar;
    QLabel* LTotal;
    QLabel* LVencidos;

public slots:
    // "&Ver" and a double-click on a transaction: its installments.
    void BVer008Click();
    // "&Regresar": back to the bank's transactions.
    void BTAnterior0032Click();
    // "&Borrar": the selected transaction and all its installments.
    void BBorrar010Click();
    // "&Buscar", leaving a date of the range, changing the status filter.
    void BBuscar006Click();

private:
    void showTab(QWidget* tab);
    void listInstallments(const TTransReg& t);
    void addInstallment(const TGirosRegPtr& giro);
    void closeDropDowns();
    void emptyList(controls::TNorvaList* list);

    shell::Tm3TransaccionesPendientesForm& m_form;
    // The transaction whose installments are listed.
    TTransRegPtr m_shown;
    bool m_searching = false;
};

} // namespace bank
