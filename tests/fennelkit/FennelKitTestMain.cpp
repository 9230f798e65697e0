#include <QAnimationDriver>
#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

// Time stands still for every Qt animation: tests move animations themselves
// (see AnimationStepper), so that results never depend on the machine's speed.
class FrozenAnimationDriver : public QAnimationDriver {
public:
    qint64 elapsed() const override { return 0; }
};

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    FrozenAnimationDriver driver;
    driver.install();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
