#include "RecordedFeedback.h"
#include "platform/Haptics.h"
#include "platform/SessionBusCheck.h"

#include <QDBusConnectionInterface>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QTest>
#include <QVariantMap>

#include <gtest/gtest.h>

// Runs on a private session bus (dbus-run-session), where this test plays
// feedbackd itself.

namespace {

class FakeFeedbackd : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.sigxcpu.Feedback")

public:
    struct Call {
        QString appId;
        QString event;
        QVariantMap hints;
    };
    QList<Call> calls;

public slots:
    uint TriggerFeedback(const QString& appId, const QString& event, const QVariantMap& hints, int timeout)
    {
        Q_UNUSED(timeout);
        calls.append({appId, event, hints});
        return static_cast<uint>(calls.size());
    }
};

TEST(HapticsOverDBus, ImpactsReachFeedbackdAsQuietEvents)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    ASSERT_TRUE(bus.isConnected()) << "needs a session bus: run under dbus-run-session";
    FakeFeedbackd feedbackd;
    ASSERT_TRUE(bus.registerObject(QStringLiteral("/org/sigxcpu/Feedback"), &feedbackd, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(bus.registerService(QStringLiteral("org.sigxcpu.Feedback")));

    platform::services().haptics().impact(platform::ImpactStyle::Rigid);
    platform::services().haptics().notificationSuccess();
    ASSERT_TRUE(QTest::qWaitFor([&] { return feedbackd.calls.size() == 2; }, 5000));

    EXPECT_EQ(feedbackd.calls[0].event, QStringLiteral("button-pressed"));
    EXPECT_EQ(feedbackd.calls[1].event, QStringLiteral("message-new-instant"));
    EXPECT_EQ(feedbackd.calls[0].appId, QStringLiteral(EXPECTED_BUNDLE_NAME));
    EXPECT_EQ(feedbackd.calls[0].hints.value(QStringLiteral("profile")).toString(), QStringLiteral("quiet"));
    bus.unregisterService(QStringLiteral("org.sigxcpu.Feedback"));
}

// The real output, observed on its way to the bus.
class ObservedHaptics : public platform::Haptics {
public:
    explicit ObservedHaptics(testsupport::FeedbackRecorder& recorder) : recorder_(recorder) {}

protected:
    void output(platform::FeedbackEvent event) override
    {
        recorder_.record(event);
        platform::Haptics::output(event);
    }

private:
    testsupport::FeedbackRecorder& recorder_;
};

TEST(HapticsOverDBus, AbsentFeedbackdIsNoFailure)
{
    testsupport::FeedbackRecorder recorder;
    platform::ServicesInPlace own(platform::Services().with(std::make_unique<ObservedHaptics>(recorder)));
    platform::services().haptics().impact(platform::ImpactStyle::Heavy);
    // The bus answers calls in order: once this round trip is back, the cue's
    // error answer has arrived too, and the connection still works.
    QDBusConnection bus = QDBusConnection::sessionBus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return bus.isConnected(); }, 5000));
    EXPECT_FALSE(bus.interface()->isServiceRegistered(QStringLiteral("org.sigxcpu.Feedback")).value());
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder.events(), (std::vector{platform::FeedbackEvent::impact(platform::ImpactStyle::Heavy)}));
}

// The start-up hello must complete with a real bus daemon: taken for silent, every
// run would go without accessibility, haptics and screen-saver inhibition.
TEST(HapticsOverDBus, ARealBusAnswersTheStartUpHello)
{
    EXPECT_FALSE(platform::sessionBusIsSilent(5000));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "HapticsBusTest.moc"
