#include "shell/Tm3TransaccionesPendientesForm.h"

#include "accounts/AccountPages.h"
#include "accounts/DueRangesPanel.h"
#include "accounts/OpenDocuments.h"
#include "bank/DueInstallments.h"
#include "bank/InstallmentMaintenance.h"
#include "bank/LookupSelection.h"
#include "bank/NewTransactionPage.h"
#include "bank/PendingPage.h"
#include "controls/LookupCombo.h"
#include "controls/OutlookBar.h"
#include "controls/TNorvaDateEdit.h"
#include "data/EngineError.h"
#include "notice/NoticeScheduler.h"
#include "platform/AccessMarker.h"
#include "platform/Clock.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBoxService.h"
#include "platform/Paths.h"
#include "platform/SingleInstance.h"
#include "platform/SystemInfo.h"
#include "reports/ReportPage.h"
#include "shell/AppIcon.h"
#include "shell/Application.h"
#include "shell/CompanyData.h"
#include "shell/Settings.h"
#include "shell/SettingsPage.h"
#include "shell/SideBarPictures.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "shell/TNorvaAboutForm.h"
#include "shell/Tm3AccesoTransaccionesForm.h"
#include "shell/Tm3TrayIconTransaccionesPenForm.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace shell {

namespace {

constexpr int ClientWidth = 410;
constexpr int ClientHeight = 413;
constexpr int SideBarWidth = 66;
constexpr int StatusBarHeight = 19;
constexpr int HelpContext = 10;
constexpr int ViewMemorySlots = 22;

} // namespace

Tm3TransaccionesPendientesForm::Tm3TransaccionesPendientesForm(
    TAvisoTransaccionesPendientesForm* notice, Tm3TrayIconTransaccionesPenForm* tray,
    QWidget* parent)
    : TEForm(parent), m_notice(notice), m_tray(tray) {
    setObjectName(QStringLiteral("m3TransaccionesPendientesForm"));
    setWindowTitle(QStringLiteral("Módulo Transacciones Pendientes"));
    setWindowIcon(appIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);

    TimerBusqueda = new QTimer(this);
    TimerBusqueda->setObjectName(QStringLiteral("TimerBusqueda"));
    TimerEspera = new QTimer(this);
    TimerEspera->setObjectName(QStringLiteral("TimerEspera"));
    TimerEspera->setInterval(1000);
    connect(TimerBusqueda, &QTimer::timeout, this,
            &Tm3TransaccionesPendientesForm::TimerBusquedaTimer);
    connect(TimerEspera, &QTimer::timeout, this, &Tm3TransaccionesPendientesForm::TimerEsperaTimer);

    buildFrame();
    buildBankPages();
    // ---- Receivables and payables: the due-date analysis panel, in front of
    // the work panels when shown.
    PanelTiempoVencimiento = new accounts::DueRangesPanel(*this, PanelReporte->parentWidget());
    Accounts = new accounts::AccountPages(*this);
    // ---- end of receivables and payables
    // ---- Reports: the report page over the placeholders of PanelReporte.
    Reports = new reports::ReportPage(*this);
    // ---- end of reports
    if (m_tray)
        m_tray->setModuleWindow(this);
    // ---- Notification: the scheduler of the two timers and the notice
    // window's link back to this window (its totals, settings and timer).
    Scheduler = std::make_unique<notice::NoticeScheduler>(*this);
    if (m_notice)
        m_notice->setModuleWindow(this);
    connect(MenuVentanaAviso, &QAction::triggered, this,
            &Tm3TransaccionesPendientesForm::VentanaAviso1Click);
    connect(MenuActualizarDatos, &QAction::triggered, this,
            &Tm3TransaccionesPendientesForm::ActualizarDatos1Click);
    // ---- end of notification
}

Tm3TransaccionesPendientesForm::~Tm3TransaccionesPendientesForm() {
    // ---- Notification: the notice window outlives this window.
    if (m_notice)
        m_notice->setModuleWindow(nullptr);
    // ---- end of notification
}

QWidget* Tm3TransaccionesPendientesForm::buildPanel(const QString& name, const QString&) {
    auto* panel = new QWidget(this);
    panel->setObjectName(name);
    panel->setGeometry(SideBarWidth, 0, ClientWidth - SideBarWidth, ClientHeight - StatusBarHeight);
    panel->hide();
    return panel;
}

void Tm3TransaccionesPendientesForm::buildFrame() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(ClientWidth, ClientHeight);

    MainMenu = new QMenuBar(this);
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    MenuTransacciones = MainMenu->addMenu(QStringLiteral("&Transacciones"));
    MenuTransacciones->setObjectName(QStringLiteral("MenuTransacciones"));
    QMenu* banco = MenuTransacciones->addMenu(QStringLiteral("&Banco"));
    MenuNuevo = banco->addAction(QStringLiteral("&Nuevo"));
    MenuBanco = banco->addAction(QStringLiteral("&Banco"));
    MenuFecha = banco->addAction(QStringLiteral("&Fecha"));
    MenuCuentas = MenuTransacciones->addMenu(QStringLiteral("&Cuentas"));
    MenuCuentas->setObjectName(QStringLiteral("MenuCuentas"));
    MenuCtasCobrar = MenuCuentas->addAction(QStringLiteral("Por &Cobrar"));
    MenuCtasPagar = MenuCuentas->addAction(QStringLiteral("Por &Pagar"));
    MenuCtasFecha = MenuCuentas->addAction(QStringLiteral("&Fecha"));
    MenuInformes = MenuTransacciones->addAction(QStringLiteral("&Informes"));
    MenuCerrar = MenuTransacciones->addAction(QStringLiteral("&Cerrar"));
    MenuSistema = MainMenu->addMenu(QStringLiteral("&Sistema"));
    MenuSistema->setObjectName(QStringLiteral("MenuSistema"));
    MenuAcercaDe = MenuSistema->addAction(QStringLiteral("Ac&erca de ..."));
    MenuAyuda = MenuSistema->addAction(QStringLiteral("&Ayuda"));
    MenuConfigurar = MenuSistema->addAction(QStringLiteral("C&onfigurar"));
    MenuVentanaAviso = MenuSistema->addAction(QStringLiteral("&Ventana de Aviso"));
    MenuActualizarDatos = MenuSistema->addAction(QStringLiteral("Actualizar &Datos"));

    OutlookBar = new controls::OutlookBar(client);
    OutlookBar->setObjectName(QStringLiteral("OutlookBar"));
    OutlookBar->setGeometry(0, 0, SideBarWidth, ClientHeight - StatusBarHeight);
    const int transaccion = OutlookBar->addGroup(QStringLiteral("Transacción"));
    OutlookBar->addItem(transaccion, QStringLiteral("Nuevo"), sideBarPicture(0));
    OutlookBar->addItem(transaccion, QStringLiteral("Configurar"), sideBarPicture(1));
    const int pendientes = OutlookBar->addGroup(QStringLiteral("Pendientes"));
    OutlookBar->addItem(pendientes, QStringLiteral("Banco"), sideBarPicture(2));
    OutlookBar->addItem(pendientes, QStringLiteral("Fecha"), sideBarPicture(3));
    OutlookBar->addItem(pendientes, QStringLiteral("Detalle"), sideBarPicture(4));
    OutlookBar->addItem(pendientes, QStringLiteral("Informes"), sideBarPicture(8));
    const int cuentasGroup = OutlookBar->addGroup(QStringLiteral("Cuentas"));
    OutlookBar->setGroupVisible(cuentasGroup, false);
    OutlookBar->setActiveGroup(pendientes);
    connect(OutlookBar, &controls::OutlookBar::itemClicked, this,
            &Tm3TransaccionesPendientesForm::outlookItemClicked);

    PanelNuevo = buildPanel(QStringLiteral("PanelNuevo"), {});
    PanelConfig = new SettingsPage(*this, this);
    PanelConfig->setGeometry(SideBarWidth, 0, ClientWidth - SideBarWidth,
                             ClientHeight - StatusBarHeight);
    PanelConfig->hide();
    PanelConfigurar = PanelConfig;
    PanelPendiente = buildPanel(QStringLiteral("PanelPendiente"), {});
    PanelReporte = buildPanel(QStringLiteral("PanelReporte"), {});
    PanelCuentas = buildPanel(QStringLiteral("PanelCuentas"), {});
    PanelAviso = buildPanel(QStringLiteral("PanelAviso"), {});
    PanelFechaCtas = buildPanel(QStringLiteral("PanelFechaCtas"), {});
    for (QWidget* panel : {PanelNuevo, PanelConfigurar, PanelPendiente, PanelReporte, PanelCuentas,
                           PanelAviso, PanelFechaCtas})
        panel->setParent(client);
    PanelPendiente->show();
    buildAccountControls();

    auto dateEdit = [](QWidget* panel, const QString& name) {
        auto* edit = new controls::TNorvaDateEdit(panel);
        edit->setObjectName(name);
        edit->hide();
        return edit;
    };
    NorvaDateInicial = dateEdit(PanelReporte, QStringLiteral("NorvaDateInicial"));
    NorvaDateFinal = dateEdit(PanelReporte, QStringLiteral("NorvaDateFinal"));
    EFechaDesde = dateEdit(PanelPendiente, QStringLiteral("EFechaDesde"));
    EFechaHasta = dateEdit(PanelPendiente, QStringLiteral("EFechaHasta"));
    EDesdeCtas = dateEdit(PanelCuentas, QStringLiteral("EDesdeCtas"));
    EHastaCtas = dateEdit(PanelCuentas, QStringLiteral("EHastaCtas"));
    EFechaDesdeCts = dateEdit(PanelFechaCtas, QStringLiteral("EFechaDesdeCts"));
    EFechaHastaCts = dateEdit(PanelFechaCtas, QStringLiteral("EFechaHastaCts"));

    CBanco = new controls::LookupCombo(PanelPendiente);
    CBanco->setObjectName(QStringLiteral("CBanco"));
    CBanco->hide();
    CClientes = new controls::LookupCombo(PanelCuentas);
    CClientes->setObjectName(QStringLiteral("CClientes"));
    CClientes->hide();
    CProveedores = new controls::LookupCombo(PanelCuentas);
    CProveedores->setObjectName(QStringLiteral("CProveedores"));
    CProveedores->hide();

    fcStatusBar1 = new QStatusBar(client);
    fcStatusBar1->setObjectName(QStringLiteral("fcStatusBar1"));
    fcStatusBar1->setSizeGripEnabled(false);
    fcStatusBar1->setGeometry(0, ClientHeight - StatusBarHeight, ClientWidth, StatusBarHeight);
    const int widths[4] = {1, 65, 265, 50};
    for (int i = 0; i < 4; ++i) {
        StatusPanels[i] = new QLabel(fcStatusBar1);
        StatusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        StatusPanels[i]->setMinimumWidth(widths[i]);
        // The hint line takes the room the fixed panels leave.
        fcStatusBar1->addWidget(StatusPanels[i], i == 0 ? 1 : 0);
    }
    OvcMeterRegistros = new QProgressBar(StatusPanels[2]);
    OvcMeterRegistros->setObjectName(QStringLiteral("OvcMeterRegistros"));
    OvcMeterRegistros->setGeometry(2, 2, widths[2] - 4, StatusBarHeight - 6);
    OvcMeterRegistros->setTextVisible(false);
    OvcMeterRegistros->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(MainMenu);
    layout->addWidget(client);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(MenuCerrar, &QAction::triggered, this,
            &Tm3TransaccionesPendientesForm::MenuCerrarClick);
    connect(MenuAcercaDe, &QAction::triggered, this, &Tm3TransaccionesPendientesForm::MenuClick);
    connect(MenuAyuda, &QAction::triggered, this, &Tm3TransaccionesPendientesForm::MenuAyudaClick);
    connect(MenuNuevo, &QAction::triggered, this, [this] { OutlookBar->clickItem(0, 0); });
    connect(MenuConfigurar, &QAction::triggered, this,
            &Tm3TransaccionesPendientesForm::MenuConfigurarClick);
    connect(MenuBanco, &QAction::triggered, this, [this] {
        OutlookBar->setActiveGroup(GroupPendientes);
        OutlookBar->clickItem(GroupPendientes, 0);
    });
    connect(MenuFecha, &QAction::triggered, this, [this] {
        OutlookBar->setActiveGroup(GroupPendientes);
        OutlookBar->clickItem(GroupPendientes, 1);
    });
    connect(MenuInformes, &QAction::triggered, this, [this] {
        OutlookBar->setActiveGroup(GroupPendientes);
        OutlookBar->clickItem(GroupPendientes, 3);
    });
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &Tm3TransaccionesPendientesForm::MenuAyudaClick);
}

void Tm3TransaccionesPendientesForm::outlookItemClicked(int group, int item) {
    for (int g = 0; g < OutlookBar->groupCount(); ++g)
        if (g != group)
            OutlookBar->clearSelection(g);
    if (group == GroupTransaccion) {
        PanelReporte->hide();
        if (item == 0)
            NewTransaction->Show();
        else if (item == 1) {
            closeLookupDropDowns();
            ClearRecordCount();
            ShowPanel(false, true, false, false, false, false, false);
        }
    } else if (group == GroupPendientes) {
        NewTransaction->ClearNewTransactionPage();
        if (item == 0 || item == 1 || item == 2)
            bankItemClicked(item);
        else if (item == 3)
            Reports->ShowReportPage();
    } else if (group == GroupCuentas) {
        // The items come and go with the inclusion: each is known by its caption.
        const QString caption = OutlookBar->itemCaption(group, item);
        if (caption == QLatin1String("Por Cobrar"))
            OutlookListCuentasItems0Click();
        else if (caption == QLatin1String("Por Pagar"))
            OutlookListCuentasItems1Click();
        else if (caption == QLatin1String("Fecha"))
            OutlookListCuentasItems2Click();
    }
}

void Tm3TransaccionesPendientesForm::MenuConfigurarClick() {
    OutlookBar->setActiveGroup(GroupTransaccion);
    OutlookBar->clickItem(GroupTransaccion, 1);
}

void Tm3TransaccionesPendientesForm::closeLookupDropDowns() {
    for (controls::LookupCombo* selector : {CBanco, CClientes, CProveedores})
        if (selector->isDroppedDown())
            selector->closeUp(true);
}

void Tm3TransaccionesPendientesForm::ShowPanel(bool nuevo, bool configurar, bool pendiente,
                                               bool reporte, bool cuentas, bool aviso,
                                               bool fechaCtas) {
    PanelNuevo->setVisible(nuevo);
    PanelConfigurar->setVisible(configurar);
    PanelPendiente->setVisible(pendiente);
    PanelReporte->setVisible(reporte);
    PanelCuentas->setVisible(cuentas);
    PanelAviso->setVisible(aviso);
    PanelFechaCtas->setVisible(fechaCtas);
}

void Tm3TransaccionesPendientesForm::ResetDateRange(controls::TNorvaDateEdit* from,
                                                    controls::TNorvaDateEdit* to) {
    from->clear();
    to->SetDate(platform::Clock::instance().today());
}

void Tm3TransaccionesPendientesForm::EnableMainMenus(bool enabled) {
    MenuTransacciones->menuAction()->setEnabled(enabled);
    MenuSistema->menuAction()->setEnabled(enabled);
}

bool Tm3TransaccionesPendientesForm::SetUpLookup(controls::LookupCombo* selector,
                                                 data::Table& table, const QString& first,
                                                 const QString& second, const QString& displayField,
                                                 const QString& lookupField) {
    try {
        selector->setLookupTable(&table);
        selector->setLookupField(lookupField);
        selector->setDisplayField(displayField);
        selector->clearLookupValue();
        selector->setSelectedColumns({second, first});
        selector->setDisplayText(table.fieldByName(displayField).asString());
        return true;
    } catch (const data::EngineError&) {
    } catch (const std::exception&) {
    }
    platform::showError(this, QStringLiteral("Error al cargar la tabla ") + table.databaseName() +
                                  QStringLiteral("."));
    return false;
}

void Tm3TransaccionesPendientesForm::ApplyTimerSettings(qint64 refreshMs, qint64 waitMs,
                                                        bool enabled, bool soundOff) {
    TimerBusqueda->setInterval(int(qBound(qint64(1), refreshMs, qint64(INT_MAX))));
    NoticeWaitMs = qint32(qBound(qint64(0), waitMs, qint64(INT_MAX)));
    if (enabled)
        TimerEspera->start();
    else
        TimerEspera->stop();
    SoundOff = soundOff;
    if (enabled)
        TimerBusqueda->start();
    else
        TimerBusqueda->stop();
}

void Tm3TransaccionesPendientesForm::LoadCompanyData() {
    CompanyData company;
    if (!readCompanyData(DataFolder + QStringLiteral("Datos.txt"), company)) {
        platform::showError(this, QStringLiteral("No se pudo cargar los datos de la empresa."));
        return;
    }
    CompanyName = company.name;
    CompanyLine3 = company.line3;
    CompanyLine4 = company.line4;
}

bool Tm3TransaccionesPendientesForm::CheckSingleInstance(const QString&, const QString& mutexName) {
    return platform::SingleInstance::acquire(mutexName);
}

void Tm3TransaccionesPendientesForm::SetRecordCount(int count) {
    StatusPanels[3]->setText(QStringLiteral("Registros: ") + QString::number(count));
}

void Tm3TransaccionesPendientesForm::ClearRecordCount() {
    StatusPanels[3]->clear();
}

void Tm3TransaccionesPendientesForm::FormCreate() {
    TEForm::FormCreate();
    if (!CheckSingleInstance(QStringLiteral("m3TrayIconTransaccionesPenForm"),
                             QStringLiteral("Monvela"))) {
        application::requestTerminate();
        return;
    }

    WorkFolder = platform::paths::currentFolder();
    if (m_tray)
        m_tray->hideIcon();
    CompanyName = QStringLiteral("EMPRESA S.A");
    CompanyLine3.clear();
    CompanyLine4.clear();

    // The company's folders, from the first row of the suite's company table.
    try {
        Tablasempresas.setDatabaseName(QString());
        Tablasempresas.setTableName(QStringLiteral("sempresas.dat"));
        Tablasempresas.open();
        Tablasempresas.first();
        // A company table without a company gives no folders at all (not the
        // root folder an empty field would give): the start cannot go on.
        if (Tablasempresas.eof())
            throw data::EngineError(QStringLiteral("La tabla \"sempresas\" está vacía."));
        DataFolder = platform::paths::asFolder(
            Tablasempresas.fieldByName(QStringLiteral("FE_DIRDATOS")).asString());
        ReportsFolder = platform::paths::asFolder(
            Tablasempresas.fieldByName(QStringLiteral("FE_DIRREPORTES")).asString());
        Tablasempresas.close();
    } catch (const std::exception&) {
        Tablasempresas.close();
        platform::showInformation(
            this, QStringLiteral("Error al cargar la tabla \"sempresas.dat\", la aplicación no "
                                 "se inicializara."));
        application::requestTerminate(1);
        return;
    }

    ComputerName = platform::computerName();

    // Access: a computer without the marker asks for a user of the suite.
    const QString marker = platform::paths::accessMarker(ComputerName);
    if (!platform::accessmarker::exists(marker)) {
        bool granted = false;
        bool always = false;
        {
            Tm3AccesoTransaccionesForm access(DataFolder, this);
            access.exec();
            granted = access.Granted();
            always = access.CheckAcceso->isChecked();
        }
        if (!granted) {
            application::requestTerminate(1);
            return;
        }
        // Without the marker the start goes on; the login is asked again next time.
        if (always && !platform::accessmarker::create(marker))
            platform::showError(
                this, QStringLiteral("No se pudo guardar el permiso de acceso de esta computadora "
                                     "en \"") +
                          marker +
                          QStringLiteral("\". La próxima vez se pedirá de nuevo el nombre y la "
                                         "clave de usuario."));
    }

    try {
        runStartUp();
    } catch (const data::EngineError& e) {
        platform::showException(this, e.text());
    } catch (const std::exception& e) {
        platform::showException(this, QString::fromLocal8Bit(e.what()));
    }
}

void Tm3TransaccionesPendientesForm::runStartUp() {
    StartDate = platform::Clock::instance().today();
    if (m_tray)
        m_tray->showIcon();
    LoadCompanyData();
    platform::hideFromTaskBar(this);

    PanelConfig->EPathSonido->setText(platform::paths::defaultSoundFile(WorkFolder));
    PanelConfig->LoadSettings(settingsPath(WorkFolder, DataFolder));

    TimerEspera->start();

    ViewMemory = QStringList(ViewMemorySlots, QString());
    BankTotal = ReceivableTotal = PayableTotal = core::Currency();

    for (data::Query* q : {&QueryCtas, &Query})
        q->setDatabaseName(DataFolder);
    TablaBancos.setDatabaseName(DataFolder);
    TablaBeneficiarios.setDatabaseName(DataFolder);
    TablaBancos.setTableName(QStringLiteral("Sbancos.dat"));
    TablaBeneficiarios.setTableName(QStringLiteral("Sbeneficiario.dat"));
    TablaBancos.open();
    TablaBeneficiarios.open();

    TablaTransPendientes.setDatabaseName(DataFolder);
    TablaGirosPendientes.setDatabaseName(DataFolder);
    TablaTransPendientes.setTableName(QStringLiteral("m3TransPendientes.dat"));
    TablaGirosPendientes.setTableName(QStringLiteral("m3GirosPendientes.dat"));

    SetUpLookup(CBanco, TablaBancos, QStringLiteral("FB_NOCUENTA\t20\tNumero de Cuenta\tT"),
                QStringLiteral("FB_DESCRIPCION\t20\tDescripción\tT"),
                QStringLiteral("FB_DESCRIPCION"), QStringLiteral("FB_NOCUENTA"));

    // ---- Pending bank transactions: the empty bank lists, the due
    // installments up to the notice horizon, the editing row over the schedule
    // grid and the selection rules of the lookup selectors.
    Pending->PrepareLists();
    DueInstallments.clear();
    LoadDueInstallments(DueInstallments);
    NewTransaction->LayEditingRow();
    Lookup->LookupMouseSelect = true;
    // ---- end of pending bank transactions

    // ---- Receivables and payables: the open documents, one record per
    // party, up to the notice horizon of the settings.
    accounts::LoadOpenReceivables(QueryCtas, this, NoticeHorizonDays(), OpenReceivables);
    accounts::LoadOpenPayables(QueryCtas, this, NoticeHorizonDays(), OpenPayables);
    // ---- end of receivables and payables

    OvcMeterRegistros->hide();

    const SettingsPage& page = *PanelConfig;
    WaitUnitMs = qint32(waitUnitMs(page.ComboBMinHora->currentIndex()));
    ApplyTimerSettings(qint64(SettingsPage::NumberSetting(page.ERefrescarDatos)) * 3600000,
                       qint64(SettingsPage::NumberSetting(page.ETiempoEspera)) * WaitUnitMs,
                       !page.CDesactivarVentana->isChecked(), page.CDesactivarSonido->isChecked());

    TablaBancos.close();
    TablaBeneficiarios.close();
}

void Tm3TransaccionesPendientesForm::FormShow() {
    TEForm::FormShow();
    try {
        TablaBancos.open();
        TablaBeneficiarios.open();
        Tablasempresas.open();
    } catch (const data::EngineError& e) {
        platform::showException(this, e.text());
    }
    ResetDateRange(NorvaDateInicial, NorvaDateFinal);
    ResetDateRange(EFechaDesde, EFechaHasta);
    ResetDateRange(EDesdeCtas, EHastaCtas);
    ResetDateRange(EFechaDesdeCts, EFechaHastaCts);
    OutlookBar->setActiveGroup(GroupPendientes);
    ApplyAccountInclusion(PanelConfig->CIncCuentasxCobrar->isChecked(),
                          PanelConfig->CIncCuentasxPagar->isChecked());
}

bool Tm3TransaccionesPendientesForm::FormCloseQuery() {
    // Only an edit of the configuration page asks.
    if (!PanelConfigurar->isVisibleTo(this) ||
        !PanelConfig->BCancelar2002->isEnabledTo(PanelConfig))
        return true;
    if (!platform::confirm(this, QStringLiteral("Desea salir sin guardar la configuración?")))
        return false;
    PanelConfig->BCancelar2002Click();
    return true;
}

void Tm3TransaccionesPendientesForm::FormClose() {
    closeLookupDropDowns();
    TablaBancos.close();
    TablaBeneficiarios.close();
    TablaClientes.close();
    TablaProveedores.close();
    Tablasempresas.close();
    // The bank page showing is emptied.
    Pending->FormClose();
}

void Tm3TransaccionesPendientesForm::MenuCerrarClick() {
    close();
}

void Tm3TransaccionesPendientesForm::MenuClick() {
    if (m_aboutOpen)
        return;
    m_aboutOpen = true;
    TNorvaAboutForm about(isVisible() ? this : nullptr);
    about.exec();
    m_aboutOpen = false;
}

void Tm3TransaccionesPendientesForm::MenuAyudaClick() {
    platform::HelpViewer::showTopic(platform::paths::helpFile(WorkFolder), HelpContext);
}

// ---- Notification ------------------------------------------------------------

void Tm3TransaccionesPendientesForm::TimerEsperaTimer() {
    Scheduler->Check();
}

void Tm3TransaccionesPendientesForm::TimerBusquedaTimer() {
    Scheduler->Reload();
}

void Tm3TransaccionesPendientesForm::VentanaAviso1Click() {
    Scheduler->RequestNotice();
}

void Tm3TransaccionesPendientesForm::ActualizarDatos1Click() {
    Scheduler->Reload();
}

// ---- end of notification ---------------------------------------------------------

// ---- Pending bank transactions ---------------------------------------------

bank::TGirosList& Tm3TransaccionesPendientesForm::LoadDueInstallments(bank::TGirosList& list) {
    return bank::LoadDueInstallments(Query, list, NoticeHorizonDays(), this);
}

int Tm3TransaccionesPendientesForm::NoticeHorizonDays() const {
    return SettingsPage::NumberSetting(PanelConfig->EDiasAntes);
}

void Tm3TransaccionesPendientesForm::RefreshDueInstallments() {
    try {
        ResetNoticeBankPart();
        BankTotal = core::Currency();
        DueInstallments.clear();
        LoadDueInstallments(DueInstallments);
        // A notice on screen takes the due installments back at its next check, at once.
        if (m_notice && m_notice->isVisible())
            TimerEspera->setInterval(1);
        UpdateNoticeAfterRefresh();
        ClearInstallmentDetail();
    } catch (const std::exception&) {
        platform::showError(
            this, QStringLiteral("Error al tratar de actualizar los datos en la lista de avisos."));
    }
}

void Tm3TransaccionesPendientesForm::buildBankPages() {
    Pending = new bank::PendingPage(*this);
    NewTransaction = new bank::NewTransactionPage(*this);
    Maintenance = new bank::InstallmentMaintenance(*this);
    Maintenance->AttachPopup(Pending->NorvaListPendientesBanco,
                             bank::InstallmentMaintenance::ListKind::BankInstallments);
    Maintenance->AttachPopup(Pending->NorvaListFecha,
                             bank::InstallmentMaintenance::ListKind::DateInstallments);
    Lookup = new bank::LookupSelection(*this, this);
    Lookup->Attach(
        CBanco,
        [this] {
            if (PanelPendiente->isVisible())
                Pending->BancoChosen();
        },
        true);
}

void Tm3TransaccionesPendientesForm::bankItemClicked(int item) {
    if (item == 0)
        Pending->ShowBankPage();
    else if (item == 1)
        Pending->ShowDatePage();
    else if (item == 2)
        Pending->ShowDetailPanel();
}

void Tm3TransaccionesPendientesForm::ClearInstallmentDetail() {
    Maintenance->ClearInstallmentDetail();
}

// ---- Notification: the notice window's side of RefreshDueInstallments.
void Tm3TransaccionesPendientesForm::ResetNoticeBankPart() {
    if (m_notice)
        m_notice->ClearBankLists();
}

void Tm3TransaccionesPendientesForm::UpdateNoticeAfterRefresh() {
    if (m_notice)
        m_notice->UpdateAfterBankRefresh();
}
// ---- end of notification

} // namespace shell
