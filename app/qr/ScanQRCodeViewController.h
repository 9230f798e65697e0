#pragma once

#include "model/BoardSize.h"
#include "model/LifeSet.h"
#include "model/PlacedPattern.h"
#include "qr/QRCodeDetection.h"

#include "platform/SheetScreen.h"

#include <QImage>
#include <QPointer>
#include <QRectF>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CameraPreview;
class QToolButton;
class QVideoFrame;
class ScanOverlay;
namespace platform {
class CaptureSession;
class NoticeLine;
}
namespace Ui {
class ScanQRCodeViewController;
}

// Reads a pattern from a QR code, live through the camera (only codes inside
// the scan window count) or from a picked photo, and hands it to
// `dismissClosure` after closing itself. Without a usable camera it opens all
// the same with its overlay, and the photo path works. The camera runs only
// while the screen is on top and the app active. Codes are looked for on a pool
// thread (QRCodeDetection), one picture at a time, the camera's latest frame
// replacing the one waiting; what was read comes back on the main thread. A
// photo that holds no pattern is refused with a line on the screen. Main thread only.
class ScanQRCodeViewController : public platform::SheetScreen {
    Q_OBJECT

public:
    static constexpr qreal scanWindowSide = 256;
    static constexpr qreal scanWindowLift = 44;  // above the vertical centre

    explicit ScanQRCodeViewController(QWidget* parent = nullptr);
    ~ScanQRCodeViewController() override;

    using DismissClosure = std::function<void(const cellarium::PlacedPattern&)>;
    void setDismissClosure(DismissClosure closure) { dismissClosure_ = std::move(closure); }
    // The side in cells of the board a code is read for (where an RLE's Pos line places it).
    void setBoardRows(std::int64_t rows) { boardRows_ = rows; }
    const DismissClosure& dismissClosure() const { return dismissClosure_; }

    // The scan window in a root view of size `bounds`.
    static QRectF scanWindow(const QSizeF& bounds);
    QRectF scanWindow() const { return scanWindow_; }

    // The photo button's action: opens the photo picker.
    void pickUpQRCode(QObject* sender);
    // The one place scanned text becomes a pattern: reads it as the pattern
    // encoding, RLE or plaintext (the last two centred on the board) and, when it
    // is one, closes the screen and hands the pattern over. False when the
    // text is not a pattern (nothing happens then).
    bool handleScannedText(const QString& text);
    // Calls dismissClosure with the pattern, if it is set.
    void handOver(const cellarium::PlacedPattern& pattern);

    // The camera path, as the session delivers frames: shows the frame and has
    // the part shown in the scan window read, off the main thread.
    void captureOutput(const QVideoFrame& frame);
    // What the camera found in the scan window: each code's text, or nullopt
    // for a code without one.
    void didOutputCodes(const std::vector<std::optional<std::string>>& codes);
    // The photo path: the picked image file, or nullopt when cancelled. The
    // file is loaded and read off the main thread; the camera and the photo
    // button wait until it has been.
    void didFinishPicking(const std::optional<QString>& path);

    // Outlets and the camera; valid once the view has loaded.
    platform::CaptureSession* captureSession() const { return captureSession_.get(); }
    CameraPreview* previewLayer() const;
    ScanOverlay* visualView() const;
    QToolButton* closeButton() const;
    QToolButton* photoButton() const;
    // The line that says why a picked photo gave nothing.
    platform::NoticeLine* noticeLine() const;
    bool isPicking() const { return picking_; }

    // The app became active or stopped being so (connected to QGuiApplication).
    void applicationStateDidChange(Qt::ApplicationState state);

protected:
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidLayoutSubviews() override;

private:
    void setUpCamera();
    void dropCamera();
    void layOutScanWindow();
    // Runs the camera when the screen is on top, not covered, the app active
    // and no code was found yet on this appearance; stops it otherwise.
    void updateCameraRunning();
    // What detection read from a camera frame, and from a picked photo.
    void frameRead(const QRCodeDetection::Codes& codes);
    void photoRead(const QRCodeDetection::Codes& codes);

    std::unique_ptr<Ui::ScanQRCodeViewController> ui_;
    DismissClosure dismissClosure_;
    std::int64_t boardRows_ = cellarium::kBoardSizes.front();
    std::unique_ptr<platform::CaptureSession> captureSession_;
    QPointer<CameraPreview> previewLayer_;
    QRectF scanWindow_;
    bool onScreen_ = false;
    bool appActive_ = true;  // an app that shows this screen is active until it says otherwise
    bool picking_ = false;
    bool readingPhoto_ = false;  // a picked photo is being read
    bool found_ = false;  // a code stopped the camera for good on this appearance
    // Last, so that it goes first: no reading hands back to a screen being destroyed.
    QRCodeDetection detection_;
};
