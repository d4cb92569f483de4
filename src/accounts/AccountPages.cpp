#include "accounts/AccountPages.h"

#include "bank/InstallmentMaintenance.h"
#include "bank/LookupSelection.h"
#include "bank/PageSupport.h"
#include "controls/HeaderSections.h"
#include "controls/ListPainting.h"
#include "controls/LookupCombo.h"
#include "controls/RowTexts.h"
#include "controls/TNorvaDateEdit.h"
#include "controls/TNorvaList.h"
#include "controls/TitleStrip.h"
#include "core/Formats.h"
#include "data/Query.h"
#include "platform/MessageBoxService.h"
#include "shell/Tm3TransaccionesPendientesForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTreeView>

namespace accounts {

namespace {

const QStringList ReceivableTypeEntries{QStringLiteral("Todas"), QStringLiteral("Facturas"),
                                        QStringLiteral("N/D"),   QStringLiteral("N/C"),
                                        QStringLiteral("N/CP"),  QStringLiteral("Giros")};
const QStringList PayableTypeEntries{QStringLiteral("Todas"), QStringLiteral("Facturas"),
                                     QStringLiteral("N/D"),   QStringLiteral("N/C"),
                                     QStringLiteral("N/DP"),  QStringLiteral("Giros")};

// A black title bar across the top of a page, white bold text.
QLabel* makeTitle(QWidget* panel, const QString& name, const QString& text) {
    QLabel* title = bank::MakeLabel(panel, name, text, 0, 0, panel->width(), 20);
    controls::MakeTitleStrip(title);
    return title;
}

QLabel* makeTotal(QWidget* panel, const QString& name, int x, int y) {
    QLabel* label = bank::MakeLabel(panel, name, core::format15(core::Currency()), x, y, 120, 15);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

controls::HeaderSections* makeDocumentHeader(QWidget* tab, const QString& name) {
    auto* header = new controls::HeaderSections(tab);
    header->setObjectName(name);
    header->SetSections({{QStringLiteral("Número"), 65},
                         {QStringLiteral("Vence"), 75},
                         {QStringLiteral("Tipo"), 60},
                         {QStringLiteral("Monto"), 115},
                         {QString(), 50}});
    header->setGeometry(2, 0, tab->width() - 4, 20);
    return header;
}

// Adopts one of the window's document lists into a page of PControlCuentas:
// rows of 15 pixels painted as a grid with the type abbreviations of the kind.
void layDocumentList(controls::TNorvaList* list, QWidget* tab, controls::HeaderSections* header,
                     controls::DocumentKind kind) {
    list->setParent(tab);
    list->SetItemHeight(15);
    list->setGeometry(2, 20, tab->width() - 4, tab->height() - 22);
    list->FollowHeader(header);
    list->SetOnDrawItem([header, kind](QPainter& p, controls::TNorvaList& l, int index,
                                       const QRect& rect, bool selected) {
        const controls::HeaderSections& h = *header;
        QRect cell =
            controls::DrawListRow(p, l, index, rect, selected, h, QColor(controls::GridText));
        const TCuentas* c = l.RecordAs<TCuentas>(index);
        if (!c)
            return;
        const QColor none;
        controls::DrawListCell(p, h, l, selected, none, false, false, 0, c->Numero, cell);
        controls::DrawListCell(p, h, l, selected, none, false, true, 1,
                               controls::DateTimeText(c->FechaVencimiento), cell);
        controls::DrawListCell(p, h, l, selected, none, false, false, 2,
                               controls::DocumentTypeAbbreviation(kind, c->TipoTransaccion), cell);
        controls::DrawListCell(p, h, l, selected, none, false, true, 3,
                               controls::GridAmountText(c->SaldoDocumento), cell);
    });
    list->show();
}

// The selector opens its list by itself when typing starts, on the first row
// that begins with what is typed.
class OpenOnTyping : public QObject {
public:
    explicit OpenOnTyping(controls::LookupCombo* selector)
        : QObject(selector), m_selector(selector) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || m_selector->isDroppedDown())
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.isEmpty() || !text.at(0).isPrint() ||
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        m_selector->showPopup();
        if (m_selector->isDroppedDown())
            m_selector->listView()->keyboardSearch(text);
        return false; // the selector still reports the key
    }

private:
    controls::LookupCombo* m_selector;
};

} // namespace

AccountPages::AccountPages(shell::Tm3TransaccionesPendientesForm& form)
    : QObject(&form), m_form(form) {
    buildPartyPage();
    buildDatePage();
    if (m_form.Maintenance)
        for (controls::TNorvaList* list :
             {NorvaListCtasxCobrar, NorvaListCtasxPagar, NorvaListFechaCtas})
            m_form.Maintenance->AttachPopup(list,
                                            bank::InstallmentMaintenance::ListKind::Documents);
    if (m_form.Lookup) {
        m_form.Lookup->Attach(
            m_form.CClientes, [this] { CClientesCloseUp(); }, false);
        m_form.Lookup->Attach(
            m_form.CProveedores, [this] { CProveedoresCloseUp(); }, false);
    }
}

AccountPages::~AccountPages() = default;

void AccountPages::buildPartyPage() {
    QWidget* panel = m_form.PanelCuentas;
    const int width = panel->width();
    LTopCuentas =
        makeTitle(panel, QStringLiteral("LTopCuentas"), QStringLiteral(" Cuentas por Cobrar"));

    LCuentas =
        bank::MakeLabel(panel, QStringLiteral("LCuentas"), QStringLiteral("Clientes:"), 8, 30, 70);
    for (controls::LookupCombo* selector : {m_form.CClientes, m_form.CProveedores}) {
        selector->setParent(panel);
        selector->setGeometry(80, 27, 256, 21);
        selector->lineEdit()->installEventFilter(new OpenOnTyping(selector));
    }
    m_form.CClientes->show();
    m_form.CProveedores->hide();

    LDesdeCtas = bank::MakeLabel(panel, QStringLiteral("LDesdeCtas"),
                                 QStringLiteral("Fecha Desde:"), 8, 57, 70);
    m_form.EDesdeCtas->setParent(panel);
    m_form.EDesdeCtas->setGeometry(80, 54, 90, 21);
    m_form.EDesdeCtas->show();
    LHastaCtas = bank::MakeLabel(panel, QStringLiteral("LHastaCtas"),
                                 QStringLiteral("Fecha Hasta:"), 178, 57, 66);
    m_form.EHastaCtas->setParent(panel);
    m_form.EHastaCtas->setGeometry(246, 54, 90, 21);
    m_form.EHastaCtas->show();
    connect(m_form.EDesdeCtas, &controls::TNorvaDateEdit::OnExit, this,
            &AccountPages::CTipoTransChange);
    connect(m_form.EHastaCtas, &controls::TNorvaDateEdit::OnExit, this,
            &AccountPages::CTipoTransChange);

    LTipoTrans = bank::MakeLabel(panel, QStringLiteral("LTipoTrans"),
                                 QStringLiteral("Tipo deTransacciones"), 8, 84, 120);
    CTipoTrans = new QComboBox(panel);
    CTipoTrans->setObjectName(QStringLiteral("CTipoTrans"));
    CTipoTrans->setGeometry(130, 81, 100, 21);
    CTipoTrans->addItems(ReceivableTypeEntries);
    CTipoTrans->setCurrentIndex(Todas);
    bank::DiscardTypedKeys(CTipoTrans);
    connect(CTipoTrans, &QComboBox::currentIndexChanged, this, &AccountPages::CTipoTransChange);

    PControlCuentas = new QStackedWidget(panel);
    PControlCuentas->setObjectName(QStringLiteral("PControlCuentas"));
    PControlCuentas->setGeometry(0, 108, width, 226);
    TabSCobrar = new QWidget;
    TabSCobrar->setObjectName(QStringLiteral("TabSCobrar"));
    TabSPagar = new QWidget;
    TabSPagar->setObjectName(QStringLiteral("TabSPagar"));
    for (QWidget* tab : {TabSCobrar, TabSPagar}) {
        tab->resize(width, 226);
        PControlCuentas->addWidget(tab);
    }
    CabeceraCtasxCobrar = makeDocumentHeader(TabSCobrar, QStringLiteral("CabeceraCtasxCobrar"));
    CabeceraCtasxPagar = makeDocumentHeader(TabSPagar, QStringLiteral("CabeceraCtasxPagar"));
    NorvaListCtasxCobrar = m_form.NorvaListCtasxCobrar;
    NorvaListCtasxPagar = m_form.NorvaListCtasxPagar;
    layDocumentList(NorvaListCtasxCobrar, TabSCobrar, CabeceraCtasxCobrar,
                    controls::DocumentKind::Receivable);
    layDocumentList(NorvaListCtasxPagar, TabSPagar, CabeceraCtasxPagar,
                    controls::DocumentKind::Payable);
    PControlCuentas->setCurrentWidget(TabSCobrar);

    const int y = 340;
    bank::MakeLabel(panel, QStringLiteral("LTMontoDebito"), QStringLiteral("Débito:"), 150, y, 50,
                    15);
    bank::MakeLabel(panel, QStringLiteral("LTMontoCredito"), QStringLiteral("Crédito:"), 150,
                    y + 16, 50, 15);
    bank::MakeLabel(panel, QStringLiteral("LTSaldo"), QStringLiteral("Saldo:"), 150, y + 32, 50,
                    15);
    LMontoDebito = makeTotal(panel, QStringLiteral("LMontoDebito"), 210, y);
    LMontoCredito = makeTotal(panel, QStringLiteral("LMontoCredito"), 210, y + 16);
    LSaldo = makeTotal(panel, QStringLiteral("LSaldo"), 210, y + 32);
}

void AccountPages::buildDatePage() {
    QWidget* panel = m_form.PanelFechaCtas;
    const int width = panel->width();
    LHeaderFechaCts = makeTitle(panel, QStringLiteral("LHeaderFechaCts"),
                                QStringLiteral(" Pendientes por Cobrar"));

    LFechaDesdeCts = bank::MakeLabel(panel, QStringLiteral("LFechaDesdeCts"),
                                     QStringLiteral("Fecha Desde:"), 8, 30, 70);
    m_form.EFechaDesdeCts->setParent(panel);
    m_form.EFechaDesdeCts->setGeometry(80, 27, 90, 21);
    m_form.EFechaDesdeCts->show();
    LFechaHastaCts = bank::MakeLabel(panel, QStringLiteral("LFechaHastaCts"),
                                     QStringLiteral("Fecha Hasta:"), 178, 30, 66);
    m_form.EFechaHastaCts->setParent(panel);
    m_form.EFechaHastaCts->setGeometry(246, 27, 90, 21);
    m_form.EFechaHastaCts->show();

    // The captions over the two-line rows, at the columns of the hidden header.
    const int listLeft = 2;
    const int top = 56;
    bank::MakeLabel(panel, QStringLiteral("LVenceCts"), QStringLiteral("Vence"), listLeft + 4, top,
                    60, 14);
    bank::MakeLabel(panel, QStringLiteral("LNumeroCts"), QStringLiteral("Número"), listLeft + 4,
                    top + 14, 60, 14);
    bank::MakeLabel(panel, QStringLiteral("LDescripcionCts"), QStringLiteral("Descripción"),
                    listLeft + 66, top, 160, 14);
    bank::MakeLabel(panel, QStringLiteral("LTipoCts"), QStringLiteral("Tipo"), listLeft + 66,
                    top + 14, 160, 14);
    bank::MakeLabel(panel, QStringLiteral("LMontoCts"), QStringLiteral("Monto"), listLeft + 235,
                    top, 60, 14);

    CabeceraFechaCtas = new controls::HeaderSections(panel);
    CabeceraFechaCtas->setObjectName(QStringLiteral("CabeceraFechaCtas"));
    CabeceraFechaCtas->SetSections({{QString(), 67}, {QString(), 168}, {QString(), 80}});
    CabeceraFechaCtas->hide();
    NorvaListFechaCtas = new controls::TNorvaList(panel);
    NorvaListFechaCtas->setObjectName(QStringLiteral("NorvaListFechaCtas"));
    NorvaListFechaCtas->SetItemHeight(30);
    NorvaListFechaCtas->setGeometry(listLeft, 86, width - 4, 240);
    NorvaListFechaCtas->FollowHeader(CabeceraFechaCtas);
    NorvaListFechaCtas->SetOnDrawItem([this](QPainter& p, controls::TNorvaList& list, int index,
                                             const QRect& rect, bool selected) {
        const TCuentas* c = list.RecordAs<TCuentas>(index);
        controls::TwoLineTexts texts;
        if (c) {
            texts.dueDate = controls::ShortDateText(c->FechaVencimiento);
            texts.number = c->Numero;
            texts.party = c->Descripcion;
            texts.typeName = controls::DocumentTypeName(c->TipoTransaccion);
            texts.amount = controls::GridAmountText(c->SaldoDocumento);
        }
        controls::DrawTwoLineRow(p, list, index, rect, selected, *CabeceraFechaCtas,
                                 c ? &texts : nullptr);
    });
    NorvaListFechaCtas->ShowPlaceholder();

    const int y = 332;
    BBuscarCts006 = bank::MakeButton(panel, QStringLiteral("BBuscarCts006"),
                                     QStringLiteral("&Buscar"), 4, y + 12, 70);
    connect(BBuscarCts006, &QPushButton::clicked, this, &AccountPages::BBuscarCts006Click);

    GBCuentaConsultar = new QGroupBox(QStringLiteral("Cuenta a consultar"), panel);
    GBCuentaConsultar->setObjectName(QStringLiteral("GBCuentaConsultar"));
    GBCuentaConsultar->setGeometry(80, y, 110, 58);
    CheckCobrar = m_form.CheckCobrar;
    CheckPagar = m_form.CheckPagar;
    CheckCobrar->setParent(GBCuentaConsultar);
    CheckCobrar->setGeometry(8, 17, 95, 17);
    CheckCobrar->show();
    CheckPagar->setParent(GBCuentaConsultar);
    CheckPagar->setGeometry(8, 36, 95, 17);
    CheckPagar->show();

    bank::MakeLabel(panel, QStringLiteral("LTFechaDebitoCts"), QStringLiteral("Débito:"), 196,
                    y + 8, 44, 15);
    bank::MakeLabel(panel, QStringLiteral("LTFechaCreditoCts"), QStringLiteral("Crédito:"), 196,
                    y + 24, 44, 15);
    bank::MakeLabel(panel, QStringLiteral("LTSaldoCts"), QStringLiteral("Saldo:"), 196, y + 40, 44,
                    15);
    LFechaDebitoCts = makeTotal(panel, QStringLiteral("LFechaDebitoCts"), 222, y + 8);
    LFechaCreditoCts = makeTotal(panel, QStringLiteral("LFechaCreditoCts"), 222, y + 24);
    LSaldoCts = makeTotal(panel, QStringLiteral("LSaldoCts"), 222, y + 40);
}

// ------------------------------------------------------------------ helpers

void AccountPages::closeDropDowns() {
    for (controls::LookupCombo* selector : {m_form.CBanco, m_form.CClientes, m_form.CProveedores})
        if (selector && selector->isDroppedDown())
            selector->closeUp(true);
}

void AccountPages::setTypeIndex(int index) {
    const QSignalBlocker quiet(CTipoTrans);
    CTipoTrans->setCurrentIndex(index);
}

void AccountPages::setTypeEntries(bool receivables, int index) {
    const QSignalBlocker quiet(CTipoTrans);
    CTipoTrans->clear();
    CTipoTrans->addItems(receivables ? ReceivableTypeEntries : PayableTypeEntries);
    CTipoTrans->setCurrentIndex(index);
}

void AccountPages::showTotals(const DocumentKind& kind, QLabel* debit, QLabel* credit,
                              QLabel* balance) const {
    debit->setText(core::format15(Totals.Debit(kind)));
    credit->setText(core::format15(Totals.Credit(kind)));
    balance->setText(core::format15(Totals.DocumentBalance()));
}

// ------------------------------------------------------------ opening pages

void AccountPages::ShowCustomerPage() {
    showPartyPage(true);
}

void AccountPages::ShowSupplierPage() {
    showPartyPage(false);
}

void AccountPages::showPartyPage(bool receivables) {
    const DocumentKind& kind = receivables ? ReceivableDocuments() : PayableDocuments();
    closeDropDowns();
    if (m_form.Lookup)
        m_form.Lookup->LookupMouseSelect = false;
    m_form.ShowPanel(false, false, false, false, true, false, false);
    PControlCuentas->setCurrentWidget(receivables ? TabSCobrar : TabSPagar);

    int typeIndex = Todas;
    const int first = receivables ? CustomerMemorySlot : SupplierMemorySlot;
    if (const std::optional<BrowseMemory> saved = ReadBrowseMemory(m_form.ViewMemory, first)) {
        typeIndex = saved->typeIndex;
        Totals = saved->totals;
        m_form.EDesdeCtas->SetDate(saved->from);
        m_form.EHastaCtas->SetDate(saved->to);
        showTotals(kind, LMontoDebito, LMontoCredito, LSaldo);
    } else {
        for (QLabel* label : {LMontoDebito, LMontoCredito, LSaldo})
            label->setText(core::format15(core::Currency()));
        m_form.ResetDateRange(m_form.EDesdeCtas, m_form.EHastaCtas);
    }

    LCuentas->setText(receivables ? QStringLiteral("Clientes:") : QStringLiteral("Proveedores:"));
    LTopCuentas->setText(receivables ? QStringLiteral(" Cuentas por Cobrar")
                                     : QStringLiteral(" Cuentas por Pagar"));
    m_form.CClientes->setVisible(receivables);
    m_form.CProveedores->setVisible(!receivables);
    setTypeEntries(receivables, typeIndex);

    const controls::TNorvaList* list = receivables ? NorvaListCtasxCobrar : NorvaListCtasxPagar;
    if (list->isEnabled()) {
        m_form.SetRecordCount(list->Count());
    } else {
        m_form.SetRecordCount(0);
        for (QLabel* label : {LMontoDebito, LMontoCredito, LSaldo})
            label->setText(core::format15(core::Currency()));
    }
}

void AccountPages::ShowDatePage() {
    closeDropDowns();
    if (const std::optional<BrowseMemory> saved =
            ReadBrowseMemory(m_form.ViewMemory, DateMemorySlot)) {
        setTypeIndex(saved->typeIndex);
        Totals = saved->totals;
        m_form.EFechaDesdeCts->SetDate(saved->from);
        m_form.EFechaHastaCts->SetDate(saved->to);
        showTotals(m_dateReceivables ? ReceivableDocuments() : PayableDocuments(), LFechaDebitoCts,
                   LFechaCreditoCts, LSaldoCts);
    } else {
        m_form.ResetDateRange(m_form.EFechaDesdeCts, m_form.EFechaHastaCts);
    }
    m_form.ShowPanel(false, false, false, false, false, false, true);
    if (CheckCobrar->isChecked())
        LHeaderFechaCts->setText(QStringLiteral(" Pendientes por Cobrar"));
    else if (CheckPagar->isChecked())
        LHeaderFechaCts->setText(QStringLiteral(" Pendientes por Pagar"));
    m_form.SetRecordCount(NorvaListFechaCtas->isEnabled() ? NorvaListFechaCtas->Count() : 0);
}

// -------------------------------------------------------------------- search

BrowseInputs AccountPages::CustomerInputs() const {
    return {m_form.PanelCuentas, NorvaListCtasxCobrar,  LSaldo,
            LMontoCredito,       LMontoDebito,          m_form.EDesdeCtas,
            m_form.EHastaCtas,   BrowseMode::OneParty,  CustomerMemorySlot,
            m_form.CClientes,    &ReceivableDocuments()};
}

BrowseInputs AccountPages::SupplierInputs() const {
    return {m_form.PanelCuentas, NorvaListCtasxPagar,  LSaldo,
            LMontoCredito,       LMontoDebito,         m_form.EDesdeCtas,
            m_form.EHastaCtas,   BrowseMode::OneParty, SupplierMemorySlot,
            m_form.CProveedores, &PayableDocuments()};
}

BrowseInputs AccountPages::DateInputs(bool receivables) const {
    return {m_form.PanelFechaCtas,
            NorvaListFechaCtas,
            LSaldoCts,
            LFechaCreditoCts,
            LFechaDebitoCts,
            m_form.EFechaDesdeCts,
            m_form.EFechaHastaCts,
            BrowseMode::AllParties,
            DateMemorySlot,
            nullptr,
            receivables ? &ReceivableDocuments() : &PayableDocuments()};
}

void AccountPages::BrowseDocuments(const BrowseInputs& in) {
    if (!in.panel || in.panel->isHidden() || !in.kind || m_searching)
        return;
    m_searching = true;
    const DocumentKind& kind = *in.kind;
    const QString& d = kind.documentPrefix;
    bank::ShowMeter(m_form);
    Totals = DocumentTotals();
    in.list->Clear();
    in.list->setEnabled(true);

    const bool hasFrom = in.from->Date() != 0;
    const bool hasTo = in.to->Date() != 0;
    const DateCondition dates = BrowseDateCondition(hasFrom, hasTo);
    std::vector<controls::ListRecordPtr> rows;
    data::Query& query = m_form.QueryCtas;
    try {
        const QString sql = BrowseStatement(kind, in.mode, dates, CTipoTrans->currentIndex());
        if (query.isOpen())
            query.close();
        query.clearSql();
        query.addSql(sql);
        if (dates != DateCondition::None)
            query.setParamDateTime(QStringLiteral("FechaDesde"), in.from->Date());
        if (dates == DateCondition::Between)
            query.setParamDateTime(QStringLiteral("FechaHasta"), in.to->Date());
        if (in.mode == BrowseMode::OneParty)
            query.setParamString(kind.partyParameter,
                                 in.party ? in.party->displayText() : QString());
        query.open();
        bank::SetMeter(m_form, 0);
        // The columns, found once: a long result is read without looking the
        // names up again on every row.
        data::Field& number = query.fieldByName(d + QStringLiteral("_NUMERO"));
        data::Field& type = query.fieldByName(d + QStringLiteral("_TIPOTRANSACCION"));
        data::Field& due = query.fieldByName(d + QStringLiteral("_FECHAVENCIMIENTO"));
        data::Field& balance = query.fieldByName(d + QStringLiteral("_SALDODOCUMENTO"));
        data::Field& party = query.fieldByName(kind.partyPrefix + QStringLiteral("_DESCRIPCION"));
        for (; !query.eof(); query.next()) {
            auto record = std::make_shared<TCuentas>();
            record->Numero = number.asString();
            record->TipoTransaccion = quint8(type.asInteger() & 0xFF);
            record->FechaVencimiento = due.asDateTime();
            record->SaldoDocumento = balance.asCurrency();
            record->Descripcion = party.asString();
            Totals.Add(kind, record->TipoTransaccion, record->SaldoDocumento);
            rows.push_back(std::move(record));
        }
        query.clearSql();
    } catch (const std::exception&) {
        platform::showError(&m_form, BrowseError(kind));
    }
    // Closed at once, also after a failure: a statement left open would keep
    // its read lock on the suite's table file.
    query.close();
    bank::SetMeter(m_form, 100);

    in.list->AddRecords(std::move(rows));
    m_form.SetRecordCount(in.list->Count());
    showTotals(kind, in.debit, in.credit, in.balance);
    BrowseMemory saved;
    saved.typeIndex = CTipoTrans->currentIndex();
    saved.totals = Totals;
    saved.from = in.from->Date();
    saved.to = in.to->Date();
    WriteBrowseMemory(m_form.ViewMemory, in.firstSlot, saved);
    if (in.firstSlot == DateMemorySlot)
        m_dateReceivables = kind.receivables;
    if (in.list->Count() == 0) {
        m_form.SetRecordCount(0);
        in.list->ShowPlaceholder();
    }
    bank::HideMeter(m_form);
    m_searching = false;
}

void AccountPages::BrowseCustomer() {
    m_form.CClientes->update();
    BrowseDocuments(CustomerInputs());
}

void AccountPages::BrowseSupplier() {
    m_form.CProveedores->update();
    BrowseDocuments(SupplierInputs());
}

void AccountPages::CTipoTransChange() {
    const controls::LookupCombo* customers = m_form.CClientes;
    const controls::LookupCombo* suppliers = m_form.CProveedores;
    if (customers->isHidden() && !suppliers->isHidden() &&
        PControlCuentas->currentWidget() == TabSPagar)
        BrowseSupplier();
    else if (!customers->isHidden() && PControlCuentas->currentWidget() == TabSCobrar)
        BrowseCustomer();
}

void AccountPages::CClientesCloseUp() {
    if (PControlCuentas->currentWidget() == TabSCobrar)
        BrowseCustomer();
}

void AccountPages::CProveedoresCloseUp() {
    if (PControlCuentas->currentWidget() == TabSPagar)
        BrowseSupplier();
}

void AccountPages::BBuscarCts006Click() {
    if (CheckCobrar->isChecked())
        LHeaderFechaCts->setText(QStringLiteral(" Pendientes por Cobrar"));
    else if (CheckPagar->isChecked())
        LHeaderFechaCts->setText(QStringLiteral(" Pendientes por Pagar"));
    if (CheckCobrar->isChecked())
        BrowseDocuments(DateInputs(true));
    else if (CheckPagar->isChecked())
        BrowseDocuments(DateInputs(false));
}

void AccountPages::CheckCobrarClick() {
    CheckCobrar->setChecked(true);
    CheckPagar->setChecked(false);
    BBuscarCts006Click();
}

void AccountPages::CheckPagarClick() {
    CheckPagar->setChecked(true);
    CheckCobrar->setChecked(false);
    BBuscarCts006Click();
}

} // namespace accounts
