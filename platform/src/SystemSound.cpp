#include "platform/SystemSound.h"

#include "SoundBank.h"
#include "WaveSynth.h"

#include <array>

namespace platform {

SystemSound::SystemSound() : bank_(std::make_unique<SoundBank>()) {}

SystemSound::~SystemSound() = default;

void SystemSound::play(int soundId)
{
    output(soundId);
}

void SystemSound::output(int soundId)
{
    bank_->play(soundId);
}

QList<int> SystemSound::knownSounds()
{
    return {1103, 1104, 1105, 1113, 1114};
}

QByteArray SystemSound::wave(int soundId)
{
    // Refused: two low knocks. Tick: a faint, very short high blip (it plays
    // up to ten times a second). Click: a short mid blip. Start and stop: a
    // rising and a falling fifth.
    switch (soundId) {
    case 1103: {
        constexpr std::array notes{Note{0, 60, 220, 0.5}, Note{90, 70, 196, 0.5}};
        return synthesizeWave(notes);
    }
    case 1104: {
        constexpr std::array notes{Note{0, 20, 1760, 0.22}};
        return synthesizeWave(notes);
    }
    case 1105: {
        constexpr std::array notes{Note{0, 35, 1175, 0.35}};
        return synthesizeWave(notes);
    }
    case 1113: {
        constexpr std::array notes{Note{0, 80, 659, 0.4}, Note{80, 130, 988, 0.4}};
        return synthesizeWave(notes);
    }
    case 1114: {
        constexpr std::array notes{Note{0, 80, 988, 0.4}, Note{80, 130, 659, 0.4}};
        return synthesizeWave(notes);
    }
    default:
        return {};
    }
}

void playSystemSound(int soundId)
{
    services().systemSound().play(soundId);
}

} // namespace platform
