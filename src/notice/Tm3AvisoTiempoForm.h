#pragma once

#include "shell/TEForm.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace controls {
class TNorvaNumberEdit;
}

namespace notice {

// The postpone dialog: when the user closes the notice while items remain, it
// asks how long to wait before the next notice. "&Aceptar" hands the answer to
// the notice window through `onAccept` and closes; "&Cancelar", Esc or any
// other close changes nothing.
class Tm3AvisoTiempoForm : public shell::TEForm {
    Q_OBJECT
public:
    struct Answer {
        int value = 5;     // ETiempoAviso
        int unitIndex = 0; // MinHora: 0 "Minuto(s)", 1 "Hora(s)"
        bool dontAskAgain = false;
        // The wait in milliseconds.
        qint64 waitMs() const { return qint64(value) * (unitIndex == 1 ? 3600000 : 60000); }
    };

    explicit Tm3AvisoTiempoForm(QWidget* parent = nullptr);

    // The current wait, shown when the dialog opens.
    void setWait(int value, int unitIndex);
    Answer answer() const;

    // Runs the steps of "&Aceptar" that act outside the dialog.
    std::function<void(const Answer&)> onAccept;

    QLabel* LTituloAvisoTiempo;
    QLabel* LAviso;
    controls::TNorvaNumberEdit* ETiempoAviso;
    QComboBox* MinHora;
    QCheckBox* CBNoMostrar;
    QPushButton* BAceptar2001;
    QPushButton* BCancelar002;

public slots:
    void BAceptar2001Click();
    void BCancelar002Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace notice
