#include "browser/ArchiveThumbnails.h"

#include <algorithm>
#include <cmath>

ArchiveThumbnails::ArchiveThumbnails(QThreadPool* pool, Finished finished)
    : pool_(pool)
    , finished_(std::move(finished))
    , renderer_(std::make_unique<cellarium::ArchiveThumbnailRenderer>(
          [this](std::int64_t recordID, std::optional<cellarium::ArchiveThumbnail> thumbnail) {
              didFinish(recordID, std::move(thumbnail));
          }))
{
}

ArchiveThumbnails::~ArchiveThumbnails()
{
    renderer_.reset();  // no drawing is handed back to a half-destroyed object
}

const cellarium::ArchiveThumbnail* ArchiveThumbnails::thumbnail(
    std::int64_t recordID, double side, double scale,
    const std::function<std::optional<cellarium::ArchiveThumbnailInputs>()>& inputs)
{
    const cellarium::ArchiveThumbnail* cached = cache_.object(recordID);
    if (cached && cached->image.devicePixelRatio() == scale && cached->image.width() == std::lround(side * scale))
        return cached;
    if (drawing_.contains(recordID) || undrawable_.contains(recordID))
        return nullptr;
    if (std::optional<cellarium::ArchiveThumbnailInputs> made = inputs()) {
        drawing_.insert(recordID);
        renderer_->render(recordID, std::move(*made), pool_);
    }
    return nullptr;
}

void ArchiveThumbnails::didFinish(std::int64_t recordID, std::optional<cellarium::ArchiveThumbnail> thumbnail)
{
    drawing_.erase(recordID);
    if (!thumbnail) {
        undrawable_.insert(recordID);
        return;
    }
    const QImage image = thumbnail->image;
    const qsizetype cost = std::max<qsizetype>(1, image.sizeInBytes());
    // Kept before the handler runs, so that the cell count it may read is there.
    cache_.insert(recordID, new cellarium::ArchiveThumbnail(std::move(*thumbnail)), cost);
    if (!finished_(recordID, image))
        cache_.remove(recordID);  // deleted while it was drawn
}
