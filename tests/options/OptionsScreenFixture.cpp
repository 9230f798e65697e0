#include "BackgroundWork.h"
#include "FixedScreen.h"
#include "OptionsScreenFixture.h"

#include "FennelKitTesting.h"
#include "model/BoardGeometry.h"
#include "platform/GridView.h"
#include "platform/GridViewCell.h"
#include "platform/Haptics.h"
#include "platform/MailComposer.h"
#include "platform/MainScreen.h"
#include "platform/Storefront.h"
#include "platform/SystemSound.h"
#include "platform/UserDefaults.h"
#include "platform/ViewController.h"
#include "shell/ScreenRegistry.h"

#include <QCoreApplication>
#include <QPointer>
#include <QToolButton>

namespace {

using Cues = std::shared_ptr<std::vector<platform::FeedbackEvent>>;

class RecordingSound : public platform::SystemSound {
public:
    explicit RecordingSound(Cues cues) : cues_(std::move(cues)) {}

protected:
    void output(int soundId) override { cues_->push_back(platform::FeedbackEvent::sound(soundId)); }

private:
    Cues cues_;
};

class RecordingHaptics : public platform::Haptics {
public:
    explicit RecordingHaptics(Cues cues) : cues_(std::move(cues)) {}

protected:
    void output(platform::FeedbackEvent event) override { cues_->push_back(event); }

private:
    Cues cues_;
};

}  // namespace

void OptionsScreen::SetUp()
{
    platform::setUserDefaults(std::make_unique<platform::UserDefaults>(dir_.filePath("defaults.json")));
    auto icons = std::make_unique<RecordingAlternateIcons>();
    icons_ = icons.get();
    auto urls = std::make_unique<testsupport::RecordingUrlOpener>();
    urls_ = urls.get();
    services_.emplace(platform::Services()
                          .with(std::make_unique<RecordingSound>(cues_))
                          .with(std::make_unique<RecordingHaptics>(cues_))
                          .with(std::make_unique<testsupport::FixedScreen>(QSizeF(390, 844), 3))
                          .with(std::move(icons))
                          .with(std::move(urls)));
    platform::MailComposer::setCanSendMailOverride(false);
    platform::services().storefront().setOverride(QStringLiteral("USA"));
    fennelkit::resetLazyValuesForTesting();
    platform::ViewController::setAnimationsEnabled(false);

    archive_.replacePersistentContainer(
        std::make_unique<cellarium::CoreLifeContainer>(dir_.filePath("CoreLife.sqlite").toStdString()));
    registerScreensDrawingThumbnailsOn(nullptr);
}

void OptionsScreen::registerScreensDrawingThumbnailsOn(QThreadPool* thumbnailPool)
{
    registerScreens({.archive = archive_,
                     .delayedWork =
                         [this](int ms, QObject* context, std::function<void()> work) {
                             QPointer<QObject> guard(context);
                             alertDelays_.emplace_back(ms, [guard, work = std::move(work)] {
                                 if (guard)
                                     work();
                             });
                         },
                     .thumbnailPool = thumbnailPool});
}

void OptionsScreen::TearDown()
{
    platform::setKeyWindow(nullptr);
    window_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    platform::ViewController::unregisterSegue(QStringLiteral("ShowMore"));
    platform::MailComposer::setCanSendMailOverride(std::nullopt);
    platform::services().storefront().clearOverride();
    fennelkit::resetLazyValuesForTesting();
    services_.reset();
    platform::setUserDefaults(nullptr);
}

MainViewController& OptionsScreen::board(bool guideDone)
{
    if (!window_) {
        if (guideDone)
            platform::userDefaults().setValue(QStringLiteral("KeyOfDidShowGuide"), true);
        window_ = std::make_unique<platform::AppWindow>();
        window_->resize(390, 844);
        auto* root = new MainViewController;
        root->setDelayedWork([this](int, QObject*, std::function<void()> work) { delayed_.push_back(std::move(work)); });
        window_->setRootViewController(root);
        window_->show();
        platform::setKeyWindow(window_.get());
    }
    return *static_cast<MainViewController*>(window_->rootViewController());
}

MoreViewController& OptionsScreen::openOptions()
{
    MainViewController& root = board();
    root.performSegue(QStringLiteral("ShowMore"), root.moreButton());
    auto* more = options();
    EXPECT_NE(more, nullptr);
    return *more;
}

MoreViewController* OptionsScreen::options() const
{
    if (!window_)
        return nullptr;
    return qobject_cast<MoreViewController*>(window_->rootViewController()->presentedViewController());
}

void OptionsScreen::tapRow(int row)
{
    MoreViewController* more = options();
    ASSERT_NE(more, nullptr);
    more->collectionView()->scrollToItem(row);
    platform::GridViewCell* cell = more->collectionView()->cellForItem(row);
    ASSERT_NE(cell, nullptr) << "row " << row << " is not visible";
    cell->click();
}

void OptionsScreen::runQueuedWork()
{
    testsupport::finishBackgroundWork();
    QCoreApplication::processEvents();
}

void OptionsScreen::runDelayedWork()
{
    auto work = std::move(delayed_);
    delayed_.clear();
    for (auto& w : work)
        w();
}

void OptionsScreen::runAlertDelays()
{
    auto work = std::move(alertDelays_);
    alertDelays_.clear();
    for (auto& [ms, w] : work) {
        EXPECT_EQ(ms, 1000);
        w();
    }
}

std::vector<QUrl> OptionsScreen::openedUrls() const
{
    const QList<QUrl> urls = urls_->openedUrls();
    return {urls.begin(), urls.end()};
}

void OptionsScreen::makeArchiveUnavailable()
{
    archive_.replacePersistentContainer(
        std::make_unique<cellarium::CoreLifeContainer>(cellarium::StoreFailure{"the disk is gone"}));
}

std::vector<platform::FeedbackEvent> OptionsScreen::clickFeedback()
{
    return {platform::FeedbackEvent::sound(1105), platform::FeedbackEvent::impact(platform::ImpactStyle::Rigid)};
}
