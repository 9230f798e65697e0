#include "platform/AppWindow.h"

#include "platform/ViewController.h"

#include <QGuiApplication>
#include <QPointer>
#include <QShowEvent>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace platform {

namespace {

std::vector<AppWindow*>& liveWindows()
{
    static std::vector<AppWindow*> windows;
    return windows;
}

QPointer<AppWindow>& keyWindowOverride()
{
    static QPointer<AppWindow> window;
    return window;
}

} // namespace

AppWindow::AppWindow(QWidget* parent) : QWidget(parent)
{
    liveWindows().push_back(this);
}

AppWindow::~AppWindow()
{
    std::erase(liveWindows(), this);
}

void AppWindow::setRootViewController(ViewController* root)
{
    if (root == root_)
        return;
    if (root_) {
        ViewController* old = root_;
        root_ = nullptr;
        if (rootAppeared_) {
            old->viewWillDisappear(false);
            old->hide();
            old->viewDidDisappear(false);
        }
        old->deleteLater();
    }
    root_ = root;
    rootAppeared_ = false;
    if (!root_)
        return;
    root_->setParent(this);
    root_->setGeometry(rect());
    root_->loadViewIfNeeded();
    root_->lower(); // below any sheet already over the window
    root_->show();
    if (isVisible())
        rootDidShow();
}

ViewController* AppWindow::rootViewController() const
{
    return root_;
}

void AppWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A spontaneous show is the window system restoring a minimised window:
    // that is not a new appearance of the screen.
    if (!event->spontaneous())
        rootDidShow();
}

void AppWindow::rootDidShow()
{
    if (!root_ || rootAppeared_)
        return;
    rootAppeared_ = true;
    root_->viewWillAppear(false);
    // Appeared once the window has been laid out and exposed.
    QTimer::singleShot(0, root_, [root = QPointer<ViewController>(root_)] {
        if (root)
            root->viewDidAppear(false);
    });
}

void AppWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (root_)
        root_->setGeometry(rect());
}

AppWindow* keyWindow()
{
    if (keyWindowOverride())
        return keyWindowOverride();
    if (QGuiApplication::applicationState() != Qt::ApplicationActive)
        return nullptr;
    const auto& windows = liveWindows();
    auto key = std::find_if(windows.begin(), windows.end(),
                            [](AppWindow* window) { return window->isVisible() && window->isActiveWindow(); });
    return key == windows.end() ? nullptr : *key;
}

void setKeyWindow(AppWindow* window)
{
    keyWindowOverride() = window;
}

} // namespace platform
