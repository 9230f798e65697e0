#include "CellariumApplication.h"

#include "AppDelegate.h"
#include "MainViewController.h"
#include "OptionsScreens.h"
#include "SceneDelegate.h"
#include "TerminationSignals.h"

#include "BoardGeometry.h"
#include "platform/AppWindow.h"
#include "platform/Bundle.h"
#include "platform/MainScreen.h"
#include "platform/Storefront.h"

#include <QApplication>
#include <QIcon>
#include <QInputDevice>

namespace {

bool onTouchDevice()
{
    for (const QInputDevice* device : QInputDevice::devices()) {
        if (device->type() == QInputDevice::DeviceType::TouchScreen)
            return true;
    }
    return false;
}

}  // namespace

void applyPlatformOptions(const CommandLineOptions& options)
{
    platform::mainScreen().setSizeOverride(options.screen);
    platform::mainScreen().setScaleOverride(options.scale);
    if (options.storefront)
        platform::storefront().setOverride(options.storefront);
    cellarium::setMainScreenReader([] {
        const QSizeF size = platform::mainScreen().size();
        return cellarium::ScreenInputs{size.width(), size.height(), platform::mainScreen().scale()};
    });
}

int runCellarium(const CommandLineOptions& options)
{
    applyPlatformOptions(options);
    registerOptionsScreens();

    AppDelegate appDelegate;
    if (!appDelegate.didFinishLaunching())
        return 1;
    const SceneConfiguration configuration = appDelegate.configurationForConnecting(QStringLiteral("application"));

    platform::AppWindow window;
    window.setObjectName(configuration.name);
    window.setWindowTitle(platform::mainBundle().infoValue(QStringLiteral("CFBundleDisplayName")).toString());
    window.setWindowIcon(QIcon(QStringLiteral(":/cellarium/AppIcon.png")));
    // The board reads the screen once, so the window keeps the size it starts with.
    const cellarium::BoardGeometry& geometry = cellarium::boardGeometry();
    window.setFixedSize(qRound(geometry.mainScreenWidth()), qRound(geometry.mainScreenHeight()));
    window.setRootViewController(new MainViewController);

    TerminationSignals terminationSignals;
    SceneDelegate sceneDelegate;
    sceneDelegate.window = &window;
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, &sceneDelegate,
                     &SceneDelegate::applicationStateChanged);

    if (onTouchDevice() && !options.screen)
        window.showFullScreen();
    else
        window.show();
    return QApplication::exec();
}
