#pragma once

#include <QString>

class QWidget;

namespace platform {

// The computer's name as the system gives it, whole; "EQUIPO" when it gives none.
QString computerName();

// Keeps a window out of the task bar and the task switcher.
void hideFromTaskBar(QWidget* window);

} // namespace platform
