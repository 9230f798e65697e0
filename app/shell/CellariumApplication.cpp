#include "shell/CellariumApplication.h"

#include "board/MainViewController.h"
#include "options/MoreViewController.h"
#include "shell/AppDelegate.h"
#include "shell/BoardStateKeeper.h"
#include "shell/SceneDelegate.h"
#include "shell/ScreenRegistry.h"
#include "shell/TerminationSignals.h"
#include "shell/WindowFit.h"

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
    platform::mainScreen().setSizeOverride(screen);
    platform::mainScreen().setScaleOverride(options.scale);
    if (options.storefront)
        platform::storefront().setOverride(options.storefront);
    cellarium::setMainScreenReader([] {
        const QSizeF size = platform::mainScreen().size();
        return cellarium::ScreenInputs{size.width(), size.height(), platform::mainScreen().scale()};
    });
}

void restoreAppIcon()
{
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/cellarium/AppIcon.png")));
    const bool alternate = MoreViewController::storedDidUseLiveIcon().value_or(false);
    platform::alternateIcons().restoreAlternateIconName(
        alternate ? std::optional(QString::fromLatin1(MoreViewController::otherAppIconName)) : std::nullopt);
}

int runCellarium(const CommandLineOptions& options)
{
    loadShellResources();
    applyPlatformOptions(options);
    registerScreens();
    restoreAppIcon();
    // Copies handed to other applications by a run that did not end cleanly.
    platform::SharedCopies::removeCopiesOlderThan(QDateTime::currentDateTime().addDays(-1));

    AppDelegate appDelegate;
    if (!appDelegate.didFinishLaunching())
        return 1;
    const SceneConfiguration configuration = appDelegate.configurationForConnecting(QStringLiteral("application"));

    platform::AppWindow window;
    window.setObjectName(configuration.name);
    window.setWindowTitle(platform::mainBundle().infoValue(QStringLiteral("CFBundleDisplayName")).toString());
    // The board reads the screen once, at this size; the window may then be resized
    // and maximised, and the board and its buttons follow the window.
    const cellarium::BoardGeometry& geometry = cellarium::boardGeometry();
    window.resize(qRound(geometry.mainScreenWidth()), qRound(geometry.mainScreenHeight()));
    window.setMinimumSize(200, 200);
    auto* board = new MainViewController;
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
