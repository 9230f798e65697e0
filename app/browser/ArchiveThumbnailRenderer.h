#pragma once

#include "browser/ArchiveThumbnail.h"

#include <QFutureWatcher>
#include <QObject>

#include <cstdint>
#include <functional>
#include <optional>
#include <set>

class QThreadPool;

namespace cellarium {

// Draws archive thumbnails on a thread pool and hands each back to the handler on the
// renderer's own thread, from its event loop: nullopt for bytes that are no pattern or
// too large to draw. Destroying the renderer cancels the drawings not yet started and
// waits for those running, so that none outlives it and none is handed back after it:
// the owner destroys it before anything the handler touches. Use it on one thread
// (the main thread in the app).
class ArchiveThumbnailRenderer : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<void(std::int64_t recordID, std::optional<ArchiveThumbnail> thumbnail)>;

    explicit ArchiveThumbnailRenderer(Handler handler, QObject* parent = nullptr);
    ~ArchiveThumbnailRenderer() override;

    // Starts drawing on `pool`, which is not owned and must outlive this renderer.
    void render(std::int64_t recordID, ArchiveThumbnailInputs inputs, QThreadPool* pool);

    // Drawings started and not yet handed back.
    std::size_t pendingCount() const { return watchers_.size(); }

private:
    using Watcher = QFutureWatcher<std::optional<ArchiveThumbnail>>;

    Handler handler_;
    std::set<Watcher*> watchers_;  // children of this renderer, one a drawing
};

}  // namespace cellarium
