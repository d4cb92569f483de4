#pragma once

#include "core/Currency.h"
#include "core/DateTime.h"
#include "data/Query.h"
#include "data/Table.h"
#include "shell/TEForm.h"

#include <QStringList>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QStatusBar;
class QTimer;

namespace controls {
class LookupCombo;
class OutlookBar;
class TNorvaDateEdit;
} // namespace controls

namespace shell {

class TAvisoTransaccionesPendientesForm;
class Tm3TrayIconTransaccionesPenForm;

// The module window: its creation is the start-up of the whole program, and it
// owns the company context, the pending lists, the timers and the frame (menus,
// side bar, the seven main panels and the status bar). Closing it only hides it.
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
    QWidget* PanelConfigurar;
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

    TAvisoTransaccionesPendientesForm* noticeWindow() const { return m_notice; }
    Tm3TrayIconTransaccionesPenForm* trayWindow() const { return m_tray; }

public slots:
    void MenuCerrarClick();
    void MenuClick(); // "Ac&erca de ..."
    void MenuAyudaClick();
    void TimerEsperaTimer();
    void TimerBusquedaTimer();

protected:
    void FormShow() override;
    bool FormCloseQuery() override;
    void FormClose() override;
    QLabel* statusLine() const override { return StatusPanels[0]; }

private:
    void buildFrame();
    QWidget* buildPanel(const QString& name, const QString& title);
    void outlookItemClicked(int group, int item);
    void runStartUp();

    TAvisoTransaccionesPendientesForm* m_notice;
    Tm3TrayIconTransaccionesPenForm* m_tray;
    bool m_aboutOpen = false;
};

} // namespace shell
