#include "accounts/DueRangesPanel.h"

#include "controls/OutlookBar.h"
#include "controls/TNorvaNumberEdit.h"
#include "platform/Clock.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "shell/Tm3TransaccionesPendientesForm.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <climits>

namespace accounts {

namespace {

constexpr int PanelLeft = 104;
constexpr int PanelTop = 92;
constexpr int PanelWidth = 260;
constexpr int PanelHeight = 185;
constexpr int LowerX = 120;
constexpr int UpperX = 192;
constexpr int RowY[4] = {23, 41, 59, 77};
constexpr int EditWidth = 57;
constexpr int EditHeight = 17;
// The edits take whole days up to 10000. Each bound after EVencen2 can be
// pushed one day past the one before it, so each edit holds one day more than
// the one before: were they all held at 10000, the ranges would overlap there
// and an item would count in two of them.
constexpr int MaxDays = 10000;

controls::TNorvaNumberEdit* dayEdit(QWidget* parent, const QString& name, int x, int y,
                                    bool editable, int pushed) {
    auto* edit = new controls::TNorvaNumberEdit(parent);
    edit->setObjectName(name);
    controls::TNorvaNumberObject& limits = edit->NorvaNumberObject();
    limits.SetTipoDato(controls::TDato::Entero);
    limits.SetDecimales(0);
    limits.SetNNegative(false);
    limits.SetMinValor(0);
    limits.SetMaxValor(MaxDays + pushed);
    edit->SetShowButton(false);
    edit->setGeometry(x, y, EditWidth, EditHeight);
    edit->setEnabled(editable);
    return edit;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text, int y) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(8, y, LowerX - 10, EditHeight);
    return l;
}

} // namespace

DueRangesPanel::DueRangesPanel(shell::Tm3TransaccionesPendientesForm& module, QWidget* parent)
    : QWidget(parent), m_module(module) {
    setObjectName(QStringLiteral("PanelTiempoVencimiento"));
    setGeometry(PanelLeft, PanelTop, PanelWidth, PanelHeight);
    setAutoFillBackground(true);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setGeometry(0, 0, PanelWidth, PanelHeight);

    LTitulo = new QLabel(QStringLiteral("Definir Vencimientos"), this);
    LTitulo->setObjectName(QStringLiteral("LTitulo"));
    LTitulo->setGeometry(0, 0, PanelWidth, 17);
    LTitulo->setAlignment(Qt::AlignCenter);
    LTitulo->setAutoFillBackground(true);
    QPalette title = LTitulo->palette();
    title.setColor(QPalette::Window, Qt::black);
    title.setColor(QPalette::WindowText, Qt::white);
    LTitulo->setPalette(title);
    QFont bold = LTitulo->font();
    bold.setBold(true);
    LTitulo->setFont(bold);

    // The row captions are fixed: they do not follow the values.
    Label22 = label(this, QStringLiteral("Label22"), QStringLiteral("Entre 1 y 30 días:"), RowY[0]);
    Label35 =
        label(this, QStringLiteral("Label35"), QStringLiteral("   \"  31 y 60 días:"), RowY[1]);
    Label36 =
        label(this, QStringLiteral("Label36"), QStringLiteral("   \"  61 y 90 días:"), RowY[2]);
    Label37 = label(this, QStringLiteral("Label37"), QStringLiteral("Mas de 90 días  :"), RowY[3]);

    // Only the upper bounds are typed; the lower bounds follow the rules.
    EVencen1 = dayEdit(this, QStringLiteral("EVencen1"), LowerX, RowY[0], false, 0);
    EVencen2 = dayEdit(this, QStringLiteral("EVencen2"), UpperX, RowY[0], true, 0);
    EVencen3 = dayEdit(this, QStringLiteral("EVencen3"), LowerX, RowY[1], false, 1);
    EVencen4 = dayEdit(this, QStringLiteral("EVencen4"), UpperX, RowY[1], true, 2);
    EVencen5 = dayEdit(this, QStringLiteral("EVencen5"), LowerX, RowY[2], false, 3);
    EVencen6 = dayEdit(this, QStringLiteral("EVencen6"), UpperX, RowY[2], true, 4);
    EVencen7 = dayEdit(this, QStringLiteral("EVencen7"), LowerX, RowY[3], false, 5);
    for (int row = 0; row < 3; ++row) {
        auto* line = new QFrame(this);
        line->setFrameShape(QFrame::HLine);
        line->setGeometry(LowerX + EditWidth + 3, RowY[row] + EditHeight / 2, 9, 1);
    }

    RGTipoVencimiento = new QGroupBox(QStringLiteral("Tipo de Análisis"), this);
    RGTipoVencimiento->setObjectName(QStringLiteral("RGTipoVencimiento"));
    RGTipoVencimiento->setGeometry(8, 100, PanelWidth - 16, 40);
    RBCuentasVencidas = new QRadioButton(QStringLiteral("Cuentas Vencidas"), RGTipoVencimiento);
    RBCuentasVencidas->setGeometry(8, 17, 112, 17);
    RBCuentasPorVencer = new QRadioButton(QStringLiteral("Cuentas por Vencer"), RGTipoVencimiento);
    RBCuentasPorVencer->setGeometry(124, 17, 116, 17);
    m_analysis = new QButtonGroup(this);
    m_analysis->addButton(RBCuentasVencidas, int(DueAnalysis::Vencidas));
    m_analysis->addButton(RBCuentasPorVencer, int(DueAnalysis::PorVencer));
    RBCuentasVencidas->setChecked(true);

    BAceptar2001 = new QPushButton(QStringLiteral("Aceptar"), this);
    BAceptar2001->setObjectName(QStringLiteral("BAceptar2001"));
    BAceptar2001->setGeometry(40, 150, 80, 25);
    BAceptar2001->setAutoDefault(false);
    BRestablecer023 = new QPushButton(QStringLiteral("Restablecer"), this);
    BRestablecer023->setObjectName(QStringLiteral("BRestablecer023"));
    BRestablecer023->setGeometry(140, 150, 80, 25);
    BRestablecer023->setAutoDefault(false);

    showBounds(DefaultDueRanges());

    connect(EVencen2, &controls::TNorvaNumberEdit::OnExit, this, &DueRangesPanel::EVencen2Exit);
    connect(EVencen4, &controls::TNorvaNumberEdit::OnExit, this, &DueRangesPanel::EVencen4Exit);
    connect(EVencen6, &controls::TNorvaNumberEdit::OnExit, this, &DueRangesPanel::EVencen6Exit);
    connect(BRestablecer023, &QPushButton::clicked, this, &DueRangesPanel::BRestablecer023Click);
    connect(BAceptar2001, &QPushButton::clicked, this, &DueRangesPanel::BAceptar2001Click);

    hide();
}

DueRangesPanel::~DueRangesPanel() = default;

DueRangeBounds DueRangesPanel::Bounds() const {
    auto value = [](const controls::TNorvaNumberEdit* edit) {
        return int(qBound(qint64(INT_MIN), edit->WholeValue(), qint64(INT_MAX)));
    };
    return DueRangeBounds{value(EVencen1), value(EVencen2), value(EVencen3), value(EVencen4),
                          value(EVencen5), value(EVencen6), value(EVencen7)};
}

DueAnalysis DueRangesPanel::Analysis() const {
    return ItemIndex() == int(DueAnalysis::PorVencer) ? DueAnalysis::PorVencer
                                                      : DueAnalysis::Vencidas;
}

int DueRangesPanel::DayCount(core::TDateTime dueDate) const {
    return DueDayCount(Analysis(), dueDate, platform::Clock::instance().today());
}

bool DueRangesPanel::InRange(int range, int days) const {
    return InDueRange(Bounds(), range, days);
}

int DueRangesPanel::ItemIndex() const {
    return m_analysis->checkedId();
}

void DueRangesPanel::SetItemIndex(int index) {
    if (QAbstractButton* button = m_analysis->button(index))
        button->setChecked(true);
}

void DueRangesPanel::showBounds(const DueRangeBounds& b) {
    const std::pair<controls::TNorvaNumberEdit*, int> values[] = {
        {EVencen1, b.EVencen1}, {EVencen2, b.EVencen2}, {EVencen3, b.EVencen3},
        {EVencen4, b.EVencen4}, {EVencen5, b.EVencen5}, {EVencen6, b.EVencen6},
        {EVencen7, b.EVencen7}};
    for (const auto& [edit, value] : values)
        edit->SetInitText(value);
}

void DueRangesPanel::EVencen2Exit() {
    DueRangeBounds b = Bounds();
    LeaveEVencen2(b);
    showBounds(b);
}

void DueRangesPanel::EVencen4Exit() {
    DueRangeBounds b = Bounds();
    LeaveEVencen4(b);
    showBounds(b);
}

void DueRangesPanel::EVencen6Exit() {
    DueRangeBounds b = Bounds();
    LeaveEVencen6(b);
    showBounds(b);
}

void DueRangesPanel::BRestablecer023Click() {
    showBounds(DefaultDueRanges());
}

void DueRangesPanel::BAvanzado025Click() {
    m_module.EnableMainMenus(false);
    m_module.PanelReporte->setEnabled(false);
    m_module.OutlookBar->setEnabled(false);
    if (QWidget* notice = m_module.noticeWindow())
        notice->setEnabled(false);
    QWidget::show();
    raise();
}

void DueRangesPanel::BAceptar2001Click() {
    m_module.EnableMainMenus(true);
    m_module.PanelReporte->setEnabled(true);
    m_module.OutlookBar->setEnabled(true);
    if (QWidget* notice = m_module.noticeWindow())
        notice->setEnabled(true);
    hide();
}

} // namespace accounts
