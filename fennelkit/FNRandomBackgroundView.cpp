#include "FNRandomBackgroundView.h"

#include "AnimationView.h"

#include <QtGlobal>

namespace fennelkit {

QWidget* FNRandomBackgroundView::makeView() const
{
    return new AnimationView;
}

void FNRandomBackgroundView::updateView(QWidget& view) const
{
    auto* animationView = qobject_cast<AnimationView*>(&view);
    if (!animationView)
        qFatal("FNRandomBackgroundView: asked to update a view it did not make");
    animationView->setColor(color);
    animationView->createTimer();
}

}  // namespace fennelkit
