#pragma once

#include <QPointer>
#include <QSoundEffect>
#include <QTemporaryDir>

#include <atomic>
#include <map>
#include <memory>
#include <optional>

namespace platform {

// The synthesized sounds written to a private temporary folder and loaded
// into one QSoundEffect each, all on the first play so that none starts late.
// Plays nothing when the system has no audio output, and nothing until a
// thread of its own has found the sound server answering: the first play
// starts that check and never waits for it. The effects belong to
// the application object, so that none outlives it.
class SoundBank {
public:
    SoundBank();
    ~SoundBank();

    void play(int soundId);

private:
    QSoundEffect* effect(int soundId);
    void startProbe();

    bool probing_ = false;
    // Whether the sound server answered; written on the main thread when known.
    static constexpr int kKnocking = -1;
    static constexpr int kSilent = 0;
    static constexpr int kAnswered = 1;
    // Written by the knock's thread, read here.
    std::shared_ptr<std::atomic<int>> serverAnswers_ = std::make_shared<std::atomic<int>>(kKnocking);
    std::optional<bool> audioAvailable_;
    std::unique_ptr<QTemporaryDir> folder_;
    std::map<int, QPointer<QSoundEffect>> effects_;
};

} // namespace platform
