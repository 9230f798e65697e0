#pragma once

#include "platform/PlatformExport.h"
#include "platform/Services.h"

#include <QObject>
#include <QString>
#include <QVideoFrame>

#include <memory>
#include <mutex>
#include <optional>

class QVideoSink;

namespace platform {

// A camera session: while it runs, the camera's frames arrive at videoSink(),
// and from there, on the main thread, at frameArrived(), where whoever shows or
// reads them listens. The camera's back end may deliver frames on a thread of its
// own: those reach the main thread one at a time, the latest replacing one still
// on its way, so that frames never queue up behind a busy main thread.
// A camera that fails while running stops the session and reports failed().
// Main thread only (but the sink); the owner deletes it, which stops the camera.
class PLATFORM_EXPORT CaptureSession : public QObject {
    Q_OBJECT

public:
    explicit CaptureSession(QObject* parent = nullptr);
    ~CaptureSession() override;

    QVideoSink* videoSink() const { return sink_; }
    bool isRunning() const { return running_; }
    // Both do nothing when the session is already in that state.
    void startRunning();
    void stopRunning();

signals:
    void frameArrived(const QVideoFrame& frame);
    void failed(const QString& error);

protected:
    virtual void startCamera() = 0;
    virtual void stopCamera() = 0;
    // For subclasses: the camera failed; stops the session and emits failed().
    void reportFailure(const QString& error);

private:
    void frameFromSink(const QVideoFrame& frame);  // on the thread the sink was given it
    void handOverLatest();

    QVideoSink* sink_;
    bool running_ = false;
    std::mutex latestMutex_;
    std::optional<QVideoFrame> latest_;  // a frame from another thread, on its way to the main thread
};

// Where camera sessions come from.
class PLATFORM_EXPORT CameraAccess {
public:
    virtual ~CameraAccess();
    // A session on the default video input through Qt Multimedia, not yet
    // running; nullptr when there is no camera or it cannot be opened.
    virtual std::unique_ptr<CaptureSession> makeSession();
};

// The set in place has one: platform::services().cameraAccess().

} // namespace platform
