#include "browser/ArchiveThumbnailRenderer.h"

#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

namespace cellarium {

ArchiveThumbnailRenderer::ArchiveThumbnailRenderer(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler))
{
}

ArchiveThumbnailRenderer::~ArchiveThumbnailRenderer()
{
    // A drawing not started is dropped; a running one cannot be stopped, so it is
    // waited for. Their watchers then go, and with them the results they had posted.
    for (Watcher* watcher : watchers_)
        watcher->cancel();
    for (Watcher* watcher : watchers_)
        watcher->waitForFinished();
    for (Watcher* watcher : watchers_)
        delete watcher;
}

void ArchiveThumbnailRenderer::render(std::int64_t recordID, ArchiveThumbnailInputs inputs, QThreadPool* pool)
{
    auto* watcher = new Watcher(this);
    watchers_.insert(watcher);
    // The watcher reports on this thread, and only while it exists.
    connect(watcher, &Watcher::finished, this, [this, watcher, recordID] {
        watchers_.erase(watcher);
        std::optional<ArchiveThumbnail> thumbnail;
        if (!watcher->isCanceled() && watcher->future().resultCount() > 0)
            thumbnail = watcher->result();
        watcher->deleteLater();
        handler_(recordID, std::move(thumbnail));
    });
    watcher->setFuture(QtConcurrent::run(pool, [inputs = std::move(inputs)] { return renderArchiveThumbnail(inputs); }));
}

}  // namespace cellarium
