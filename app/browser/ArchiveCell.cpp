#include "browser/ArchiveCell.h"

#include "ui_ArchiveCell.h"

#include "platform/ImageView.h"
#include "platform/SystemSymbol.h"

#include <QDateTime>
#include <QLocale>
#include <QPixmap>

#include <algorithm>
#include <climits>

ArchiveCell::ArchiveCell(QWidget* parent) : GridViewCell(parent), ui_(std::make_unique<Ui::ArchiveCell>())
{
    ui_->setupUi(this);
    // A thumbnail is drawn at the cell's size: shown as it is, never enlarged.
    ui_->thumbnailView->setScaling(platform::ImageView::Scaling::ShrinkOnly);
    // Touches on the thumbnail select the cell; the delete button keeps its own.
    ui_->thumbnailView->setAttribute(Qt::WA_TransparentForMouseEvents);
    ui_->deleteButton->setIcon(QIcon(QPixmap::fromImage(platform::systemImage(QStringLiteral("trash.fill"), 24))));
    ui_->deleteButton->setAccessibleName(tr("Delete"));
    ui_->deleteButton->setToolTip(tr("Delete"));
    connect(ui_->deleteButton, &QToolButton::clicked, this, [this] { deleteArhcive(ui_->deleteButton); });
}

ArchiveCell::~ArchiveCell() = default;

platform::ImageView* ArchiveCell::thumbnailView() const
{
    return ui_->thumbnailView;
}

QToolButton* ArchiveCell::deleteButton() const
{
    return ui_->deleteButton;
}

void ArchiveCell::setThumbnail(const QImage& image)
{
    thumbnail_ = image;
    ui_->thumbnailView->setImage(image);
}

void ArchiveCell::deleteArhcive(QObject*)
{
    // The deletion reloads the grid, which hands this cell out again and so replaces
    // the closure while it runs: the copy keeps it alive until it returns.
    if (const std::function<void()> closure = deleteClosure)
        closure();
}

void ArchiveCell::prepareForReuse()
{
    setThumbnail(QImage());
    deleteClosure = nullptr;
    recordID.reset();
}

QString ArchiveCell::describe(std::optional<std::size_t> cellCount, std::optional<cellarium::CoreLife::Date> addedDate)
{
    QStringList parts;
    if (cellCount)
        parts << tr("%n cells", nullptr, int(std::min<std::size_t>(*cellCount, INT_MAX)));
    if (addedDate) {
        const QDateTime when = QDateTime::fromMSecsSinceEpoch(addedDate->time_since_epoch().count());
        parts << QLocale().toString(when.toLocalTime(), QLocale::ShortFormat);
    }
    return parts.join(QStringLiteral(", "));
}
