#pragma once

// Internal to FennelKit: the framework's own resources (its string table and
// images), kept apart from the host application's.

#include <QImage>
#include <QString>

namespace fennelkit {

class FNBundleClass {
public:
    FNBundleClass() = delete;

    // The text for an English key in the framework's string table, in the
    // language of the default locale (the system locale unless the host set
    // another); the key itself where there is no translation.
    static QString localizedString(const char* englishKey);

    // The framework image of that name, or a null image if there is none.
    static QImage image(const QString& name);
};

}  // namespace fennelkit
