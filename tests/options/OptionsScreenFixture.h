#pragma once

#include "board/MainViewController.h"
#include "options/MoreViewController.h"

#include "platform/AlternateIcons.h"
#include "platform/AppWindow.h"
#include "platform/FeedbackEvent.h"
#include "RecordingUrlOpener.h"
#include "store/CoreLifeManager.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// Alternate icons that keep every request and answer with `error`.
class RecordingAlternateIcons : public platform::AlternateIcons {
public:
    bool supported = true;
    std::optional<QString> error;
    std::vector<std::optional<QString>> requests;

    bool supportsAlternateIcons() const override { return supported; }
    void setAlternateIconName(const std::optional<QString>& name,
                              const std::function<void(std::optional<QString>)>& completion) override
    {
        requests.push_back(name);
        completion(error);
    }
};

// The app window with a board as its root, on a 390 × 844 screen of scale 3, with its
// own user defaults, archive, recorded sounds, haptics and addresses, no animations,
// and delayed work held until the test runs it. The options screens are registered.
class OptionsScreen : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The board, shown in the window; `guideDone` records the first-run guide as completed.
    MainViewController& board(bool guideDone = true);
    // Opens the options screen from the board as the options button does.
    MoreViewController& openOptions();
    MoreViewController* options() const;
    // Taps grid item `row` of the open options screen.
    void tapRow(int row);
    // Runs the work queued to the main queue (after the pool's work has finished) and the delayed work held so far.
    void runQueuedWork();
    void runDelayedWork();
    // Runs the options screen's delayed work (the big alert's dismissal) held so far.
    void runAlertDelays();

    std::vector<platform::FeedbackEvent> cues() const { return *cues_; }
    void clearCues() { cues_->clear(); }
    std::vector<QUrl> openedUrls() const;
    cellarium::CoreLifeContainer& archive() { return archive_.persistentContainer(); }
    // Registers the screens again, the browser drawing its thumbnails on `thumbnailPool`
    // (not owned; it must outlive every browser opened; null: the global pool).
    void registerScreensDrawingThumbnailsOn(QThreadPool* thumbnailPool);
    // Row 8 then saves to an archive that cannot be loaded.
    void makeArchiveUnavailable();

    static std::vector<platform::FeedbackEvent> clickFeedback();

    QTemporaryDir dir_;
    cellarium::CoreLifeManager archive_;  // before the window, whose screens use it
    std::unique_ptr<platform::AppWindow> window_;
    std::shared_ptr<std::vector<platform::FeedbackEvent>> cues_ = std::make_shared<std::vector<platform::FeedbackEvent>>();
    std::vector<std::function<void()>> delayed_;
    std::vector<std::pair<int, std::function<void()>>> alertDelays_;
    RecordingAlternateIcons* icons_ = nullptr;
    testsupport::RecordingUrlOpener* urls_ = nullptr;
    std::optional<platform::ServicesInPlace> services_;
};
