#include "board/FirstRunGuide.h"

#include "FNApp.h"
#include "FNGuideView.h"

namespace firstrunguide {

void showIfDue(QWidget* window)
{
    if (!fennelkit::FNGuideView::shouldShowGuide())
        return;
    const fennelkit::FNApp app = fennelkit::FNApp::cellarium;
    fennelkit::FNGuideView::initFromNib(app.tintColor(), app.guideText())->showGuide(window, nullptr);
}

bool isShown(const QWidget* window)
{
    const auto* guide = window->findChild<fennelkit::FNGuideView*>();
    return guide != nullptr && guide->isVisible();
}

}  // namespace firstrunguide
