#include "platform/Haptics.h"
#include "platform/IdleTimer.h"
#include "platform/SystemSound.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

// A session bus and a sound server that accept connections and never answer:
// listening sockets that nobody reads. Every call to the services must return.

namespace {

int listenAt(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un where{};
    where.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::memcpy(where.sun_path, name.constData(), std::size_t(name.size()));
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0 || ::listen(fd, 16) != 0)
        return -1;
    return fd;
}

// Ends the test run if the guarded calls have not returned within a bound far
// beyond any sound or bus timeout: a hang fails instead of stalling the suite.
class Watchdog {
public:
    explicit Watchdog(const char* what) : what_(what)
    {
        thread_ = std::thread([this] {
            std::unique_lock lock(mutex_);
            if (!done_.wait_for(lock, std::chrono::seconds(20), [this] { return finished_; })) {
                std::fprintf(stderr, "hung: %s\n", what_);
                std::_Exit(1);
            }
        });
    }
    ~Watchdog()
    {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_one();
        thread_.join();
    }

private:
    const char* what_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_;
};

void settle()
{
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

TEST(HungServices, ScreenSaverInhibitionAndHapticsReturnWithASilentSessionBus)
{
    Watchdog watchdog("session bus");
    platform::services().idleTimer().setIdleTimerDisabled(true);
    platform::services().haptics().impact(platform::ImpactStyle::Rigid);
    settle();
    EXPECT_TRUE(platform::services().idleTimer().isInhibiting());
    platform::services().idleTimer().setIdleTimerDisabled(false);
    platform::services().haptics().notificationSuccess();
    settle();
    EXPECT_FALSE(platform::services().idleTimer().isInhibiting());
}

TEST(HungServices, SoundsReturnWithASilentSoundServer)
{
    Watchdog watchdog("sound server");
    for (int i = 0; i < 3; ++i) {
        platform::playSystemSound(1104);
        settle();
    }
    platform::playSystemSound(1113);
    SUCCEED();
}

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir(dir.path()).mkpath(QStringLiteral("pulse")))
        return 1;
    const QString busPath = dir.filePath(QStringLiteral("bus"));
    const int bus = listenAt(busPath);
    const int sound = listenAt(dir.filePath(QStringLiteral("pulse/native")));
    if (bus < 0 || sound < 0)
        return 1;
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + QFile::encodeName(busPath));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.path()));
    qunsetenv("PULSE_SERVER");

    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    ::close(bus);
    ::close(sound);
    return result;
}
