#include "browser/LibraryCell.h"

#include "ui_LibraryCell.h"

#include "platform/ImageView.h"

#include <QLabel>

LibraryCell::LibraryCell(QWidget* parent) : GridViewCell(parent), ui_(std::make_unique<Ui::LibraryCell>())
{
    ui_->setupUi(this);
    // A thumbnail is drawn at the cell's size: shown as it is, never enlarged.
    ui_->thumbnailView->setScaling(platform::ImageView::Scaling::ShrinkOnly);
    // Touches anywhere on the cell choose it.
    ui_->thumbnailView->setAttribute(Qt::WA_TransparentForMouseEvents);
    ui_->nameLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
}

LibraryCell::~LibraryCell() = default;

platform::ImageView* LibraryCell::thumbnailView() const
{
    return ui_->thumbnailView;
}

QLabel* LibraryCell::nameLabel() const
{
    return ui_->nameLabel;
}

void LibraryCell::setPattern(const QString& name, const QString& description, const QImage& thumbnail)
{
    thumbnail_ = thumbnail;
    ui_->thumbnailView->setImage(thumbnail);
    ui_->nameLabel->setText(name);
    setAccessibleName(name);
    setAccessibleDescription(description);
    setToolTip(name);
}
