#pragma once

#include "platform/HelpViewer.h"

#include <QList>

// Records the help pages the program asks the desktop to open.
class FakeHelpViewer : public platform::HelpViewer {
public:
    FakeHelpViewer() { install(this); }
    ~FakeHelpViewer() override { install(nullptr); }
    bool open(const QUrl& url) override {
        opened << url;
        return true;
    }
    QList<QUrl> opened;
};
