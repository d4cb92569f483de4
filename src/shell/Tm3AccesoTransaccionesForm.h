#pragma once

#include "data/Table.h"
#include "shell/TEForm.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace controls {
class TNorvaEdit;
}

namespace shell {

// The access dialog: on a computer not yet allowed permanently, start-up asks
// for the name and password of a user of the suite who may use the module.
// Denied until a login succeeds; three attempts reach the user table, a fourth
// press of "&Aceptar" blocks the access. Cancel, Esc and the close box deny.
class Tm3AccesoTransaccionesForm : public TEForm {
    Q_OBJECT
public:
    static constexpr int BlockingAttempt = 4;

    explicit Tm3AccesoTransaccionesForm(const QString& dataFolder, QWidget* parent = nullptr);
    ~Tm3AccesoTransaccionesForm() override;

    // The result: true only after a successful login.
    bool Granted() const { return m_granted; }
    // 1 when the dialog is created, one more for each attempt that reached the table.
    int Attempts() const { return m_attempts; }

    QLabel* LMensaje;
    QGroupBox* GBAcceso;
    QLabel* Image1;
    QLabel* LNombreUsu;
    controls::TNorvaEdit* ENombreUsu;
    QLabel* LClaveUsu;
    controls::TNorvaEdit* EClaveUsu;
    QCheckBox* CheckAcceso; // "Permitir siempre el acceso a esta computadora."
    QPushButton* BAcepta001;
    QPushButton* BCancelar002;
    data::Table TbUsuarios;

public slots:
    void BAcepta001Click();
    void BCancelar002Click();

private:
    QString m_dataFolder;
    int m_attempts = 1;
    bool m_granted = false;
};

} // namespace shell
