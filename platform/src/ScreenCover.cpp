#include "platform/ScreenCover.h"

namespace platform {

void ScreenCover::coverSiblingsOf(const QWidget& cover)
{
    uncover();
    QWidget* parent = cover.parentWidget();
    if (!parent)
        return;
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        // Disabled already (by its screen or a cover below this one): not this cover's to give back.
        if (!widget || widget == &cover || widget->isWindow() || !widget->isEnabledTo(parent))
            continue;
        widget->setEnabled(false);
        covered_.emplace_back(widget);
    }
}

void ScreenCover::uncover()
{
    for (const QPointer<QWidget>& widget : covered_) {
        if (widget)
            widget->setEnabled(true);
    }
    covered_.clear();
}

} // namespace platform
