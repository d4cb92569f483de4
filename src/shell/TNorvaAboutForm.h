#pragma once

#include "shell/TEForm.h"

class QPushButton;

namespace shell {

// The about dialog: product, version and module line, closed by "&Aceptar".
class TNorvaAboutForm : public TEForm {
    Q_OBJECT
public:
    explicit TNorvaAboutForm(QWidget* parent = nullptr);
    QPushButton* BAceptar001;
};

} // namespace shell
