#pragma once

#include "platform/PlatformExport.h"
#include "platform/Services.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>

class QTemporaryDir;

namespace platform {

// The private folder for the copies the share sheet hands to other applications
// ("Open"): cellarium-shared in $XDG_RUNTIME_DIR, the user's own folder, or where
// that is not set or cannot be used, a private temporary folder. Either is mode
// 0700, so that no other user reads or plants the copies. The application that
// opens a copy reads it after the hand-over, so copies stay while the app runs;
// those this process made go when it ends, and those an earlier run left behind
// (one that crashed) at a later start once they are a day old, through
// removeCopiesOlderThan(). Main thread only.
class PLATFORM_EXPORT SharedCopies {
public:
    // Finds or makes the folder.
    SharedCopies();
    SharedCopies(const SharedCopies&) = delete;
    SharedCopies& operator=(const SharedCopies&) = delete;
    // Removes the copies kept(), and the temporary folder if one was made.
    ~SharedCopies();

    // The folder; empty when none could be made.
    QString folder() const { return folder_; }
    // A copy this process made in folder(), removed when it ends.
    void kept(const QString& path);

    // Removes the files in the folder under $XDG_RUNTIME_DIR last changed before
    // `oldest`; makes no folder.
    static void removeCopiesOlderThan(const QDateTime& oldest);

private:
    QString folder_;
    std::unique_ptr<QTemporaryDir> temporary_;
    QStringList copies_;
};

// The set in place has one: platform::services().sharedCopies().

} // namespace platform
