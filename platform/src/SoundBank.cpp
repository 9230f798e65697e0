#include "SoundBank.h"

#include "SocketProbe.h"
#include "platform/SystemSound.h"

#include <QFile>
#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QUrl>

#include <thread>

namespace platform {

namespace {

constexpr int probeTimeoutMs = 2000;

void appendBigEndian(QByteArray& bytes, quint32 value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(char((value >> shift) & 0xff));
}

// The opening of the sound server's native protocol: an authentication packet
// that any running server answers, if only with an error.
QByteArray authenticationPacket()
{
    QByteArray payload;
    for (quint32 value : {8u /* AUTH */, 0u /* tag */, 32u /* protocol version */}) {
        payload.append('L');
        appendBigEndian(payload, value);
    }
    payload.append('x');
    appendBigEndian(payload, 256);
    payload.append(QByteArray(256, '\0'));  // no cookie
    QByteArray packet;
    for (quint32 value : {quint32(payload.size()), 0xffffffffu, 0u, 0u, 0u})
        appendBigEndian(packet, value);
    return packet + payload;
}

// Qt's audio on Linux goes through a PulseAudio server (or PipeWire's), and
// asks it without a timeout. Knock first, off the main thread: no socket, or a
// server that never answers, means silence.
bool audioServerAnswers(const QString& runtimeDir, const QByteArray& pulseServer)
{
    QByteArray path;
    if (!pulseServer.isEmpty()) {
        path = pulseServer.startsWith("unix:") ? pulseServer.mid(5) : pulseServer;
        if (!path.startsWith('/'))
            return true;  // a remote server: leave it to the audio library
    } else if (!runtimeDir.isEmpty()) {
        path = QFile::encodeName(runtimeDir + QStringLiteral("/pulse/native"));
    } else {
        return false;
    }
    return localServiceAnswers(path, false, authenticationPacket(), probeTimeoutMs);
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
    if (!probing_) {
        probing_ = true;
        startProbe();
    }
    const int answer = serverAnswers_->load();
    if (answer != kAnswered)
        return;  // still knocking, or nobody answered: silence
    if (!audioAvailable_)
        audioAvailable_ = !QMediaDevices::audioOutputs().isEmpty();
    if (!*audioAvailable_)
        return;
    if (effects_.empty()) {
        for (int id : SystemSound::knownSounds())
            effect(id);
    }
    if (QSoundEffect* sound = effect(soundId))
        sound->play();
}

void SoundBank::startProbe()
{
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QByteArray pulseServer = qgetenv("PULSE_SERVER");
    // Detached, so that a server that never answers does not hold up the exit; it
    // touches nothing but the answer it shares, as it may outlive Qt's globals.
    std::thread([answer = serverAnswers_, runtimeDir, pulseServer] {
        answer->store(audioServerAnswers(runtimeDir, pulseServer) ? kAnswered : kSilent);
    }).detach();
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
