#pragma once

#include <QString>

namespace platform {

class ViewController;

// A transition between two screens. The destination is built but not loaded
// (its viewDidLoad has not run) while the source prepares it.
struct Segue {
    QString identifier;
    ViewController* source = nullptr;
    ViewController* destination = nullptr;
};

} // namespace platform
