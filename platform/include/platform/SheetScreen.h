#pragma once

#include "platform/PlatformExport.h"
#include "platform/ViewController.h"

#include <functional>

class QToolButton;

namespace platform {

// A screen presented as a sheet with a close button. Closing is written here once
// for every sheet: the close button and Escape close it, the closing cue plays as
// it starts to go, and what it hands back to its presenter runs once it has gone
// (with the keyboard back on the screen below). Focus, Tab and the covering of the
// screen below are the presentation's (ViewController::present).
//
// Main thread only.
class PLATFORM_EXPORT SheetScreen : public ViewController {
    Q_OBJECT

public:
    // `closingCue` (the app's click) plays whenever the sheet goes, however it was closed.
    explicit SheetScreen(std::function<void()> closingCue = {}, QWidget* parent = nullptr);

    // The close button's action: closes the sheet, handing nothing back.
    void back(QObject* sender);

protected:
    // Makes `button` the close button: the close symbol, "Close" as its name and
    // tooltip, and a press closes the sheet.
    void setUpCloseButton(QToolButton& button);
    // Closes the sheet and then runs `handBack` (the presenter's closure with what
    // the sheet chose); the sheet still exists when it runs.
    void closeHandingBack(std::function<void()> handBack);

    void viewWillDisappear(bool animated) override;
    // Escape closes; Return and Enter press the focused button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void()> closingCue_;
};

} // namespace platform
