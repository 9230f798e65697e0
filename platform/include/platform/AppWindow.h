#pragma once

#include "platform/PlatformExport.h"

#include <QWidget>

namespace platform {

class ViewController;

// The one application window. It shows its root screen across its whole area;
// presented screens are laid over it as sheets.
class PLATFORM_EXPORT AppWindow : public QWidget {
    Q_OBJECT

public:
    explicit AppWindow(QWidget* parent = nullptr);
    ~AppWindow() override;

    // Takes ownership of `root` and loads it. A previous root disappears (if it
    // had appeared) and is deleted later. `root` appears at once when the
    // window is already showing, otherwise when the window is first shown.
    void setRootViewController(ViewController* root);
    ViewController* rootViewController() const;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void rootDidShow();

    ViewController* root_ = nullptr;
    bool rootAppeared_ = false;
};

// The key window: the visible AppWindow that is the active window while the
// application is active, or the one set by setKeyWindow. nullptr when none.
PLATFORM_EXPORT AppWindow* keyWindow();
// For tests: makes `window` the key window; nullptr restores the default rule.
PLATFORM_EXPORT void setKeyWindow(AppWindow* window);

} // namespace platform
