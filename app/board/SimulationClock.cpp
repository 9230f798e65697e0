#include "SimulationClock.h"

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
}

void SimulationClock::pause()
{
    timer_.reset();
    worker_.invalidate();
}
