#include "platform/FileDialogService.h"

#include <QFileDialog>

namespace platform {

namespace {

class QtFileDialogService : public FileDialogService {
public:
    QString openFile(QWidget* parent, const QString& caption, const QString& folder,
                     const QString& filter) override {
        return QFileDialog::getOpenFileName(parent, caption, folder, filter);
    }
};

FileDialogService*& installed() {
    static FileDialogService* service = nullptr;
    return service;
}

} // namespace

FileDialogService& FileDialogService::instance() {
    static QtFileDialogService own;
    FileDialogService* service = installed();
    return service ? *service : own;
}

void FileDialogService::install(FileDialogService* service) {
    installed() = service;
}

} // namespace platform
