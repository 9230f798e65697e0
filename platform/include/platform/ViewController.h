#pragma once

#include "platform/PlatformExport.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>

namespace platform {

struct Segue;
class SheetPresentation;

enum class PresentationStyle {
    PageSheet,  // slides up over the presenter, leaving a strip of it visible at the top
    FullScreen, // slides up and covers the whole window
    Centered,   // fades in as a card at its own size in the middle of the window (alerts)
    Popover,    // fades in as a card at its own size beside popoverSourceRect (below it if it fits, else above)
};

// A screen. The widget is the screen's view; subclasses build their content in
// viewDidLoad(), which runs once, on the first loadViewIfNeeded() (when the
// screen becomes a window's root, is presented, or is the destination of a
// segue after prepare()).
//
// Appearance: a root screen appears when its window is first shown (not when a
// minimised window is restored); a presented screen appears when it is
// presented and disappears when it is dismissed. The presenter gets no appear
// or disappear calls while a screen is presented over it or dismissed from it.
//
// While a screen is presented over it, the presenter is out of reach: the keys,
// Tab and the accessibility tree's actions go to the topmost screen only. The
// presented screen takes the keyboard when it shows, and the screen below gets
// it back, on the control that had it, when the screen over it goes.
//
// Main thread only.
class PLATFORM_EXPORT ViewController : public QWidget {
    Q_OBJECT

public:
    explicit ViewController(QWidget* parent = nullptr);
    ~ViewController() override;

    bool isViewLoaded() const { return loaded_; }
    void loadViewIfNeeded();

    // Presents `viewController` over this screen inside the same window and
    // takes ownership of it; it is deleted (later) once dismissed. Refused with
    // a warning, and `viewController` deleted, when this screen already presents
    // one or `viewController` is already presented. `completion` runs after
    // viewDidAppear of the presented screen.
    void present(ViewController* viewController, bool animated, std::function<void()> completion = {});

    // Dismisses the screen this one presents (with everything presented above
    // it), or, when it presents nothing, this screen itself. The dismissed
    // screens get viewWillDisappear / viewDidDisappear, topmost first, and
    // `completion` runs after them. With nothing to dismiss, `completion` runs
    // at once.
    void dismiss(bool animated, std::function<void()> completion = {});

    ViewController* presentedViewController() const { return presented_; }
    ViewController* presentingViewController() const { return presenting_; }

    PresentationStyle modalPresentationStyle() const { return presentationStyle_; }
    void setModalPresentationStyle(PresentationStyle style) { presentationStyle_ = style; }
    // What a Popover points at, in the window's coordinates.
    QRect popoverSourceRect() const { return popoverSourceRect_; }
    void setPopoverSourceRect(const QRect& rect) { popoverSourceRect_ = rect; }

    // Segues: destinations are made by factories registered by identifier, on
    // this screen (addSegue) or process-wide (registerSegue); this screen's own
    // win. performSegue builds the destination, calls prepare(), then presents
    // it animated. An unknown identifier is a programming error: it asserts in
    // debug builds and is ignored with a warning otherwise.
    static void registerSegue(const QString& identifier, std::function<ViewController*()> makeDestination);
    static void unregisterSegue(const QString& identifier);
    void addSegue(const QString& identifier, std::function<ViewController*()> makeDestination);
    void performSegue(const QString& identifier, QObject* sender);

    // Process-wide switch for tests: when off, every present and dismiss
    // completes synchronously as if `animated` were false.
    static void setAnimationsEnabled(bool enabled);
    static bool animationsEnabled();

    // Durations of the sheet animations, in milliseconds.
    static constexpr int presentDurationMs = 300;
    static constexpr int dismissDurationMs = 250;

protected:
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool animated) { Q_UNUSED(animated); }
    virtual void viewDidAppear(bool animated) { Q_UNUSED(animated); }
    virtual void viewWillDisappear(bool animated) { Q_UNUSED(animated); }
    virtual void viewDidDisappear(bool animated) { Q_UNUSED(animated); }
    // After each layout pass of a loaded view: a resize, a layout request of its
    // children, or when it is shown.
    virtual void viewDidLayoutSubviews() {}
    virtual void prepare(Segue& segue, QObject* sender);
    // A tap on the dimmed backdrop beside this presented screen. Nothing by
    // default; a card the user may leave without choosing dismisses itself.
    virtual void backdropTapped() {}
    // Return and Enter press the focused button of this screen.
    void keyPressEvent(QKeyEvent* event) override;

    bool event(QEvent* event) override;

private:
    friend class AppWindow;
    friend class SheetPresentation;

    bool loaded_ = false;
    PresentationStyle presentationStyle_ = PresentationStyle::PageSheet;
    QRect popoverSourceRect_;
    QPointer<ViewController> presented_;
    QPointer<ViewController> presenting_;
    QPointer<SheetPresentation> presentation_; // set while this screen is presented
    std::map<QString, std::function<ViewController*()>> segues_;
};

} // namespace platform
