#include "bank/NewTransactionPage.h"

#include "bank/PageSupport.h"
#include "bank/PendingPage.h"
#include "bank/Schedule.h"
#include "controls/DropDown.h"
#include "controls/HeaderSections.h"
#include "controls/ListPainting.h"
#include "controls/LookupCombo.h"
#include "controls/RowTexts.h"
#include "controls/Shape.h"
#include "controls/TNorvaDateEdit.h"
#include "controls/TNorvaEdit.h"
#include "controls/TNorvaList.h"
#include "controls/TNorvaNumberEdit.h"
#include "data/EngineError.h"
#include "platform/Clock.h"
#include "platform/MessageBoxService.h"
#include "shell/Tm3TransaccionesPendientesForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <stdexcept>

namespace bank {

namespace {

constexpr int RowHeight = 17;
const QColor EditingRowColour(255, 255, 225); // light yellow

// The numbers of the grid's header sections.
enum GridColumn { ColCuota = 0, ColFecha = 1, ColHora = 2, ColMonto = 3 };

template <class Edit> Edit* makeEdit(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* edit = new Edit(parent);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    return edit;
}

QComboBox* makeChoice(QWidget* parent, const QString& name, const QStringList& items,
                      const QRect& geometry) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setGeometry(geometry);
    DiscardTypedKeys(combo);
    return combo;
}

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

NewTransactionPage::NewTransactionPage(shell::Tm3TransaccionesPendientesForm& form)
    : QObject(&form), m_form(form) {
    QWidget* panel = m_form.PanelNuevo;
    LTitulo = MakeLabel(panel, QStringLiteral("LTitulo"), QStringLiteral(" Nueva Transacción"), 0,
                        0, panel->width(), 20);
    PageControlNuevo = new QStackedWidget(panel);
    PageControlNuevo->setObjectName(QStringLiteral("PageControlNuevo"));
    PageControlNuevo->setGeometry(0, 52, panel->width(), 300);
    TabNuevaTrans1 = new QWidget;
    TabNuevaTrans1->setObjectName(QStringLiteral("TabNuevaTrans1"));
    TabNuevaTrans2 = new QWidget;
    TabNuevaTrans2->setObjectName(QStringLiteral("TabNuevaTrans2"));
    PageControlNuevo->addWidget(TabNuevaTrans1);
    PageControlNuevo->addWidget(TabNuevaTrans2);

    m_form.CBanco->setToolTip(QStringLiteral("Indique Banco"));
    m_form.CBanco->setAcceptOnlyListed(true);
    buildFirstPage();
    buildSecondPage();

    const int y = panel->height() - 34;
    BVolver0032 =
        MakeButton(panel, QStringLiteral("BVolver0032"), QStringLiteral("&Volver"), 8, y, 78);
    BGuardar0012 =
        MakeButton(panel, QStringLiteral("BGuardar0012"), QStringLiteral("&Guardar"), 90, y, 78);
    BCancelar002 =
        MakeButton(panel, QStringLiteral("BCancelar002"), QStringLiteral("&Cancelar"), 172, y, 78);
    BSiguiente0033 = MakeButton(panel, QStringLiteral("BSiguiente0033"),
                                QStringLiteral("S&iguiente"), 254, y, 82);
    BVolver0032->hide();
    BGuardar0012->hide();
    connect(BSiguiente0033, &QPushButton::clicked, this, &NewTransactionPage::BSiguiente0033Click);
    connect(BGuardar0012, &QPushButton::clicked, this, &NewTransactionPage::BGuardar0012Click);
    connect(BVolver0032, &QPushButton::clicked, this, &NewTransactionPage::BVolver0032Click);
    connect(BCancelar002, &QPushButton::clicked, this, &NewTransactionPage::BCancelar002Click);

    connect(qApp, &QApplication::focusChanged, this, &NewTransactionPage::focusChanged);
}

NewTransactionPage::~NewTransactionPage() = default;

void NewTransactionPage::buildFirstPage() {
    QWidget* page = TabNuevaTrans1;
    const int labelX = 5;
    const int editX = 77;
    MakeLabel(page, QStringLiteral("LBeneficiario"), QStringLiteral("Beneficiario:"), labelX, 17);
    CBeneficiarios = makeEdit<controls::TNorvaEdit>(page, QStringLiteral("CBeneficiarios"),
                                                    QRect(editX, 15, 245, 21));
    MakeLabel(page, QStringLiteral("LDescripcion"), QStringLiteral("Descripción:"), labelX, 44);
    EDescripcion = makeEdit<controls::TNorvaEdit>(page, QStringLiteral("EDescripcion"),
                                                  QRect(editX, 42, 245, 21));
    EDescripcion->setToolTip(QStringLiteral("Indique descripción del documento"));
    MakeLabel(page, QStringLiteral("LMonto"), QStringLiteral("Monto Total:"), labelX, 71);
    EMonto = makeEdit<controls::TNorvaNumberEdit>(page, QStringLiteral("EMonto"),
                                                  QRect(editX, 69, 130, 21));
    EMonto->NorvaNumberObject().SetTipoDato(controls::TDato::Reales);
    EMonto->NorvaNumberObject().SetDecimales(2);
    EMonto->NorvaNumberObject().SetMinValor(0);
    EMonto->NorvaNumberObject().SetMaxValor(controls::TNorvaNumberObject::DefaultMaxValor);
    EMonto->SetInitText(0);
    EMonto->setToolTip(QStringLiteral("Indique monto total del documento"));
    MakeLabel(page, QStringLiteral("LFechaInicio"), QStringLiteral("Fecha Inicio:"), labelX, 98);
    EFechaInicio = makeEdit<controls::TNorvaDateEdit>(page, QStringLiteral("EFechaInicio"),
                                                      QRect(editX, 96, 100, 21));
    EFechaInicio->setToolTip(QStringLiteral("Indique fecha de primer pago"));
    EFechaInicio->SetDate(platform::Clock::instance().today());
    MakeLabel(page, QStringLiteral("LGiros"), QStringLiteral("Nro. Cuotas:"), labelX, 125);
    EGiros = makeEdit<controls::TNorvaNumberEdit>(page, QStringLiteral("EGiros"),
                                                  QRect(editX, 123, 60, 21));
    EGiros->NorvaNumberObject().SetTipoDato(controls::TDato::Entero);
    EGiros->NorvaNumberObject().SetDecimales(0);
    EGiros->NorvaNumberObject().SetMaxValor(9999);
    EGiros->NorvaNumberObject().SetMinValor(1);
    EGiros->SetInitText(1);
    EGiros->setToolTip(QStringLiteral("Indique el numero de cuotas del documento"));
    MakeLabel(page, QStringLiteral("LPeriodos"), QStringLiteral("Períodos:"), labelX, 152);
    CBPeriodos =
        makeChoice(page, QStringLiteral("CBPeriodos"), PeriodItems, QRect(editX, 150, 100, 21));
    CBPeriodos->setToolTip(QStringLiteral("Indique el período de pago del documento"));
    MakeLabel(page, QStringLiteral("LHoraAviso"), QStringLiteral("Hora  Aviso:"), labelX, 179);
    MaskEHora = makeEdit<QLineEdit>(page, QStringLiteral("MaskEHora"), QRect(editX, 177, 50, 21));
    SetUpTimeMask(MaskEHora);
    MaskEHora->setText(QStringLiteral("12:00"));
    MaskEHora->setToolTip(QStringLiteral("Indique hora de aviso"));
    MaskEHora->installEventFilter(this);
    CHoraampm = makeChoice(page, QStringLiteral("CHoraampm"),
                           {QStringLiteral("A.M."), QStringLiteral("P.M.")},
                           QRect(editX + 53, 177, 55, 21));
    CHoraampm->setToolTip(QStringLiteral("Indique hora de aviso"));

    GroupCuota = new QGroupBox(QStringLiteral("Cuota"), page);
    GroupCuota->setObjectName(QStringLiteral("GroupCuota"));
    GroupCuota->setGeometry(215, 96, 107, 48);
    CheckBoxFijo = new QCheckBox(QStringLiteral("Fija"), GroupCuota);
    CheckBoxFijo->setObjectName(QStringLiteral("CheckBoxFijo"));
    CheckBoxFijo->setGeometry(10, 20, 80, 20);
    CheckBoxFijo->setToolTip(QStringLiteral("Indique si la transacción es fija"));
    connect(CheckBoxFijo, &QCheckBox::toggled, this, &NewTransactionPage::CheckBoxFijoClick);

    RadioGTipos = new QGroupBox(QStringLiteral("Documento que Genera"), page);
    RadioGTipos->setObjectName(QStringLiteral("RadioGTipos"));
    RadioGTipos->setGeometry(190, 150, 132, 62);
    RadioCheque = new QRadioButton(QStringLiteral("Cheque"), RadioGTipos);
    RadioCheque->setObjectName(QStringLiteral("RadioCheque"));
    RadioCheque->setGeometry(8, 18, 110, 18);
    RadioCheque->setChecked(true);
    RadioNotaDebito = new QRadioButton(QStringLiteral("Nota de Débito"), RadioGTipos);
    RadioNotaDebito->setObjectName(QStringLiteral("RadioNotaDebito"));
    RadioNotaDebito->setGeometry(8, 38, 110, 18);
    RadioGTipos->hide();

    QWidget::setTabOrder(CBeneficiarios, EDescripcion);
    QWidget::setTabOrder(EDescripcion, EMonto);
    QWidget::setTabOrder(EMonto, EFechaInicio);
    QWidget::setTabOrder(EFechaInicio, EGiros);
    QWidget::setTabOrder(EGiros, CBPeriodos);
    QWidget::setTabOrder(CBPeriodos, MaskEHora);
    QWidget::setTabOrder(MaskEHora, CHoraampm);
    QWidget::setTabOrder(CHoraampm, CheckBoxFijo);
}

void NewTransactionPage::buildSecondPage() {
    QWidget* page = TabNuevaTrans2;
    CabeceraGiros = new controls::HeaderSections(page);
    CabeceraGiros->setObjectName(QStringLiteral("CabeceraGiros"));
    CabeceraGiros->SetSections({{QStringLiteral("Cuota #"), 50},
                                {QStringLiteral("Fecha Pago"), 80},
                                {QStringLiteral("Hora"), 75},
                                {QStringLiteral("Monto Cuota"), 110}});
    CabeceraGiros->setGeometry(4, 4, 334, 20);
    NorvaListGiros = new controls::TNorvaList(page);
    NorvaListGiros->setObjectName(QStringLiteral("NorvaListGiros"));
    NorvaListGiros->setGeometry(4, 24, 334, 272);
    NorvaListGiros->SetItemHeight(RowHeight);
    QPalette palette = NorvaListGiros->palette();
    palette.setColor(QPalette::Base, Qt::white);
    NorvaListGiros->setPalette(palette);
    NorvaListGiros->FollowHeader(CabeceraGiros);
    NorvaListGiros->installEventFilter(this);
    NorvaListGiros->SetOnDrawItem([this](QPainter& p, controls::TNorvaList& list, int index,
                                         const QRect& rect, bool selected) {
        QRect cell = controls::DrawListRow(p, list, index, rect, selected, *CabeceraGiros,
                                           QColor(controls::GridText));
        if (selected && ItemsPanel->isVisible() && ItemsPanel->y() != rect.top())
            ItemsPanel->move(ItemsPanel->x(), rect.top());
        const TGirosReg* giro = list.RecordAs<TGirosReg>(index);
        if (!giro)
            return;
        const QColor none;
        controls::DrawListCell(p, *CabeceraGiros, list, selected, none, false, false, ColCuota,
                               QString::number(giro->Giro), cell);
        controls::DrawListCell(p, *CabeceraGiros, list, selected, none, false, false, ColFecha,
                               controls::DateTimeText(giro->FechaGiro), cell);
        controls::DrawListCell(p, *CabeceraGiros, list, selected, none, false, false, ColHora,
                               controls::GridTimeText(giro->HoraGiro), cell);
        controls::DrawListCell(p, *CabeceraGiros, list, selected, none, false, true, ColMonto,
                               controls::GridAmountText(giro->MontoGiro), cell);
    });
    connect(NorvaListGiros, &QAbstractItemView::doubleClicked, this,
            &NewTransactionPage::OpenEditingRow);
    NorvaListGiros->ShowPlaceholder();

    ItemsPanel = new QWidget(NorvaListGiros->viewport());
    ItemsPanel->setObjectName(QStringLiteral("ItemsPanel"));
    ItemsPanel->setAutoFillBackground(true);
    QPalette yellow = ItemsPanel->palette();
    yellow.setColor(QPalette::Window, EditingRowColour);
    ItemsPanel->setPalette(yellow);
    ItemsPanel->setGeometry(0, 0, 300, RowHeight);
    LCuota = MakeLabel(ItemsPanel, QStringLiteral("LCuota"), QString(), 2, 0, 46, RowHeight);
    EFecha = makeEdit<controls::TNorvaDateEdit>(ItemsPanel, QStringLiteral("EFecha"),
                                                QRect(52, 0, 76, RowHeight));
    EFecha->SetShowButton(false);
    EFecha->setProperty("Tag", 1);
    EHora = makeEdit<QLineEdit>(ItemsPanel, QStringLiteral("EHora"), QRect(132, 0, 40, RowHeight));
    SetUpTimeMask(EHora);
    EHora->setProperty("Tag", 2);
    cboAM = makeChoice(ItemsPanel, QStringLiteral("cboAM"),
                       {QStringLiteral("AM"), QStringLiteral("PM")}, QRect(172, 0, 31, RowHeight));
    controls::useNarrowArrow(cboAM);
    EMontoCuota = makeEdit<controls::TNorvaNumberEdit>(ItemsPanel, QStringLiteral("EMontoCuota"),
                                                       QRect(207, 0, 106, RowHeight));
    EMontoCuota->NorvaNumberObject().SetTipoDato(controls::TDato::Reales);
    EMontoCuota->NorvaNumberObject().SetDecimales(2);
    EMontoCuota->setProperty("Tag", 3);
    for (QLineEdit* edit :
         {static_cast<QLineEdit*>(EFecha), EHora, static_cast<QLineEdit*>(EMontoCuota)}) {
        edit->setFrame(false);
        edit->installEventFilter(this);
    }
    auto separator = [this](const QString& name) {
        auto* line = new controls::Shape(ItemsPanel);
        line->setObjectName(name);
        line->setTag(5000);
        line->setBrushColor(Qt::black);
        line->setPenColor(Qt::black);
        line->setGeometry(0, 0, 1, RowHeight);
        return line;
    };
    Separador1 = separator(QStringLiteral("Separador1"));
    Separador2 = separator(QStringLiteral("Separador2"));
    Separador3 = separator(QStringLiteral("Separador3"));
    QWidget::setTabOrder(EFecha, EHora);
    QWidget::setTabOrder(EHora, cboAM);
    QWidget::setTabOrder(cboAM, EMontoCuota);
    ItemsPanel->hide();
    LayEditingRow();
}

void NewTransactionPage::LayEditingRow() {
    const int thumb = NorvaListGiros->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    ItemsPanel->setGeometry(0, ItemsPanel->y(), NorvaListGiros->width() - thumb, RowHeight);
    const controls::HeaderSections& h = *CabeceraGiros;
    LCuota->setGeometry(2, 0, h.SectionWidth(ColCuota) - 4, RowHeight);
    EFecha->setGeometry(h.SectionLeft(ColFecha) + 2, 0, h.SectionWidth(ColFecha) - 4, RowHeight);
    EHora->setGeometry(h.SectionLeft(ColHora) + 2, 0, 40, RowHeight);
    cboAM->setGeometry(EHora->x() + EHora->width(), 0, h.SectionWidth(ColHora) - 4 - EHora->width(),
                       RowHeight);
    EMontoCuota->setGeometry(h.SectionLeft(ColMonto) + 2, 0, h.SectionWidth(ColMonto) - 4,
                             RowHeight);
    Separador1->move(h.SectionLeft(ColFecha) - 1, 0);
    Separador2->move(h.SectionLeft(ColHora) - 1, 0);
    Separador3->move(h.SectionLeft(ColMonto) - 1, 0);
}

// ------------------------------------------------------------------ first page

void NewTransactionPage::Show() {
    m_form.ShowPanel(true, false, false, false, false, false, false);
    QWidget* panel = m_form.PanelNuevo;
    controls::LookupCombo* bank = m_form.CBanco;
    if (m_form.Pending) {
        m_form.Pending->LBusqueda->setParent(panel);
        m_form.Pending->LBusqueda->move(8, 26);
        m_form.Pending->LBusqueda->setText(QStringLiteral("Banco"));
        m_form.Pending->LBusqueda->show();
        m_form.Pending->SSombraBanco->setParent(panel);
        m_form.Pending->SSombraBanco->move(53, 26);
        m_form.Pending->SSombraBanco->show();
    }
    bank->setParent(panel);
    bank->move(50, 23);
    bank->setEnabled(true);
    bank->clearLookupValue();
    bank->show();
    bank->raise();
    if (CBeneficiarios->parentWidget() != TabNuevaTrans1) {
        CBeneficiarios->setParent(TabNuevaTrans1);
        QWidget::setTabOrder(CBeneficiarios, EDescripcion);
    }
    CBeneficiarios->setGeometry(77, 15, 245, 21);
    CBeneficiarios->show();
    QWidget::setTabOrder(bank, CBeneficiarios);
    m_form.ClearRecordCount();
    m_form.FocusField(bank);
}

bool NewTransactionPage::ValidateNewTransaction() const {
    return !m_form.CBanco->displayText().isEmpty() && !CBeneficiarios->text().isEmpty() &&
           !EDescripcion->text().isEmpty() && !EFechaInicio->text().isEmpty() &&
           !CBPeriodos->currentText().isEmpty() && !CHoraampm->currentText().isEmpty();
}

void NewTransactionPage::ClearNewTransactionPage() {
    EFechaInicio->clear();
    CBeneficiarios->clear();
    EDescripcion->clear();
    CBPeriodos->setCurrentIndex(-1);
    EMonto->SetInitText(0);
    EGiros->SetInitText(1);
    MaskEHora->setText(QStringLiteral("12:00"));
    EFechaInicio->SetDate(platform::Clock::instance().today());
}

void NewTransactionPage::CheckBoxFijoClick() {
    if (CheckBoxFijo->isChecked()) {
        EGiros->setEnabled(false);
        EGiros->SetInitText(1);
    } else {
        EGiros->setEnabled(true);
    }
}

void NewTransactionPage::MaskEHoraExit() {
    const QString checked = CheckedNoticeText(MaskText(MaskEHora));
    if (checked != MaskText(MaskEHora))
        MaskEHora->setText(checked);
}

void NewTransactionPage::BSiguiente0033Click() {
    if (!ValidateNewTransaction()) {
        platform::showInformation(&m_form, QStringLiteral("Faltan datos por llenar."));
        return;
    }
    SetNoticeEnabled(m_form, false);
    m_form.EnableMainMenus(false);
    SetTrayNoticeItemEnabled(m_form, false);
    SetSideBarEnabled(m_form, false);
    NorvaListGiros->Clear();
    try {
        const int code = PeriodCodeOfItem(CBPeriodos->currentIndex());
        if (code == 0)
            throw std::runtime_error("no period");
        PeriodCode = code;
        auto transaction = std::make_shared<TTransReg>();
        transaction->Banco = m_form.CBanco->displayText();
        transaction->NroCuenta = m_form.CBanco->lookupValue();
        transaction->Descripcion = EDescripcion->text();
        transaction->Monto = EMonto->CurrencyValue();
        transaction->FechaInicio = EFechaInicio->Date();
        transaction->NroGiros = qint32(EGiros->WholeValue());
        transaction->Beneficiario = CBeneficiarios->text();
        if (transaction->FechaInicio == 0)
            throw std::runtime_error("no start date");

        const core::TDateTime today = platform::Clock::instance().today();
        int count = int(EGiros->WholeValue());
        if (CheckBoxFijo->isChecked() && today > transaction->FechaInicio) {
            count = CatchUpCount(transaction->FechaInicio, today, code);
            EGiros->SetInitText(count);
        }
        if (count < 1)
            throw std::runtime_error("no installments");
        const std::optional<core::TDateTime> time =
            NoticeTime(MaskText(MaskEHora), CHoraampm->currentIndex() == 1);
        if (!time)
            throw std::runtime_error("no notice time");

        ScheduleRequest request;
        request.start = transaction->FechaInicio;
        request.count = count;
        request.periodCode = code;
        request.total = EMonto->RealValue();
        request.fixed = CheckBoxFijo->isChecked();
        request.tipoTrans = RadioNotaDebito->isChecked() ? 1 : 0;
        request.noticeTime = *time;
        transaction->Giros = BuildSchedule(request);
        std::vector<controls::ListRecordPtr> rows(transaction->Giros.begin(),
                                                  transaction->Giros.end());
        NorvaListGiros->SetRecords(std::move(rows));
        Transaction = std::move(transaction);

        BSiguiente0033->setEnabled(false);
        BVolver0032->show();
        BGuardar0012->show();
        m_form.CBanco->setEnabled(false);
        PageControlNuevo->setCurrentWidget(TabNuevaTrans2);
        m_form.SetRecordCount(count);
    } catch (const std::exception&) {
        // Everything this step took away is given back; the schedule is dropped.
        restoreAfterFailedSchedule();
        platform::showInformation(&m_form, QStringLiteral("Error, verifique los datos llenados."));
    }
}

void NewTransactionPage::restoreAfterFailedSchedule() {
    Transaction.reset();
    NorvaListGiros->ShowPlaceholder();
    ItemsPanel->hide();
    PageControlNuevo->setCurrentWidget(TabNuevaTrans1);
    BSiguiente0033->setEnabled(true);
    BVolver0032->hide();
    BGuardar0012->hide();
    m_form.CBanco->setEnabled(true);
    m_form.EnableMainMenus(true);
    SetSideBarEnabled(m_form, true);
    SetTrayNoticeItemEnabled(m_form, true);
    SetNoticeEnabled(m_form, true);
}

// ----------------------------------------------------------------- second page

void NewTransactionPage::OpenEditingRow() {
    const int index = NorvaListGiros->ItemIndex();
    const controls::ListRecordPtr record = NorvaListGiros->SharedRecordAt(index);
    auto giro = std::dynamic_pointer_cast<TGirosReg>(record);
    if (!giro)
        return;
    m_editing = giro;
    LCuota->setText(QString::number(giro->Giro));
    EFecha->SetDate(giro->FechaGiro);
    EHora->setText(TwelveHourText(giro->HoraGiro));
    cboAM->setCurrentIndex(IsAfternoon(giro->HoraGiro) ? 1 : 0);
    EMontoCuota->SetInitText(giro->MontoGiro.toDouble());
    ItemsPanel->move(0, NorvaListGiros->ItemRect(index).top());
    ItemsPanel->show();
    ItemsPanel->raise();
    m_form.FocusField(EFecha);
    EFecha->selectAll();
}

void NewTransactionPage::EHoraExit() {
    const QString checked = CheckedNoticeText(MaskText(EHora));
    if (checked != MaskText(EHora))
        EHora->setText(checked);
}

void NewTransactionPage::CommitEditingRow() {
    if (m_editing) {
        const core::TDateTime date = EFecha->Date();
        // An emptied date keeps the installment's own.
        if (date != 0)
            m_editing->FechaGiro = date;
        if (const std::optional<core::TDateTime> time =
                NoticeTime(CheckedNoticeText(MaskText(EHora)), cboAM->currentIndex() == 1))
            m_editing->HoraGiro = *time;
        m_editing->MontoGiro = EMontoCuota->CurrencyValue();
    }
    CloseEditingRow();
}

void NewTransactionPage::CloseEditingRow() {
    m_editing.reset();
    ItemsPanel->hide();
    m_form.FocusField(NorvaListGiros);
    NorvaListGiros->viewport()->update();
}

bool NewTransactionPage::editorKey(QObject* watched, int key) {
    if (key == Qt::Key_Escape) {
        CloseEditingRow();
        return true;
    }
    const bool forward = isEnter(key) || key == Qt::Key_Down;
    const bool back = key == Qt::Key_Up;
    if (!forward && !back)
        return false;
    if (watched == EFecha) {
        if (forward) {
            m_form.FocusField(EHora);
            EHora->selectAll();
        } else {
            CloseEditingRow();
        }
    } else if (watched == EHora) {
        if (forward) {
            m_form.FocusField(EMontoCuota);
            EMontoCuota->selectAll();
        } else {
            m_form.FocusField(EFecha);
            EFecha->selectAll();
        }
    } else if (watched == EMontoCuota) {
        if (forward) {
            CommitEditingRow();
        } else {
            m_form.FocusField(EHora);
            EHora->selectAll();
        }
    }
    return true;
}

bool NewTransactionPage::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            if (watched == MaskEHora)
                MaskEHoraExit();
            else if (watched == EHora)
                EHoraExit();
        }
        return false;
    }
    if (type != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == NorvaListGiros) {
        if (isEnter(key->key())) {
            OpenEditingRow();
            return true;
        }
        return false;
    }
    if (watched == EFecha || watched == EHora || watched == EMontoCuota) {
        if (watched == EFecha && EFecha->NorvaDateEditKeyDown(key))
            return true;
        if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier))
            return false;
        return editorKey(watched, key->key());
    }
    return false;
}

void NewTransactionPage::focusChanged(QWidget* old, QWidget* now) {
    if (!now || now->window() != &m_form)
        return; // a pop-up or another window: the focus has not left the page
    if (ItemsPanel->isVisible() && old && ItemsPanel->isAncestorOf(old) &&
        !ItemsPanel->isAncestorOf(now)) {
        m_editing.reset();
        ItemsPanel->hide();
    }
    const bool inside = TabNuevaTrans2->isAncestorOf(now);
    if (inside && !m_inGrid) {
        m_form.SetEnterDefault(true);
        m_form.SetArrowsOff(true);
    } else if (!inside && m_inGrid) {
        m_form.SetEnterMoves(true);
        m_form.SetArrowsOff(false);
    }
    m_inGrid = inside;
}

// ------------------------------------------------------------------- buttons

void NewTransactionPage::BGuardar0012Click() {
    if (!Transaction)
        return;
    if (!platform::confirm(&m_form, QStringLiteral("Desea guardar la nueva transacción?")))
        return;
    writeTransaction();
}

void NewTransactionPage::writeTransaction() {
    const TTransReg& t = *Transaction;
    const int count = int(t.Giros.size());
    ShowMeter(m_form);
    data::Table& trans = m_form.TablaTransPendientes;
    data::Table& giros = m_form.TablaGirosPendientes;
    bool saved = false;
    qint64 key = 0;
    try {
        trans.open();
        trans.insert();
        trans.fieldByName(fields::FTP_NROCUENTA).setAsString(t.NroCuenta);
        trans.fieldByName(fields::FTP_BANCO).setAsString(t.Banco);
        trans.fieldByName(fields::FTP_BENEFICIARIO).setAsString(t.Beneficiario);
        trans.fieldByName(fields::FTP_DESCRIPCION).setAsString(t.Descripcion);
        trans.fieldByName(fields::FTP_MONTO).setAsFloat(t.Monto.toDouble());
        trans.fieldByName(fields::FTP_NROGIROS).setAsInteger(count);
        trans.post();
        key = trans.fieldByName(fields::FTP_AUTOINCKEY).asInteger();
        saved = true;
    } catch (const std::exception&) {
        trans.cancel();
        platform::showError(
            &m_form, QStringLiteral("Error al introducir los datos en la tabla m3TransPendientes"));
    }
    if (saved) {
        int posted = 0;
        try {
            giros.open();
            for (int k = 0; k < count; ++k) {
                const TGirosReg& g = *t.Giros[size_t(k)];
                SetMeter(m_form, (k + 1) * 100 / qMax(1, NorvaListGiros->Count()));
                giros.insert();
                const bool last = k == count - 1;
                giros.fieldByName(fields::FGP_PERIODOFIJO)
                    .setAsInteger(CheckBoxFijo->isChecked() && last ? PeriodCode : 0);
                giros.fieldByName(fields::FGP_KEYTRANSACCION).setAsInteger(key);
                giros.fieldByName(fields::FGP_GIRO).setAsInteger(g.Giro);
                giros.fieldByName(fields::FGP_TIPOTRANS).setAsInteger(g.TipoTrans);
                giros.fieldByName(fields::FGP_MONTOGIRO).setAsCurrency(g.MontoGiro);
                giros.fieldByName(fields::FGP_FECHAGIRO).setAsDateTime(g.FechaGiro);
                giros.fieldByName(fields::FGP_HORAGIRO).setAsDateTime(g.HoraGiro);
                giros.fieldByName(fields::FGP_STATUS).setAsBoolean(false);
                giros.post();
                ++posted;
            }
        } catch (const std::exception&) {
            giros.cancel();
            saved = false;
            platform::showError(
                &m_form,
                QStringLiteral("Error al introducir los datos en la tabla m3GirosPendientes"));
            // The transaction keeps the installments already written; its count
            // says how many there are.
            try {
                if (trans.isOpen() && trans.findKey({key})) {
                    trans.edit();
                    trans.fieldByName(fields::FTP_NROGIROS).setAsInteger(posted);
                    trans.post();
                }
            } catch (const std::exception&) {
                trans.cancel();
            }
        }
    }
    trans.close();
    giros.close();
    ClearNewTransactionPage();
    m_form.CBanco->clearLookupValue();
    m_form.ClearRecordCount();
    m_form.EnableMainMenus(true);
    if (saved)
        platform::showInformation(&m_form,
                                  QStringLiteral("Sus datos fueron guardados correctamente."));
    HideMeter(m_form);
    SetTrayNoticeItemEnabled(m_form, true);
    m_form.RefreshDueInstallments();
    BVolver0032Click();
    CheckBoxFijo->setChecked(false);
    CBPeriodos->setCurrentIndex(0);
    SetNoticeEnabled(m_form, true);
    m_form.FocusField(m_form.CBanco);
}

void NewTransactionPage::BVolver0032Click() {
    PageControlNuevo->setCurrentWidget(TabNuevaTrans1);
    m_form.EnableMainMenus(true);
    SetSideBarEnabled(m_form, true);
    BSiguiente0033->setEnabled(true);
    m_form.CBanco->setEnabled(true);
    BVolver0032->hide();
    BGuardar0012->hide();
    m_form.ClearRecordCount();
    SetTrayNoticeItemEnabled(m_form, true);
    SetNoticeEnabled(m_form, true);
    if (CheckBoxFijo->isChecked())
        EGiros->SetInitText(1);
    m_editing.reset();
    ItemsPanel->hide();
    Transaction.reset();
    NorvaListGiros->ShowPlaceholder();
}

void NewTransactionPage::BCancelar002Click() {
    if (!platform::confirm(&m_form, QStringLiteral("Desea cancelar la operación?")))
        return;
    ClearNewTransactionPage();
    EGiros->SetInitText(1);
    CBPeriodos->setCurrentIndex(0);
    CheckBoxFijo->setChecked(false);
    m_form.CBanco->clearLookupValue();
    m_form.ClearRecordCount();
    BVolver0032Click();
    m_form.EnableMainMenus(true);
    SetTrayNoticeItemEnabled(m_form, true);
    SetNoticeEnabled(m_form, true);
}

} // namespace bank
