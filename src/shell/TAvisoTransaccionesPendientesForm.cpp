#include "shell/TAvisoTransaccionesPendientesForm.h"

#include "accounts/AccountPages.h"
#include "accounts/DueRangesPanel.h"
#include "accounts/TCuentas.h"
#include "bank/InstallmentMaintenance.h"
#include "bank/PageSupport.h"
#include "bank/PendingPage.h"
#include "bank/Records.h"
#include "controls/Fonts.h"
#include "controls/ListPainting.h"
#include "controls/LookupCombo.h"
#include "controls/OutlookBar.h"
#include "controls/RowTexts.h"
#include "controls/TNorvaDateEdit.h"
#include "controls/TNorvaList.h"
#include "controls/TNorvaNumberEdit.h"
#include "core/Formats.h"
#include "notice/NoticePictures.h"
#include "notice/Tm3AvisoTiempoForm.h"
#include "platform/Clock.h"
#include "platform/MessageBoxService.h"
#include "platform/SoundPlayer.h"
#include "reports/ReportPage.h"
#include "reports/ReportQueries.h"
#include "reports/TransactionsReportForm.h"
#include "shell/Application.h"
#include "shell/Settings.h"
#include "shell/SettingsPage.h"
#include "shell/Tm3TransaccionesPendientesForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <climits>

namespace shell {

namespace {

constexpr int ClientWidth = 213;
constexpr int ClientHeight = 168;
constexpr int PanelHeight = 151;
constexpr int ButtonWidth = 71;
constexpr int ButtonHeight = 19;
constexpr int CardHeight = 43;
// The pause of one step of the rise and the fall, so the movement can be seen
// (205 steps take about half a second).
constexpr unsigned long StepPauseUs = 2500;

const QString BankSummary = QStringLiteral("Transacciones Bancarias : ");
const QString ReceivableSummary = QStringLiteral("Cuentas por Cobrar         : ");
const QString PayableSummary = QStringLiteral("Cuentas por Pagar          : ");
const QString SoundError = QStringLiteral(
    "Error al cargar archivo de sonido, verifique la ruta del archivo en la configuración.");
const QString PostponeWriteError = QStringLiteral("Error al guardar el tiempo de próximo aviso.");
const QString NoItemToView = QStringLiteral("Seleccione un ítem para ver!");
const QString NoItemToPay = QStringLiteral("Seleccione un ítem a pagar!");
const QString NoItemToPrint = QStringLiteral("Seleccione un ítem antes de imprimir!");
const QString NothingInRange = QStringLiteral("No existen transacciones vencidas en ese período.");
const QString GroupingError = QStringLiteral(
    "Error al ejecutar la búsqueda y muestra de las transacciones pendientes vencidas.");

QFont arial11(bool bold = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    f.setBold(bold);
    return f;
}

QRect screenArea() {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        return screen->geometry();
    return QRect(0, 0, 1024, 768);
}

// The default pause between two steps: the rest of the time slice given up,
// the pending events processed, then a short rest.
void defaultSlideStep() {
    QThread::yieldCurrentThread();
    QCoreApplication::processEvents();
    QThread::usleep(StepPauseUs);
}

// The installment's card: its transaction and number, its amount, the
// picture of its kind.
void installmentCard(const bank::TGirosReg& r, QString& line1, QString& line2, int& picture) {
    line1 = r.Descripcion + QStringLiteral(" - Cuota #") + QString::number(r.Giro);
    line2 = QStringLiteral("Monto: ") + controls::CardAmountText(r.MontoGiro);
    picture = r.TipoTrans == 0 ? 0 : (r.TipoTrans == 1 ? 1 : -1);
}

void documentCard(const accounts::TCuentas& r, int kind, QString& line1, QString& line2,
                  int& picture) {
    line1 = r.Descripcion;
    line2 = QStringLiteral("Monto: ") + controls::CardAmountText(r.SaldoDocumento);
    picture = kind == 1 ? 2 : 3;
}

// The record of the list's selected row; none without a selected row.
controls::ListRecordPtr selectedRecord(const controls::TNorvaList* list) {
    if (!list)
        return nullptr;
    const int row = list->ItemIndex();
    return row < 0 ? nullptr : list->SharedRecordAt(row);
}

// The last day of the notice horizon: today plus the days of EDiasAntes.
core::TDateTime noticeHorizon(const Tm3TransaccionesPendientesForm& module) {
    return platform::Clock::instance().today() + module.NoticeHorizonDays();
}

// Opens the page of a side-bar item as a click on it does (its handler, its
// group made the open one), unless the item is selected with its page showing.
// False when the group has no such item (a kind that is not included).
bool openSideBarItem(Tm3TransaccionesPendientesForm& module, int group, const QString& caption,
                     const QWidget* page) {
    controls::OutlookBar* bar = module.OutlookBar;
    int item = -1;
    for (int i = 0; i < bar->itemCount(group) && item < 0; ++i)
        if (bar->itemCaption(group, i) == caption)
            item = i;
    if (item < 0)
        return false;
    if (bar->selectedItem(group) != item || page->isHidden()) {
        bar->clickItem(group, item);
        bar->setActiveGroup(group);
    }
    return true;
}

void showModule(Tm3TransaccionesPendientesForm& module) {
    if (!module.isVisible())
        module.show();
}

} // namespace

const QString TAvisoTransaccionesPendientesForm::PendingTitle =
    QStringLiteral("     Transacciones Pendientes");

TAvisoTransaccionesPendientesForm::TAvisoTransaccionesPendientesForm(QWidget* parent)
    : TEForm(parent) {
    setObjectName(QStringLiteral("AvisoTransaccionesPendientesForm"));
    // Never seen: the window has no title bar.
    setWindowTitle(QStringLiteral("m3AvisoForm"));
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setFixedSize(ClientWidth, ClientHeight);
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(silver);
    setAutoFillBackground(true);
    SlideStep = defaultSlideStep;
    ImageListAviso = notice::CardPictures();

    buildPanel();
    buildButtonGroup();
    buildPopup();

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1000);
    Timer2->setSingleShot(false);
    connect(Timer2, &QTimer::timeout, this, &TAvisoTransaccionesPendientesForm::Timer2Timer);

    placeBelowScreen();
    FormCreate();
}

TAvisoTransaccionesPendientesForm::~TAvisoTransaccionesPendientesForm() = default;

void TAvisoTransaccionesPendientesForm::buildPanel() {
    PanelAviso = new QFrame(this);
    PanelAviso->setObjectName(QStringLiteral("PanelAviso"));
    PanelAviso->setGeometry(0, 0, ClientWidth, PanelHeight);
    PanelAviso->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanelAviso->setLineWidth(2);
    PanelAviso->setAutoFillBackground(true);
    QPalette white = PanelAviso->palette();
    white.setColor(QPalette::Window, Qt::white);
    PanelAviso->setPalette(white);

    // The summary view: the background picture and the three summary lines.
    Image1 = new QLabel(PanelAviso);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(45, 28, 121, 101);
    Image1->setScaledContents(true);
    Image1->setAttribute(Qt::WA_TranslucentBackground);
    Image1->setPixmap(notice::SummaryPicture());

    auto summary = [this](const QString& name, int top, const QString& text) {
        auto* label = new QLabel(text, PanelAviso);
        label->setObjectName(name);
        label->setFont(arial11(true));
        label->setGeometry(8, top, 200, 14);
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        return label;
    };
    LTransPend = summary(QStringLiteral("LTransPend"), 40, BankSummary + QStringLiteral("0"));
    LCtsxCobrar =
        summary(QStringLiteral("LCtsxCobrar"), 72, ReceivableSummary + QStringLiteral("0"));
    LCtsxPagar = summary(QStringLiteral("LCtsxPagar"), 104, PayableSummary + QStringLiteral("0"));

    LTitulo = new QLabel(PendingTitle, PanelAviso);
    LTitulo->setObjectName(QStringLiteral("LTitulo"));
    LTitulo->setGeometry(2, 2, 207, 16);
    LTitulo->setFont(arial11());
    LTitulo->setAutoFillBackground(true);
    QPalette title = LTitulo->palette();
    title.setColor(QPalette::Window, Qt::black);
    title.setColor(QPalette::WindowText, Qt::white);
    LTitulo->setPalette(title);
    LTitulo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    Image2 = new QLabel(PanelAviso);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(3, 3, 12, 12);
    Image2->setPixmap(notice::TitlePicture());

    fcImageBtn1 = new QToolButton(PanelAviso);
    fcImageBtn1->setObjectName(QStringLiteral("fcImageBtn1"));
    fcImageBtn1->setGeometry(193, 2, 16, 16);
    fcImageBtn1->setIcon(QIcon(notice::CloseGlyph()));
    fcImageBtn1->setIconSize(QSize(16, 16));
    fcImageBtn1->setAutoRaise(true);
    fcImageBtn1->setFocusPolicy(Qt::NoFocus);
    fcImageBtn1->setToolTip(QStringLiteral("Cerrar"));
    fcImageBtn1->setStyleSheet(QStringLiteral("QToolButton { border: none; padding: 0; }"));
    connect(fcImageBtn1, &QToolButton::clicked, this,
            &TAvisoTransaccionesPendientesForm::fcImageBtn1Click);

    auto list = [this](const QString& name, int tag) {
        auto* l = new controls::TNorvaList(PanelAviso);
        l->setObjectName(name);
        l->setGeometry(2, 18, 207, 129);
        l->setFont(arial11());
        l->SetItemHeight(CardHeight);
        l->setProperty("tag", tag);
        l->setContextMenuPolicy(Qt::CustomContextMenu);
        l->hide();
        return l;
    };
    NorvaListAvisoPen = list(QStringLiteral("NorvaListAvisoPen"), 0);
    NorvaListAvisoCobrar = list(QStringLiteral("NorvaListAvisoCobrar"), 1);
    NorvaListAvisoPagar = list(QStringLiteral("NorvaListAvisoPagar"), 2);
    NorvaListVencimiento = list(QStringLiteral("NorvaListVencimiento"), 3);
    NorvaListAvisoPen->SetOnDrawItem([this](QPainter& p, controls::TNorvaList&, int index,
                                            const QRect& rect,
                                            bool) { NorvaListAvisoPenDrawItem(p, index, rect); });
    NorvaListAvisoCobrar->SetOnDrawItem(
        [this](QPainter& p, controls::TNorvaList&, int index, const QRect& rect, bool) {
            NorvaListAvisoCobrarDrawItem(p, index, rect);
        });
    NorvaListAvisoPagar->SetOnDrawItem(
        [this](QPainter& p, controls::TNorvaList&, int index, const QRect& rect, bool) {
            NorvaListAvisoPagarDrawItem(p, index, rect);
        });
    NorvaListVencimiento->SetOnDrawItem(
        [this](QPainter& p, controls::TNorvaList&, int index, const QRect& rect, bool) {
            NorvaListVencimientoDrawItem(p, index, rect);
        });
    // The title bar and its buttons stay in front of the lists.
    LTitulo->raise();
    Image2->raise();
    fcImageBtn1->raise();
}

void TAvisoTransaccionesPendientesForm::buildButtonGroup() {
    fcButtonGroup1 = new QWidget(this);
    fcButtonGroup1->setObjectName(QStringLiteral("fcButtonGroup1"));
    fcButtonGroup1->setGeometry(0, ClientHeight - ButtonHeight, ClientWidth, ButtonHeight);
    fcButtonGroup1->setAutoFillBackground(true);
    QPalette white = fcButtonGroup1->palette();
    white.setColor(QPalette::Window, Qt::white);
    fcButtonGroup1->setPalette(white);
    // The button that is down shows it.
    fcButtonGroup1->setStyleSheet(
        QStringLiteral("QPushButton { background: white; border: 1px solid #a0a0a0; padding: 0; }"
                       "QPushButton:checked { background: #d4dcec; border: 1px solid #506c9c; }"
                       "QPushButton:disabled { color: #a0a0a0; }"));

    auto button = [this](const QString& name, const QString& caption, int column) {
        auto* b = new QPushButton(caption, fcButtonGroup1);
        b->setObjectName(name);
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFont(arial11());
        b->setProperty("tag", column);
        b->setGeometry(column * ButtonWidth, 0, ButtonWidth, ButtonHeight);
        connect(b, &QPushButton::clicked, this, [this, b] { groupButtonClicked(b); });
        return b;
    };
    fcButtonGroup1fcImageBtn1 =
        button(QStringLiteral("fcButtonGroup1fcImageBtn1"), QStringLiteral("Pendientes"), 0);
    fcButtonGroup1fcImageBtn2 =
        button(QStringLiteral("fcButtonGroup1fcImageBtn2"), QStringLiteral("CtasxCobrar"), 1);
    fcButtonGroup1fcImageBtn3 =
        button(QStringLiteral("fcButtonGroup1fcImageBtn3"), QStringLiteral("CtasxPagar"), 2);
    fcButtonGroup1fcImageBtn1->setChecked(true);
}

void TAvisoTransaccionesPendientesForm::buildPopup() {
    PopupAviso = new QMenu(this);
    PopupAviso->setObjectName(QStringLiteral("PopupAviso"));
    auto item = [](QAction* a, const QString& name) {
        a->setObjectName(name);
        return a;
    };
    MenuIVer = item(PopupAviso->addAction(QStringLiteral("&Ver")), QStringLiteral("MenuIVer"));
    MenuIVerTodos =
        item(PopupAviso->addAction(QStringLiteral("Ver T&odas")), QStringLiteral("MenuIVerTodos"));
    Titulo = PopupAviso->addMenu(QStringLiteral("Ver V&encidos entre"));
    Titulo->setObjectName(QStringLiteral("Titulo"));
    Titulo->menuAction()->setObjectName(QStringLiteral("TituloItem"));
    auto range = [this, &item](const QString& name, int tag) {
        QAction* a = item(Titulo->addAction(QString()), name);
        a->setData(tag);
        return a;
    };
    Vencido1 = range(QStringLiteral("Vencido1"), 1);
    Vencido2 = range(QStringLiteral("Vencido2"), 2);
    Vencido3 = range(QStringLiteral("Vencido3"), 3);
    Titulo->addSeparator();
    Vencido4 = range(QStringLiteral("Vencido4"), 4);
    Imprimir1 =
        item(PopupAviso->addAction(QStringLiteral("&Imprimir")), QStringLiteral("Imprimir1"));
    PopupAviso->addSeparator();
    Actualizar = item(PopupAviso->addAction(QStringLiteral("&Actualizar Datos")),
                      QStringLiteral("Actualizar"));
    Visto1 = item(PopupAviso->addAction(QStringLiteral("&Pagado")), QStringLiteral("Visto1"));
    PopupAviso->addSeparator();
    Regresar1 =
        item(PopupAviso->addAction(QStringLiteral("&Regresar")), QStringLiteral("Regresar1"));
    Cerrar1 = item(PopupAviso->addAction(QStringLiteral("&Cerrar")), QStringLiteral("Cerrar1"));

    connect(Regresar1, &QAction::triggered, this,
            &TAvisoTransaccionesPendientesForm::Regresar1Click);
    connect(Cerrar1, &QAction::triggered, this,
            &TAvisoTransaccionesPendientesForm::fcImageBtn1Click);
    connect(Actualizar, &QAction::triggered, this,
            &TAvisoTransaccionesPendientesForm::ActualizarClick);
    connect(MenuIVer, &QAction::triggered, this, &TAvisoTransaccionesPendientesForm::MenuIVerClick);
    connect(MenuIVerTodos, &QAction::triggered, this,
            &TAvisoTransaccionesPendientesForm::MenuIVerTodosClick);
    for (QAction* range : {Vencido1, Vencido2, Vencido3, Vencido4})
        connect(range, &QAction::triggered, this, [this, range] { Vencido1Click(range); });
    connect(Imprimir1, &QAction::triggered, this,
            &TAvisoTransaccionesPendientesForm::Imprimir1Click);
    connect(Visto1, &QAction::triggered, this, &TAvisoTransaccionesPendientesForm::Visto1Click);
    for (controls::TNorvaList* l :
         {NorvaListAvisoPen, NorvaListAvisoCobrar, NorvaListAvisoPagar, NorvaListVencimiento})
        connect(l, &QWidget::customContextMenuRequested, this, [this, l](const QPoint& at) {
            PopupAvisoPopup(l);
            PopupAviso->popup(l->viewport()->mapToGlobal(at));
        });
    connect(NorvaListAvisoPen, &QAbstractItemView::doubleClicked, this,
            &TAvisoTransaccionesPendientesForm::NorvaListAvisoPenDblClick);
    connect(NorvaListAvisoCobrar, &QAbstractItemView::doubleClicked, this,
            &TAvisoTransaccionesPendientesForm::NorvaListAvisoCobrarDblClick);
    connect(NorvaListAvisoPagar, &QAbstractItemView::doubleClicked, this,
            &TAvisoTransaccionesPendientesForm::NorvaListAvisoPagarDblClick);
    connect(NorvaListVencimiento, &QAbstractItemView::doubleClicked, this,
            &TAvisoTransaccionesPendientesForm::NorvaListVencimientoDblClick);
}

// ------------------------------------------------------------- creation, show

void TAvisoTransaccionesPendientesForm::FormCreate() {
    TEForm::FormCreate();
    // Esc and the arrows are not the base form's here: Esc asks to end the program.
    SetArrowsOff(true);
    LTitulo->setText(PendingTitle);
    placeBelowScreen();
}

void TAvisoTransaccionesPendientesForm::placeBelowScreen() {
    const QRect area = screenArea();
    m_slideTop = area.y() + area.height();
    move(area.x() + area.width() - RightOffset, m_slideTop);
}

void TAvisoTransaccionesPendientesForm::FormShow() {
    TEForm::FormShow();
    placeBelowScreen();
    BringToForeground();
    SetSummaryLabels();
}

void TAvisoTransaccionesPendientesForm::BringToForeground() {
    raise();
    activateWindow();
}

void TAvisoTransaccionesPendientesForm::SetBankSummary() {
    LTransPend->setText(BankSummary + QString::number(NorvaListAvisoPen->Count()));
}

void TAvisoTransaccionesPendientesForm::SetSummaryLabels() {
    SetBankSummary();
    LCtsxCobrar->setText(ReceivableSummary + (fcButtonGroup1fcImageBtn2->isEnabled()
                                                  ? QString::number(NorvaListAvisoCobrar->Count())
                                                  : QStringLiteral("0")));
    LCtsxPagar->setText(PayableSummary + (fcButtonGroup1fcImageBtn3->isEnabled()
                                              ? QString::number(NorvaListAvisoPagar->Count())
                                              : QStringLiteral("0")));
}

// ------------------------------------------------------------- rise and fall

void TAvisoTransaccionesPendientesForm::step(int dy) {
    // One pixel from the top the movement last gave the window. The position
    // the window system reports back comes later than the moves asked for (a
    // step would start from an older place and be lost).
    m_slideTop += dy;
    move(x(), m_slideTop);
    if (SlideStep)
        SlideStep();
}

void TAvisoTransaccionesPendientesForm::Timer2Timer() {
    Timer2->stop();
    QPointer<TAvisoTransaccionesPendientesForm> self(this);
    // From where showing the window put it, below the bottom edge (a window
    // manager may have pulled it up a little while mapping it).
    m_rising = true;
    for (int i = 0; i < RiseSteps; ++i) {
        step(-1);
        // Closed while it rose (the close button, "&Cerrar", Esc): the rise
        // ends there and no sound starts.
        if (!self)
            return;
        if (!isVisible()) {
            m_rising = false;
            return;
        }
    }
    m_rising = false;
    if (!m_module || m_module->SoundOff)
        return;
    if (platform::SoundPlayer::instance().play(m_mediaFile)) {
        m_soundOpen = true;
        return;
    }
    m_soundOpen = false;
    // Silent until the settings switch the sound on again.
    m_module->SoundOff = true;
    platform::showError(this, SoundError);
}

void TAvisoTransaccionesPendientesForm::StopSound() {
    platform::SoundPlayer::instance().stop();
    m_soundOpen = false;
}

void TAvisoTransaccionesPendientesForm::SlideDown() {
    QPointer<TAvisoTransaccionesPendientesForm> self(this);
    // During a rise the window is where the rise left it.
    if (!m_rising)
        m_slideTop = y();
    for (int i = 0; i < FallSteps; ++i) {
        step(1);
        if (!self)
            return;
    }
    const QRect area = screenArea();
    move(x(), area.y() + area.height());
    Regresar1Click();
    RepaintModuleLists();
}

void TAvisoTransaccionesPendientesForm::RepaintModuleLists() {
    if (!m_module)
        return;
    // The lists paint their rows in the enabled look whether or not they are enabled.
    for (const char* name :
         {"NorvaListTransPendiente", "NorvaListPendientesBanco", "NorvaListFecha",
          "NorvaListCtasxCobrar", "NorvaListCtasxPagar", "NorvaListFechaCtas"})
        if (auto* list = m_module->findChild<controls::TNorvaList*>(QLatin1String(name)))
            list->viewport()->update();
    m_module->update();
}

// ------------------------------------------------------------------ closing

void TAvisoTransaccionesPendientesForm::fcImageBtn1Click() {
    if (!m_module)
        return;
    if (!m_module->SoundOff)
        StopSound();
    const bool nothingListed = NorvaListAvisoPen->Count() == 0 &&
                               NorvaListAvisoCobrar->Count() == 0 &&
                               NorvaListAvisoPagar->Count() == 0;
    const bool noGroup = !fcButtonGroup1fcImageBtn1->isEnabled() &&
                         !fcButtonGroup1fcImageBtn2->isEnabled() &&
                         !fcButtonGroup1fcImageBtn3->isEnabled();
    if (nothingListed && noGroup) {
        SlideDown();
        hide();
        return;
    }
    if (DontAskAgain) {
        const SettingsPage& page = *m_module->PanelConfig;
        const qint64 unit = page.ComboBMinHora->currentIndex() == 1 ? 3600000 : 60000;
        const qint64 wait = qint64(SettingsPage::NumberSetting(page.ETiempoEspera)) * unit;
        // The longest wait a timer holds (about 24 days) for longer ones.
        m_module->NoticeWaitMs = qint32(qMin(wait, qint64(INT_MAX)));
        m_module->TimerEspera->setInterval(m_module->NoticeWaitMs);
        m_module->TimerEspera->start();
        SlideDown();
        hide();
        return;
    }
    postpone();
}

notice::Tm3AvisoTiempoForm* TAvisoTransaccionesPendientesForm::PostponeDialog() const {
    return static_cast<notice::Tm3AvisoTiempoForm*>(m_postpone.data());
}

void TAvisoTransaccionesPendientesForm::postpone() {
    if (m_postpone)
        return;
    SettingsPage& page = *m_module->PanelConfig;
    auto* dialog = new notice::Tm3AvisoTiempoForm(this);
    m_postpone = dialog;
    dialog->setWait(SettingsPage::NumberSetting(page.ETiempoEspera),
                    page.ComboBMinHora->currentIndex());
    Tm3TransaccionesPendientesForm* module = m_module;
    dialog->onAccept = [this, module, &page](const notice::Tm3AvisoTiempoForm::Answer& a) {
        DontAskAgain = a.dontAskAgain;
        module->NoticeWaitMs = qint32(qMin(a.waitMs(), qint64(INT_MAX)));
        page.ComboBMinHora->setCurrentIndex(a.unitIndex);
        page.ETiempoEspera->SetInitText(a.value);
        // Every ticked box counts, enabled or not.
        if (!writeSettingsFile(page.SettingsPath(),
                               page.PageSettings(SettingsPage::BoxRule::Ticked)))
            platform::showError(this, PostponeWriteError);
        module->TimerEspera->setInterval(module->NoticeWaitMs);
        module->TimerEspera->start();
    };
    const int result = dialog->exec();
    delete dialog;
    // Accepted: the notice goes at once, without its fall.
    if (result == QDialog::Accepted)
        hide();
    RepaintModuleLists();
}

bool TAvisoTransaccionesPendientesForm::FormKeyDown(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (platform::confirm(this, QStringLiteral("Desea cerrar Monvela?")))
            application::requestTerminate();
        return true;
    }
    return TEForm::FormKeyDown(event);
}

void TAvisoTransaccionesPendientesForm::closeEvent(QCloseEvent* event) {
    TEForm::closeEvent(event);
    // Closed by the system: the program ends with its main window.
    if (event->isAccepted() && event->spontaneous())
        application::requestTerminate();
}

// ------------------------------------------------------------ groups, labels

int TAvisoTransaccionesPendientesForm::ListKind(const controls::TNorvaList* list) const {
    if (list == NorvaListAvisoCobrar)
        return 1;
    if (list == NorvaListAvisoPagar)
        return 2;
    if (list == NorvaListVencimiento)
        return DueListKind;
    return 0;
}

controls::TNorvaList* TAvisoTransaccionesPendientesForm::KindList(int kind) const {
    return kind == 1 ? NorvaListAvisoCobrar : (kind == 2 ? NorvaListAvisoPagar : NorvaListAvisoPen);
}

QPushButton* TAvisoTransaccionesPendientesForm::KindButton(int kind) const {
    return kind == 1 ? fcButtonGroup1fcImageBtn2
                     : (kind == 2 ? fcButtonGroup1fcImageBtn3 : fcButtonGroup1fcImageBtn1);
}

void TAvisoTransaccionesPendientesForm::ShowNoticeList(bool bank, bool receivables, bool payables,
                                                       bool maturity) {
    NorvaListAvisoPen->setVisible(bank);
    NorvaListAvisoCobrar->setVisible(receivables);
    NorvaListAvisoPagar->setVisible(payables);
    NorvaListVencimiento->setVisible(maturity);
}

bool TAvisoTransaccionesPendientesForm::SetNoticeGroup(bool included, bool hasItems,
                                                       bool previousDown, QWidget* list,
                                                       QAbstractButton* button) {
    if (!included) {
        list->hide();
        button->setEnabled(false);
        RaiseGroupButton(button);
        return false;
    }
    button->setEnabled(hasItems);
    if (previousDown && hasItems) {
        list->show();
    } else {
        RaiseGroupButton(button);
        list->hide();
    }
    return hasItems;
}

bool TAvisoTransaccionesPendientesForm::IsDown(const QAbstractButton* button) const {
    return button->isChecked();
}

void TAvisoTransaccionesPendientesForm::RaiseGroupButton(QAbstractButton* button) {
    button->setChecked(false);
}

void TAvisoTransaccionesPendientesForm::PressGroupButton(QAbstractButton* button) {
    if (auto* b = qobject_cast<QPushButton*>(button))
        groupButtonClicked(b);
}

void TAvisoTransaccionesPendientesForm::groupButtonClicked(QPushButton* button) {
    // Radio behaviour: the button stays down, the others come up.
    for (QPushButton* b :
         {fcButtonGroup1fcImageBtn1, fcButtonGroup1fcImageBtn2, fcButtonGroup1fcImageBtn3})
        b->setChecked(b == button);
    if (button == fcButtonGroup1fcImageBtn1)
        fcButtonGroup1fcImageBtn1Click();
    else if (button == fcButtonGroup1fcImageBtn2)
        fcButtonGroup1fcImageBtn2Click();
    else if (button == fcButtonGroup1fcImageBtn3)
        fcButtonGroup1fcImageBtn3Click();
}

void TAvisoTransaccionesPendientesForm::fcButtonGroup1fcImageBtn1Click() {
    ShowNoticeList(true, false, false, false);
    NorvaListVencimiento->setProperty("tag", 3);
}

void TAvisoTransaccionesPendientesForm::fcButtonGroup1fcImageBtn2Click() {
    ShowNoticeList(false, true, false, false);
    NorvaListVencimiento->setProperty("tag", 4);
}

void TAvisoTransaccionesPendientesForm::fcButtonGroup1fcImageBtn3Click() {
    ShowNoticeList(false, false, true, false);
    NorvaListVencimiento->setProperty("tag", 5);
}

void TAvisoTransaccionesPendientesForm::summaryLabelClicked(QPushButton* button) {
    if (!button->isEnabled())
        return;
    PressGroupButton(button);
}

void TAvisoTransaccionesPendientesForm::LTransPendClick() {
    summaryLabelClicked(fcButtonGroup1fcImageBtn1);
}

void TAvisoTransaccionesPendientesForm::LCtsxCobrarClick() {
    summaryLabelClicked(fcButtonGroup1fcImageBtn2);
}

void TAvisoTransaccionesPendientesForm::LCtsxPagarClick() {
    summaryLabelClicked(fcButtonGroup1fcImageBtn3);
}

void TAvisoTransaccionesPendientesForm::Regresar1Click() {
    if (DueListKind == 1)
        fcButtonGroup1fcImageBtn2Click();
    else if (DueListKind == 2)
        fcButtonGroup1fcImageBtn3Click();
    else
        fcButtonGroup1fcImageBtn1Click();
}

bool TAvisoTransaccionesPendientesForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == LTransPend) {
            LTransPendClick();
            return true;
        }
        if (watched == LCtsxCobrar) {
            LCtsxCobrarClick();
            return true;
        }
        if (watched == LCtsxPagar) {
            LCtsxPagarClick();
            return true;
        }
    }
    return TEForm::eventFilter(watched, event);
}

// -------------------------------------------------------- the bank refresh

void TAvisoTransaccionesPendientesForm::ClearBankLists() {
    NorvaListVencimiento->Clear();
    NorvaListVencimiento->hide();
    NorvaListAvisoPen->Clear();
}

void TAvisoTransaccionesPendientesForm::UpdateAfterBankRefresh() {
    if (NorvaListAvisoPen->Count() == 0) {
        NorvaListAvisoPen->hide();
        fcButtonGroup1fcImageBtn1->setEnabled(false);
    }
    if (isVisible() &&
        (!NorvaListAvisoCobrar->isVisibleTo(this) || !NorvaListAvisoPagar->isVisibleTo(this))) {
        if (NorvaListAvisoPen->Count() == 0)
            LTitulo->setText(PendingTitle);
        SetSummaryLabels();
    }
}

// ------------------------------------------------------------------ painting

void TAvisoTransaccionesPendientesForm::setCountTitle(int kind) {
    if (!m_module)
        return;
    const core::Currency total = kind == 1
                                     ? m_module->ReceivableTotal
                                     : (kind == 2 ? m_module->PayableTotal : m_module->BankTotal);
    const QString text = QStringLiteral("     Oper.: ") + QString::number(KindList(kind)->Count()) +
                         QStringLiteral(" - Total: ") + core::format10(total);
    if (LTitulo->text() != text)
        LTitulo->setText(text);
}

void TAvisoTransaccionesPendientesForm::drawCard(QPainter& painter, controls::TNorvaList& list,
                                                 int kind, int index, const QRect& rect) {
    QString line1, line2;
    int picture = -1;
    if (kind == 0) {
        const auto* r = list.RecordAs<bank::TGirosReg>(index);
        if (!r)
            return;
        installmentCard(*r, line1, line2, picture);
        // A long description gives way to the installment's number.
        line1 = controls::ElideKeepingTail(
            QFontMetrics(painter.font()), r->Descripcion, line1.mid(r->Descripcion.size()),
            qMax(0, rect.width() - controls::NoticeCardPictureWidth));
    } else {
        const auto* r = list.RecordAs<accounts::TCuentas>(index);
        if (!r)
            return;
        documentCard(*r, kind, line1, line2, picture);
    }
    const QImage* image =
        picture >= 0 && picture < ImageListAviso.size() ? &ImageListAviso.at(picture) : nullptr;
    controls::DrawNoticeCard(painter, rect, line1, image, list, line2);
}

void TAvisoTransaccionesPendientesForm::NorvaListAvisoPenDrawItem(QPainter& painter, int index,
                                                                  const QRect& rect) {
    if (IsDown(fcButtonGroup1fcImageBtn1))
        setCountTitle(0);
    drawCard(painter, *NorvaListAvisoPen, 0, index, rect);
}

void TAvisoTransaccionesPendientesForm::NorvaListAvisoCobrarDrawItem(QPainter& painter, int index,
                                                                     const QRect& rect) {
    if (IsDown(fcButtonGroup1fcImageBtn2))
        setCountTitle(1);
    drawCard(painter, *NorvaListAvisoCobrar, 1, index, rect);
}

void TAvisoTransaccionesPendientesForm::NorvaListAvisoPagarDrawItem(QPainter& painter, int index,
                                                                    const QRect& rect) {
    if (IsDown(fcButtonGroup1fcImageBtn3))
        setCountTitle(2);
    drawCard(painter, *NorvaListAvisoPagar, 2, index, rect);
}

void TAvisoTransaccionesPendientesForm::NorvaListVencimientoDrawItem(QPainter& painter, int index,
                                                                     const QRect& rect) {
    const int kind = DueListKind;
    if (IsDown(KindButton(kind))) {
        // The count is that of the list of the kind, not of the maturity list.
        const QString text = DueListTitle + QString::number(KindList(kind)->Count());
        if (LTitulo->text() != text)
            LTitulo->setText(text);
    }
    drawCard(painter, *NorvaListVencimiento, kind, index, rect);
}

// ------------------------------------------------------- actions on the lists

void TAvisoTransaccionesPendientesForm::ShowInstallmentDetail(bool enable) {
    if (m_module && m_module->Maintenance)
        m_module->Maintenance->ShowInstallmentDetail(enable);
}

void TAvisoTransaccionesPendientesForm::leaveModuleEdits() {
    SettingsPage& page = *m_module->PanelConfig;
    if (page.BCancelar2002->isEnabledTo(&page))
        page.BCancelar2002Click();
    bank::PendingPage* pending = m_module->Pending;
    if (pending && !m_module->PanelPendiente->isHidden() &&
        pending->PageControlPendientes->currentWidget() == pending->TabSheetMuestra)
        pending->BTAnterior0032Click();
}

void TAvisoTransaccionesPendientesForm::openInstallment(controls::TNorvaList* list) {
    const auto r = std::dynamic_pointer_cast<bank::TGirosReg>(selectedRecord(list));
    if (!r || !m_module || !m_module->Maintenance)
        return;
    try {
        leaveModuleEdits();
        ShowInstallmentDetail(true);
        bank::InstallmentMaintenance& d = *m_module->Maintenance;
        // The picture and the kind only for a cheque or a debit note.
        if (r->TipoTrans <= 1) {
            d.ImagenDetalle->setPixmap(QPixmap::fromImage(ImageListAviso.value(r->TipoTrans)));
            d.LTipoTrans->setText(r->TipoTrans == 0 ? QStringLiteral("Cheque")
                                                    : QStringLiteral("Nota Débito"));
        }
        d.LDescrip->setText(r->Descripcion);
        d.LFecha->setText(core::formatShortDate(r->FechaGiro));
        d.LDetalleMonto->setText(bank::TrimmedAmount(r->MontoGiro));
        d.LNroDoc->setText(QString::number(r->AutoIncKey));
        d.LBanco->setText(r->Banco);
        d.LBeneficiario->setText(r->Beneficiario);
        d.LCoutaDetalle->setText(QString::number(r->Giro));
        d.ImagenDetalle->update();
        d.ImagenDetalle->show();
        d.BProcesar022->setEnabled(true);
    } catch (const std::exception& e) {
        platform::showException(this, QString::fromLocal8Bit(e.what()));
    }
}

void TAvisoTransaccionesPendientesForm::openDocument(controls::TNorvaList* list, bool receivable) {
    const auto r = std::dynamic_pointer_cast<accounts::TCuentas>(selectedRecord(list));
    if (!r || !m_module || !m_module->Accounts)
        return;
    // A failure here only ends the steps: nothing is reported.
    try {
        Tm3TransaccionesPendientesForm& m = *m_module;
        leaveModuleEdits();
        showModule(m);
        if (!openSideBarItem(m, Tm3TransaccionesPendientesForm::GroupCuentas,
                             receivable ? QStringLiteral("Por Cobrar")
                                        : QStringLiteral("Por Pagar"),
                             m.PanelCuentas))
            return;
        m.EHastaCtas->SetDate(noticeHorizon(m));
        controls::LookupCombo* party = receivable ? m.CClientes : m.CProveedores;
        party->setDisplayText(r->Descripcion);
        party->update();
        if (receivable)
            m.Accounts->BrowseCustomer();
        else
            m.Accounts->BrowseSupplier();
        // The focus back on the notice list: the notice becomes the active
        // window again, in front of the module window just shown.
        if (NorvaListVencimiento->isHidden()) {
            activateWindow();
            FocusField(receivable ? NorvaListAvisoCobrar : NorvaListAvisoPagar);
        }
    } catch (...) {
    }
}

void TAvisoTransaccionesPendientesForm::openSelected(controls::TNorvaList* list) {
    switch (ListKind(list)) {
    case 1:
        openDocument(list, true);
        break;
    case 2:
        openDocument(list, false);
        break;
    default:
        openInstallment(list);
        break;
    }
}

void TAvisoTransaccionesPendientesForm::NorvaListAvisoPenDblClick() {
    openInstallment(NorvaListAvisoPen);
}

void TAvisoTransaccionesPendientesForm::NorvaListAvisoCobrarDblClick() {
    openDocument(NorvaListAvisoCobrar, true);
}

void TAvisoTransaccionesPendientesForm::NorvaListAvisoPagarDblClick() {
    openDocument(NorvaListAvisoPagar, false);
}

void TAvisoTransaccionesPendientesForm::NorvaListVencimientoDblClick() {
    openSelected(NorvaListVencimiento);
}

void TAvisoTransaccionesPendientesForm::PopupAvisoPopup(controls::TNorvaList* list) {
    m_menuList = list;
    if (m_module && m_module->PanelTiempoVencimiento) {
        const accounts::DueRangesPanel& d = *m_module->PanelTiempoVencimiento;
        Titulo->setTitle(d.ItemIndex() == int(accounts::DueAnalysis::PorVencer)
                             ? QStringLiteral("Por V&encer entre")
                             : QStringLiteral("Ver V&encidos entre"));
        // The edits' texts as they show.
        Vencido1->setText(d.EVencen1->text() + QStringLiteral("..") + d.EVencen2->text() +
                          QStringLiteral("   días"));
        Vencido2->setText(d.EVencen3->text() + QStringLiteral("..") + d.EVencen4->text() +
                          QStringLiteral(" días"));
        Vencido3->setText(d.EVencen5->text() + QStringLiteral("..") + d.EVencen6->text() +
                          QStringLiteral(" días"));
        Vencido4->setText(QStringLiteral("Mas de ") + d.EVencen7->text() + QStringLiteral(" días"));
    }
    const bool maturity = list == NorvaListVencimiento;
    Visto1->setVisible(list == NorvaListAvisoPen || (maturity && DueListKind == 0));
    Titulo->menuAction()->setVisible(!maturity);
    Regresar1->setVisible(maturity);
}

void TAvisoTransaccionesPendientesForm::MenuIVerClick() {
    if (!selectedRecord(m_menuList)) {
        platform::showInformation(this, NoItemToView);
        return;
    }
    openSelected(m_menuList);
}

void TAvisoTransaccionesPendientesForm::MenuIVerTodosClick() {
    if (!m_module || !m_menuList)
        return;
    Tm3TransaccionesPendientesForm& m = *m_module;
    const int tag = m_menuList->property("tag").toInt();
    try {
        showModule(m);
        if (tag == 1 || tag == 4 || tag == 2 || tag == 5) {
            const bool receivables = tag == 1 || tag == 4;
            if (!m.Accounts || !openSideBarItem(m, Tm3TransaccionesPendientesForm::GroupCuentas,
                                                QStringLiteral("Fecha"), m.PanelFechaCtas))
                return;
            m.EFechaHastaCts->SetDate(noticeHorizon(m));
            // One of the pair: the other kind is not searched.
            m.CheckCobrar->setChecked(receivables);
            m.CheckPagar->setChecked(!receivables);
            m.Accounts->BBuscarCts006Click();
        } else {
            if (!m.Pending || !openSideBarItem(m, Tm3TransaccionesPendientesForm::GroupPendientes,
                                               QStringLiteral("Fecha"), m.PanelPendiente))
                return;
            m.EFechaHasta->SetDate(noticeHorizon(m));
            m.Pending->BBuscar006Click();
        }
    } catch (const std::exception& e) {
        platform::showException(this, QString::fromLocal8Bit(e.what()));
    }
}

void TAvisoTransaccionesPendientesForm::Vencido1Click(const QAction* item) {
    controls::TNorvaList* list = m_menuList;
    // The ranges are offered over the three announced lists only.
    if (!item || !m_module || !m_module->PanelTiempoVencimiento || !list ||
        list == NorvaListVencimiento)
        return;
    const int range = item->data().toInt();
    const accounts::DueRangesPanel& d = *m_module->PanelTiempoVencimiento;
    DueListKind = ListKind(list);
    try {
        NorvaListVencimiento->Clear();
        for (int i = 0; i < list->Count(); ++i) {
            const controls::ListRecordPtr record = list->SharedRecordAt(i);
            core::TDateTime due = 0;
            if (const auto* g = dynamic_cast<const bank::TGirosReg*>(record.get()))
                due = g->FechaGiro;
            else if (const auto* c = dynamic_cast<const accounts::TCuentas*>(record.get()))
                due = c->FechaVencimiento;
            else
                continue;
            // The edits are read for every item.
            if (d.InRange(range, d.DayCount(due)))
                NorvaListVencimiento->AddRecord(record);
        }
        if (NorvaListVencimiento->Count() == 0) {
            platform::showInformation(this, NothingInRange);
            return;
        }
        const QString count = QString::number(NorvaListVencimiento->Count());
        if (range == 4) {
            DueListTitle = QStringLiteral("     Con mas de ") + d.EVencen7->text() +
                           QStringLiteral(" días: ") + count + QStringLiteral(" de ");
        } else {
            const controls::TNorvaNumberEdit* lower =
                range == 1 ? d.EVencen1 : (range == 2 ? d.EVencen3 : d.EVencen5);
            const controls::TNorvaNumberEdit* upper =
                range == 1 ? d.EVencen2 : (range == 2 ? d.EVencen4 : d.EVencen6);
            DueListTitle = QStringLiteral("     Entre ") + lower->text() + QStringLiteral(" y ") +
                           upper->text() + QStringLiteral(" días: ") + count +
                           QStringLiteral(" de ");
        }
        ShowNoticeList(false, false, false, true);
        NorvaListVencimiento->viewport()->update();
    } catch (...) {
        platform::showError(this, GroupingError);
    }
}

void TAvisoTransaccionesPendientesForm::Imprimir1Click() {
    controls::TNorvaList* list = m_menuList;
    if (!selectedRecord(list)) {
        platform::showInformation(this, NoItemToPrint);
        return;
    }
    if (!m_module || !m_module->Reports)
        return;
    // The whole report of the list's kind up to the notice horizon: the
    // pending transactions report for an announced list, the due-date report
    // for the maturity list.
    const bool dueDate = list == NorvaListVencimiento;
    const int kind = ListKind(list);
    const core::TDateTime to = noticeHorizon(*m_module);
    m_module->Reports->PrintListReport(
        dueDate, kind == 0, kind == 1, kind == 2, [kind, to](reports::TransactionsReportForm& r) {
            if (kind == 1)
                r.BuildAccountsReportQuery(2, true, true, 0, to, true, true, true,
                                           reports::ReceivablesReportHead(),
                                           reports::ReceivablesPrefix, reports::CustomerPrefix,
                                           QStringLiteral("7"), QString());
            else if (kind == 2)
                r.BuildAccountsReportQuery(2, true, true, 0, to, true, true, true,
                                           reports::PayablesReportHead(), reports::PayablesPrefix,
                                           reports::SupplierPrefix, QStringLiteral("8"), QString());
            else
                r.BuildBankReportQuery(2, 3, QString(), 0, to, QString(), false, QString());
        });
}

void TAvisoTransaccionesPendientesForm::ActualizarClick() {
    if (m_module)
        m_module->TimerBusquedaTimer();
}

void TAvisoTransaccionesPendientesForm::Visto1Click() {
    controls::TNorvaList* list = m_menuList;
    if (!selectedRecord(list)) {
        platform::showInformation(this, NoItemToPay);
        return;
    }
    if (!m_module || !m_module->Maintenance)
        return;
    // Marked paid, the bank lists are emptied and the next check fills them again.
    m_module->Maintenance->MarkInstallmentPaid(list);
    if (list->Count() == 0) {
        list->hide();
        fcButtonGroup1fcImageBtn1->setEnabled(false);
    }
}

} // namespace shell
