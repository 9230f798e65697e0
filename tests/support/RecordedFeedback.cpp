#include "RecordedFeedback.h"

#include "platform/Haptics.h"
#include "platform/SystemSound.h"

#include <memory>

namespace testsupport {

void FeedbackRecorder::record(platform::FeedbackEvent event)
{
    std::lock_guard lock(mutex_);
    events_.push_back(event);
}

std::vector<platform::FeedbackEvent> FeedbackRecorder::events() const
{
    std::lock_guard lock(mutex_);
    return events_;
}

void FeedbackRecorder::clear()
{
    std::lock_guard lock(mutex_);
    events_.clear();
}

namespace {

class RecordedSound : public platform::SystemSound {
public:
    explicit RecordedSound(std::shared_ptr<FeedbackRecorder> recorder) : recorder_(std::move(recorder)) {}

protected:
    void output(int soundId) override { recorder_->record(platform::FeedbackEvent::sound(soundId)); }

private:
    std::shared_ptr<FeedbackRecorder> recorder_;
};

class RecordedHaptics : public platform::Haptics {
public:
    explicit RecordedHaptics(std::shared_ptr<FeedbackRecorder> recorder) : recorder_(std::move(recorder)) {}

protected:
    void output(platform::FeedbackEvent event) override { recorder_->record(event); }

private:
    std::shared_ptr<FeedbackRecorder> recorder_;
};

// The fakes share it, so it outlives whichever of them a test replaces first.
std::shared_ptr<FeedbackRecorder> current;

}  // namespace

FeedbackRecorder& recordFeedback(platform::Services& set)
{
    current = std::make_shared<FeedbackRecorder>();
    set.with(std::make_unique<RecordedSound>(current)).with(std::make_unique<RecordedHaptics>(current));
    return *current;
}

}  // namespace testsupport
