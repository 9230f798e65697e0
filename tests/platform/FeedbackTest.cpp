#include "RecordedFeedback.h"
#include "platform/Haptics.h"
#include "platform/SystemSound.h"

#include <QSet>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cstdlib>

using platform::FeedbackEvent;
using platform::ImpactStyle;
using platform::NotificationType;

namespace {

// Replaces the device outputs, as a test that records cues does.
class SilentSound : public platform::SystemSound {
public:
    explicit SilentSound(testsupport::FeedbackRecorder& recorder) : recorder_(recorder) {}
    QList<int> played;

protected:
    void output(int soundId) override
    {
        played.append(soundId);
        recorder_.record(FeedbackEvent::sound(soundId));
    }

private:
    testsupport::FeedbackRecorder& recorder_;
};

class SilentHaptics : public platform::Haptics {
public:
    explicit SilentHaptics(testsupport::FeedbackRecorder& recorder) : recorder_(recorder) {}
    int delivered = 0;

protected:
    void output(FeedbackEvent event) override
    {
        ++delivered;
        recorder_.record(event);
    }

private:
    testsupport::FeedbackRecorder& recorder_;
};

class FeedbackTest : public ::testing::Test {
protected:
    // Each test's own services: the real ones unless it replaces some.
    platform::ServicesInPlace services_;
};

TEST_F(FeedbackTest, DefaultServicesPlayAndFeelNothingWithoutAnyDevice)
{
    // No audio server, no session bus: every cue returns and nothing fails.
    platform::playSystemSound(1105);
    platform::playSystemSound(4242);
    platform::services().haptics().impact(ImpactStyle::Rigid);
    platform::services().haptics().notificationSuccess();
    SUCCEED();
}

TEST_F(FeedbackTest, InstalledRecorderKeepsCuesInOrder)
{
    testsupport::FeedbackRecorder& recorder = testsupport::recordFeedback(services_.set());
    platform::playSystemSound(1105);
    platform::services().haptics().impact(ImpactStyle::Rigid);
    platform::playSystemSound(1113);
    platform::services().haptics().notificationSuccess();
    platform::services().haptics().impact(ImpactStyle::Soft);

    const std::vector<FeedbackEvent> expected{
        FeedbackEvent::sound(1105), FeedbackEvent::impact(ImpactStyle::Rigid), FeedbackEvent::sound(1113),
        FeedbackEvent::notification(NotificationType::Success), FeedbackEvent::impact(ImpactStyle::Soft)};
    EXPECT_EQ(recorder.events(), expected);
    recorder.clear();
    EXPECT_TRUE(recorder.events().empty());
}

TEST_F(FeedbackTest, ReplacedOutputsReceiveEveryCue)
{
    testsupport::FeedbackRecorder recorder;
    auto sound = std::make_unique<SilentSound>(recorder);
    auto* soundRaw = sound.get();
    auto haptics = std::make_unique<SilentHaptics>(recorder);
    auto* hapticsRaw = haptics.get();
    services_.set().with(std::move(sound)).with(std::move(haptics));

    platform::playSystemSound(1104);
    platform::playSystemSound(4242);
    platform::services().haptics().impact(ImpactStyle::Heavy);

    EXPECT_EQ(soundRaw->played, (QList<int>{1104, 4242}));
    EXPECT_EQ(hapticsRaw->delivered, 1);
    const std::vector<FeedbackEvent> expected{FeedbackEvent::sound(1104), FeedbackEvent::sound(4242),
                                              FeedbackEvent::impact(ImpactStyle::Heavy)};
    EXPECT_EQ(recorder.events(), expected);
}

TEST(Haptics, EachImpactStyleHasItsOwnFeedbackdEvent)
{
    QSet<QString> names;
    for (ImpactStyle style : {ImpactStyle::Soft, ImpactStyle::Rigid, ImpactStyle::Heavy})
        names.insert(platform::Haptics::feedbackEventName(FeedbackEvent::impact(style)));
    names.insert(platform::Haptics::feedbackEventName(FeedbackEvent::notification(NotificationType::Success)));
    EXPECT_EQ(names.size(), 4);
}

// The parts of a synthesized WAV that matter: a PCM header and the samples.
struct Wave {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::vector<qint16> samples;
};

Wave parse(const QByteArray& wav)
{
    Wave wave;
    if (wav.size() < 44 || !wav.startsWith("RIFF") || wav.mid(8, 8) != "WAVEfmt " || wav.mid(36, 4) != "data")
        return wave;
    const auto* bytes = reinterpret_cast<const uchar*>(wav.constData());
    wave.channels = qFromLittleEndian<quint16>(bytes + 22);
    wave.sampleRate = static_cast<int>(qFromLittleEndian<quint32>(bytes + 24));
    wave.bitsPerSample = qFromLittleEndian<quint16>(bytes + 34);
    const quint32 dataBytes = qFromLittleEndian<quint32>(bytes + 40);
    if (dataBytes + 44 != static_cast<quint32>(wav.size()))
        return {};
    for (quint32 i = 0; i < dataBytes; i += 2)
        wave.samples.push_back(qFromLittleEndian<qint16>(bytes + 44 + i));
    return wave;
}

TEST(SystemSound, KnownSoundsAreShortDistinctWavesThatStartAndEndSilently)
{
    QSet<QByteArray> distinct;
    for (int id : platform::SystemSound::knownSounds()) {
        SCOPED_TRACE(id);
        const QByteArray bytes = platform::SystemSound::wave(id);
        distinct.insert(bytes);
        const Wave wave = parse(bytes);
        ASSERT_EQ(wave.channels, 1);
        ASSERT_EQ(wave.bitsPerSample, 16);
        ASSERT_FALSE(wave.samples.empty());
        const double seconds = static_cast<double>(wave.samples.size()) / wave.sampleRate;
        EXPECT_LE(seconds, 0.3);
        int peak = 0;
        for (qint16 sample : wave.samples)
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
        EXPECT_GT(peak, 3000);   // audible
        EXPECT_LT(peak, 32767);  // never clipped
        // No click at either end: the envelope starts and ends at rest.
        EXPECT_LT(std::abs(static_cast<int>(wave.samples.front())), 200);
        EXPECT_LT(std::abs(static_cast<int>(wave.samples.back())), 200);
    }
    EXPECT_EQ(distinct.size(), platform::SystemSound::knownSounds().size());
}

TEST(SystemSound, UnknownNumberHasNoWave)
{
    EXPECT_TRUE(platform::SystemSound::wave(1000).isEmpty());
}

} // namespace
