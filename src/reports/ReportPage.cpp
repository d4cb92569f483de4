#include "reports/ReportPage.h"

#include "accounts/DueRangesPanel.h"
#include "bank/InstallmentMaintenance.h"
#include "bank/NewTransactionPage.h"
#include "bank/PendingPage.h"
#include "bank/Records.h"
#include "controls/LookupCombo.h"
#include "controls/Shape.h"
#include "controls/TNorvaDateEdit.h"
#include "controls/TNorvaEdit.h"
#include "controls/TNorvaList.h"
#include "controls/TNorvaNumberEdit.h"
#include "controls/TitleStrip.h"
#include "platform/MessageBoxService.h"
#include "reports/ExportPanel.h"
#include "reports/TReporteTransaccionesPendientes.h"
#include "reports/engine/PreviewDialog.h"
#include "reports/engine/Print.h"
#include "reports/export/ExportFormat.h"
#include "shell/SettingsPage.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "shell/Tm3TransaccionesPendientesForm.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace reports {

namespace {

const QString NoSectionText = QStringLiteral("Seleccione una operación a incluir en el reporte!");
const QString NoDataText = QStringLiteral("Archivo sin información.");
const QString NoSelectionText = QStringLiteral("Seleccione un ítem antes de imprimir!");
const QString CannotSaveText = QStringLiteral("El archivo no puede ser grabado.");

constexpr int ButtonTop = 359;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int BeneficiaryWidth = 285;

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, int x, int y,
                  int width = 0) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(x, y);
    if (width > 0)
        label->resize(width, 17);
    else
        label->adjustSize();
    return label;
}

QCheckBox* makeBox(QWidget* parent, const QString& name, const QString& text, int x, int y,
                   bool ticked = false) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setGeometry(x, y, 150, 17);
    box->setChecked(ticked);
    return box;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text, int x) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(x, ButtonTop, ButtonWidth, ButtonHeight);
    button->setAutoDefault(false);
    return button;
}

// A radio group of the designs: a titled box whose buttons carry their item index.
QGroupBox* makeRadioGroup(QWidget* parent, const QString& name, const QString& title,
                          const QRect& geometry, const QStringList& items,
                          const QList<QPoint>& places, QButtonGroup*& group, int checked,
                          QList<QRadioButton*>* buttons = nullptr) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], box);
        button->setGeometry(places[i].x(), places[i].y(), 70, 17);
        group->addButton(button, i);
        if (buttons)
            *buttons << button;
    }
    if (QAbstractButton* b = group->button(checked))
        b->setChecked(true);
    return box;
}

void setGroupIndex(QButtonGroup* group, int index) {
    if (QAbstractButton* b = group->button(index))
        b->setChecked(true);
}

template <class Work> void guardedHandler(QWidget* parent, Work&& work) {
    try {
        work();
    } catch (const std::exception& e) {
        platform::showException(parent, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        platform::showException(parent, QString());
    }
}

} // namespace

ReportPage::ReportPage(shell::Tm3TransaccionesPendientesForm& form) : QObject(&form), m_form(form) {
    m_previewRunner = [](engine::PreviewDialog& dialog) { dialog.exec(); };
    build();
}

ReportPage::~ReportPage() = default;

void ReportPage::build() {
    QWidget* panel = m_form.PanelReporte;

    LTituloReporte = new QLabel(QStringLiteral(" Informes"), panel);
    LTituloReporte->setObjectName(QStringLiteral("LTituloReporte"));
    LTituloReporte->setGeometry(0, 0, panel->width(), 20);
    controls::MakeTitleStrip(LTituloReporte);

    LFechaInicial =
        makeLabel(panel, QStringLiteral("LFechaInicial"), QStringLiteral("Fecha Desde:"), 8, 32);
    m_form.NorvaDateInicial->setGeometry(80, 29, 81, 21);
    m_form.NorvaDateInicial->show();
    LFechaFinal =
        makeLabel(panel, QStringLiteral("LFechaFinal"), QStringLiteral("Fecha Hasta:"), 8, 66);
    m_form.NorvaDateFinal->setGeometry(80, 63, 81, 21);
    m_form.NorvaDateFinal->show();

    QList<QRadioButton*> conditions;
    RadioGroupReporte = makeRadioGroup(
        panel, QStringLiteral("RadioGroupReporte"), QStringLiteral("Condiciones"),
        QRect(185, 23, 150, 62),
        {QStringLiteral("Ambas"), QStringLiteral("Pagadas"), QStringLiteral("Por Pagar")},
        {QPoint(8, 18), QPoint(78, 18), QPoint(8, 38)}, m_conditions, 2, &conditions);
    RBAmbas = conditions[0];
    RBPagadas = conditions[1];
    RBPorPagar = conditions[2];
    connect(m_conditions, &QButtonGroup::idClicked, this, &ReportPage::RadioGroupReporteClick);

    GBIncluir = new QGroupBox(QStringLiteral("Incluir"), panel);
    GBIncluir->setObjectName(QStringLiteral("GBIncluir"));
    GBIncluir->setGeometry(8, 91, 329, 66);
    CheckBTransP = makeBox(GBIncluir, QStringLiteral("CheckBTransP"),
                           QStringLiteral("Transacciones Bancarias"), 9, 15, true);
    // The section boxes of the receivables and payables, which the inclusion
    // of the settings enables, move into the group.
    for (auto [box, x, y] : {std::tuple{m_form.CheckBCtsxCobrar, 172, 15},
                             std::tuple{m_form.CheckBCtsxPagar, 9, 41}}) {
        box->setParent(GBIncluir);
        box->setGeometry(x, y, 150, 17);
        box->show();
    }
    CBActivarVencimiento = makeBox(GBIncluir, QStringLiteral("CBActivarVencimiento"),
                                   QStringLiteral("Días de Vencimientos"), 171, 41);
    connect(CBActivarVencimiento, &QCheckBox::clicked, this,
            &ReportPage::CBActivarVencimientoClick);

    m_form.PageControlReporte->setCurrentIndex(0);
    buildFilters();
    QCheckBox* cobrar[5];
    buildAccountsTab(m_form.TabCtasxCobrar, RGActivoxCobrar, m_activoCobrar, GBTransCobrar, cobrar,
                     QStringLiteral("Cobrar"));
    CheckBCobrarFact = cobrar[0];
    CheckBCobrarGiro = cobrar[1];
    CheckBCobrarND = cobrar[2];
    CheckBCobrarNC = cobrar[3];
    CheckBCobrarNP = cobrar[4];
    QCheckBox* pagar[5];
    buildAccountsTab(m_form.TabCtasxPagar, RGActivoxPagar, m_activoPagar, GBTransPagar, pagar,
                     QStringLiteral("Pagar"));
    CheckBPagarFact = pagar[0];
    CheckBPagarGiro = pagar[1];
    CheckBPagarND = pagar[2];
    CheckBPagarNC = pagar[3];
    CheckBPagarNP = pagar[4];

    BExportar019 =
        makeButton(panel, QStringLiteral("BExportar019"), QStringLiteral("&Exportar"), 9);
    BAvanzado025 =
        makeButton(panel, QStringLiteral("BAvanzado025"), QStringLiteral("&Avanzado"), 93);
    BImpresora004 =
        makeButton(panel, QStringLiteral("BImpresora004"), QStringLiteral("&Impresora"), 177);
    BPreliminar003 =
        makeButton(panel, QStringLiteral("BPreliminar003"), QStringLiteral("&Preliminar"), 260);
    connect(BExportar019, &QPushButton::clicked, this, &ReportPage::BExportar019Click);
    connect(BAvanzado025, &QPushButton::clicked, this, &ReportPage::BAvanzado025Click);
    PanelExportar = new ExportPanel(m_form, *this, panel->parentWidget());
    connect(BImpresora004, &QPushButton::clicked, this, &ReportPage::BImpresora004Click);
    connect(BPreliminar003, &QPushButton::clicked, this, &ReportPage::BPreliminar003Click);

    // The lists' pop-up menus print through the page.
    if (m_form.Maintenance)
        connect(m_form.Maintenance->Imprimir1, &QAction::triggered, this,
                &ReportPage::ImprimirClick);
    if (m_form.Pending && !m_form.Pending->PopupBanco->actions().isEmpty())
        connect(m_form.Pending->PopupBanco->actions().first(), &QAction::triggered, this,
                &ReportPage::Imprimir1Click);
}

void ReportPage::buildFilters() {
    QWidget* tab = m_form.TabFiltros;
    LBanco = makeLabel(tab, QStringLiteral("LBanco"), QStringLiteral("Banco"), 8, 6);
    SSombraBanco2 = new controls::Shape(tab);
    SSombraBanco2->setObjectName(QStringLiteral("SSombraBanco2"));
    SSombraBanco2->setGeometry(14, 25, 230, 21);
    LBeneficiario =
        makeLabel(tab, QStringLiteral("LBeneficiario"), QStringLiteral("Beneficiario"), 8, 50);
    SSombraBene = new controls::Shape(tab);
    SSombraBene->setObjectName(QStringLiteral("SSombraBene"));
    SSombraBene->setGeometry(14, 69, BeneficiaryWidth, 21);
    LTipo = makeLabel(tab, QStringLiteral("LTipo"), QStringLiteral("Tipo"), 8, 96);
    ComboBoxTipo = new QComboBox(tab);
    ComboBoxTipo->setObjectName(QStringLiteral("ComboBoxTipo"));
    ComboBoxTipo->addItems(
        {QStringLiteral("Cheques/ND"), QStringLiteral("Cheques"), QStringLiteral("Notas Débtio")});
    ComboBoxTipo->setCurrentIndex(0);
    ComboBoxTipo->setGeometry(10, 114, 145, 21);
    CheckBoxActivarfiltros = makeBox(tab, QStringLiteral("CheckBoxActivarfiltros"),
                                     QStringLiteral("Activar Filtros"), 165, 117);
}

void ReportPage::buildAccountsTab(QWidget* tab, QGroupBox*& status, QButtonGroup*& statusGroup,
                                  QGroupBox*& types, QCheckBox** boxes, const QString& suffix) {
    status = makeRadioGroup(tab, QStringLiteral("RGActivox") + suffix, QStringLiteral("Activo"),
                            QRect(8, 8, 90, 90),
                            {QStringLiteral("Si"), QStringLiteral("No"), QStringLiteral("Todos")},
                            {QPoint(8, 18), QPoint(8, 40), QPoint(8, 62)}, statusGroup, 2);
    types = new QGroupBox(QStringLiteral("Transacciones"), tab);
    types->setObjectName(QStringLiteral("GBTrans") + suffix);
    types->setGeometry(106, 8, 205, 124);
    const QString names[] = {QStringLiteral("Fact"), QStringLiteral("Giro"), QStringLiteral("ND"),
                             QStringLiteral("NC"), QStringLiteral("NP")};
    const QString captions[] = {
        QStringLiteral("Facturas"), QStringLiteral("Giros"), QStringLiteral("Notas de Débitos"),
        QStringLiteral("Notas de Créditos"), QStringLiteral("Notas Pendientes")};
    for (int i = 0; i < 5; ++i)
        boxes[i] = makeBox(types, QStringLiteral("CheckB") + suffix + names[i], captions[i], 10,
                           18 + 20 * i, true);
}

int ReportPage::RadioGroupReporteIndex() const {
    return m_conditions->checkedId();
}

void ReportPage::SetRadioGroupReporteIndex(int index) {
    setGroupIndex(m_conditions, index);
}

int ReportPage::RGActivoxCobrarIndex() const {
    return m_activoCobrar->checkedId();
}

void ReportPage::SetRGActivoxCobrarIndex(int index) {
    setGroupIndex(m_activoCobrar, index);
}

int ReportPage::RGActivoxPagarIndex() const {
    return m_activoPagar->checkedId();
}

void ReportPage::SetRGActivoxPagarIndex(int index) {
    setGroupIndex(m_activoPagar, index);
}

void ReportPage::SetPreviewRunner(PreviewRunner runner) {
    m_previewRunner = runner ? std::move(runner)
                             : PreviewRunner([](engine::PreviewDialog& dialog) { dialog.exec(); });
}

int ReportPage::ListTag(const controls::TNorvaList* list) {
    if (!list)
        return -1;
    const QVariant tag = list->property("Tag");
    if (tag.isValid())
        return tag.toInt();
    static const QStringList names{
        QStringLiteral("NorvaListFecha"), QStringLiteral("NorvaListPendientesBanco"),
        QStringLiteral("NorvaListFechaCtas"), QStringLiteral("NorvaListCtasxCobrar"),
        QStringLiteral("NorvaListCtasxPagar")};
    return int(names.indexOf(list->objectName()));
}

// ---------------------------------------------------------------- the page

void ReportPage::ShowReportPage() {
    for (controls::LookupCombo* selector : {m_form.CBanco, m_form.CClientes, m_form.CProveedores})
        if (selector->isDroppedDown())
            selector->closeUp(true);
    m_form.EFechaDesde->hide();
    m_form.EFechaHasta->hide();
    if (bank::PendingPage* pending = m_form.Pending) {
        pending->BBuscar006->hide();
        pending->SCBStatus->hide();
        pending->CBStatus->hide();
    }
    m_form.ShowPanel(false, false, false, true, false, false, false);

    controls::LookupCombo* bank = m_form.CBanco;
    bank->setParent(m_form.TabFiltros);
    bank->move(SSombraBanco2->pos() - QPoint(4, 3));
    bank->setEnabled(true);
    bank->show();
    bank->raise();
    bank->selectByDisplayText(bank->displayText());
    if (m_form.NewTransaction) {
        QWidget* beneficiary = m_form.NewTransaction->CBeneficiarios;
        beneficiary->setParent(m_form.TabFiltros);
        beneficiary->setGeometry(QRect(SSombraBene->pos() - QPoint(4, 3),
                                       QSize(BeneficiaryWidth, beneficiary->height())));
        beneficiary->show();
        beneficiary->raise();
    }
    m_form.ClearRecordCount();
}

void ReportPage::RadioGroupReporteClick() {
    if (CBActivarVencimiento->isChecked())
        SetRadioGroupReporteIndex(2);
}

void ReportPage::CBActivarVencimientoClick() {
    SetRadioGroupReporteIndex(2);
}

void ReportPage::BAvanzado025Click() {
    if (m_form.PanelTiempoVencimiento)
        m_form.PanelTiempoVencimiento->BAvanzado025Click();
}

ReportContext ReportPage::CurrentContext() const {
    ReportContext c;
    c.parent = &m_form;
    c.workFolder = m_form.WorkFolder;
    c.dataFolder = m_form.DataFolder;
    c.companyName = m_form.CompanyName;
    c.companyLine3 = m_form.CompanyLine3;
    c.companyLine4 = m_form.CompanyLine4;
    c.highlightHeadings = m_form.PanelConfig && m_form.PanelConfig->CEmcabezado->isChecked();
    ReportChoices& s = c.choices;
    s.CheckBTransP = CheckBTransP->isChecked();
    s.CheckBCtsxCobrar = m_form.CheckBCtsxCobrar->isChecked();
    s.CheckBCtsxPagar = m_form.CheckBCtsxPagar->isChecked();
    s.dateFrom = m_form.NorvaDateInicial->Date();
    s.dateTo = m_form.NorvaDateFinal->Date();
    s.receivables = AccountsChoices{RGActivoxCobrarIndex(),        CheckBCobrarFact->isChecked(),
                                    CheckBCobrarGiro->isChecked(), CheckBCobrarND->isChecked(),
                                    CheckBCobrarNC->isChecked(),   CheckBCobrarNP->isChecked()};
    s.payables = AccountsChoices{RGActivoxPagarIndex(),        CheckBPagarFact->isChecked(),
                                 CheckBPagarGiro->isChecked(), CheckBPagarND->isChecked(),
                                 CheckBPagarNC->isChecked(),   CheckBPagarNP->isChecked()};
    return c;
}

AgingSetup ReportPage::CurrentAging() const {
    AgingSetup setup;
    if (const accounts::DueRangesPanel* p = m_form.PanelTiempoVencimiento) {
        setup.analysis = p->Analysis();
        setup.bounds = p->Bounds();
        setup.texts.clear();
        for (const controls::TNorvaNumberEdit* e :
             {p->EVencen1, p->EVencen2, p->EVencen3, p->EVencen4, p->EVencen5, p->EVencen6,
              p->EVencen7})
            setup.texts << e->text();
    }
    return setup;
}

void ReportPage::setWindowsEnabled(bool enabled) {
    m_form.setEnabled(enabled);
    if (QWidget* notice = m_form.noticeWindow())
        notice->setEnabled(enabled);
}

TransactionsReportForm& ReportPage::createReport(bool dueDate) {
    freeReport();
    if (dueDate) {
        auto report = std::make_unique<TReporteTransVencimiento>(CurrentContext(),
                                                                 [this] { return CurrentAging(); });
        ReporteTransVencimiento = report.get();
        m_report = std::move(report);
    } else {
        auto report = std::make_unique<TReporteTransaccionesPendientes>(CurrentContext());
        ReporteTransaccionesPendientes = report.get();
        m_report = std::move(report);
    }
    return *m_report;
}

void ReportPage::freeReport() {
    m_report.reset();
    ReporteTransaccionesPendientes = nullptr;
    ReporteTransVencimiento = nullptr;
}

void ReportPage::preview(TransactionsReportForm& report) {
    engine::PageStore store;
    // A pass cancelled by the user or by a failure shows nothing.
    if (!report.Prepare(store))
        return;
    const int pages = int(store.pages.size());
    engine::PreviewDialog dialog(
        std::move(store),
        [&report, pages](QWidget* parent) {
            QString error;
            if (engine::printReport(report.report(), pages, parent, &error) ==
                engine::PrintResult::Failed)
                platform::showError(parent, error);
        },
        &m_form);
    dialog.setWindowTitle(report.report().title);
    m_previewRunner(dialog);
}

void ReportPage::BPreliminar003Click() {
    startRun(BPreliminar003);
}

void ReportPage::BImpresora004Click() {
    startRun(BImpresora004);
}

void ReportPage::BExportar019Click() {
    PanelExportar->BExportar019Click();
}

ReportPage::ExportOutcome ReportPage::ExportReport(bool dueDate, exporting::ExportFormat format,
                                                   const QString& path) {
    const bool savedReport = format == exporting::ExportFormat::Pravix;
    ExportOutcome outcome = ExportOutcome::NotWritten;
    const ExportHandler previous = Exporter;
    Exporter = [&](TransactionsReportForm& report) {
        engine::PageStore store;
        bool prepared = false;
        try {
            prepared = report.Prepare(store);
        } catch (...) {
            if (!savedReport)
                throw;
        }
        // A pass cancelled or failed leaves no file: the old one, if any, stays.
        if (!prepared) {
            if (savedReport)
                platform::showWarning(&m_form, CannotSaveText);
            return;
        }
        QString error;
        if (exporting::exportStore(format, store, path, &error)) {
            outcome = ExportOutcome::Written;
        } else if (savedReport) {
            platform::showWarning(&m_form, CannotSaveText);
        } else {
            platform::showError(&m_form, error);
            outcome = ExportOutcome::Failed;
        }
    };
    guardedHandler(&m_form, [&] { RunReport(dueDate, nullptr, true); });
    Exporter = previous;
    freeReport();
    return outcome;
}

void ReportPage::startRun(QObject* sender) {
    ReportHasData = false;
    if (!CheckBTransP->isChecked() && !m_form.CheckBCtsxCobrar->isChecked() &&
        !m_form.CheckBCtsxPagar->isChecked()) {
        platform::showInformation(&m_form, NoSectionText);
        return;
    }
    setWindowsEnabled(false);
    guardedHandler(&m_form, [&] { RunReport(CBActivarVencimiento->isChecked(), sender, false); });
    freeReport();
    setWindowsEnabled(true);
}

void ReportPage::RunReport(bool dueDate, QObject* sender, bool exporting) {
    TransactionsReportForm& report = createReport(dueDate);
    ReportRun& run = report.Run;
    // A run from the page starts its statements from their first row.
    run.RerunBankQuery = false;
    run.RerunAccountsQuery = false;
    run.ReportHasData = ReportHasData;
    if (CheckBTransP->isChecked()) {
        ReportHasData = report.BuildBankReportQuery(
            RadioGroupReporteIndex(), ComboBoxTipo->currentIndex(), m_form.CBanco->lookupValue(),
            m_form.NorvaDateInicial->Date(), m_form.NorvaDateFinal->Date(),
            m_form.NewTransaction ? m_form.NewTransaction->CBeneficiarios->text() : QString(),
            CheckBoxActivarfiltros->isChecked(), QString());
        run.ReportHasData = ReportHasData;
    }
    if (m_form.CheckBCtsxCobrar->isChecked() && !ReportHasData) {
        ReportHasData = BuildReceivablesReportQuery(run, report.Query2);
        run.ReportHasData = ReportHasData;
    }
    if (m_form.CheckBCtsxPagar->isChecked() && !ReportHasData) {
        ReportHasData = BuildPayablesReportQuery(run, report.Query2);
        run.ReportHasData = ReportHasData;
    }

    if (exporting) {
        if (Exporter)
            Exporter(report);
        return;
    }
    if (!ReportHasData) {
        platform::showInformation(&m_form, NoDataText);
        return;
    }
    if (sender == BImpresora004) {
        QString error;
        if (engine::printReport(report.report(), 0, &m_form, &error) == engine::PrintResult::Failed)
            platform::showError(&m_form, error);
        return;
    }
    preview(report);
}

// ------------------------------------------------------------ list printing

void ReportPage::PrintListReport(bool dueDate, bool bank, bool receivables, bool payables,
                                 const std::function<void(TransactionsReportForm&)>& buildQuery) {
    CheckBTransP->setChecked(bank);
    m_form.CheckBCtsxCobrar->setChecked(receivables);
    m_form.CheckBCtsxPagar->setChecked(payables);
    CBActivarVencimiento->setChecked(dueDate);
    if (dueDate)
        SetRadioGroupReporteIndex(2);
    setWindowsEnabled(false);
    guardedHandler(&m_form, [&] {
        TransactionsReportForm& report = createReport(dueDate);
        try {
            buildQuery(report);
        } catch (...) {
            preview(report);
            throw;
        }
        preview(report);
    });
    freeReport();
    setWindowsEnabled(true);
}

void ReportPage::ImprimirClick() {
    controls::TNorvaList* list = m_form.Maintenance ? m_form.Maintenance->PopupList() : nullptr;
    if (!list || list->ItemIndex() < 0 || list->IsPlaceholder()) {
        platform::showInformation(&m_form, NoSelectionText);
        return;
    }
    const shell::Tm3TransaccionesPendientesForm& f = m_form;
    switch (ListTag(list)) {
    case 0:
        PrintListReport(false, true, false, false, [&f](TransactionsReportForm& r) {
            r.BuildBankReportQuery(f.Pending->CBStatus->currentIndex(), 3, QString(),
                                   f.EFechaDesde->Date(), f.EFechaHasta->Date(), QString(), false,
                                   QString());
        });
        break;
    case 1: {
        const auto* firstGiro = list->RecordAs<bank::TGirosReg>(0);
        const auto* lastGiro = list->RecordAs<bank::TGirosReg>(list->Count() - 1);
        const bank::TTransReg* t = f.Pending ? f.Pending->SelectedTransaction() : nullptr;
        const core::TDateTime from = firstGiro ? firstGiro->FechaGiro : 0;
        const core::TDateTime to = lastGiro ? lastGiro->FechaGiro : 0;
        const QString beneficiary = t ? t->Beneficiario : QString();
        const QString key = t ? QString::number(t->Key) : QString();
        PrintListReport(false, true, false, false, [&](TransactionsReportForm& r) {
            r.BuildBankReportQuery(3, 3, f.CBanco->lookupValue(), from, to, beneficiary, true, key);
        });
        break;
    }
    case 2: {
        const bool receivables = f.CheckCobrar->isChecked();
        const int status = receivables ? RGActivoxCobrarIndex() : RGActivoxPagarIndex();
        PrintListReport(false, false, receivables, !receivables, [&](TransactionsReportForm& r) {
            if (receivables)
                r.BuildAccountsReportQuery(status, true, true, f.EFechaDesdeCts->Date(),
                                           f.EFechaHastaCts->Date(), true, true, true,
                                           ReceivablesReportHead(), ReceivablesPrefix,
                                           CustomerPrefix, QStringLiteral("7"), QString());
            else
                r.BuildAccountsReportQuery(status, true, true, f.EFechaDesdeCts->Date(),
                                           f.EFechaHastaCts->Date(), true, true, true,
                                           PayablesReportHead(), PayablesPrefix, SupplierPrefix,
                                           QStringLiteral("8"), QString());
        });
        break;
    }
    case 3:
        PrintListReport(false, false, true, false, [&f](TransactionsReportForm& r) {
            r.BuildAccountsReportQuery(2, true, true, f.EDesdeCtas->Date(), f.EHastaCtas->Date(),
                                       true, true, true, ReceivablesReportHead(), ReceivablesPrefix,
                                       CustomerPrefix, QStringLiteral("7"),
                                       f.CClientes->displayText());
        });
        break;
    case 4:
        PrintListReport(false, false, false, true, [&f](TransactionsReportForm& r) {
            r.BuildAccountsReportQuery(2, true, true, f.EDesdeCtas->Date(), f.EHastaCtas->Date(),
                                       true, true, true, PayablesReportHead(), PayablesPrefix,
                                       SupplierPrefix, QStringLiteral("8"),
                                       f.CProveedores->displayText());
        });
        break;
    default:
        break;
    }
}

void ReportPage::Imprimir1Click() {
    const bank::TTransReg* t = m_form.Pending ? m_form.Pending->SelectedTransaction() : nullptr;
    if (!t) {
        platform::showInformation(&m_form, NoSelectionText);
        return;
    }
    const QString beneficiary = t->Beneficiario;
    const QString key = QString::number(t->Key);
    PrintListReport(false, true, false, false, [&](TransactionsReportForm& r) {
        r.BuildBankReportQuery(3, 3, m_form.CBanco->lookupValue(), 0, 0, beneficiary, true, key);
    });
}

} // namespace reports
