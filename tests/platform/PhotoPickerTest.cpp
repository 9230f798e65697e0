#include "platform/CaptureSession.h"
#include "platform/PhotoPicker.h"
#include "platform/PicturesFolder.h"

#include "FakeCamera.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

TEST(PhotoPicker, OpensAtThePicturesFolderOfferingImagesOnlyAndAnswersOnceClosed)
{
    QTemporaryDir dir;
    platform::setPicturesFolder(dir.path());
    QWidget window;
    window.resize(390, 844);
    window.show();
    std::vector<std::optional<QString>> answers;
    platform::PhotoPicker().pickImage(&window, [&answers](std::optional<QString> path) { answers.push_back(path); });
    auto* dialog = window.findChild<QFileDialog*>(QStringLiteral("photoPicker"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    const QString filter = dialog->selectedNameFilter();
    EXPECT_TRUE(filter.contains("*.png") && filter.contains("*.jpg")) << filter.toStdString();
    EXPECT_FALSE(filter.contains("*.txt"));
    EXPECT_TRUE(answers.empty());
    dialog->reject();
    EXPECT_EQ(answers.size(), 1u);
    answers.clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // On a phone-sized window the dialog once opened at its desktop size, beyond the window.
    window.setGeometry(0, 0, 360, 720);
    platform::PhotoPicker().pickImage(&window, [&answers](std::optional<QString> path) { answers.push_back(path); });
    dialog = window.findChild<QFileDialog*>(QStringLiteral("photoPicker"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(window.geometry().contains(dialog->geometry()))
        << dialog->width() << "x" << dialog->height() << " over " << window.width() << "x" << window.height();
    dialog->reject();
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0], std::nullopt);
    platform::setPicturesFolder(std::nullopt);
}

TEST(CaptureSession, StartsAndStopsOnceAndAFailureStopsAndIsReported)
{
    auto alive = std::make_shared<int>(0);
    testsupport::FakeCaptureSession session(alive);
    QSignalSpy failures(&session, &platform::CaptureSession::failed);
    session.startRunning();
    session.startRunning();
    EXPECT_TRUE(session.isRunning());
    EXPECT_EQ(session.starts, 1);
    session.fail();
    EXPECT_FALSE(session.isRunning());
    EXPECT_EQ(session.stops, 1);
    EXPECT_EQ(failures.count(), 1);
    session.stopRunning();
    EXPECT_EQ(session.stops, 1);
    EXPECT_NE(session.videoSink(), nullptr);
}
