#include "cues/FeedbackCues.h"

#include "platform/Haptics.h"
#include "platform/SystemSound.h"

using platform::ImpactStyle;
using platform::playSystemSound;
using platform::services;

namespace feedbackcues {

void refused() { playSystemSound(1103); }

void tick() { playSystemSound(1104); }

void cellToggled(bool added) { services().haptics().impact(added ? ImpactStyle::Rigid : ImpactStyle::Soft); }

void click()
{
    playSystemSound(1105);
    services().haptics().impact(ImpactStyle::Rigid);
}

void started()
{
    playSystemSound(1113);
    services().haptics().notificationSuccess();
}

void stopped()
{
    playSystemSound(1114);
    services().haptics().notificationSuccess();
}

}  // namespace feedbackcues
