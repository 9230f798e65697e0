#pragma once

#include "platform/ViewController.h"

#include <QString>
#include <QtGlobal>

namespace platform {

// A transition between two screens. The destination is built but not loaded
// (its viewDidLoad has not run) while the source prepares it.
struct Segue {
    QString identifier;
    ViewController* source = nullptr;
    ViewController* destination = nullptr;

    // The destination as the screen the identifier stands for. A destination of
    // another class is a programming error (a factory registered under the wrong
    // identifier): it asserts in debug builds and gives null otherwise.
    template <typename Screen>
    Screen* destinationAs() const
    {
        auto* screen = qobject_cast<Screen*>(destination);
        Q_ASSERT_X(screen || !destination, "Segue::destinationAs", "the destination is not the screen the segue names");
        return screen;
    }
};

} // namespace platform
