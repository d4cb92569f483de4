// The inclusion of customer receivables and supplier payables in the module
// window, applied each time the window is shown and after the configuration
// page is saved.

#include "accounts/AccountPages.h"
#include "controls/LookupCombo.h"
#include "controls/OutlookBar.h"
#include "controls/TNorvaList.h"
#include "data/EngineError.h"
#include "data/Schema.h"
#include "platform/MessageBoxService.h"
#include "shell/SideBarPictures.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "shell/Tm3TransaccionesPendientesForm.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

namespace shell {

namespace {

void showTab(QTabWidget* tabs, QWidget* tab, bool shown) {
    tabs->setTabVisible(tabs->indexOf(tab), shown);
}

// Opens a party table of the data folder on its index (the selectors keep it
// open while the window is shown).
void openPartyTable(data::Table& table, const QString& folder, const QString& name,
                    const QString& index) {
    table.close();
    table.setDatabaseName(folder);
    table.setTableName(name);
    table.open();
    table.setIndexName(index);
}

} // namespace

void Tm3TransaccionesPendientesForm::buildAccountControls() {
    auto list = [](QWidget* panel, const QString& name) {
        auto* l = new controls::TNorvaList(panel);
        l->setObjectName(name);
        l->hide();
        l->ShowPlaceholder();
        return l;
    };
    NorvaListCtasxCobrar = list(PanelCuentas, QStringLiteral("NorvaListCtasxCobrar"));
    NorvaListCtasxPagar = list(PanelCuentas, QStringLiteral("NorvaListCtasxPagar"));

    auto box = [](QWidget* panel, const QString& name, const QString& caption, int x, int y) {
        auto* b = new QCheckBox(caption, panel);
        b->setObjectName(name);
        b->setGeometry(x, y, 150, 17);
        return b;
    };
    CheckCobrar =
        box(PanelFechaCtas, QStringLiteral("CheckCobrar"), QStringLiteral("x Cobrar"), 200, 40);
    CheckCobrar->setChecked(true);
    CheckPagar =
        box(PanelFechaCtas, QStringLiteral("CheckPagar"), QStringLiteral("x Pagar"), 200, 60);
    connect(CheckCobrar, &QCheckBox::clicked, this,
            &Tm3TransaccionesPendientesForm::CheckCobrarClick);
    connect(CheckPagar, &QCheckBox::clicked, this,
            &Tm3TransaccionesPendientesForm::CheckPagarClick);

    // "Por &Cobrar", "Por &Pagar" and "&Fecha" of the menu "&Cuentas": the
    // matching item of the side bar's "Cuentas", as if it were clicked there.
    auto menuItem = [this](QAction* action, const QString& caption) {
        connect(action, &QAction::triggered, this, [this, caption] {
            for (int item = 0; item < OutlookBar->itemCount(GroupCuentas); ++item)
                if (OutlookBar->itemCaption(GroupCuentas, item) == caption) {
                    OutlookBar->clickItem(GroupCuentas, item);
                    OutlookBar->setActiveGroup(GroupCuentas);
                    return;
                }
        });
    };
    menuItem(MenuCtasCobrar, QStringLiteral("Por Cobrar"));
    menuItem(MenuCtasPagar, QStringLiteral("Por Pagar"));
    menuItem(MenuCtasFecha, QStringLiteral("Fecha"));

    CheckBCtsxCobrar = box(PanelReporte, QStringLiteral("CheckBCtsxCobrar"),
                           QStringLiteral("Cuentas por Cobrar"), 180, 106);
    CheckBCtsxPagar = box(PanelReporte, QStringLiteral("CheckBCtsxPagar"),
                          QStringLiteral("Cuentas por Pagar"), 17, 132);
    PageControlReporte = new QTabWidget(PanelReporte);
    PageControlReporte->setObjectName(QStringLiteral("PageControlReporte"));
    PageControlReporte->setGeometry(8, 163, 326, 185);
    TabFiltros = new QWidget;
    TabFiltros->setObjectName(QStringLiteral("TabFiltros"));
    TabCtasxCobrar = new QWidget;
    TabCtasxCobrar->setObjectName(QStringLiteral("TabCtasxCobrar"));
    TabCtasxPagar = new QWidget;
    TabCtasxPagar->setObjectName(QStringLiteral("TabCtasxPagar"));
    PageControlReporte->addTab(TabFiltros, QStringLiteral("Transacciones Bancarias  "));
    PageControlReporte->addTab(TabCtasxCobrar, QStringLiteral("Cuentas x Cobrar"));
    PageControlReporte->addTab(TabCtasxPagar, QStringLiteral("Cuentas x Pagar"));
}

void Tm3TransaccionesPendientesForm::setTick(QCheckBox* box, bool ticked) {
    if (box->isChecked() == ticked)
        return;
    box->setChecked(ticked);
    if (box == CheckCobrar)
        CheckCobrarClick();
    else if (box == CheckPagar)
        CheckPagarClick();
}

// The pair "x Cobrar" / "x Pagar": the box clicked is ticked, the other is
// not, and the documents-by-date page is searched for the kind ticked (only
// while that page is shown).
void Tm3TransaccionesPendientesForm::CheckCobrarClick() {
    if (Accounts) {
        Accounts->CheckCobrarClick();
        return;
    }
    CheckCobrar->setChecked(true);
    CheckPagar->setChecked(false);
}

void Tm3TransaccionesPendientesForm::CheckPagarClick() {
    if (Accounts) {
        Accounts->CheckPagarClick();
        return;
    }
    CheckPagar->setChecked(true);
    CheckCobrar->setChecked(false);
}

// The items of the "Cuentas" group open the customer page, the supplier page
// and the documents-by-date page, each with the state of its last search.
void Tm3TransaccionesPendientesForm::OutlookListCuentasItems0Click() {
    if (Accounts)
        Accounts->ShowCustomerPage();
}

void Tm3TransaccionesPendientesForm::OutlookListCuentasItems1Click() {
    if (Accounts)
        Accounts->ShowSupplierPage();
}

void Tm3TransaccionesPendientesForm::OutlookListCuentasItems2Click() {
    if (Accounts)
        Accounts->ShowDatePage();
}

void Tm3TransaccionesPendientesForm::AddOutlookItem(int index, int pictureIndex,
                                                    const QString& caption) {
    OutlookBar->insertItem(GroupCuentas, index, caption, sideBarPicture(pictureIndex));
}

void Tm3TransaccionesPendientesForm::ApplyAccountInclusion(bool receivables, bool payables) {
    TAvisoTransaccionesPendientesForm* notice = m_notice;
    if (!receivables && !payables) {
        OutlookBar->setGroupVisible(GroupCuentas, false);
        showTab(PageControlReporte, TabCtasxCobrar, false);
        showTab(PageControlReporte, TabCtasxPagar, false);
        for (QCheckBox* box : {CheckBCtsxCobrar, CheckBCtsxPagar}) {
            box->setChecked(false);
            box->setEnabled(false);
        }
        MenuCuentas->menuAction()->setEnabled(false);
        PorPagarItemIndex = -1;
        if (notice) {
            notice->SetNoticeGroup(false, false, false, notice->NorvaListAvisoCobrar,
                                   notice->fcButtonGroup1fcImageBtn2);
            notice->SetNoticeGroup(false, false, false, notice->NorvaListAvisoPagar,
                                   notice->fcButtonGroup1fcImageBtn3);
            if (notice->fcButtonGroup1fcImageBtn1->isEnabled())
                notice->PressGroupButton(notice->fcButtonGroup1fcImageBtn1);
        }
        return;
    }

    try {
        NorvaListCtasxPagar->ShowPlaceholder();
        NorvaListCtasxCobrar->ShowPlaceholder();

        MenuCuentas->menuAction()->setEnabled(true);
        for (QCheckBox* box : {CheckBCtsxCobrar, CheckBCtsxPagar}) {
            box->setChecked(false);
            box->setEnabled(false);
        }
        CheckCobrar->setEnabled(false);
        CheckPagar->setEnabled(false);
        setTick(CheckCobrar, false);
        setTick(CheckPagar, false);
        MenuCtasCobrar->setEnabled(false);
        MenuCtasPagar->setEnabled(false);
        OutlookBar->setGroupVisible(GroupCuentas, true);
        while (OutlookBar->itemCount(GroupCuentas) > 0)
            OutlookBar->removeItem(GroupCuentas, 0);
        PorPagarItemIndex = -1;

        int next = 0;
        if (receivables) {
            AddOutlookItem(0, 6, QStringLiteral("Por Cobrar"));
            openPartyTable(TablaClientes, DataFolder, QStringLiteral("Sclientes.dat"),
                           data::schema::ClientesDescripcionIndex);
            SetUpLookup(CClientes, TablaClientes, QStringLiteral("FC_CODIGO\t05\tCodigo\tT"),
                        QStringLiteral("FC_DESCRIPCION\t40\tCliente\tT"),
                        QStringLiteral("FC_DESCRIPCION"), QStringLiteral("FC_CODIGO"));
            showTab(PageControlReporte, TabCtasxCobrar, true);
            CheckBCtsxCobrar->setEnabled(true);
            CheckCobrar->setEnabled(true);
            MenuCtasCobrar->setEnabled(true);
            next = 1;
        } else {
            if (notice)
                notice->RaiseGroupButton(notice->fcButtonGroup1fcImageBtn2);
            setTick(CheckPagar, true);
            showTab(PageControlReporte, TabCtasxCobrar, false);
            if (notice) {
                notice->SetNoticeGroup(false, false, false, notice->NorvaListAvisoCobrar,
                                       notice->fcButtonGroup1fcImageBtn2);
                if (notice->fcButtonGroup1fcImageBtn1->isEnabled())
                    notice->PressGroupButton(notice->fcButtonGroup1fcImageBtn1);
                else if (notice->fcButtonGroup1fcImageBtn3->isEnabled())
                    notice->PressGroupButton(notice->fcButtonGroup1fcImageBtn3);
            }
        }

        if (payables) {
            AddOutlookItem(next, 7, QStringLiteral("Por Pagar"));
            openPartyTable(TablaProveedores, DataFolder, QStringLiteral("SProveedor.dat"),
                           data::schema::ProveedorDescripcionIndex);
            SetUpLookup(CProveedores, TablaProveedores, QStringLiteral("FP_CODIGO\t05\tCodigo\tT"),
                        QStringLiteral("FP_DESCRIPCION\t40\tProveedor\tT"),
                        QStringLiteral("FP_DESCRIPCION"), QStringLiteral("FP_CODIGO"));
            showTab(PageControlReporte, TabCtasxPagar, true);
            CheckBCtsxPagar->setEnabled(true);
            CheckPagar->setEnabled(true);
            MenuCtasPagar->setEnabled(true);
            PorPagarItemIndex = next;
        } else {
            setTick(CheckCobrar, false);
            if (notice)
                notice->RaiseGroupButton(notice->fcButtonGroup1fcImageBtn3);
            showTab(PageControlReporte, TabCtasxPagar, false);
            if (notice) {
                notice->SetNoticeGroup(false, false, false, notice->NorvaListAvisoPagar,
                                       notice->fcButtonGroup1fcImageBtn3);
                if (notice->fcButtonGroup1fcImageBtn1->isEnabled())
                    notice->PressGroupButton(notice->fcButtonGroup1fcImageBtn1);
                else if (notice->fcButtonGroup1fcImageBtn2->isEnabled())
                    notice->PressGroupButton(notice->fcButtonGroup1fcImageBtn2);
            }
        }

        AddOutlookItem(OutlookBar->itemCount(GroupCuentas), 5, QStringLiteral("Fecha"));
    } catch (const data::EngineError&) {
        platform::showError(this,
                            QStringLiteral("Error al incluir o eliminar la cuenta seleccionada."));
    } catch (const std::exception&) {
        platform::showError(this,
                            QStringLiteral("Error al incluir o eliminar la cuenta seleccionada."));
    }
}

} // namespace shell
