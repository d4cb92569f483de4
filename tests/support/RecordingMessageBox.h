#pragma once

#include "platform/MessageBoxService.h"

#include <QList>
#include <QString>

// Records every message box the program shows and answers from a script
// (Yes/No questions get the next scripted answer, "No" when the script is empty).
// Installed for its lifetime.
class RecordingMessageBox : public platform::MessageBoxService {
public:
    struct Call {
        Icon icon;
        QString text;
        Buttons buttons;
    };

    RecordingMessageBox() { install(this); }
    ~RecordingMessageBox() override { install(nullptr); }

    Answer show(QWidget*, Icon icon, const QString& text, Buttons buttons) override {
        calls.append({icon, text, buttons});
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return answers.isEmpty() ? Answer::No : answers.takeFirst();
    }

    void answerYes() { answers.append(Answer::Yes); }
    void answerNo() { answers.append(Answer::No); }
    QStringList texts() const {
        QStringList out;
        for (const Call& c : calls)
            out << c.text;
        return out;
    }
    void clear() { calls.clear(); }

    QList<Call> calls;
    QList<Answer> answers;
};
