#include "shell/Tm3TrayIconTransaccionesPenForm.h"

#include "bank/NewTransactionPage.h"
#include "notice/NoticeScheduler.h"
#include "notice/Tm3AvisoTiempoForm.h"
#include "platform/MessageBoxService.h"
#include "shell/AppIcon.h"
#include "shell/Application.h"
#include "shell/SettingsPage.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "shell/Tm3TransaccionesPendientesForm.h"

#include <QCheckBox>
#include <QMenu>
#include <QStackedWidget>
#include <QTimer>

namespace shell {

Tm3TrayIconTransaccionesPenForm::Tm3TrayIconTransaccionesPenForm(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("m3TrayIconTransaccionesPenForm"));
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Abrir1 = PopupMenu1->addAction(QStringLiteral("&Abrir"), this,
                                   &Tm3TrayIconTransaccionesPenForm::Abrir1Click);
    VisualizarVentanadeAviso1 =
        PopupMenu1->addAction(QStringLiteral("&Ver Ventana de Aviso"), this,
                              &Tm3TrayIconTransaccionesPenForm::VisualizarVentanadeAviso1Click);
    PopupMenu1->addSeparator();
    Configurar1 = PopupMenu1->addAction(QStringLiteral("&Con&figurar"), this,
                                        &Tm3TrayIconTransaccionesPenForm::Configurar1Click);
    Acercade1 = PopupMenu1->addAction(QStringLiteral("Ac&erca de ..."), this,
                                      &Tm3TrayIconTransaccionesPenForm::Acercade1Click);
    PopupMenu1->addSeparator();
    Cerrar1 = PopupMenu1->addAction(QStringLiteral("&Cerrar"), this,
                                    &Tm3TrayIconTransaccionesPenForm::Cerrar1Click);
    Abrir1->setObjectName(QStringLiteral("Abrir1"));
    VisualizarVentanadeAviso1->setObjectName(QStringLiteral("VisualizarVentanadeAviso1"));
    Configurar1->setObjectName(QStringLiteral("Configurar1"));
    Acercade1->setObjectName(QStringLiteral("Acercade1"));
    Cerrar1->setObjectName(QStringLiteral("Cerrar1"));

    kbTrayIcon1 = new QSystemTrayIcon(appIcon(), this);
    kbTrayIcon1->setObjectName(QStringLiteral("kbTrayIcon1"));
    kbTrayIcon1->setToolTip(QStringLiteral("Monvela"));
    // The right button opens the menu (the system places it at the pointer).
    kbTrayIcon1->setContextMenu(PopupMenu1);
    connect(kbTrayIcon1, &QSystemTrayIcon::activated, this,
            &Tm3TrayIconTransaccionesPenForm::activated);
}

Tm3TrayIconTransaccionesPenForm::~Tm3TrayIconTransaccionesPenForm() {
    kbTrayIcon1->hide();
}

void Tm3TrayIconTransaccionesPenForm::showIcon() {
    m_iconShown = true;
    kbTrayIcon1->show();
}

void Tm3TrayIconTransaccionesPenForm::hideIcon() {
    m_iconShown = false;
    kbTrayIcon1->hide();
}

void Tm3TrayIconTransaccionesPenForm::activated(QSystemTrayIcon::ActivationReason reason) {
    // Double clicks do nothing of their own.
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        kbTrayIcon1Click(Button::Left);
        break;
    case QSystemTrayIcon::Context:
        kbTrayIcon1Click(Button::Right);
        break;
    case QSystemTrayIcon::MiddleClick:
        kbTrayIcon1Click(Button::Middle);
        break;
    default:
        break;
    }
}

void Tm3TrayIconTransaccionesPenForm::kbTrayIcon1Click(Button button) {
    if (!m_module)
        return;
    TAvisoTransaccionesPendientesForm* notice = m_module->noticeWindow();
    if (notice && !m_module->SoundOff && notice->SoundDeviceOpen())
        notice->StopSound();
    // Typing the installments of a new transaction: nothing more.
    if (m_module->PanelNuevo->isVisible() && m_module->NewTransaction &&
        m_module->NewTransaction->PageControlNuevo->currentWidget() ==
            m_module->NewTransaction->TabNuevaTrans2)
        return;
    if (button == Button::Left)
        VisualizarVentanadeAviso1Click();
}

void Tm3TrayIconTransaccionesPenForm::Abrir1Click() {
    if (!m_module)
        return;
    if (m_module->isVisible()) {
        m_module->raise();
        m_module->FocusField(m_module);
        return;
    }
    m_module->show();
    m_module->raise();
    // The postpone dialog keeps the focus while it is open.
    TAvisoTransaccionesPendientesForm* notice = m_module->noticeWindow();
    if (notice && notice->PostponeDialog()) {
        notice::Tm3AvisoTiempoForm* dialog = notice->PostponeDialog();
        dialog->raise();
        m_module->FocusField(dialog);
    } else {
        m_module->FocusField(m_module);
    }
}

void Tm3TrayIconTransaccionesPenForm::VisualizarVentanadeAviso1Click() {
    if (!m_module)
        return;
    TAvisoTransaccionesPendientesForm* notice = m_module->noticeWindow();
    if (m_module->PanelConfig->CDesactivarVentana->isChecked()) {
        platform::showInformation(nullptr, notice::NoticeOffMessage);
        return;
    }
    if (notice && notice->isOnScreen()) {
        notice->BringToForeground();
        return;
    }
    // The notice check runs at once; it shows the notice only if something is due.
    m_module->TimerEspera->setInterval(1);
}

void Tm3TrayIconTransaccionesPenForm::Configurar1Click() {
    if (!m_module)
        return;
    if (!m_module->isVisible())
        m_module->show();
    m_module->MenuConfigurar->trigger();
}

void Tm3TrayIconTransaccionesPenForm::Acercade1Click() {
    if (m_module)
        m_module->MenuClick();
}

void Tm3TrayIconTransaccionesPenForm::Cerrar1Click() {
    if (platform::confirm(nullptr, QStringLiteral("Desea cerrar Monvela?")))
        application::requestTerminate();
}

} // namespace shell
