#pragma once

#include "browser/ArchiveThumbnail.h"
#include "browser/ArchiveThumbnailRenderer.h"

#include <QCache>
#include <QImage>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>

class QThreadPool;

// The browser's thumbnails by record: the ones drawn (kept within cacheBytes), the ones
// being drawn on a pool, and the records whose bytes are no pattern. Main thread only.
class ArchiveThumbnails {
public:
    // The thumbnails kept, in bytes: a few screenfuls.
    static constexpr qsizetype cacheBytes = 96 * 1024 * 1024;
    // Called when a record's thumbnail has been drawn; answers whether the record is
    // still listed (only then is the thumbnail kept).
    using Finished = std::function<bool(std::int64_t recordID, const QImage& image)>;

    // Draws on `pool` (not owned; it outlives this object).
    ArchiveThumbnails(QThreadPool* pool, Finished finished);
    ~ArchiveThumbnails();

    // The kept thumbnail of the record when drawn for `inputs.side` points at
    // `inputs.scale`; otherwise starts drawing it (unless it is being drawn or is no
    // pattern) and answers nullptr. `inputs` is made only when a drawing starts.
    const cellarium::ArchiveThumbnail* thumbnail(std::int64_t recordID, double side, double scale,
                                      const std::function<std::optional<cellarium::ArchiveThumbnailInputs>()>& inputs);
    const cellarium::ArchiveThumbnail* kept(std::int64_t recordID) const { return cache_.object(recordID); }
    void forget(std::int64_t recordID) { cache_.remove(recordID); }
    // The record's bytes could not even be read for a drawing.
    void markUndrawable(std::int64_t recordID) { undrawable_.insert(recordID); }

    bool isKept(std::int64_t recordID) const { return cache_.contains(recordID); }
    std::size_t drawingCount() const { return drawing_.size(); }

private:
    void didFinish(std::int64_t recordID, std::optional<cellarium::ArchiveThumbnail> thumbnail);

    QThreadPool* pool_;
    Finished finished_;
    QCache<std::int64_t, cellarium::ArchiveThumbnail> cache_{cacheBytes};
    std::set<std::int64_t> drawing_;
    std::set<std::int64_t> undrawable_;  // bytes that are no pattern, or too large for memory
    // Declared last, so that it goes first: its handler uses the members above.
    std::unique_ptr<cellarium::ArchiveThumbnailRenderer> renderer_;
};
