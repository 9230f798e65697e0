#include "options/AppIconChoice.h"

#include "platform/AlternateIcons.h"
#include "platform/UserDefaults.h"

#include <QString>
#include <QVariant>

#include <iostream>

std::optional<bool> AppIconChoice::stored()
{
    const QVariant stored = platform::userDefaults().value(QString::fromLatin1(didUseLiveIconKey));
    return stored.typeId() == QMetaType::Bool ? std::optional(stored.toBool()) : std::nullopt;
}

void AppIconChoice::choose(bool didUseLiveIcon)
{
    apply(didUseLiveIcon);
    platform::userDefaults().setValue(QString::fromLatin1(didUseLiveIconKey), didUseLiveIcon);
}

void AppIconChoice::apply(bool didUseLiveIcon)
{
    platform::AlternateIcons& icons = platform::services().alternateIcons();
    if (!icons.supportsAlternateIcons())
        return;
    const std::optional<QString> name =
        didUseLiveIcon ? std::optional<QString>(QString::fromLatin1(otherAppIconName)) : std::nullopt;
    icons.setAlternateIconName(name, [](std::optional<QString> error) {
        if (error)
            std::cout << "App icon failed to change due to " << error->toStdString() << std::endl;
        else
            std::cout << "App icon changed successfully" << std::endl;
    });
}
