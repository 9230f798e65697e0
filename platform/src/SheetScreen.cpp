#include "platform/SheetScreen.h"

#include "platform/SymbolButton.h"

#include <QKeyEvent>
#include <QToolButton>

namespace platform {

SheetScreen::SheetScreen(std::function<void()> closingCue, QWidget* parent)
    : ViewController(parent), closingCue_(std::move(closingCue))
{
}

void SheetScreen::back(QObject*)
{
    dismiss(true, [] {});
}

void SheetScreen::setUpCloseButton(QToolButton& button)
{
    setUpSymbolButton(button, QStringLiteral("xmark"), closeSymbolSide, tr("Close"));
    connect(&button, &QToolButton::clicked, this, [this, &button] { back(&button); });
}

void SheetScreen::closeHandingBack(std::function<void()> handBack)
{
    dismiss(true, std::move(handBack));
}

void SheetScreen::viewWillDisappear(bool animated)
{
    ViewController::viewWillDisappear(animated);
    if (closingCue_)
        closingCue_();
}

void SheetScreen::keyPressEvent(QKeyEvent* event)
{
    // Keys the sheet's controls leave unused end up here.
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (plain && event->key() == Qt::Key_Escape) {
        back(nullptr);
        return;
    }
    ViewController::keyPressEvent(event);
}

} // namespace platform
