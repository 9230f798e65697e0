#include "shell/AppDelegate.h"
#include "board/MainViewController.h"
#include "shell/CellariumApplication.h"
#include "shell/CommandLineOptions.h"
#include "shell/InterfaceScale.h"
#include "shell/SceneDelegate.h"
#include "shell/WindowFit.h"

#include "FNApp.h"
#include "model/BoardGeometry.h"
#include "platform/AlertCard.h"
#include "platform/AlternateIcons.h"
#include "platform/AppWindow.h"
#include "platform/IdleTimer.h"
#include "platform/UserDefaults.h"

#include <QIcon>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

CommandLineOptions parsed(const QStringList& arguments)
{
    const auto result = CommandLineOptions::parse(arguments);
    const QString* error = std::get_if<QString>(&result);
    EXPECT_EQ(error, nullptr) << (error ? error->toStdString() : "");
    return error ? CommandLineOptions{} : std::get<CommandLineOptions>(result);
}

QString refusal(const QStringList& arguments)
{
    const auto result = CommandLineOptions::parse(arguments);
    const QString* error = std::get_if<QString>(&result);
    return error ? *error : QString();
}

}  // namespace

TEST(CommandLine, ReadsScreenScaleAndStorefront)
{
    const CommandLineOptions options = parsed({"--screen", "430x932", "--scale=2", "--storefront", "chn"});
    EXPECT_EQ(options.screen, QSizeF(430, 932));
    EXPECT_EQ(options.scale, 2.0);
    EXPECT_EQ(options.storefront, QStringLiteral("CHN"));
    EXPECT_FALSE(options.help);
    EXPECT_TRUE(parsed({"--help"}).help);
    EXPECT_FALSE(parsed({}).screen);
}

TEST(CommandLine, RefusesValuesOutOfRangeWithOneLineSayingWhy)
{
    for (const QStringList& arguments : std::initializer_list<QStringList>{
             {"--scale", "0.5"}, {"--scale", "4.5"}, {"--scale", "nan"}, {"--scale", "two"},
             {"--screen", "199x844"}, {"--screen", "390x4097"}, {"--screen", "390"}, {"--screen", "-390x844"},
             {"--storefront", "CN"}, {"--storefront", "CHNA"}, {"--storefront", "C1N"},
             {"--screen"}, {"--fast"}, {"--storefront="}}) {
        const QString why = refusal(arguments);
        EXPECT_FALSE(why.isEmpty()) << arguments.join(' ').toStdString();
        EXPECT_FALSE(why.contains(u'\n'));
    }
    EXPECT_TRUE(parsed({"--scale", "1", "--scale", "4", "--screen", "200x4096"}).scale);
}

// --scale once sized only the cells: the controls stayed at the display's own ratio.
TEST(CommandLine, ScaleSetsQtsFactorSoThatTheInterfaceIsDrawnAtThatManyPixelsPerPoint)
{
    struct Case {
        QStringList arguments;
        double displayRatio;   // as the display shows it under the present factor
        double presentFactor;  // QT_SCALE_FACTOR before, 1 when unset
        std::optional<double> factor;
    };
    for (const Case& c : std::initializer_list<Case>{
             {{"--screen", "360x720", "--scale", "2"}, 1, 1, 2},  // a monitor of ratio 1
             {{"--scale", "3"}, 2, 1, 1.5},                       // a display of its own ratio 2
             {{"--scale", "1"}, 3, 1, 1.0 / 3},                    // a phone, asked for ratio 1
             {{"--scale", "2"}, 2, 1, std::nullopt},              // already at that ratio
             {{"--scale", "2"}, 2.5, 1.25, 1.0},                  // a factor of the user's own
             {{"--screen", "360x720"}, 1, 1, std::nullopt},       // no --scale: as the display is
         }) {
        const std::optional<double> factor = interfaceScaleFactor(parsed(c.arguments).scale, c.displayRatio, c.presentFactor);
        ASSERT_EQ(factor.has_value(), c.factor.has_value()) << c.arguments.join(' ').toStdString();
        if (factor) {
            EXPECT_NEAR(*factor, *c.factor, 1e-9) << c.arguments.join(' ').toStdString();
        }
    }
}

TEST(AppDelegateLaunch, TintsAlertsAndNamesTheSceneConfiguration)
{
    AppDelegate delegate;
    EXPECT_TRUE(delegate.didFinishLaunching());
    EXPECT_EQ(platform::AlertCard::tintColor(), fennelkit::FNApp(fennelkit::FNApp::cellarium).tintColor());
    const SceneConfiguration configuration = delegate.configurationForConnecting(QStringLiteral("application"));
    EXPECT_EQ(configuration.name, QStringLiteral("Default Configuration"));
    EXPECT_EQ(configuration.role, QStringLiteral("application"));
}

namespace {

class CountingIdleTimer : public platform::IdleTimer {
public:
    int inhibits = 0;
    int releases = 0;

protected:
    void inhibit() override { ++inhibits; }
    void uninhibit() override { ++releases; }
};

class SceneChanges : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::setUserDefaults(std::make_unique<platform::UserDefaults>(dir_.filePath("defaults.json")));
        platform::userDefaults().setValue(QStringLiteral("KeyOfDidShowGuide"), true);
        auto idle = std::make_unique<CountingIdleTimer>();
        idle_ = idle.get();
        services_.emplace(platform::Services().with(std::move(idle)));
        board_ = new MainViewController;
        board_->setDelayedWork([](int, QObject*, std::function<void()>) {});
        window_.setRootViewController(board_);
        scene_.window = &window_;
    }
    void TearDown() override
    {
        services_.reset();
        platform::setUserDefaults(nullptr);
    }

    QTemporaryDir dir_;
    std::optional<platform::ServicesInPlace> services_;
    CountingIdleTimer* idle_ = nullptr;
    platform::AppWindow window_;
    MainViewController* board_ = nullptr;
    SceneDelegate scene_;
};

}  // namespace

TEST_F(SceneChanges, LeavingTheForegroundPausesTheBoardAndItStaysPaused)
{
    for (Qt::ApplicationState state : {Qt::ApplicationInactive, Qt::ApplicationHidden, Qt::ApplicationSuspended}) {
        board_->startSimulation();
        scene_.applicationStateChanged(state);
        EXPECT_FALSE(board_->startGame()) << state;
        scene_.applicationStateChanged(Qt::ApplicationActive);
        EXPECT_FALSE(board_->startGame());
    }
    scene_.applicationStateChanged(Qt::ApplicationInactive);  // already paused: harmless
    EXPECT_FALSE(board_->startGame());
}

TEST_F(SceneChanges, TheScreenIsKeptAwakeOnlyWhileTheAppIsActive)
{
    platform::services().idleTimer().setIdleTimerDisabled(true);
    EXPECT_EQ(idle_->inhibits, 1);
    scene_.applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(idle_->isInhibiting());
    EXPECT_EQ(idle_->releases, 1);
    scene_.applicationStateChanged(Qt::ApplicationHidden);
    EXPECT_EQ(idle_->releases, 1);
    scene_.applicationStateChanged(Qt::ApplicationActive);
    EXPECT_TRUE(idle_->isInhibiting());
    EXPECT_EQ(idle_->inhibits, 2);
}

TEST(CommandLine, PassesQtsOwnOptionsToQtAndRefusesAStrayArgument)
{
    const auto result = CommandLineOptions::parseProgramArguments({"-platform", "offscreen", "--scale", "2"});
    ASSERT_TRUE(std::holds_alternative<CommandLineOptions>(result));
    EXPECT_EQ(std::get<CommandLineOptions>(result).scale, 2.0);
    const auto stray = CommandLineOptions::parseProgramArguments({"--scale", "2", "board.rle"});
    ASSERT_TRUE(std::holds_alternative<QString>(stray));
    EXPECT_EQ(std::get<QString>(stray), "unexpected argument 'board.rle'; see --help");
}

TEST(WindowFit, KeepsThePhoneSizeWhereItFitsAndShrinksWithItsProportionsWhereNot)
{
    EXPECT_EQ(fittedWindowSize({390, 844}, {1920, 1080}, {16, 64}), QSizeF(390, 844));
    // A 1366 × 768 laptop: the whole window, buttons included, stays on screen.
    const QSizeF laptop = fittedWindowSize({390, 844}, {1366, 768}, {16, 64});
    EXPECT_LE(laptop.height(), 768 - 64);
    EXPECT_NEAR(laptop.width() / laptop.height(), 390.0 / 844, 0.01);
}

TEST(ShellResources, TheWindowIconIsThere)
{
    loadShellResources();
    EXPECT_FALSE(QIcon(QStringLiteral(":/cellarium/AppIcon.png")).isNull());
}

// Every launch used to give the window the standard icon, whatever was chosen.
TEST(ShellResources, AtLaunchTheWindowsShowTheAppIconChosenInAnEarlierRun)
{
    QTemporaryDir dir;
    platform::setUserDefaults(std::make_unique<platform::UserDefaults>(dir.filePath("defaults.json")));
    auto icons = std::make_unique<platform::AlternateIcons>();
    const auto filled = [](Qt::GlobalColor color) {
        QPixmap pixmap(32, 32);
        pixmap.fill(color);
        return QIcon(pixmap);
    };
    icons->setStandardIcon(QStringLiteral("cellarium"), filled(Qt::green));
    icons->addAlternateIcon(QStringLiteral("OtherAppIcon"), QStringLiteral("cellarium-OtherAppIcon"), filled(Qt::blue));
    platform::ServicesInPlace services(platform::Services().with(std::move(icons)));
    const auto windowColor = [] { return platform::AppWindow().windowIcon().pixmap(16).toImage().pixelColor(8, 8); };

    loadShellResources();
    for (const auto& [stored, color] : {std::pair{QVariant(true), QColor(Qt::blue)}, std::pair{QVariant(false), QColor(Qt::green)},
                                        std::pair{QVariant(QStringLiteral("true")), QColor(Qt::green)}}) {
        platform::userDefaults().setValue(QStringLiteral("DidUseLiveIcon"), stored);
        restoreAppIcon();
        EXPECT_EQ(windowColor(), color) << stored.toString().toStdString();
    }
    platform::setUserDefaults(nullptr);
}
