#pragma once

#include "platform/PlatformExport.h"
#include "platform/Services.h"

#include <QByteArray>
#include <QList>

#include <memory>

namespace platform {

class SoundBank;

// System sounds by number: 1103 (refused), 1104 (tick), 1105 (click), 1113
// (start), 1114 (stop). The sounds are synthesized on first use and played
// with QSoundEffect; silent without an audio output device. Main thread only.
class PLATFORM_EXPORT SystemSound {
public:
    SystemSound();
    virtual ~SystemSound();

    // Plays the sound; an unknown number plays nothing.
    void play(int soundId);

    static QList<int> knownSounds();
    // The synthesized sound as a WAV file (16-bit mono PCM); empty for an
    // unknown number.
    static QByteArray wave(int soundId);

protected:
    // Plays the sound on the audio device; replaced by tests that record cues.
    virtual void output(int soundId);

private:
    std::unique_ptr<SoundBank> bank_;
};

// The set in place has one: platform::services().systemSound().

// services().systemSound().play(soundId)
PLATFORM_EXPORT void playSystemSound(int soundId);

} // namespace platform
