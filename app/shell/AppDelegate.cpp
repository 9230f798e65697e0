#include "shell/AppDelegate.h"

#include "FNApp.h"
#include "platform/AlertCard.h"

bool AppDelegate::didFinishLaunching()
{
    platform::AlertCard::setTintColor(fennelkit::FNApp(fennelkit::FNApp::cellarium).tintColor());
    return true;
}

SceneConfiguration AppDelegate::configurationForConnecting(const QString& role) const
{
    return {QStringLiteral("Default Configuration"), role};
}
