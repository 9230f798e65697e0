#pragma once

#include "RecordedFeedback.h"
#include "RecordingUrlOpener.h"

#include <QLocale>
#include <QSizeF>
#include <QString>
#include <QTemporaryDir>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <optional>

// A known platform for every FennelKit test: English, a 390 x 844 screen of
// scale 3, the storefront "USA", the bundle "Cellarium" 1.2 (7), empty user
// defaults in a temporary file, silent sounds and haptics (cues recorded), a
// recording URL opener, sheets without animation, and no cached values.
class FennelKitTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Each of these also forgets the cached values, so the next read sees it.
    void setScreen(QSizeF size, qreal scale = 3);
    void setStorefront(std::optional<QString> country);
    void setBundle(const QVariantMap& info);
    void useLocale(const QLocale& locale);

    testsupport::RecordingUrlOpener& urlOpener() { return *opener_; }
    testsupport::FeedbackRecorder& feedback() { return *feedback_; }
    // The services in place for the test, to replace one of them.
    platform::Services& ownServices() { return services_->set(); }

private:
    QTemporaryDir dir_;
    testsupport::RecordingUrlOpener* opener_ = nullptr;
    testsupport::FeedbackRecorder* feedback_ = nullptr;
    std::optional<platform::ServicesInPlace> services_;
};
