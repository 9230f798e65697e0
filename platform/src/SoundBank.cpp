#include "SoundBank.h"

#include "platform/SystemSound.h"

#include <QFile>
#include <QFileInfo>
#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QUrl>

namespace platform {

namespace {

// Qt's audio on Linux goes through a PulseAudio server (or PipeWire's). Asking
// QMediaDevices without one logs a connection failure, so look for its socket
// first and stay silent without it.
bool audioServerReachable()
{
    if (!qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/pulse/native"));
}

} // namespace

SoundBank::SoundBank() = default;
SoundBank::~SoundBank()
{
    for (auto& [id, sound] : effects_)
        delete sound.data();
}

void SoundBank::play(int soundId)
{
    if (!audioAvailable_)
        audioAvailable_ = audioServerReachable() && !QMediaDevices::audioOutputs().isEmpty();
    if (!*audioAvailable_)
        return;
    if (effects_.empty()) {
        for (int id : SystemSound::knownSounds())
            effect(id);
    }
    if (QSoundEffect* sound = effect(soundId))
        sound->play();
}

QSoundEffect* SoundBank::effect(int soundId)
{
    if (auto found = effects_.find(soundId); found != effects_.end())
        return found->second;
    const QByteArray wave = SystemSound::wave(soundId);
    if (wave.isEmpty())
        return nullptr;
    if (!folder_)
        folder_ = std::make_unique<QTemporaryDir>();
    if (!folder_->isValid())
        return nullptr;
    const QString path = folder_->filePath(QStringLiteral("sound-%1.wav").arg(soundId));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(wave) != wave.size())
        return nullptr;
    file.close();
    auto* sound = new QSoundEffect(QCoreApplication::instance());
    sound->setSource(QUrl::fromLocalFile(path));
    sound->setVolume(0.6f);
    effects_.emplace(soundId, sound);
    return sound;
}

} // namespace platform
