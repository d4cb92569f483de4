#pragma once

#include "shell/TEForm.h"

namespace shell {

// The notice window: created first, hidden, below the bottom edge of the
// screen, from where it rises when something falls due.
class TAvisoTransaccionesPendientesForm : public TEForm {
    Q_OBJECT
public:
    explicit TAvisoTransaccionesPendientesForm(QWidget* parent = nullptr);
    // Whether the notice is on screen.
    bool isOnScreen() const { return isVisible(); }
};

} // namespace shell
