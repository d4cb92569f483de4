#include "bank/PendingPage.h"

#include "bank/DueInstallments.h"
#include "bank/InstallmentMaintenance.h"
#include "bank/LookupSelection.h"
#include "bank/PageSupport.h"
#include "controls/HeaderSections.h"
#include "controls/ListPainting.h"
#include "controls/LookupCombo.h"
#include "controls/RowTexts.h"
#include "controls/Shape.h"
#include "controls/TNorvaDateEdit.h"
#include "controls/TNorvaList.h"
#include "controls/TitleStrip.h"
#include "core/Formats.h"
#include "data/EngineError.h"
#include "data/Schema.h"
#include "platform/Clock.h"
#include "platform/MessageBoxService.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "shell/Tm3TransaccionesPendientesForm.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>

namespace bank {

namespace {

constexpr int ListTop = 20;
const QString ZeroTotal = QStringLiteral("0,00");

controls::HeaderSections* makeHeader(QWidget* parent, const QString& name,
                                     std::initializer_list<controls::HeaderSections::Section> s,
                                     int y) {
    auto* header = new controls::HeaderSections(parent);
    header->setObjectName(name);
    header->SetSections(s);
    header->setGeometry(2, y, parent->width() - 4, 20);
    return header;
}

controls::TNorvaList* makeList(QWidget* parent, const QString& name,
                               controls::HeaderSections* header, int y) {
    auto* list = new controls::TNorvaList(parent);
    list->setObjectName(name);
    list->SetItemHeight(15);
    list->setGeometry(2, y, parent->width() - 4, parent->height() - y - 2);
    list->FollowHeader(header);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    return list;
}

QColor installmentColour(const TGirosReg& giro) {
    return controls::IsOverdueUnpaid(giro.FechaGiro, giro.Status,
                                     platform::Clock::instance().today())
               ? QColor(controls::GridRed)
               : QColor(controls::GridText);
}

// The columns of the date search, found once per search: a long result is
// read row by row without looking the names up again.
struct SearchColumns {
    data::Field *key, *giro, *monto, *fecha, *hora, *status, *tipo, *periodo, *pagado, *trans,
        *descripcion, *banco, *beneficiario;

    explicit SearchColumns(data::Query& q)
        : key(&q.fieldByName(fields::FGP_AUTOINCKEY)), giro(&q.fieldByName(fields::FGP_GIRO)),
          monto(&q.fieldByName(fields::FGP_MONTOGIRO)),
          fecha(&q.fieldByName(fields::FGP_FECHAGIRO)), hora(&q.fieldByName(fields::FGP_HORAGIRO)),
          status(&q.fieldByName(fields::FGP_STATUS)), tipo(&q.fieldByName(fields::FGP_TIPOTRANS)),
          periodo(&q.fieldByName(fields::FGP_PERIODOFIJO)),
          pagado(&q.fieldByName(fields::FGP_FECHAPAGADO)),
          trans(&q.fieldByName(fields::FTP_AUTOINCKEY)),
          descripcion(&q.fieldByName(fields::FTP_DESCRIPCION)),
          banco(&q.fieldByName(fields::FTP_BANCO)),
          beneficiario(&q.fieldByName(fields::FTP_BENEFICIARIO)) {}

    TGirosRegPtr read() const {
        auto g = std::make_shared<TGirosReg>();
        g->AutoIncKey = qint32(key->asInteger());
        g->Giro = qint32(giro->asInteger());
        g->MontoGiro = monto->asCurrency();
        g->FechaGiro = fecha->asDateTime();
        g->HoraGiro = hora->asDateTime();
        g->Status = status->asBoolean();
        g->TipoTrans = quint8(tipo->asInteger());
        g->PeriodoFijo = qint32(periodo->asInteger());
        g->FechaPagado = pagado->asString();
        g->KeyTransaccion = qint32(trans->asInteger());
        g->Descripcion = descripcion->asString();
        g->Banco = banco->asString();
        g->Beneficiario = beneficiario->asString();
        return g;
    }
};

} // namespace

PendingPage::PendingPage(shell::Tm3TransaccionesPendientesForm& form)
    : QObject(&form), m_form(form) {
    QWidget* panel = m_form.PanelPendiente;
    const int width = panel->width();
    LTituloPendientes = MakeLabel(panel, QStringLiteral("LTituloPendientes"),
                                  QStringLiteral(" Transacciones Pendientes"), 0, 0, width, 20);

    // The search line.
    SSombraBanco = new controls::Shape(panel);
    SSombraBanco->setObjectName(QStringLiteral("SSombraBanco"));
    SSombraBanco->setGeometry(53, 26, 230, 21);
    LBusqueda = MakeLabel(panel, QStringLiteral("LBusqueda"), QStringLiteral("Banco"), 8, 26, 40);
    m_form.CBanco->setParent(panel);
    m_form.CBanco->setGeometry(50, 23, 230, 21);
    m_form.EFechaDesde->setGeometry(50, 23, 90, 21);
    LHasta = MakeLabel(panel, QStringLiteral("LHasta"), QStringLiteral("Hasta:"), 150, 26, 36);
    m_form.EFechaHasta->setGeometry(190, 23, 90, 21);
    LHasta->hide();
    connect(m_form.EFechaDesde, &controls::TNorvaDateEdit::OnExit, this,
            &PendingPage::BBuscar006Click);
    connect(m_form.EFechaHasta, &controls::TNorvaDateEdit::OnExit, this,
            &PendingPage::BBuscar006Click);

    // The pages.
    PageControlPendientes = new QStackedWidget(panel);
    PageControlPendientes->setObjectName(QStringLiteral("PageControlPendientes"));
    PageControlPendientes->setGeometry(0, 52, width, 286);
    TabSheetBanco = new QWidget;
    TabSheetBanco->setObjectName(QStringLiteral("TabSheetBanco"));
    TabSheetMuestra = new QWidget;
    TabSheetMuestra->setObjectName(QStringLiteral("TabSheetMuestra"));
    TabSheetFecha = new QWidget;
    TabSheetFecha->setObjectName(QStringLiteral("TabSheetFecha"));
    for (QWidget* tab : {TabSheetBanco, TabSheetMuestra, TabSheetFecha}) {
        tab->resize(width, 286);
        PageControlPendientes->addWidget(tab);
    }

    CabeceraTransPendientes = makeHeader(TabSheetBanco, QStringLiteral("CabeceraTransPendientes"),
                                         {{QStringLiteral("Descripcion"), 143},
                                          {QStringLiteral("Beneficiario"), 110},
                                          {QStringLiteral("# Cuotas"), 62},
                                          {QString(), 50}},
                                         0);
    NorvaListTransPendiente = makeList(TabSheetBanco, QStringLiteral("NorvaListTransPendiente"),
                                       CabeceraTransPendientes, ListTop);
    NorvaListTransPendiente->SetOnDrawItem([this](QPainter& p, controls::TNorvaList& list,
                                                  int index, const QRect& rect, bool selected) {
        const controls::HeaderSections& h = *CabeceraTransPendientes;
        QRect cell =
            controls::DrawListRow(p, list, index, rect, selected, h, QColor(controls::GridText));
        const TTransReg* t = list.RecordAs<TTransReg>(index);
        if (!t)
            return;
        const QColor none;
        controls::DrawListCell(p, h, list, selected, none, false, false, 0, t->Descripcion, cell);
        controls::DrawListCell(p, h, list, selected, none, false, false, 1, t->Beneficiario, cell);
        controls::DrawListCell(p, h, list, selected, none, false, true, 2,
                               QString::number(t->NroGiros), cell);
    });
    connect(NorvaListTransPendiente, &QAbstractItemView::doubleClicked, this,
            &PendingPage::BVer008Click);
    PopupBanco = new QMenu(NorvaListTransPendiente);
    PopupBanco->setObjectName(QStringLiteral("PopupBanco"));
    PopupBanco->addAction(QStringLiteral("Imprimir"))->setObjectName(QStringLiteral("Imprimir2"));
    connect(NorvaListTransPendiente, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) {
                PopupBanco->popup(NorvaListTransPendiente->viewport()->mapToGlobal(at));
            });

    StaticText1 =
        MakeLabel(TabSheetMuestra, QStringLiteral("StaticText1"), QString(), 2, 0, width - 4, 18);
    controls::MakeTitleStrip(StaticText1);
    StaticText1->hide();
    CabeceraGirosPendientesBanco =
        makeHeader(TabSheetMuestra, QStringLiteral("CabeceraGirosPendientesBanco"),
                   {{QStringLiteral("#"), 20},
                    {QStringLiteral("Fecha"), 72},
                    {QStringLiteral("Hora"), 53},
                    {QStringLiteral("Monto"), 127},
                    {QStringLiteral("Status"), 43},
                    {QString(), 50}},
                   18);
    NorvaListPendientesBanco = makeList(TabSheetMuestra, QStringLiteral("NorvaListPendientesBanco"),
                                        CabeceraGirosPendientesBanco, 38);
    NorvaListPendientesBanco->SetOnDrawItem([this](QPainter& p, controls::TNorvaList& list,
                                                   int index, const QRect& rect, bool selected) {
        const controls::HeaderSections& h = *CabeceraGirosPendientesBanco;
        const TGirosReg* g = list.RecordAs<TGirosReg>(index);
        QRect cell = controls::DrawListRow(p, list, index, rect, selected, h,
                                           g ? installmentColour(*g) : QColor(controls::GridText));
        if (!g)
            return;
        const QColor none;
        controls::DrawListCell(p, h, list, selected, none, false, false, 0,
                               QString::number(g->Giro), cell);
        controls::DrawListCell(p, h, list, selected, none, false, false, 1,
                               controls::DateTimeText(g->FechaGiro), cell);
        controls::DrawListCell(p, h, list, selected, none, false, false, 2,
                               controls::GridTimeText(g->HoraGiro), cell);
        controls::DrawListCell(p, h, list, selected, none, false, true, 3,
                               controls::GridAmountText(g->MontoGiro), cell);
        controls::DrawListCell(p, h, list, selected, none, false, false, 4,
                               controls::StatusText(g->Status), cell);
    });

    CabeceraGirosPendientesFecha =
        makeHeader(TabSheetFecha, QStringLiteral("CabeceraGirosPendientesFecha"),
                   {{QStringLiteral("Fecha"), 67},
                    {QStringLiteral("Descripción"), 108},
                    {QStringLiteral("Monto"), 98},
                    {QStringLiteral("Status"), 42},
                    {QString(), 50}},
                   0);
    NorvaListFecha = makeList(TabSheetFecha, QStringLiteral("NorvaListFecha"),
                              CabeceraGirosPendientesFecha, ListTop);
    NorvaListFecha->SetOnDrawItem([this](QPainter& p, controls::TNorvaList& list, int index,
                                         const QRect& rect, bool selected) {
        const controls::HeaderSections& h = *CabeceraGirosPendientesFecha;
        const TGirosReg* g = list.RecordAs<TGirosReg>(index);
        QRect cell = controls::DrawListRow(p, list, index, rect, selected, h,
                                           g ? installmentColour(*g) : QColor(controls::GridText));
        if (!g)
            return;
        const QColor none;
        controls::DrawListCell(p, h, list, selected, none, false, false, 0,
                               controls::DateTimeText(g->FechaGiro), cell);
        controls::DrawListCell(p, h, list, selected, none, false, false, 1, g->Descripcion, cell);
        controls::DrawListCell(p, h, list, selected, none, false, true, 2,
                               controls::GridAmountText(g->MontoGiro), cell);
        controls::DrawListCell(p, h, list, selected, none, false, false, 3,
                               controls::StatusText(g->Status), cell);
    });

    // The bottom bar.
    const int y = 344;
    BVer008 = MakeButton(panel, QStringLiteral("BVer008"), QStringLiteral("&Ver"), 4, y, 62);
    BBorrar010 =
        MakeButton(panel, QStringLiteral("BBorrar010"), QStringLiteral("&Borrar"), 70, y, 62);
    BTAnterior0032 =
        MakeButton(panel, QStringLiteral("BTAnterior0032"), QStringLiteral("&Regresar"), 4, y, 80);
    BTAnterior0032->hide();
    BBuscar006 =
        MakeButton(panel, QStringLiteral("BBuscar006"), QStringLiteral("&Buscar"), 4, y, 62);
    SCBStatus = new controls::Shape(panel);
    SCBStatus->setObjectName(QStringLiteral("SCBStatus"));
    SCBStatus->setGeometry(73, y + 5, 82, 21);
    CBStatus = new QComboBox(panel);
    CBStatus->setObjectName(QStringLiteral("CBStatus"));
    CBStatus->addItems(
        {QStringLiteral("Todas"), QStringLiteral("Pagados"), QStringLiteral("Por Pagar")});
    CBStatus->setCurrentIndex(2);
    CBStatus->setGeometry(70, y + 2, 82, 21);
    DiscardTypedKeys(CBStatus);
    connect(CBStatus, &QComboBox::currentIndexChanged, this, &PendingPage::BBuscar006Click);
    MakeLabel(panel, QStringLiteral("LTPorPagar"), QStringLiteral("Por Pagar:"), 170, y - 4, 60,
              15);
    MakeLabel(panel, QStringLiteral("LTTotal"), QStringLiteral("Total:"), 170, y + 11, 60, 15);
    MakeLabel(panel, QStringLiteral("LTVencidos"), QStringLiteral("Vencidos:"), 170, y + 26, 60,
              15);
    LPorPagar = MakeLabel(panel, QStringLiteral("LPorPagar"), ZeroTotal, 230, y - 4, 108, 15);
    LTotal = MakeLabel(panel, QStringLiteral("LTotal"), ZeroTotal, 230, y + 11, 108, 15);
    LVencidos = MakeLabel(panel, QStringLiteral("LVencidos"), ZeroTotal, 230, y + 26, 108, 15);
    for (QLabel* label : {LPorPagar, LTotal, LVencidos})
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette red = LVencidos->palette();
    red.setColor(QPalette::WindowText, QColor(controls::GridRed));
    LVencidos->setPalette(red);

    connect(BVer008, &QPushButton::clicked, this, &PendingPage::BVer008Click);
    connect(BBorrar010, &QPushButton::clicked, this, &PendingPage::BBorrar010Click);
    connect(BTAnterior0032, &QPushButton::clicked, this, &PendingPage::BTAnterior0032Click);
    connect(BBuscar006, &QPushButton::clicked, this, &PendingPage::BBuscar006Click);

    // The bank page as the window is created.
    for (QWidget* w : {static_cast<QWidget*>(BBuscar006), static_cast<QWidget*>(CBStatus),
                       static_cast<QWidget*>(SCBStatus)})
        w->hide();
    BVer008->setEnabled(false);
    BBorrar010->setEnabled(false);
    PrepareLists();
    showTab(TabSheetBanco);
}

PendingPage::~PendingPage() = default;

void PendingPage::PrepareLists() {
    SCBStatus->hide();
    for (controls::TNorvaList* list :
         {NorvaListTransPendiente, NorvaListPendientesBanco, NorvaListFecha})
        list->ShowPlaceholder();
}

void PendingPage::emptyList(controls::TNorvaList* list) {
    list->ShowPlaceholder();
    m_form.SetRecordCount(0);
}

void PendingPage::ShowTotals() {
    LTotal->setText(core::format15(TotalMonto));
    LPorPagar->setText(core::format15(TotalPorPagar));
    LVencidos->setText(core::format15(TotalVencidos));
}

void PendingPage::ClearTotalLabels() {
    for (QLabel* label : {LPorPagar, LTotal, LVencidos})
        label->setText(ZeroTotal);
}

bool PendingPage::ShowsInstallments() const {
    return m_form.PanelPendiente->isVisible() &&
           PageControlPendientes->currentWidget() == TabSheetMuestra;
}

TTransReg* PendingPage::SelectedTransaction() const {
    return NorvaListTransPendiente->RecordAs<TTransReg>(NorvaListTransPendiente->ItemIndex());
}

void PendingPage::closeDropDowns() {
    for (controls::LookupCombo* selector : {m_form.CBanco, m_form.CClientes, m_form.CProveedores})
        if (selector && selector->isDroppedDown())
            selector->hidePopup();
}

void PendingPage::showTab(QWidget* tab) {
    PageControlPendientes->setCurrentWidget(tab);
    if (tab != TabSheetBanco)
        return;
    m_form.CBanco->show();
    SSombraBanco->show();
    LBusqueda->show();
    StaticText1->hide();
    m_form.CBanco->setEnabled(true);
    if (NorvaListTransPendiente->Count() == 0)
        NorvaListTransPendiente->ShowPlaceholder();
}

// ------------------------------------------------------------------ bank page

void PendingPage::ShowBankPage() {
    closeDropDowns();
    m_form.ShowPanel(false, false, true, false, false, false, false);
    QWidget* panel = m_form.PanelPendiente;
    for (QWidget* w : {static_cast<QWidget*>(m_form.EFechaDesde),
                       static_cast<QWidget*>(m_form.EFechaHasta), static_cast<QWidget*>(LHasta),
                       static_cast<QWidget*>(BBuscar006), static_cast<QWidget*>(CBStatus),
                       static_cast<QWidget*>(SCBStatus), static_cast<QWidget*>(BTAnterior0032)})
        w->hide();
    ClearTotalLabels();
    SSombraBanco->setParent(panel);
    SSombraBanco->move(53, 26);
    LBusqueda->setParent(panel);
    LBusqueda->move(8, 26);
    LBusqueda->setText(QStringLiteral("Banco"));
    m_form.CBanco->setParent(panel);
    m_form.CBanco->move(50, 23);
    SSombraBanco->show();
    m_form.CBanco->show();
    m_form.CBanco->raise();
    BVer008->show();
    BBorrar010->show();
    BVer008->setEnabled(false);
    BBorrar010->setEnabled(false);
    showTab(TabSheetBanco);
    m_form.CBanco->selectByDisplayText(m_form.ViewMemory.value(0));
    if (NorvaListTransPendiente->isEnabled()) {
        m_form.SetRecordCount(NorvaListTransPendiente->Count());
        BVer008->setEnabled(true);
        BBorrar010->setEnabled(true);
    } else {
        m_form.SetRecordCount(0);
    }
    m_form.FocusField(m_form.CBanco);
}

void PendingPage::BancoChosen() {
    controls::LookupCombo* bank = m_form.CBanco;
    NorvaListTransPendiente->Clear();
    std::vector<controls::ListRecordPtr> rows;
    data::Table& table = m_form.TablaTransPendientes;
    const QString account = bank->lookupValue();
    const bool chosen = !account.isEmpty() && bank->displayText() == bank->chosenText();
    if (chosen) {
        try {
            table.setIndexName(QString());
            table.open();
            ShowMeter(m_form);
            // The account's transactions through its index: in key order.
            table.setIndexName(data::schema::NroCuentaIndex);
            table.setRange(account, account);
            const int count = qMax(1, table.recordCount());
            int c = 0;
            for (table.first(); !table.eof(); table.next(), ++c) {
                SetMeter(m_form, c * 100 / count);
                auto t = std::make_shared<TTransReg>();
                t->Key = qint32(table.fieldByName(fields::FTP_AUTOINCKEY).asInteger());
                t->Descripcion = table.fieldByName(fields::FTP_DESCRIPCION).asString();
                t->Beneficiario = table.fieldByName(fields::FTP_BENEFICIARIO).asString();
                t->NroGiros = qint32(table.fieldByName(fields::FTP_NROGIROS).asInteger());
                rows.push_back(std::move(t));
            }
        } catch (const std::exception&) {
            platform::showError(
                &m_form, QStringLiteral("Error al conectarse con la tabla m3TransPendiestes."));
        }
    }
    const bool any = !rows.empty();
    NorvaListTransPendiente->AddRecords(std::move(rows));
    NorvaListTransPendiente->setEnabled(any);
    BVer008->setEnabled(any);
    BBorrar010->setEnabled(any);
    HideMeter(m_form);
    table.close();
    table.setIndexName(QString());
    m_form.SetRecordCount(NorvaListTransPendiente->Count());
    if (m_form.ViewMemory.size() > 0)
        m_form.ViewMemory[0] = bank->displayText();
    if (!any)
        emptyList(NorvaListTransPendiente);
}

void PendingPage::BVer008Click() {
    const controls::ListRecordPtr record =
        NorvaListTransPendiente->SharedRecordAt(NorvaListTransPendiente->ItemIndex());
    const TTransRegPtr t = std::dynamic_pointer_cast<TTransReg>(record);
    if (!t)
        return;
    m_form.EnableMainMenus(false);
    SetNoticeEnabled(m_form, false);
    SetTrayItemsEnabled(m_form, false);
    m_shown = t;
    StaticText1->setText(QStringLiteral(" Descripción: ") + t->Descripcion);
    StaticText1->show();
    BVer008->setEnabled(false);
    BTAnterior0032->show();
    m_form.CBanco->setEnabled(false);
    SetSideBarEnabled(m_form, false);
    listInstallments(*t);
}

void PendingPage::listInstallments(const TTransReg& t) {
    TotalMonto = TotalPorPagar = TotalVencidos = core::Currency();
    NorvaListPendientesBanco->Clear();
    ShowMeter(m_form);
    std::vector<controls::ListRecordPtr> rows;
    const core::TDateTime today = platform::Clock::instance().today();
    data::Table& giros = m_form.TablaGirosPendientes;
    try {
        giros.setIndexName(QString());
        giros.open();
        giros.setIndexName(data::schema::KeyTransaccionIndex);
        giros.cancelRange();
        giros.setRange(t.Key, t.Key);
        const int count = qMax(1, giros.recordCount());
        int b = 0;
        for (giros.first(); !giros.eof(); giros.next()) {
            SetMeter(m_form, ++b * 100 / count);
            auto g = std::make_shared<TGirosReg>();
            ReadInstallmentFields(*g, giros, true);
            g->KeyTransaccion = t.Key;
            g->Banco = m_form.CBanco->displayText();
            g->Beneficiario = t.Beneficiario;
            g->Descripcion = t.Descripcion;
            TotalMonto += g->MontoGiro;
            if (!g->Status) {
                TotalPorPagar += g->MontoGiro;
                if (today > g->FechaGiro)
                    TotalVencidos += g->MontoGiro;
            }
            rows.push_back(std::move(g));
        }
    } catch (const std::exception&) {
        platform::showError(&m_form, QStringLiteral("Error en la tabla m3GirosPendientes."));
    }
    giros.close();
    giros.setIndexName(QString());
    m_form.TablaTransPendientes.close();
    ShowTotals();
    NorvaListPendientesBanco->AddRecords(std::move(rows));
    m_form.SetRecordCount(NorvaListPendientesBanco->Count());
    if (NorvaListPendientesBanco->Count() == 0)
        emptyList(NorvaListPendientesBanco);
    BBorrar010->hide();
    HideMeter(m_form);
    showTab(TabSheetMuestra);
    if (shell::TAvisoTransaccionesPendientesForm* notice = m_form.noticeWindow();
        notice && notice->isVisible())
        notice->setEnabled(false);
}

void PendingPage::BTAnterior0032Click() {
    m_form.EnableMainMenus(true);
    SetTrayItemsEnabled(m_form, true);
    SetNoticeEnabled(m_form, true);
    m_form.SetRecordCount(
        NorvaListTransPendiente->IsPlaceholder() ? 0 : NorvaListTransPendiente->Count());
    BTAnterior0032->hide();
    BBorrar010->show();
    BVer008->setEnabled(true);
    SetSideBarEnabled(m_form, true);
    ClearTotalLabels();
    m_shown.reset();
    showTab(TabSheetBanco);
}

void PendingPage::BBorrar010Click() {
    const int row = NorvaListTransPendiente->ItemIndex();
    const TTransReg* t = NorvaListTransPendiente->RecordAs<TTransReg>(row);
    if (!t)
        return;
    if (!platform::confirm(&m_form, QStringLiteral("Desea Eliminar la Transacción?")))
        return;
    const qint32 key = t->Key;
    data::Table& trans = m_form.TablaTransPendientes;
    data::Table& giros = m_form.TablaGirosPendientes;
    bool failed = false;
    bool found = true;
    try {
        trans.setIndexName(QString());
        trans.open();
        found = trans.findKey({key});
        if (found)
            trans.remove();
    } catch (const std::exception&) {
        failed = true;
        platform::showError(
            &m_form, QStringLiteral("Error al eliminar los datos en la tabla m3TransPendientes"));
    }
    // The installments go only with their transaction: a transaction that could
    // not be deleted keeps them, and its row.
    if (!failed) {
        try {
            giros.setIndexName(QString());
            giros.open();
            giros.setIndexName(data::schema::KeyTransaccionIndex);
            giros.cancelRange();
            giros.setRange(key, key);
            while (!giros.eof())
                giros.remove();
        } catch (const std::exception&) {
            platform::showError(
                &m_form,
                QStringLiteral("Error al eliminar los datos en la tabla m3GirosPendientes"));
        }
    }
    trans.close();
    giros.close();
    giros.setIndexName(QString());
    if (!found)
        platform::showError(
            &m_form,
            QStringLiteral("Transacción no encontrada. Revise la tabla m3TransPendientes"));
    if (!failed) {
        NorvaListTransPendiente->RemoveItem(row);
        m_form.SetRecordCount(NorvaListTransPendiente->Count());
        if (NorvaListTransPendiente->Count() == 0) {
            emptyList(NorvaListTransPendiente);
            BVer008->setEnabled(false);
            BBorrar010->setEnabled(false);
        }
    }
    m_form.RefreshDueInstallments();
}

// ------------------------------------------------------------------ date page

void PendingPage::ShowDatePage() {
    closeDropDowns();
    m_form.ShowPanel(false, false, true, false, false, false, false);
    QWidget* panel = m_form.PanelPendiente;
    ClearTotalLabels();
    for (QWidget* w : {static_cast<QWidget*>(m_form.CBanco), static_cast<QWidget*>(SSombraBanco),
                       static_cast<QWidget*>(BVer008), static_cast<QWidget*>(BBorrar010),
                       static_cast<QWidget*>(BTAnterior0032)})
        w->hide();
    BVer008->setEnabled(false);
    BBorrar010->setEnabled(false);
    for (QWidget* w :
         {static_cast<QWidget*>(m_form.EFechaDesde), static_cast<QWidget*>(m_form.EFechaHasta),
          static_cast<QWidget*>(LHasta), static_cast<QWidget*>(BBuscar006),
          static_cast<QWidget*>(SCBStatus), static_cast<QWidget*>(CBStatus)})
        w->show();
    LBusqueda->setParent(panel);
    LBusqueda->move(8, 26);
    LBusqueda->setText(QStringLiteral("Desde:"));
    LBusqueda->show();
    if (!m_form.ViewMemory.value(1).isEmpty()) {
        TotalMonto = CurrencyFromText(m_form.ViewMemory.value(1));
        TotalPorPagar = CurrencyFromText(m_form.ViewMemory.value(2));
        TotalVencidos = CurrencyFromText(m_form.ViewMemory.value(3));
        ShowTotals();
    }
    m_form.SetRecordCount(NorvaListFecha->isEnabled() ? NorvaListFecha->Count() : 0);
    showTab(TabSheetFecha);
    m_form.FocusField(BBuscar006);
}

void PendingPage::BBuscar006Click() {
    if (m_searching || !m_form.Query.databaseName().size())
        return;
    m_searching = true;
    ShowMeter(m_form);
    TotalMonto = TotalPorPagar = TotalVencidos = core::Currency();
    NorvaListFecha->Clear();
    NorvaListFecha->setEnabled(true);

    QString sql = InstallmentSelect +
                  QStringLiteral("FROM m3GirosPendientes, m3TransPendientes WHERE (FTP_AUTOINCKEY "
                                 "= FGP_KEYTRANSACCION) ");
    const bool from = !m_form.EFechaDesde->text().isEmpty();
    const bool to = !m_form.EFechaHasta->text().isEmpty();
    int condition = 0;
    if (from && !to) {
        sql += QStringLiteral(" AND (FGP_FECHAGIRO >= :FechaDesde)");
        condition = 1;
    } else if (from || to) {
        sql += QStringLiteral(" AND (FGP_FECHAGIRO BETWEEN :FechaDesde and :FechaHasta) ");
        condition = 2;
    }
    switch (CBStatus->currentIndex()) {
    case 0:
        sql += QStringLiteral(" ORDER BY FGP_FECHAGIRO ASC");
        break;
    case 1:
        sql += QStringLiteral(" AND (FGP_STATUS) ORDER BY FGP_FECHAGIRO ASC");
        break;
    default:
        sql += QStringLiteral(" AND NOT(FGP_STATUS) ORDER BY FGP_FECHAGIRO ASC");
        break;
    }

    std::vector<controls::ListRecordPtr> rows;
    const core::TDateTime today = platform::Clock::instance().today();
    data::Query& query = m_form.Query;
    try {
        query.close();
        query.clearSql();
        query.addSql(sql);
        if (condition >= 1)
            query.setParamDateTime(QStringLiteral("FechaDesde"), m_form.EFechaDesde->Date());
        if (condition == 2)
            query.setParamDateTime(QStringLiteral("FechaHasta"), m_form.EFechaHasta->Date());
        query.open();
        const SearchColumns columns(query);
        for (; !query.eof(); query.next()) {
            TGirosRegPtr g = columns.read();
            TotalMonto += g->MontoGiro;
            if (!g->Status) {
                TotalPorPagar += g->MontoGiro;
                if (today > g->FechaGiro)
                    TotalVencidos += g->MontoGiro;
            }
            rows.push_back(std::move(g));
        }
    } catch (const std::exception&) {
        platform::showError(
            &m_form,
            QStringLiteral("Error de Consulta al obtener datos de la Tabla m3GirosPendientes."));
    }
    SetMeter(m_form, 100);
    NorvaListFecha->AddRecords(std::move(rows));
    m_form.SetRecordCount(NorvaListFecha->Count());
    ShowTotals();
    if (m_form.ViewMemory.size() > 3) {
        m_form.ViewMemory[1] = CurrencyText(TotalMonto);
        m_form.ViewMemory[2] = CurrencyText(TotalPorPagar);
        m_form.ViewMemory[3] = CurrencyText(TotalVencidos);
    }
    if (NorvaListFecha->Count() == 0)
        emptyList(NorvaListFecha);
    HideMeter(m_form);
    query.close();
    m_searching = false;
}

// --------------------------------------------------------------- the others

void PendingPage::ShowDetailPanel() {
    m_form.ShowPanel(false, false, false, false, false, true, false);
    if (m_form.Maintenance)
        m_form.Maintenance->LTituloPendiente->setText(
            QStringLiteral(" Transacción Bancaria Pendiente"));
    m_form.ClearRecordCount();
}

void PendingPage::ReloadList(controls::TNorvaList* list) {
    if (list == NorvaListPendientesBanco && m_shown)
        listInstallments(*m_shown);
    else if (list == NorvaListFecha)
        BBuscar006Click();
}

void PendingPage::FormClose() {
    if (!m_form.PanelPendiente->isVisible())
        return;
    QWidget* tab = PageControlPendientes->currentWidget();
    if (tab == TabSheetBanco || tab == TabSheetMuestra) {
        BTAnterior0032Click();
        NorvaListTransPendiente->ShowPlaceholder();
        BVer008->setEnabled(false);
        BBorrar010->setEnabled(false);
        m_form.SetRecordCount(0);
    } else if (tab == TabSheetFecha) {
        NorvaListFecha->ShowPlaceholder();
        ClearTotalLabels();
        m_form.SetRecordCount(0);
    }
}

} // namespace bank
