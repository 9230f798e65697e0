#pragma once

#include "platform/ShareSheet.h"

#include <QByteArray>
#include <QFutureWatcher>
#include <QObject>
#include <QString>

#include <optional>

namespace platform {

// One run of a share sheet's animation maker on the global pool, heard of on the main
// thread while this object lives: progress() as the part done (0 to 1), then
// finished() once, with the GIF, or nullopt and why (an empty reason when stopped).
// The task owns its copy of the maker. Main thread only.
class AnimationMaking : public QObject {
    Q_OBJECT

public:
    AnimationMaking(ShareSheet::AnimationMaker make, QObject* parent);

    // Asks the task to stop; finished() follows with nullopt and no reason.
    void cancel();

signals:
    void progress(double part);
    void finished(std::optional<QByteArray> gif, QString error);

private:
    using Watcher = QFutureWatcher<std::optional<QByteArray>>;
    Watcher watcher_;
};

} // namespace platform
