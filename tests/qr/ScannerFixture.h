#pragma once

#include "qr/ScanQRCodeViewController.h"

#include "FakeCamera.h"
#include "model/LifeSet.h"
#include "platform/AppWindow.h"
#include "RecordedFeedback.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

// The scanner presented over a root screen in a 390 × 844 window at two pixels a
// point, with a fake camera, a photo picker the test answers and recorded feedback.
// Every pattern the scanner hands over lands in handedOver_.
class ScannerFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Presents a new scanner; the feedback recorded so far is cleared.
    template <typename Screen = ScanQRCodeViewController>
    Screen& open()
    {
        auto* screen = new Screen;
        present(screen);
        return *screen;
    }
    ScanQRCodeViewController* scanner() const;

    // Saves `image` as a new file in a temporary folder; its path.
    QString savePhoto(const QImage& image, const char* format = "PNG", int quality = -1);
    // Picks the file at `path` through the screen's photo button and waits until
    // it has been read.
    void pickPhoto(ScanQRCodeViewController& screen, const QString& path);
    void pickPhoto(ScanQRCodeViewController& screen, const QImage& image, const char* format = "PNG",
                   int quality = -1);

    QTemporaryDir dir_;
    testsupport::FeedbackRecorder* feedback_ = nullptr;
    std::optional<platform::ServicesInPlace> services_;
    testsupport::FakeCameraAccess* camera_ = nullptr;
    testsupport::PendingPhotoPicker* picker_ = nullptr;
    platform::AppWindow window_;
    std::vector<cellarium::LifeSet> handedOver_;

private:
    void present(ScanQRCodeViewController* screen);

    int photos_ = 0;
};
