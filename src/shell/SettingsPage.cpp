#include "shell/SettingsPage.h"

#include "controls/OutlookBar.h"
#include "controls/TNorvaNumberEdit.h"
#include "controls/TitleStrip.h"
#include "platform/FileDialogService.h"
#include "platform/MessageBoxService.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "shell/Tm3TransaccionesPendientesForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTabWidget>

namespace shell {

namespace {

constexpr int TitleHeight = 15;
constexpr int EditHeight = 21;
constexpr int BoxHeight = 17;
constexpr int GroupInnerWidth = 296;

// The open-file dialog's filter as the suite writes it: description|pattern pairs.
const QString SoundFilter =
    QStringLiteral("Wave files (*.wav)|*.wav|Midi files (*.mid)|*.mid|MP3 files (*.mp3)|*.mp3");

// "description|pattern|..." in Qt's form "description (pattern);;...".
QString qtFilter(const QString& pairs) {
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts.at(i);
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (description.contains(QLatin1Char('(') + patterns + QLatin1Char(')')))
            filters << description;
        else
            filters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

// A check box whose caption, padded with dots, stands left of the box: the
// caption is cut where the box begins, and the whole width takes the click.
class CaptionLeftCheckBox : public QCheckBox {
public:
    CaptionLeftCheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {}

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }

    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const int boxWidth = style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, this);
        const int boxHeight = style()->pixelMetric(QStyle::PM_IndicatorHeight, &option, this);
        QStyleOptionButton box = option;
        box.rect = QRect(width() - boxWidth, (height() - boxHeight) / 2, boxWidth, boxHeight);
        painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, box);
        const QRect textRect(0, 0, width() - boxWidth - 4, height());
        painter.save();
        painter.setClipRect(textRect);
        painter.drawItemText(textRect, Qt::AlignLeft | Qt::AlignVCenter, option.palette,
                             isEnabled(), text(), QPalette::WindowText);
        painter.restore();
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = box.rect.adjusted(-1, -1, 1, 1);
            painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    }
};

QCheckBox* captionLeftBox(QWidget* parent, const QString& name, const QString& caption, int y) {
    auto* box = new CaptionLeftCheckBox(caption, parent);
    box->setObjectName(name);
    box->setGeometry(10, y, GroupInnerWidth, BoxHeight);
    return box;
}

QLabel* label(QWidget* parent, const QString& caption, int x, int y) {
    auto* l = new QLabel(caption, parent);
    l->setGeometry(x, y, l->fontMetrics().horizontalAdvance(caption) + 2, 15);
    return l;
}

// A number field laid over the blank stretch of its label's caption.
controls::TNorvaNumberEdit* numberInLabel(QWidget* parent, const QString& name, QLabel* caption,
                                          int blanksFrom, int min, int max, int initial) {
    auto* edit = new controls::TNorvaNumberEdit(parent);
    edit->setObjectName(name);
    controls::TNorvaNumberObject& limits = edit->NorvaNumberObject();
    limits.SetTipoDato(controls::TDato::Entero);
    limits.SetDecimales(0);
    limits.SetMinValor(min);
    limits.SetMaxValor(max);
    limits.SetActValor(1);
    edit->SetInitText(initial);

    const QString text = caption->text();
    int blanksTo = blanksFrom;
    while (blanksTo < text.size() && text.at(blanksTo) == QLatin1Char(' '))
        ++blanksTo;
    const QFontMetrics metrics = caption->fontMetrics();
    const int left = metrics.horizontalAdvance(text.left(blanksFrom));
    const int room = metrics.horizontalAdvance(text.mid(blanksFrom, blanksTo - blanksFrom));
    const int width = qMax(28, room - 4);
    edit->setGeometry(caption->x() + left + (room - width) / 2, caption->y() - 3, width,
                      EditHeight);
    return edit;
}

void enableAll(std::initializer_list<QWidget*> widgets, bool enabled) {
    for (QWidget* w : widgets)
        w->setEnabled(enabled);
}

} // namespace

SettingsPage::SettingsPage(Tm3TransaccionesPendientesForm& module, QWidget* parent)
    : QWidget(parent), m_module(module) {
    setObjectName(QStringLiteral("PanelConfigurar"));
    build();
}

SettingsPage::~SettingsPage() = default;

QString SettingsPage::SoundFileFilter() {
    return qtFilter(SoundFilter);
}

void SettingsPage::build() {
    LTituloConfig = new QLabel(QStringLiteral(" Configuración"), this);
    LTituloConfig->setObjectName(QStringLiteral("LTituloConfig"));
    LTituloConfig->setGeometry(0, 0, 344, TitleHeight);
    controls::MakeTitleStrip(LTituloConfig);
    QFont bold = font();
    bold.setBold(true);

    PageControlConfig = new QTabWidget(this);
    PageControlConfig->setObjectName(QStringLiteral("PageControlConfig"));
    PageControlConfig->setGeometry(4, 20, 336, 330);
    TabVentanaAviso = new QWidget;
    TabVentanaAviso->setObjectName(QStringLiteral("TabVentanaAviso"));
    TabCuentasImpresion = new QWidget;
    TabCuentasImpresion->setObjectName(QStringLiteral("TabCuentasImpresion"));
    PageControlConfig->addTab(TabVentanaAviso, QStringLiteral("Ventana de aviso"));
    PageControlConfig->addTab(TabCuentasImpresion, QStringLiteral("Cuentas e Impresión"));

    auto group = [this, &bold](QWidget* tab, const QString& name, const QString& caption,
                               const QRect& geometry) {
        auto* box = new QGroupBox(caption, tab);
        box->setObjectName(name);
        box->setGeometry(geometry);
        box->setFont(bold); // the caption; the controls inside keep the page's font
        return box;
    };
    QFont plain = font();
    plain.setBold(false); // stated, so that it is not taken from the bold group boxes

    // "Ventana de aviso".
    GBAviso = group(TabVentanaAviso, QStringLiteral("GBAviso"), QStringLiteral("Aviso"),
                    QRect(6, 6, 318, 290));
    CDesactivarVentana = captionLeftBox(
        GBAviso, QStringLiteral("CDesactivarVentana"),
        QStringLiteral(
            "Desactivar ventana de aviso................................................"),
        22);
    CDesactivarSonido = captionLeftBox(
        GBAviso, QStringLiteral("CDesactivarSonido"),
        QStringLiteral(
            "Desactivar sonido de aviso..................................................."),
        46);
    for (QWidget* w : std::initializer_list<QWidget*>{CDesactivarVentana, CDesactivarSonido})
        w->setFont(plain);

    LRefrescarDatos =
        label(GBAviso, QStringLiteral("Refrescar datos cada            Hora(s)."), 10, 80);
    LRefrescarDatos->setFont(plain);
    ERefrescarDatos = numberInLabel(GBAviso, QStringLiteral("ERefrescarDatos"), LRefrescarDatos, 21,
                                    RefreshHoursRange.min, RefreshHoursRange.max, 4);

    LTiempoEspera = label(GBAviso, QStringLiteral("Tiempo de espera                  "), 10, 112);
    LTiempoEspera->setFont(plain);
    ETiempoEspera = numberInLabel(GBAviso, QStringLiteral("ETiempoEspera"), LTiempoEspera, 17,
                                  WaitRange.min, WaitRange.max, 5);
    ComboBMinHora = new QComboBox(GBAviso);
    ComboBMinHora->setObjectName(QStringLiteral("ComboBMinHora"));
    ComboBMinHora->addItems({QStringLiteral("Minuto(s)"), QStringLiteral("Hora(s)")});
    ComboBMinHora->setGeometry(LTiempoEspera->geometry().right() + 4, 109, 84, EditHeight);

    LDiasAntes = label(GBAviso,
                       QStringLiteral("Avisar transacciones              días antes de su "
                                      "vencimiento."),
                       10, 144);
    LDiasAntes->setFont(plain);
    EDiasAntes = numberInLabel(GBAviso, QStringLiteral("EDiasAntes"), LDiasAntes, 21,
                               DaysAheadRange.min, DaysAheadRange.max, 3);

    LHora = label(GBAviso, QStringLiteral("Hora de aviso para Cuentas x Cobrar y Pagar"), 10, 176);
    LHora->setFont(plain);
    MEHora = new QLineEdit(GBAviso);
    MEHora->setObjectName(QStringLiteral("MEHora"));
    MEHora->setInputMask(QStringLiteral("00:00;_"));
    MEHora->setText(DefaultReminderTime);
    CAMPM = new QComboBox(GBAviso);
    CAMPM->setObjectName(QStringLiteral("CAMPM"));
    CAMPM->addItems({QStringLiteral("A.M."), QStringLiteral("P.M.")});
    const int timeWidth = MEHora->fontMetrics().horizontalAdvance(QStringLiteral("00:00")) + 12;
    const int halfWidth = 54;
    int timeLeft = LHora->geometry().right() + 6;
    int timeTop = 173;
    if (timeLeft + timeWidth + 2 + halfWidth > 10 + GroupInnerWidth) {
        // Below the caption where the font leaves no room beside it.
        timeLeft = 10;
        timeTop = 192;
    }
    MEHora->setGeometry(timeLeft, timeTop, timeWidth, EditHeight);
    CAMPM->setGeometry(timeLeft + timeWidth + 2, timeTop, halfWidth, EditHeight);

    LPathSonido = label(GBAviso, QStringLiteral("Ruta del archivo de sonido:"), 10, 222);
    LPathSonido->setFont(plain);
    EPathSonido = new QLineEdit(GBAviso);
    EPathSonido->setObjectName(QStringLiteral("EPathSonido"));
    EPathSonido->setReadOnly(true);
    EPathSonido->setGeometry(10, 239, GroupInnerWidth - EditHeight, EditHeight);
    BBuscarSonido006 = new QPushButton(GBAviso); // its picture is the window's
    BBuscarSonido006->setObjectName(QStringLiteral("BBuscarSonido006"));
    BBuscarSonido006->setAccessibleName(QStringLiteral("Buscar archivo de sonido"));
    BBuscarSonido006->setGeometry(EPathSonido->geometry().right() + 1, 239, EditHeight, EditHeight);
    for (QWidget* w :
         std::initializer_list<QWidget*>{ERefrescarDatos, ETiempoEspera, ComboBMinHora, EDiasAntes,
                                         MEHora, CAMPM, EPathSonido, BBuscarSonido006})
        w->setFont(plain);

    // "Cuentas e Impresión".
    GBCuentas = group(TabCuentasImpresion, QStringLiteral("GBCuentas"), QStringLiteral("Cuentas"),
                      QRect(6, 6, 318, 74));
    CIncCuentasxCobrar = captionLeftBox(
        GBCuentas, QStringLiteral("CIncCuentasxCobrar"),
        QStringLiteral(
            "Incluir Cuentas por Cobrar....................................................."),
        22);
    CIncCuentasxPagar = captionLeftBox(
        GBCuentas, QStringLiteral("CIncCuentasxPagar"),
        QStringLiteral(
            "Incluir Cuentas por Pagar......................................................"),
        46);
    GBImpresion = group(TabCuentasImpresion, QStringLiteral("GBImpresion"),
                        QStringLiteral("Impresión"), QRect(6, 88, 318, 50));
    CEmcabezado = captionLeftBox(
        GBImpresion, QStringLiteral("CEmcabezado"),
        QStringLiteral(
            "Encabezados resaltados....................................................."),
        22);
    CEmcabezado->setChecked(true);
    for (QWidget* w :
         std::initializer_list<QWidget*>{CIncCuentasxCobrar, CIncCuentasxPagar, CEmcabezado})
        w->setFont(plain);

    // The buttons under the page control.
    auto button = [this](const QString& name, const QString& caption, int x) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setGeometry(x, 358, 78, 25);
        return b;
    };
    BCancelar2002 = button(QStringLiteral("BCancelar2002"), QStringLiteral("&Cancelar"), 92);
    BGuardar012 = button(QStringLiteral("BGuardar012"), QStringLiteral("&Guardar"), 177);
    BEditar030 = button(QStringLiteral("BEditar030"), QStringLiteral("&Editar"), 262);

    // Tab order: down the first tab, then the second, then the buttons.
    const QList<QWidget*> order = {CDesactivarVentana,
                                   CDesactivarSonido,
                                   ERefrescarDatos,
                                   ETiempoEspera,
                                   ComboBMinHora,
                                   EDiasAntes,
                                   MEHora,
                                   CAMPM,
                                   EPathSonido,
                                   BBuscarSonido006,
                                   CIncCuentasxCobrar,
                                   CIncCuentasxPagar,
                                   CEmcabezado,
                                   BCancelar2002,
                                   BGuardar012,
                                   BEditar030};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order.at(i), order.at(i + 1));

    // The drop-downs swallow whatever is typed (the sound path is read-only);
    // MEHora has its rule on leaving.
    for (QWidget* w : std::initializer_list<QWidget*>{ComboBMinHora, CAMPM, MEHora})
        w->installEventFilter(this);

    connect(BEditar030, &QPushButton::clicked, this, &SettingsPage::BEditar030Click);
    connect(BGuardar012, &QPushButton::clicked, this, &SettingsPage::BGuardar012Click);
    connect(BCancelar2002, &QPushButton::clicked, this, &SettingsPage::BCancelar2002Click);
    connect(CDesactivarVentana, &QCheckBox::clicked, this, &SettingsPage::CDesactivarVentanaClick);
    connect(BBuscarSonido006, &QPushButton::clicked, this, &SettingsPage::BBuscarSonido006Click);

    // View mode.
    enableAll({CIncCuentasxCobrar, CIncCuentasxPagar, CDesactivarVentana, CDesactivarSonido,
               ERefrescarDatos, ETiempoEspera, ComboBMinHora, EDiasAntes, MEHora, CAMPM,
               EPathSonido, BBuscarSonido006, CEmcabezado, BCancelar2002, BGuardar012},
              false);
    BEditar030->setEnabled(true);
}

bool SettingsPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MEHora && event->type() == QEvent::FocusOut) {
        // Focus that goes with the window's activation or a pop-up does not leave the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            MEHoraExit();
        return false;
    }
    if (watched == ComboBMinHora || watched == CAMPM) {
        if (event->type() == QEvent::Wheel)
            return true;
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            // Space still opens the list, as Alt+Down and F4 do.
            const bool typed = !key->text().isEmpty() && key->text().at(0).isPrint() &&
                               key->key() != Qt::Key_Space;
            switch (key->key()) {
            case Qt::Key_Home:
            case Qt::Key_End:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                return true;
            default:
                return typed;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ------------------------------------------------------------------ the file

QString SettingsPage::SettingsPath() const {
    return settingsPath(m_module.WorkFolder, m_module.DataFolder);
}

int SettingsPage::NumberSetting(const controls::TNorvaNumberEdit* edit) {
    const controls::TNorvaNumberObject& limits = edit->NorvaNumberObject();
    const qint64 value = edit->WholeValue();
    return int(qBound(qint64(limits.MinValor()), value, qint64(limits.MaxValor())));
}

Settings SettingsPage::PageSettings(BoxRule rule) const {
    auto ticked = [this, rule](const QCheckBox* box) {
        return box->isChecked() && (rule == BoxRule::Ticked || box->isEnabledTo(this));
    };
    Settings s;
    s.includeReceivables = ticked(CIncCuentasxCobrar);
    s.includePayables = ticked(CIncCuentasxPagar);
    s.noticeOff = ticked(CDesactivarVentana);
    s.soundOff = ticked(CDesactivarSonido);
    s.refreshHours = NumberSetting(ERefrescarDatos);
    s.wait = NumberSetting(ETiempoEspera);
    s.waitUnit = qMax(0, ComboBMinHora->currentIndex());
    s.daysAhead = NumberSetting(EDiasAntes);
    s.reminderTime = MEHoraText();
    s.reminderHalf = qMax(0, CAMPM->currentIndex());
    s.soundFile = EPathSonido->text();
    s.highlightedHeadings = ticked(CEmcabezado);
    return s;
}

QString SettingsPage::CheckBoxSetting(QCheckBox* box, const QString& text, bool reading) {
    if (!reading)
        return box->isChecked() && box->isEnabledTo(this) ? QStringLiteral("1")
                                                          : QStringLiteral("0");
    const bool tick = text == QLatin1String("1");
    if (box->isChecked() != tick) {
        box->setChecked(tick);
        if (box == CDesactivarVentana)
            CDesactivarVentanaClick();
    }
    return QString();
}

void SettingsPage::applySettings(const Settings& s) {
    auto box = [](bool ticked) { return ticked ? QStringLiteral("1") : QStringLiteral("0"); };
    CheckBoxSetting(CIncCuentasxCobrar, box(s.includeReceivables), true);
    CheckBoxSetting(CIncCuentasxPagar, box(s.includePayables), true);
    CheckBoxSetting(CDesactivarVentana, box(s.noticeOff), true);
    CheckBoxSetting(CDesactivarSonido, box(s.soundOff), true);
    ERefrescarDatos->SetInitText(s.refreshHours);
    ETiempoEspera->SetInitText(s.wait);
    ComboBMinHora->setCurrentIndex(s.waitUnit);
    EDiasAntes->SetInitText(s.daysAhead);
    SetMEHoraText(s.reminderTime);
    CAMPM->setCurrentIndex(s.reminderHalf);
    EPathSonido->setText(s.soundFile);
    CheckBoxSetting(CEmcabezado, box(s.highlightedHeadings), true);
}

void SettingsPage::LoadSettings(const QString& path) {
    if (!QFileInfo::exists(path)) {
        platform::showError(&m_module, missingSettingsMessage(path));
        SaveSettings();
        return;
    }
    const std::optional<Settings> settings = readSettingsFile(path);
    if (!settings) {
        platform::showError(&m_module, SettingsReadError);
        return;
    }
    applySettings(*settings);
}

bool SettingsPage::SaveSettings() {
    if (writeSettingsFile(SettingsPath(), PageSettings(BoxRule::TickedAndEnabled)))
        return true;
    platform::showError(&m_module, SettingsWriteError);
    return false;
}

QString SettingsPage::MEHoraText() const {
    QString text = MEHora->displayText();
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    return text;
}

void SettingsPage::SetMEHoraText(const QString& text) {
    MEHora->setText(text);
}

// ----------------------------------------------------------------- edit mode

bool SettingsPage::IsEditing() const {
    return !BEditar030->isEnabledTo(this);
}

void SettingsPage::EnableSettingsControls(bool enabled, QObject* sender) {
    enableAll(
        {CIncCuentasxCobrar, CIncCuentasxPagar, ERefrescarDatos, CDesactivarVentana, CEmcabezado},
        enabled);
    const bool noticeOff =
        CDesactivarVentana->isChecked() || !CDesactivarVentana->isEnabledTo(this);
    if (noticeOff && sender != BGuardar012 && sender != BCancelar2002)
        return;
    enableAll({CDesactivarSonido, ETiempoEspera, ComboBMinHora, EPathSonido, BBuscarSonido006,
               MEHora, CAMPM, EDiasAntes},
              enabled);
}

void SettingsPage::CDesactivarVentanaClick() {
    enableAll({CDesactivarSonido, ETiempoEspera, BBuscarSonido006, EPathSonido, ERefrescarDatos,
               EDiasAntes, ComboBMinHora, MEHora, CAMPM},
              !CDesactivarVentana->isChecked());
}

void SettingsPage::BEditar030Click() {
    if (m_module.noticeWindow() && m_module.noticeWindow()->isOnScreen()) {
        platform::showInformation(
            &m_module,
            QStringLiteral("Cierre la ventana de aviso antes de editar la configuración!"));
        return;
    }
    EnableSettingsControls(true, BEditar030);
    m_module.OutlookBar->setEnabled(false);
    BEditar030->setEnabled(false);
    BGuardar012->setEnabled(true);
    BCancelar2002->setEnabled(true);
    m_module.EnableMainMenus(false);
}

void SettingsPage::leaveEditMode(QObject* sender) {
    EnableSettingsControls(false, sender);
    m_module.OutlookBar->setEnabled(true);
    BEditar030->setEnabled(true);
    BGuardar012->setEnabled(false);
    BCancelar2002->setEnabled(false);
}

void SettingsPage::BGuardar012Click() {
    if (m_module.noticeWindow() && m_module.noticeWindow()->isOnScreen()) {
        platform::showInformation(&m_module,
                                  QStringLiteral("Cierre la ventana de aviso antes de guardar!"));
        return;
    }
    const bool saved = SaveSettings();
    m_module.ApplyAccountInclusion(CIncCuentasxCobrar->isChecked(), CIncCuentasxPagar->isChecked());
    m_module.WaitUnitMs = qint32(waitUnitMs(ComboBMinHora->currentIndex()));
    m_module.ApplyTimerSettings(qint64(NumberSetting(ERefrescarDatos)) * 3600000,
                                qint64(NumberSetting(ETiempoEspera)) * m_module.WaitUnitMs,
                                !CDesactivarVentana->isChecked(), CDesactivarSonido->isChecked());
    m_module.OutlookBar->setActiveGroup(Tm3TransaccionesPendientesForm::GroupTransaccion);
    leaveEditMode(BGuardar012);
    if (saved)
        platform::showInformation(&m_module,
                                  QStringLiteral("Los datos fueron guardados correctamente."));
    m_module.EnableMainMenus(true);
}

void SettingsPage::BCancelar2002Click() {
    LoadSettings(SettingsPath());
    leaveEditMode(BCancelar2002);
    m_module.EnableMainMenus(true);
}

void SettingsPage::BBuscarSonido006Click() {
    const QString current = QDir::currentPath();
    const QString folder = QFileInfo(EPathSonido->text()).absolutePath();
    const QString file = platform::FileDialogService::instance().openFile(
        &m_module, QStringLiteral("Abrir"), folder, SoundFileFilter());
    QDir::setCurrent(current);
    // A cancelled dialog changes nothing.
    if (file.isEmpty())
        return;
    EPathSonido->setText(file);
    if (m_module.noticeWindow())
        m_module.noticeWindow()->SetMediaPlayerFile(file);
}

void SettingsPage::MEHoraExit() {
    const QString checked = checkedReminderTime(MEHoraText());
    if (checked != MEHoraText())
        SetMEHoraText(checked);
}

} // namespace shell
