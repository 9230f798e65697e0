#include "OptionCell.h"

#include "DesignableImageView.h"
#include "DesignableView.h"
#include "ui_OptionCell.h"

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
