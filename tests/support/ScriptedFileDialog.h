#pragma once

#include "platform/FileDialogService.h"

#include <QStringList>

// Answers the open-file dialog from a script ("" = cancelled) and records the calls.
class ScriptedFileDialog : public platform::FileDialogService {
public:
    struct Call {
        QString caption, folder, filter;
    };
    ScriptedFileDialog() { install(this); }
    ~ScriptedFileDialog() override { install(nullptr); }
    QString openFile(QWidget*, const QString& caption, const QString& folder,
                     const QString& filter) override {
        calls.append({caption, folder, filter});
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QStringList answers;
    QList<Call> calls;
};
