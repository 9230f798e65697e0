#include "options/OptionCell.h"

#include "widgets/DesignableImageView.h"
#include "widgets/DesignableView.h"
#include "ui_OptionCell.h"

#include <QResizeEvent>

namespace {

// The interface file's margins around the border and around the icon, for a tile of designSide.
constexpr int designOuterMargin = 6;
constexpr int designInnerMargin = 28;

}  // namespace

OptionCell::OptionCell(QWidget* parent) : GridViewCell(parent), ui_(std::make_unique<Ui::OptionCell>())
{
    ui_->setupUi(this);
    // The cell is the button: touches on the icon select it.
    ui_->containerView->setAttribute(Qt::WA_TransparentForMouseEvents);
}

OptionCell::~OptionCell() = default;

DesignableView* OptionCell::containerView() const
{
    return ui_->containerView;
}

DesignableImageView* OptionCell::iconImageView() const
{
    return ui_->iconImageView;
}

void OptionCell::resizeEvent(QResizeEvent* event)
{
    GridViewCell::resizeEvent(event);
    const double share = double(qMin(width(), height())) / designSide;
    const int outer = qRound(designOuterMargin * share);
    const int inner = qRound(designInnerMargin * share);
    ui_->cellLayout->setContentsMargins(outer, outer, outer, outer);
    ui_->containerLayout->setContentsMargins(inner, inner, inner, inner);
}
