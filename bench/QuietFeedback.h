#pragma once

#include "platform/FeedbackEvent.h"
#include "platform/Haptics.h"
#include "platform/SystemSound.h"

// Sounds and haptics that do nothing, so that a benchmark times the screens alone.
class SilentSound : public platform::SystemSound {
protected:
    void output(int) override {}
};

class NoHaptics : public platform::Haptics {
protected:
    void output(platform::FeedbackEvent) override {}
};
