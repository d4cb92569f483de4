#pragma once

#include <QString>

class QWidget;

namespace platform {

// The open-file dialog. Tests install a script of answers.
class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // The chosen file, or "" when the user cancelled.
    virtual QString openFile(QWidget* parent, const QString& caption, const QString& folder,
                             const QString& filter) = 0;

    static FileDialogService& instance();
    static void install(FileDialogService* service); // nullptr restores the program's own
};

} // namespace platform
