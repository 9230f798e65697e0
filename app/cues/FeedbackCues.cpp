#include "cues/FeedbackCues.h"

#include "platform/Haptics.h"
#include "platform/SystemSound.h"

using platform::haptics;
using platform::ImpactStyle;
using platform::playSystemSound;

namespace feedbackcues {

void refused() { playSystemSound(1103); }

void tick() { playSystemSound(1104); }

void cellToggled(bool added) { haptics().impact(added ? ImpactStyle::Rigid : ImpactStyle::Soft); }

void click()
{
    playSystemSound(1105);
    haptics().impact(ImpactStyle::Rigid);
}

void started()
{
    playSystemSound(1113);
    haptics().notificationSuccess();
}

void stopped()
{
    playSystemSound(1114);
    haptics().notificationSuccess();
}

}  // namespace feedbackcues
