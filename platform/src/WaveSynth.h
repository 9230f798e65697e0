#pragma once

#include <QByteArray>

#include <span>

namespace platform {

// One tone of a synthesized cue: a sine with a soft second harmonic, a short
// attack and an exponential decay, so that it neither clicks nor drones.
struct Note {
    double startMs = 0;
    double durationMs = 0;
    double frequency = 0;
    double gain = 0; // peak amplitude, 0..1
};

// The notes mixed into a 16-bit mono PCM WAV file.
QByteArray synthesizeWave(std::span<const Note> notes, int sampleRate = 44100);

} // namespace platform
