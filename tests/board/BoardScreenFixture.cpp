#include "BoardScreenFixture.h"

#include "platform/Haptics.h"
#include "platform/ViewController.h"

void BoardScreenFixture::SetUp()
{
    platform::setUserDefaults(std::make_unique<platform::UserDefaults>(dir_.filePath("defaults.json")));
    platform::Services set;
    feedback_ = &testsupport::recordFeedback(set);
    services_.emplace(std::move(set));
    platform::ViewController::setAnimationsEnabled(false);
}

void BoardScreenFixture::TearDown()
{
    services_.reset();
    platform::setUserDefaults(nullptr);
}

std::unique_ptr<MainViewController> BoardScreenFixture::makeBoard(bool guideDone, cellarium::ScreenInputs screen)
{
    if (guideDone)
        platform::userDefaults().setValue(QStringLiteral("KeyOfDidShowGuide"), true);
    auto board = std::make_unique<MainViewController>(screen);
    board->setDelayedWork([this](int, QObject*, std::function<void()> work) { delayed_.push_back(std::move(work)); });
    board->resize(390, 844);
    board->loadViewIfNeeded();
    board->show();
    return board;
}

void BoardScreenFixture::runDelayedWork()
{
    auto work = std::move(delayed_);
    delayed_.clear();
    for (auto& w : work)
        w();
}

void BoardScreenFixture::tick(MainViewController& board)
{
    board.advance();
    board.generationWorker().waitForResult();
}
