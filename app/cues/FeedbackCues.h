#pragma once

// The sounds and haptics with which the app answers, by event. The click is
// the feedback of most buttons and of every sheet that closes.
namespace feedbackcues {

void refused();                // 1103: an edit while the simulation runs
void tick();                   // 1104: a cell toggled, or a generation applied
void cellToggled(bool added);  // a rigid impact for an added cell, a soft one for a removed cell
void click();                  // 1105 and a rigid impact
void started();                // 1113 and the success haptic
void stopped();                // 1114 and the success haptic: paused, or stopped by itself

}  // namespace feedbackcues
