#pragma once

#include <QTemporaryDir>

#include <map>
#include <memory>
#include <optional>

class QSoundEffect;

namespace platform {

// The synthesized sounds written to a private temporary folder and loaded
// into one QSoundEffect each, on first use. Plays nothing when the system
// has no audio output.
class SoundBank {
public:
    SoundBank();
    ~SoundBank();

    void play(int soundId);

private:
    QSoundEffect* effect(int soundId);

    std::optional<bool> audioAvailable_;
    std::unique_ptr<QTemporaryDir> folder_;
    std::map<int, std::unique_ptr<QSoundEffect>> effects_;
};

} // namespace platform
