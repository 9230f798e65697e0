#pragma once

#include <QString>
#include <QtGlobal>

// While the application object starts, turns Qt's failure to open a display (its
// warnings, then a fatal message that aborts with advice to reinstall) into one
// line on standard error and exit status 2. Qt's start-up warnings are held back
// meanwhile and passed on once the display is open. One at a time, main thread only.
class DisplayFailureGuard {
public:
    DisplayFailureGuard();
    ~DisplayFailureGuard();  // the display is open: back to the previous handler
    DisplayFailureGuard(const DisplayFailureGuard&) = delete;
    DisplayFailureGuard& operator=(const DisplayFailureGuard&) = delete;

    // The line printed for a display that could not be opened, from Qt's first
    // warning about it (empty when there was none).
    static QString failureLine(const QString& firstWarning);
};
