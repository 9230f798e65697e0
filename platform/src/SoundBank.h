#pragma once

#include <QPointer>
#include <QSoundEffect>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <optional>

namespace platform {

// The synthesized sounds written to a private temporary folder and loaded
// into one QSoundEffect each, all on the first play so that none starts late.
// Plays nothing when the system has no audio output. The effects belong to
// the application object, so that none outlives it.
class SoundBank {
public:
    SoundBank();
    ~SoundBank();

    void play(int soundId);

private:
    QSoundEffect* effect(int soundId);

    std::optional<bool> audioAvailable_;
    std::unique_ptr<QTemporaryDir> folder_;
    std::map<int, QPointer<QSoundEffect>> effects_;
};

} // namespace platform
