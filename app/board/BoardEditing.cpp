#include "board/BoardEditing.h"

#include "cues/FeedbackCues.h"
#include "model/BoardLayout.h"

using cellarium::Life;

namespace {

std::optional<Life> lifeUnder(QPointF location, double lifeWidth)
{
    return cellarium::lifeAtPoint(location.x(), location.y(), lifeWidth);
}

// The cue of an edit: the refusal while running, the tick for a cell to flip.
std::optional<Life> cued(bool running, std::optional<Life> life)
{
    if (running) {
        feedbackcues::refused();
        return std::nullopt;
    }
    if (life)
        feedbackcues::tick();
    return life;
}

}  // namespace

std::optional<Life> BoardEditing::tap(QPointF location, bool running, double lifeWidth) const
{
    return cued(running, running ? std::nullopt : lifeUnder(location, lifeWidth));
}

std::optional<Life> BoardEditing::pan(QPointF location, bool running, double lifeWidth)
{
    if (running)
        return cued(true, std::nullopt);
    const std::optional<Life> life = lifeUnder(location, lifeWidth);
    if (!life || lastPanLife_ == life)
        return std::nullopt;
    lastPanLife_ = life;
    return cued(false, life);
}
