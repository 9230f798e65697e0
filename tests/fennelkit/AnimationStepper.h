#pragma once

class QObject;

// Moves every running top-level animation under `root` (its descendants
// included) `ms` milliseconds on. An animation that reaches its end stops and
// emits finished(); animations its completion starts begin at time 0.
void advanceAnimations(QObject* root, int ms);

// Runs the deferred deletions (deleteLater) queued so far.
void flushDeferredDeletes();
