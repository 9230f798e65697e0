#include "BoardEditing.h"

#include "BoardLayout.h"

using cellarium::Life;

namespace {

std::optional<Life> lifeUnder(QPointF location, double lifeWidth)
{
    return cellarium::lifeAtPoint(location.x(), location.y(), lifeWidth);
}

}  // namespace

TouchEdit BoardEditing::tap(QPointF location, bool running, double lifeWidth) const
{
    if (running)
        return {.refused = true, .toggle = std::nullopt};
    return {.toggle = lifeUnder(location, lifeWidth)};
}

TouchEdit BoardEditing::pan(QPointF location, bool running, double lifeWidth)
{
    if (running)
        return {.refused = true, .toggle = std::nullopt};
    const std::optional<Life> life = lifeUnder(location, lifeWidth);
    if (!life || lastPanLife_ == life)
        return {};
    lastPanLife_ = life;
    return {.toggle = life};
}
