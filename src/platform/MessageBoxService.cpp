#include "platform/MessageBoxService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {

QString titleFor(MessageBoxService::Icon icon) {
    switch (icon) {
    case MessageBoxService::Icon::Error:
        return QStringLiteral("Error");
    case MessageBoxService::Icon::Warning:
        return QStringLiteral("Advertencia");
    case MessageBoxService::Icon::Information:
        return QStringLiteral("Información");
    case MessageBoxService::Icon::Confirmation:
        return QStringLiteral("Confirmación");
    }
    return {};
}

QMessageBox::Icon qtIcon(MessageBoxService::Icon icon) {
    switch (icon) {
    case MessageBoxService::Icon::Error:
        return QMessageBox::Critical;
    case MessageBoxService::Icon::Warning:
        return QMessageBox::Warning;
    case MessageBoxService::Icon::Information:
        return QMessageBox::Information;
    case MessageBoxService::Icon::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Real modal boxes with Spanish buttons.
class QtMessageBoxService : public MessageBoxService {
public:
    Answer show(QWidget* parent, Icon icon, const QString& text, Buttons buttons) override {
        QMessageBox box(qtIcon(icon), titleFor(icon), text, QMessageBox::NoButton, parent);
        if (buttons == Buttons::Ok) {
            QPushButton* ok = box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
            box.setDefaultButton(ok);
            box.setEscapeButton(ok);
            box.exec();
            return Answer::Ok;
        }
        QPushButton* yes = box.addButton(QStringLiteral("Sí"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? Answer::Yes : Answer::No;
    }
};

MessageBoxService*& installed() {
    static MessageBoxService* service = nullptr;
    return service;
}

} // namespace

MessageBoxService& MessageBoxService::instance() {
    static QtMessageBoxService own;
    MessageBoxService* service = installed();
    return service ? *service : own;
}

void MessageBoxService::install(MessageBoxService* service) {
    installed() = service;
}

void showError(QWidget* parent, const QString& text) {
    MessageBoxService::instance().show(parent, MessageBoxService::Icon::Error, text,
                                       MessageBoxService::Buttons::Ok);
}

void showWarning(QWidget* parent, const QString& text) {
    MessageBoxService::instance().show(parent, MessageBoxService::Icon::Warning, text,
                                       MessageBoxService::Buttons::Ok);
}

void showInformation(QWidget* parent, const QString& text) {
    MessageBoxService::instance().show(parent, MessageBoxService::Icon::Information, text,
                                       MessageBoxService::Buttons::Ok);
}

bool confirm(QWidget* parent, const QString& text) {
    return MessageBoxService::instance().show(parent, MessageBoxService::Icon::Confirmation, text,
                                              MessageBoxService::Buttons::YesNo) ==
           MessageBoxService::Answer::Yes;
}

void showException(QWidget* parent, const QString& text) {
    MessageBoxService::instance().show(parent, MessageBoxService::Icon::Error, text,
                                       MessageBoxService::Buttons::Ok);
}

} // namespace platform
