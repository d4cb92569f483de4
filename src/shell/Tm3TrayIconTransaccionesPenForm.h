#pragma once

#include <QSystemTrayIcon>
#include <QWidget>

class QAction;
class QMenu;

namespace shell {

class Tm3TransaccionesPendientesForm;

// A window that is never shown: it owns the tray icon, the program's only
// permanent presence, and the icon's menu.
class Tm3TrayIconTransaccionesPenForm : public QWidget {
    Q_OBJECT
public:
    explicit Tm3TrayIconTransaccionesPenForm(QWidget* parent = nullptr);
    ~Tm3TrayIconTransaccionesPenForm() override;

    void setModuleWindow(Tm3TransaccionesPendientesForm* module) { m_module = module; }

    void showIcon();
    void hideIcon();
    bool isIconShown() const { return m_iconShown; }

    QSystemTrayIcon* kbTrayIcon1;
    QMenu* PopupMenu1;
    QAction* Abrir1;
    QAction* VisualizarVentanadeAviso1;
    QAction* Configurar1;
    QAction* Acercade1;
    QAction* Cerrar1;

    // The mouse button of a click on the icon.
    enum class Button { Left, Right, Middle };

public slots:
    // A click on the icon: the sound stops; the left button shows the notice
    // (as "&Ver Ventana de Aviso"), unless installments are being typed on
    // the new-transaction page.
    void kbTrayIcon1Click(Button button);
    void Abrir1Click();
    void VisualizarVentanadeAviso1Click();
    void Configurar1Click();
    void Acercade1Click();
    void Cerrar1Click();

private:
    void activated(QSystemTrayIcon::ActivationReason reason);

    Tm3TransaccionesPendientesForm* m_module = nullptr;
    bool m_iconShown = false;
};

} // namespace shell
