#include "SimulationClock.h"

#include "FeedbackCues.h"
#include "RunOutcome.h"

SimulationClock::SimulationClock(QObject* parent)
    : QObject(parent)
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

void SimulationClock::step(const cellarium::LifeSet& lifes, std::int64_t rows,
                           std::function<void(cellarium::LifeSet)> apply)
{
    if (cellarium::outcomeBeforeStep(lifes) != cellarium::RunOutcome::Continues) {
        stop();
        return;
    }
    // A tick that comes while the last step is still being computed is skipped:
    // stepping the same set twice would look like a still pattern and stop the run.
    worker_.submit(lifes, rows, std::move(apply));
}

bool SimulationClock::continuesTo(const cellarium::LifeSet& before, const cellarium::LifeSet& next)
{
    if (cellarium::outcomeOfStep(before, next) == cellarium::RunOutcome::Continues)
        return true;
    stop();
    return false;
}
