#pragma once

class QCoreApplication;

namespace shell {

// Qt's own texts (the file, print and preview dialogs, the calendar, the
// standard buttons) in Spanish, like the rest of the program: Qt's Spanish
// translation is installed when the system has it.
void installSpanishTranslations(QCoreApplication& app);

} // namespace shell
