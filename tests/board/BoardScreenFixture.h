#pragma once

#include "board/MainViewController.h"

#include "model/BoardGeometry.h"
#include "platform/SystemSound.h"
#include "platform/UserDefaults.h"
#include "RecordedFeedback.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <memory>
#include <vector>

// A board screen on a 390 × 844 screen of scale 3, with its own user defaults,
// silent sounds, no animations and delayed work held until the test runs it.
class BoardScreenFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A loaded board; `guideDone` records the first-run guide as completed first.
    std::unique_ptr<MainViewController> makeBoard(bool guideDone = true, cellarium::ScreenInputs screen = {});

    // Runs the delayed work queued so far.
    void runDelayedWork();

    // One tick of the clock, with its result applied.
    void tick(MainViewController& board);

    std::vector<platform::FeedbackEvent> cues() const { return feedback_->events(); }
    void clearCues() { feedback_->clear(); }
    static platform::FeedbackEvent sound(int id) { return platform::FeedbackEvent::sound(id); }

    QTemporaryDir dir_;
    testsupport::FeedbackRecorder* feedback_ = nullptr;
    std::optional<platform::ServicesInPlace> services_;
    std::vector<std::function<void()>> delayed_;
};
