#include "platform/FeedbackRecorder.h"

#include <QMutexLocker>

namespace platform {

void FeedbackRecorder::record(FeedbackEvent event)
{
    QMutexLocker lock(&mutex_);
    events_.push_back(event);
    if (events_.size() > capacity)
        events_.pop_front();
}

std::vector<FeedbackEvent> FeedbackRecorder::events() const
{
    QMutexLocker lock(&mutex_);
    return {events_.begin(), events_.end()};
}

void FeedbackRecorder::clear()
{
    QMutexLocker lock(&mutex_);
    events_.clear();
}

FeedbackRecorder& feedbackRecorder()
{
    static FeedbackRecorder recorder;
    return recorder;
}

} // namespace platform
