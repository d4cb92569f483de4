#pragma once

#include <QString>

namespace platform {

// Plays the notice sound. The program plays through Qt Multimedia; tests
// install a recorder.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Opens the file and starts playing it; false when the file cannot be
    // opened or played (the caller then turns the sound off).
    virtual bool play(const QString& file) = 0;
    virtual void stop() = 0;

    static SoundPlayer& instance();
    static void install(SoundPlayer* player); // nullptr restores the program's own
};

} // namespace platform
