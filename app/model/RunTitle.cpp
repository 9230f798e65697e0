#include "model/RunTitle.h"

namespace cellarium {

std::string runTitle(std::string_view app, std::int64_t generation, std::size_t cells)
{
    std::string title(app);
    if (generation == 0)
        return title;
    title += " \u2014 generation ";
    title += std::to_string(generation);
    title += ", ";
    title += std::to_string(cells);
    title += cells == 1 ? " cell" : " cells";
    return title;
}

}  // namespace cellarium
