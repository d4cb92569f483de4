#include "shell/TAvisoTransaccionesPendientesForm.h"

#include "controls/TNorvaList.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace shell {

namespace {
constexpr int ClientWidth = 213;
constexpr int ClientHeight = 168;
constexpr int ButtonWidth = 71;
constexpr int ButtonHeight = 19;
} // namespace

TAvisoTransaccionesPendientesForm::TAvisoTransaccionesPendientesForm(QWidget* parent)
    : TEForm(parent) {
    setObjectName(QStringLiteral("AvisoTransaccionesPendientesForm"));
    setWindowTitle(QStringLiteral("Monvela"));
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    resize(ClientWidth, ClientHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.right() - width(), area.bottom() + 1);
    }

    auto list = [this](const QString& name) {
        auto* l = new controls::TNorvaList(this);
        l->setObjectName(name);
        l->setGeometry(2, 18, 207, 129);
        l->hide();
        return l;
    };
    NorvaListAvisoPen = list(QStringLiteral("NorvaListAvisoPen"));
    NorvaListAvisoCobrar = list(QStringLiteral("NorvaListAvisoCobrar"));
    NorvaListAvisoPagar = list(QStringLiteral("NorvaListAvisoPagar"));
    NorvaListVencimiento = list(QStringLiteral("NorvaListVencimiento"));

    auto button = [this](const QString& name, const QString& caption, int column) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(column * ButtonWidth, ClientHeight - ButtonHeight, ButtonWidth,
                       ButtonHeight);
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
}

void TAvisoTransaccionesPendientesForm::fcButtonGroup1fcImageBtn2Click() {
    ShowNoticeList(false, true, false, false);
}

void TAvisoTransaccionesPendientesForm::fcButtonGroup1fcImageBtn3Click() {
    ShowNoticeList(false, false, true, false);
}

} // namespace shell
