#pragma once

#include <QIcon>

namespace shell {

// The program's picture: a gold coin with a bell, drawn at the sizes the tray,
// the windows and the desktop ask for.
QIcon appIcon();

} // namespace shell
