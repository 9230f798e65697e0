#include "WaveSynth.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace platform {

namespace {

constexpr double attackMs = 3.0;
constexpr double releaseMs = 4.0;

void appendLittleEndian(QByteArray& out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xff));
}

} // namespace

QByteArray synthesizeWave(std::span<const Note> notes, int sampleRate)
{
    double endMs = 0;
    for (const Note& note : notes)
        endMs = std::max(endMs, note.startMs + note.durationMs);
    const auto frames = static_cast<std::size_t>(std::ceil(endMs * sampleRate / 1000.0));

    std::vector<double> mix(frames, 0.0);
    for (const Note& note : notes) {
        const auto first = static_cast<std::size_t>(note.startMs * sampleRate / 1000.0);
        const auto count = static_cast<std::size_t>(note.durationMs * sampleRate / 1000.0);
        for (std::size_t i = 0; i < count && first + i < frames; ++i) {
            const double ms = 1000.0 * static_cast<double>(i) / sampleRate;
            const double attack = std::min(1.0, ms / attackMs);
            const double release = std::min(1.0, (note.durationMs - ms) / releaseMs);
            const double decay = std::exp(-3.0 * ms / note.durationMs);
            const double phase = 2.0 * std::numbers::pi * note.frequency * ms / 1000.0;
            const double wave = std::sin(phase) + 0.2 * std::sin(2.0 * phase);
            mix[first + i] += note.gain * attack * std::max(0.0, release) * decay * wave / 1.2;
        }
    }

    const auto dataBytes = static_cast<quint32>(frames * 2);
    QByteArray wav;
    wav.reserve(static_cast<qsizetype>(44 + dataBytes));
    wav.append("RIFF");
    appendLittleEndian(wav, 36 + dataBytes, 4);
    wav.append("WAVEfmt ");
    appendLittleEndian(wav, 16, 4);         // fmt chunk size
    appendLittleEndian(wav, 1, 2);          // PCM
    appendLittleEndian(wav, 1, 2);          // mono
    appendLittleEndian(wav, static_cast<quint32>(sampleRate), 4);
    appendLittleEndian(wav, static_cast<quint32>(sampleRate) * 2, 4); // bytes per second
    appendLittleEndian(wav, 2, 2);          // block align
    appendLittleEndian(wav, 16, 2);         // bits per sample
    wav.append("data");
    appendLittleEndian(wav, dataBytes, 4);
    for (double sample : mix) {
        const auto value = static_cast<qint16>(std::lround(std::clamp(sample, -1.0, 1.0) * 32767.0));
        appendLittleEndian(wav, static_cast<quint16>(value), 2);
    }
    return wav;
}

} // namespace platform
