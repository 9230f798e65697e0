#pragma once

#include "platform/CaptureSession.h"
#include "platform/PhotoPicker.h"

#include <QImage>
#include <QVideoFrame>
#include <QVideoFrameFormat>
#include <QVideoSink>

#include <cstring>
#include <functional>
#include <memory>
#include <optional>

namespace testsupport {

// A camera session without a camera: frames arrive only when a test feeds them.
class FakeCaptureSession : public platform::CaptureSession {
public:
    explicit FakeCaptureSession(std::shared_ptr<int> alive) : alive_(std::move(alive)) { ++*alive_; }
    ~FakeCaptureSession() override { --*alive_; }

    // The camera breaks down while running.
    void fail() { reportFailure(QStringLiteral("the camera was unplugged")); }
    int starts = 0;
    int stops = 0;

protected:
    void startCamera() override { ++starts; }
    void stopCamera() override { ++stops; }

private:
    std::shared_ptr<int> alive_;
};

// Camera access that hands out fake sessions, or none (no camera, or access refused).
class FakeCameraAccess : public platform::CameraAccess {
public:
    bool hasCamera = true;
    std::shared_ptr<int> aliveSessions = std::make_shared<int>(0);
    int sessionsMade = 0;

    std::unique_ptr<platform::CaptureSession> makeSession() override
    {
        if (!hasCamera)
            return nullptr;
        ++sessionsMade;
        return std::make_unique<FakeCaptureSession>(aliveSessions);
    }
};

// `image` as a camera delivers it: a mapped 32-bit BGRX video frame.
inline QVideoFrame videoFrameOf(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);  // BGRX in memory on little-endian machines
    QVideoFrame frame(QVideoFrameFormat(rgb.size(), QVideoFrameFormat::Format_BGRX8888));
    if (!frame.map(QVideoFrame::WriteOnly))
        return {};
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(frame.bits(0) + y * frame.bytesPerLine(0), rgb.constScanLine(y), size_t(rgb.width()) * 4);
    frame.unmap();
    return frame;
}

// Feeds `image` to the session's sink as the camera would.
inline void deliverFrame(platform::CaptureSession& session, const QImage& image)
{
    session.videoSink()->setVideoFrame(videoFrameOf(image));
}

// A photo picker that opens nothing: it keeps the request until the test answers it.
class PendingPhotoPicker : public platform::PhotoPicker {
public:
    void pickImage(QWidget*, std::function<void(std::optional<QString>)> done) override
    {
        ++requests;
        pending_ = std::move(done);
    }
    bool isOpen() const { return static_cast<bool>(pending_); }
    // Closes the picker with `path` (std::nullopt: cancelled).
    void answer(const std::optional<QString>& path)
    {
        auto done = std::move(pending_);
        pending_ = nullptr;
        if (done)
            done(path);
    }
    int requests = 0;

private:
    std::function<void(std::optional<QString>)> pending_;
};

}  // namespace testsupport
