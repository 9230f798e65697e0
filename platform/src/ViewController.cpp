#include "platform/ViewController.h"

#include "SheetPresentation.h"
#include "platform/Segue.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDebug>
#include <QKeyEvent>
#include <QEvent>

#include <vector>

namespace platform {

namespace {

bool animationsOn = true;

using SegueFactory = std::function<ViewController*()>;

std::map<QString, SegueFactory>& processSegues()
{
    static std::map<QString, SegueFactory> segues;
    return segues;
}

} // namespace

ViewController::ViewController(QWidget* parent) : QWidget(parent) {}

ViewController::~ViewController()
{
    // Screens presented over this one leave with it.
    if (presented_ && presented_->presentation_)
        delete presented_->presentation_.data();
    // Deleted directly while presented: unlink and drop the empty backdrop.
    if (presentation_) {
        if (presenting_ && presenting_->presented_ == this)
            presenting_->presented_.clear();
        presentation_->deleteLater();
    }
}

void ViewController::loadViewIfNeeded()
{
    if (loaded_)
        return;
    loaded_ = true;
    viewDidLoad();
}

void ViewController::present(ViewController* viewController, bool animated, std::function<void()> completion)
{
    if (!viewController)
        return;
    if (presented_ && presented_->presentation_ && presented_->presentation_->isDismissing())
        presented_->presentation_->finishNow();
    if (viewController == this || presented_ || viewController->presentation_) {
        qWarning().noquote() << "ViewController: cannot present" << viewController->metaObject()->className()
                             << "over" << metaObject()->className() << "(already presenting or presented)";
        if (viewController != this && !viewController->presentation_ && !viewController->parent())
            viewController->deleteLater();
        return;
    }

    // Loaded before it is laid out, so that its size hint counts its content.
    viewController->loadViewIfNeeded();
    auto* presentation = new SheetPresentation(window(), viewController);
    viewController->presentation_ = presentation;
    viewController->presenting_ = this;
    presented_ = viewController;
    presentation->takeKeyboard();

    const bool animate = animated && animationsOn;
    viewController->viewWillAppear(animate);
    QPointer<ViewController> shown(viewController);
    presentation->showAnimated(animate, [shown, animate, completion = std::move(completion)] {
        if (shown)
            shown->viewDidAppear(animate);
        if (completion)
            completion();
    });
}

void ViewController::dismiss(bool animated, std::function<void()> completion)
{
    ViewController* target = presented_ ? presented_.data() : (presentation_ ? this : nullptr);
    if (!target || !target->presentation_) {
        if (completion)
            completion();
        return;
    }
    if (target->presentation_->isDismissing()) {
        target->presentation_->addDismissCompletion(std::move(completion));
        return;
    }

    // The target and everything presented above it, topmost first.
    std::vector<QPointer<ViewController>> chain;
    for (ViewController* screen = target; screen && screen->presentation_; screen = screen->presented_)
        chain.insert(chain.begin(), screen);
    for (const auto& screen : chain)
        screen->presentation_->finishNow(); // a sheet still sliding in has appeared first

    const bool animate = animated && animationsOn;
    target->presentation_->addDismissCompletion(std::move(completion));
    for (const auto& screen : chain) {
        if (screen)
            screen->viewWillDisappear(animate);
    }

    QPointer<SheetPresentation> targetPresentation = target->presentation_;
    // The keys go back to the screen below, where they were before (Escape closes it next).
    QPointer<ViewController> below = target->presenting_;
    QPointer<QWidget> focusBefore = targetPresentation->focusBefore();
    auto finish = [chain, animate, targetPresentation, below, focusBefore] {
        std::vector<std::function<void()>> completions;
        if (targetPresentation)
            completions = targetPresentation->takeDismissCompletions();
        for (const auto& screen : chain) {
            if (!screen)
                continue;
            if (screen->presentation_ && screen->presentation_ != targetPresentation)
                screen->presentation_->finishNow();
            if (screen->presenting_ && screen->presenting_->presented_ == screen)
                screen->presenting_->presented_.clear();
            screen->presenting_.clear();
            screen->viewDidDisappear(animate);
            if (screen->presentation_) {
                screen->presentation_->uncover();
                screen->presentation_->hide();
                screen->presentation_->deleteLater();
            }
        }
        if (below && below->isVisible() && !below->presentedViewController()) {
            QWidget* keys = focusBefore && below->isAncestorOf(focusBefore) && focusBefore->isEnabled() ? focusBefore.data()
                                                                                                      : below->focusWidget();
            (keys && below->isAncestorOf(keys) ? keys : static_cast<QWidget*>(below.data()))->setFocus(Qt::OtherFocusReason);
        }
        for (auto& done : completions) {
            if (done)
                done();
        }
    };
    for (const auto& screen : chain) {
        if (screen && screen->presentation_ != targetPresentation)
            screen->presentation_->hideAnimated(animate, {});
    }
    targetPresentation->hideAnimated(animate, std::move(finish));
}

void ViewController::registerSegue(const QString& identifier, std::function<ViewController*()> makeDestination)
{
    processSegues()[identifier] = std::move(makeDestination);
}

void ViewController::unregisterSegue(const QString& identifier)
{
    processSegues().erase(identifier);
}

void ViewController::addSegue(const QString& identifier, std::function<ViewController*()> makeDestination)
{
    segues_[identifier] = std::move(makeDestination);
}

void ViewController::performSegue(const QString& identifier, QObject* sender)
{
    SegueFactory make;
    if (auto own = segues_.find(identifier); own != segues_.end())
        make = own->second;
    else if (auto shared = processSegues().find(identifier); shared != processSegues().end())
        make = shared->second;
    ViewController* destination = make ? make() : nullptr;
    if (!destination) {
        qWarning().noquote() << "ViewController:" << metaObject()->className() << "has no segue" << identifier;
        Q_ASSERT_X(false, "ViewController::performSegue", "no segue with this identifier");
        return;
    }
    Segue segue{identifier, this, destination};
    prepare(segue, sender);
    present(destination, true);
}

void ViewController::prepare(Segue& segue, QObject* sender)
{
    Q_UNUSED(segue);
    Q_UNUSED(sender);
}

void ViewController::keyPressEvent(QKeyEvent* event)
{
    // Return and Enter press the focused button, as Space does: buttons outside
    // dialogs leave them unused, and they end up here.
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        auto* button = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
        if (button && isAncestorOf(button) && button->isEnabled() && button->isVisible()) {
            button->click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

bool ViewController::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::LayoutRequest:
    case QEvent::Show:
        if (loaded_)
            viewDidLayoutSubviews();
        break;
    default:
        break;
    }
    return handled;
}

void ViewController::setAnimationsEnabled(bool enabled)
{
    animationsOn = enabled;
}

bool ViewController::animationsEnabled()
{
    return animationsOn;
}

} // namespace platform
