#include "platform/MainScreen.h"

#include <QGuiApplication>
#include <QInputDevice>
#include <QScreen>

namespace platform {

namespace {

QScreen* primaryScreen()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen() : nullptr;
}

bool hasTouchScreen()
{
    const auto devices = QInputDevice::devices();
    return std::any_of(devices.begin(), devices.end(),
                       [](const QInputDevice* device) { return device->type() == QInputDevice::DeviceType::TouchScreen; });
}

} // namespace

MainScreen::~MainScreen() = default;

QSizeF MainScreen::size() const
{
    if (sizeOverride_)
        return *sizeOverride_;
    // A phone or tablet gives the app its whole display; a desktop window
    // keeps a phone's proportions.
    if (QScreen* screen = primaryScreen(); screen && hasTouchScreen())
        return screen->availableSize().toSizeF();
    return desktopSize;
}

qreal MainScreen::scale() const
{
    if (scaleOverride_)
        return *scaleOverride_;
    QScreen* screen = primaryScreen();
    const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
    return ratio > 1.0 ? ratio : 3.0;
}

} // namespace platform
