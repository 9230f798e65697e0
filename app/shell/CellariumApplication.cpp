#include "shell/CellariumApplication.h"

#include "board/MainViewController.h"
#include "options/MoreViewController.h"
#include "shell/AppDelegate.h"
#include "shell/BoardStateKeeper.h"
#include "shell/SceneDelegate.h"
#include "shell/ScreenRegistry.h"
#include "shell/TerminationSignals.h"
#include "shell/WindowFit.h"
#include "store/CoreLifeManager.h"

#include "model/BoardGeometry.h"
#include "platform/AlternateIcons.h"
#include "platform/ApplicationId.h"
#include "platform/AppWindow.h"
#include "platform/Bundle.h"
#include "platform/MainScreen.h"
#include "platform/SharedCopies.h"
#include "platform/Storefront.h"

#include <QApplication>
#include <QIcon>
#include <QInputDevice>
#include <QScreen>

#include <optional>

namespace {

bool onTouchDevice()
{
    for (const QInputDevice* device : QInputDevice::devices()) {
        if (device->type() == QInputDevice::DeviceType::TouchScreen)
            return true;
    }
    return false;
}

// Room for a desktop window manager's title bar and borders, which are not known
// before the window is shown.
constexpr QSize kWindowFrame{16, 64};

}  // namespace

void nameApplication()
{
    QApplication::setApplicationName(QStringLiteral("cellarium"));
    // Desktops match the window to the installed entry by it (Wayland's app id).
    QGuiApplication::setDesktopFileName(platform::applicationId());
}

void loadShellResources()
{
    // The resources live in a static library: nothing else would pull them in.
    Q_INIT_RESOURCE(resources);
}

void applyPlatformOptions(const CommandLineOptions& options)
{
    std::optional<QSizeF> screen = options.screen;
    if (!screen && !onTouchDevice() && QGuiApplication::primaryScreen() != nullptr)
        screen = fittedWindowSize(platform::MainScreen::desktopSize,
                                  QGuiApplication::primaryScreen()->availableGeometry().size(), kWindowFrame);
    platform::services().mainScreen().setSizeOverride(screen);
    platform::services().mainScreen().setScaleOverride(options.scale);
    if (options.storefront)
        platform::services().storefront().setOverride(options.storefront);
}

cellarium::ScreenInputs mainScreenInputs()
{
    platform::MainScreen& screen = platform::services().mainScreen();
    const QSizeF size = screen.size();
    return {size.width(), size.height(), screen.scale()};
}

void restoreAppIcon()
{
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/cellarium/AppIcon.png")));
    const bool alternate = MoreViewController::storedDidUseLiveIcon().value_or(false);
    platform::services().alternateIcons().restoreAlternateIconName(
        alternate ? std::optional(QString::fromLatin1(MoreViewController::otherAppIconName)) : std::nullopt);
}

int runCellarium(const CommandLineOptions& options)
{
    loadShellResources();
    applyPlatformOptions(options);
    cellarium::CoreLifeManager archive;
    registerScreens({.archive = archive});
    restoreAppIcon();
    // Copies handed to other applications by a run that did not end cleanly.
    platform::SharedCopies::removeCopiesOlderThan(QDateTime::currentDateTime().addDays(-1));

    AppDelegate appDelegate;
    if (!appDelegate.didFinishLaunching())
        return 1;
    const SceneConfiguration configuration = appDelegate.configurationForConnecting(QStringLiteral("application"));

    platform::AppWindow window;
    window.setObjectName(configuration.name);
    window.setWindowTitle(platform::services().mainBundle().infoValue(QStringLiteral("CFBundleDisplayName")).toString());
    // The board is handed the screen once, at this size; the window may then be resized
    // and maximised, and the board and its buttons follow the window.
    const cellarium::ScreenInputs screen = mainScreenInputs();
    window.resize(qRound(screen.width), qRound(screen.height));
    window.setMinimumSize(200, 200);
    auto* board = new MainViewController(screen);
    window.setRootViewController(board);
    // The board kept by the last run, set back before the window shows.
    BoardStateKeeper stateKeeper(*board, BoardStateFile::defaultFilePath());
    stateKeeper.restore();

    TerminationSignals terminationSignals;
    SceneDelegate sceneDelegate;
    sceneDelegate.window = &window;
    sceneDelegate.stateKeeper = &stateKeeper;
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, &sceneDelegate,
                     &SceneDelegate::applicationStateChanged);

    if (onTouchDevice() && !options.screen)
        window.showFullScreen();
    else
        window.show();
    window.activateWindow();  // keys reach the board without a click first
    // Closing the window and SIGTERM (TerminationSignals) both end the loop here.
    const int status = QApplication::exec();
    stateKeeper.finish();
    return status;
}
