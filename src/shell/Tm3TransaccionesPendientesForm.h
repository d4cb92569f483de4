#pragma once

#include "accounts/TCuentas.h"
#include "bank/Records.h"
#include "core/Currency.h"
#include "core/DateTime.h"
#include "data/Query.h"
#include "data/Table.h"
#include "shell/TEForm.h"

#include <QStringList>
#include <memory>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QStatusBar;
class QTabWidget;
class QTimer;

namespace controls {
class LookupCombo;
class OutlookBar;
class TNorvaDateEdit;
class TNorvaList;
} // namespace controls

namespace accounts {
class AccountPages;
class DueRangesPanel;
} // namespace accounts

namespace bank {
class InstallmentMaintenance;
class LookupSelection;
class NewTransactionPage;
class PendingPage;
} // namespace bank

namespace notice {
class NoticeScheduler;
}

namespace reports {
class ReportPage;
}

namespace shell {

class SettingsPage;
class TAvisoTransaccionesPendientesForm;
class Tm3TrayIconTransaccionesPenForm;

// The module window: its creation is the start-up of the whole program, and it
// owns the company context, the pending lists, the timers and the frame (menus,
// side bar, the seven main panels and the status bar). Closing it only hides it.
//
// The settings live in the controls of the configuration page PanelConfig
// (the panel PanelConfigurar): other code reads a setting through it, e.g.
// PanelConfig->EDiasAntes->WholeValue() or
// PanelConfig->CIncCuentasxCobrar->isChecked() (see SettingsPage).
class Tm3TransaccionesPendientesForm : public TEForm {
    Q_OBJECT
public:
    // The side bar's groups, in order.
    enum Group { GroupTransaccion = 0, GroupPendientes = 1, GroupCuentas = 2 };

    Tm3TransaccionesPendientesForm(TAvisoTransaccionesPendientesForm* notice,
                                   Tm3TrayIconTransaccionesPenForm* tray,
                                   QWidget* parent = nullptr);
    ~Tm3TransaccionesPendientesForm() override;

    // Start-up: the steps that make the program resident. It may ask the
    // application to terminate (another copy runs, no company table, no access).
    void FormCreate() override;

    // Operations of the frame used by the pages.
    void ShowPanel(bool nuevo, bool configurar, bool pendiente, bool reporte, bool cuentas,
                   bool aviso, bool fechaCtas);
    void EnableMainMenus(bool enabled);
    // Empties the from-date and sets the to-date to today.
    void ResetDateRange(controls::TNorvaDateEdit* from, controls::TNorvaDateEdit* to);
    bool SetUpLookup(controls::LookupCombo* selector, data::Table& table, const QString& first,
                     const QString& second, const QString& displayField,
                     const QString& lookupField);
    void ApplyTimerSettings(qint64 refreshMs, qint64 waitMs, bool enabled, bool soundOff);
    // The inclusion of customer receivables and supplier payables: the side
    // bar's "Cuentas" group, the menu "&Cuentas", the report page's boxes and
    // tabs, the selectors' tables and the notice window's groups.
    void ApplyAccountInclusion(bool receivables, bool payables);
    // Inserts an item into the side bar's "Cuentas" group.
    void AddOutlookItem(int index, int pictureIndex, const QString& caption);
    void LoadCompanyData();
    bool CheckSingleInstance(const QString& formName, const QString& mutexName);
    void SetRecordCount(int count); // status panel 3: "Registros: " + count
    void ClearRecordCount();        // status panel 3 emptied

    // Company context, set once by start-up.
    QString WorkFolder;
    QString DataFolder;
    QString ReportsFolder;
    QString ComputerName;
    QString CompanyName = QStringLiteral("EMPRESA S.A");
    QString CompanyLine3;
    QString CompanyLine4;
    core::TDateTime StartDate = 0;
    qint32 WaitUnitMs = 60000;
    qint32 NoticeWaitMs = 0;
    bool SoundOff = false;
    QStringList ViewMemory;

    // Sums of the amounts handed to the notice window since the last reload.
    core::Currency BankTotal;
    core::Currency ReceivableTotal;
    core::Currency PayableTotal;

    // Tables and queries, all pointed at the data folder by start-up.
    data::Table Tablasempresas;
    data::Table TablaBancos;
    data::Table TablaBeneficiarios;
    data::Table TablaTransPendientes;
    data::Table TablaGirosPendientes;
    data::Table TablaClientes;
    data::Table TablaProveedores;
    data::Query Query;
    data::Query QueryCtas;

    // Timers: the reload every few hours and the notice check.
    QTimer* TimerBusqueda;
    QTimer* TimerEspera;

    // Frame.
    QMenuBar* MainMenu;
    QMenu* MenuTransacciones;
    QMenu* MenuSistema;
    QMenu* MenuCuentas;
    QAction* MenuNuevo;
    QAction* MenuBanco;
    QAction* MenuFecha;
    QAction* MenuCtasCobrar;
    QAction* MenuCtasPagar;
    QAction* MenuCtasFecha;
    QAction* MenuInformes;
    QAction* MenuCerrar;
    QAction* MenuAcercaDe;
    QAction* MenuAyuda;
    QAction* MenuConfigurar;
    QAction* MenuVentanaAviso;
    QAction* MenuActualizarDatos;
    controls::OutlookBar* OutlookBar;
    QWidget* PanelNuevo;
    QWidget* PanelConfigurar; // the configuration page, PanelConfig
    QWidget* PanelPendiente;
    QWidget* PanelReporte;
    QWidget* PanelCuentas;
    QWidget* PanelAviso;
    QWidget* PanelFechaCtas;
    // The date ranges of the report page, the bank browse, the document browse
    // and the documents by date.
    controls::TNorvaDateEdit* NorvaDateInicial;
    controls::TNorvaDateEdit* NorvaDateFinal;
    controls::TNorvaDateEdit* EFechaDesde;
    controls::TNorvaDateEdit* EFechaHasta;
    controls::TNorvaDateEdit* EDesdeCtas;
    controls::TNorvaDateEdit* EHastaCtas;
    controls::TNorvaDateEdit* EFechaDesdeCts;
    controls::TNorvaDateEdit* EFechaHastaCts;
    controls::LookupCombo* CBanco;
    controls::LookupCombo* CClientes;
    controls::LookupCombo* CProveedores;
    QStatusBar* fcStatusBar1;
    QLabel* StatusPanels[4];
    QProgressBar* OvcMeterRegistros;

    // The configuration page (the panel PanelConfigurar): its controls are the
    // settings, e.g. PanelConfig->EDiasAntes.
    SettingsPage* PanelConfig;

    // Controls that the inclusion of receivables and payables sets on the pages
    // that show documents and on the report page. The inclusion rule is
    // complete; the pages that own them lay them out and give them their
    // behaviour.
    controls::TNorvaList* NorvaListCtasxCobrar; // PanelCuentas
    controls::TNorvaList* NorvaListCtasxPagar;
    QCheckBox* CheckCobrar;      // PanelFechaCtas, "x Cobrar"
    QCheckBox* CheckPagar;       // "x Pagar"
    QCheckBox* CheckBCtsxCobrar; // PanelReporte, "Cuentas por Cobrar"
    QCheckBox* CheckBCtsxPagar;  // "Cuentas por Pagar"
    QTabWidget* PageControlReporte;
    QWidget* TabFiltros;
    QWidget* TabCtasxCobrar; // "Cuentas x Cobrar"
    QWidget* TabCtasxPagar;  // "Cuentas x Pagar"
    // The position of "Por Pagar" in the "Cuentas" group, -1 while payables
    // are not included.
    int PorPagarItemIndex = -1;

    // ---- Pending bank transactions ----------------------------------------
    // Unpaid installments due up to today plus the notice horizon, not yet
    // handed to the notice window, in date and time order. The list owns them.
    bank::TGirosList DueInstallments;
    // Appends the due installments to `list` (read with Query) and returns it.
    bank::TGirosList& LoadDueInstallments(bank::TGirosList& list);
    // Ends every change to the bank tables: the notice window's bank part
    // reset, BankTotal 0, DueInstallments read again, the detail panel cleared.
    void RefreshDueInstallments();
    // Resets the installment detail panel.
    void ClearInstallmentDetail();
    // The notice horizon in days (the setting EDiasAntes, whole).
    int NoticeHorizonDays() const;
    // The bank pages: the new transaction (PanelNuevo), the "Pendientes"
    // browse (PanelPendiente), the installment maintenance (PanelAviso,
    // PanelEditar, PopupMenuProcesar) and the selection rules of the lookup
    // selectors (LookupKey, LookupKeyPressed, LookupMouseSelect, LookupDropped).
    bank::NewTransactionPage* NewTransaction = nullptr;
    bank::PendingPage* Pending = nullptr;
    bank::InstallmentMaintenance* Maintenance = nullptr;
    bank::LookupSelection* Lookup = nullptr;
    // ---- end of pending bank transactions -----------------------------------

    // ---- Receivables and payables -------------------------------------------
    // The open documents due up to today plus the notice horizon, one record
    // per party name, not yet handed to the notice window. The lists own them.
    accounts::TCuentasList OpenReceivables;
    accounts::TCuentasList OpenPayables;
    // "Definir Vencimientos": the day ranges and the type of the due-date
    // analysis, a layer over the window opened from the report page.
    accounts::DueRangesPanel* PanelTiempoVencimiento = nullptr;
    // The pages of the side bar's "Cuentas": the open documents of one
    // customer or supplier (PanelCuentas) and of every party by due date
    // (PanelFechaCtas), with their searches and saved states.
    accounts::AccountPages* Accounts = nullptr;
    // ---- end of receivables and payables ------------------------------------

    // ---- Reports --------------------------------------------------------------
    // The report page "Informes" (PanelReporte): its choices, the preview, the
    // printer and the lists' print entry points.
    reports::ReportPage* Reports = nullptr;
    // ---- end of reports ---------------------------------------------------------

    // ---- Notification ---------------------------------------------------------
    // The reload and the notice check behind TimerBusqueda and TimerEspera.
    std::unique_ptr<notice::NoticeScheduler> Scheduler;
    // ---- end of notification ----------------------------------------------------

    TAvisoTransaccionesPendientesForm* noticeWindow() const { return m_notice; }
    Tm3TrayIconTransaccionesPenForm* trayWindow() const { return m_tray; }

public slots:
    void MenuCerrarClick();
    void MenuClick(); // "Ac&erca de ..."
    void MenuAyudaClick();
    // "C&onfigurar" (also the tray's "&Con&figurar" and the side-bar item).
    void MenuConfigurarClick();
    // The items of the "Cuentas" group: "Por Cobrar", "Por Pagar", "Fecha".
    void OutlookListCuentasItems0Click();
    void OutlookListCuentasItems1Click();
    void OutlookListCuentasItems2Click();
    // The pair "x Cobrar" / "x Pagar" of the documents-by-date page.
    void CheckCobrarClick();
    void CheckPagarClick();
    // ---- Notification: the notice check, the reload, "&Ventana de Aviso" and
    // "Actualizar &Datos".
    void TimerEsperaTimer();
    void TimerBusquedaTimer();
    void VentanaAviso1Click();
    void ActualizarDatos1Click();
    // ---- end of notification

protected:
    void FormShow() override;
    bool FormCloseQuery() override;
    void FormClose() override;
    QLabel* statusLine() const override { return StatusPanels[0]; }

private:
    void buildFrame();
    void buildAccountControls();
    void closeLookupDropDowns();
    // Sets a box's tick and, when it changes, runs its click behaviour.
    void setTick(QCheckBox* box, bool ticked);
    QWidget* buildPanel(const QString& name, const QString& title);
    void outlookItemClicked(int group, int item);
    void runStartUp();
    // The notice window's side of RefreshDueInstallments: its maturity and
    // bank lists emptied before the reload, its bank group and counts set after.
    void ResetNoticeBankPart();
    void UpdateNoticeAfterRefresh();
    void buildBankPages();
    // The items "Banco", "Fecha" and "Detalle" of the side bar's "Pendientes".
    void bankItemClicked(int item);

    TAvisoTransaccionesPendientesForm* m_notice;
    Tm3TrayIconTransaccionesPenForm* m_tray;
    bool m_aboutOpen = false;
};

} // namespace shell
