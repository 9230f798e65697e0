#include "board/SimulationClock.h"

#include "cues/FeedbackCues.h"
#include "model/RunOutcome.h"

SimulationClock::SimulationClock(cellarium::BoardPattern& pattern, QObject* parent)
    : QObject(parent)
    , pattern_(pattern)
{
}

void SimulationClock::start(bool highSpeed)
{
    timer_ = std::make_unique<QTimer>();
    timer_->setInterval(highSpeed ? highSpeedIntervalMs : normalIntervalMs);
    connect(timer_.get(), &QTimer::timeout, this, &SimulationClock::tick);
    timer_->start();
    emit runningChanged(true);
}

void SimulationClock::pause()
{
    timer_.reset();
    worker_.invalidate();
    emit runningChanged(false);
}

void SimulationClock::stop()
{
    pause();
    feedbackcues::stopped();
}

void SimulationClock::startOrStop(bool highSpeed)
{
    if (isRunning()) {
        stop();
        return;
    }
    pattern_.rememberStart();
    start(highSpeed);
    feedbackcues::started();
}

bool SimulationClock::step(std::int64_t rows)
{
    if (isRunning() || worker_.isBusy())
        return false;
    pattern_.rememberStart();  // a Restart returns to the pattern before the steps
    advance(rows);
    return true;
}

void SimulationClock::advance(std::int64_t rows)
{
    if (cellarium::outcomeBeforeStep(pattern_.lifes()) != cellarium::RunOutcome::Continues) {
        stop();
        return;
    }
    // A tick that comes while the last step is still being computed is skipped:
    // stepping the same set twice would look like a still pattern and stop the run.
    worker_.submit(pattern_.lifes(), rows, [this](cellarium::LifeSet next) { applyGeneration(std::move(next)); });
}

void SimulationClock::applyGeneration(cellarium::LifeSet next)
{
    if (cellarium::outcomeOfStep(pattern_.lifes(), next) != cellarium::RunOutcome::Continues) {
        stop();
        return;
    }
    pattern_.advanceTo(std::move(next));
    emit advanced();
    feedbackcues::tick();
}
