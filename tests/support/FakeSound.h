#pragma once

#include "platform/SoundPlayer.h"

#include <QStringList>

// Records what the program plays; `fail` makes every play report a failure.
class FakeSound : public platform::SoundPlayer {
public:
    FakeSound() { install(this); }
    ~FakeSound() override { install(nullptr); }
    bool play(const QString& file) override {
        played << file;
        return !fail;
    }
    void stop() override { ++stops; }

    QStringList played;
    int stops = 0;
    bool fail = false;
};
