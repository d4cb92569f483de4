#pragma once

#include <QString>

class QWidget;

namespace platform {

// The modal message boxes of the program: an icon, a Spanish text and OK or
// Yes/No buttons ("Aceptar", "Sí", "No"). The program shows real boxes; tests
// install a recorder that keeps every call and answers from a script.
class MessageBoxService {
public:
    enum class Icon { Error, Warning, Information, Confirmation };
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    virtual ~MessageBoxService() = default;
    virtual Answer show(QWidget* parent, Icon icon, const QString& text, Buttons buttons) = 0;

    // The service in use; the program's own unless a test installed another.
    static MessageBoxService& instance();
    static void install(MessageBoxService* service); // nullptr restores the program's own
};

// Shorthands used by the windows.
void showError(QWidget* parent, const QString& text);
void showWarning(QWidget* parent, const QString& text);
void showInformation(QWidget* parent, const QString& text);
// True only when the user answered "Sí".
bool confirm(QWidget* parent, const QString& text);
// The platform's standard error box for a failure that has no message of its
// own: the error's own text under the program's title.
void showException(QWidget* parent, const QString& text);

} // namespace platform
