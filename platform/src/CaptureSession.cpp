#include "platform/CaptureSession.h"

#include <QCamera>
#include <QCameraDevice>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QThread>
#include <QVideoSink>

namespace platform {

CaptureSession::CaptureSession(QObject* parent) : QObject(parent), sink_(new QVideoSink(this))
{
    // Direct: a queued connection would queue every frame the back end's thread delivers.
    connect(sink_, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& frame) { frameFromSink(frame); },
            Qt::DirectConnection);
}

// The camera a subclass runs is gone before this runs (its members go first), so no
// frame arrives from its thread any more.
CaptureSession::~CaptureSession() = default;

void CaptureSession::frameFromSink(const QVideoFrame& frame)
{
    if (QThread::currentThread() == thread()) {
        emit frameArrived(frame);
        return;
    }
    {
        const std::lock_guard lock(latestMutex_);
        const bool onItsWay = latest_.has_value();
        latest_ = frame;
        if (onItsWay)
            return;  // the hand-over already posted takes this one instead
    }
    QMetaObject::invokeMethod(this, &CaptureSession::handOverLatest, Qt::QueuedConnection);
}

void CaptureSession::handOverLatest()
{
    std::optional<QVideoFrame> frame;
    {
        const std::lock_guard lock(latestMutex_);
        frame.swap(latest_);
    }
    if (frame)
        emit frameArrived(*frame);
}

void CaptureSession::startRunning()
{
    if (running_)
        return;
    running_ = true;
    startCamera();
}

void CaptureSession::stopRunning()
{
    if (!running_)
        return;
    running_ = false;
    stopCamera();
}

void CaptureSession::reportFailure(const QString& error)
{
    stopRunning();
    emit failed(error);
}

namespace {

// The default video input through QCamera and QMediaCaptureSession.
class CameraCaptureSession : public CaptureSession {
public:
    explicit CameraCaptureSession(const QCameraDevice& device) : camera_(device)
    {
        session_.setCamera(&camera_);
        session_.setVideoSink(videoSink());
        QObject::connect(&camera_, &QCamera::errorOccurred, this, [this](QCamera::Error error, const QString& text) {
            if (error != QCamera::NoError)
                reportFailure(text);
        });
    }
    bool usable() const { return camera_.error() == QCamera::NoError; }

protected:
    void startCamera() override { camera_.start(); }
    void stopCamera() override { camera_.stop(); }

private:
    QCamera camera_;
    QMediaCaptureSession session_;
};

} // namespace

CameraAccess::~CameraAccess() = default;

std::unique_ptr<CaptureSession> CameraAccess::makeSession()
{
    const QCameraDevice device = QMediaDevices::defaultVideoInput();
    if (device.isNull())
        return nullptr;
    auto session = std::make_unique<CameraCaptureSession>(device);
    if (!session->usable())
        return nullptr;
    return session;
}

} // namespace platform
