#include "model/FirstRunPattern.h"

#include <utility>
#include <vector>

namespace cellarium {

LifeSet firstRunPattern()
{
    const std::vector<std::pair<std::int64_t, std::vector<std::int64_t>>> rows = {
        {90, {90, 91, 92, 93, 94, 95, 96, 97, 98, 99}},
        {91, {93, 96}},
        {92, {92, 96}},
        {93, {91, 92, 93, 94, 96, 99}},
        {94, {90, 94, 96, 97, 98}},
        {95, {91, 94, 96}},
        {96, {92, 93, 96}},
        {97, {92, 96, 99}},
        {98, {90, 91, 96, 97, 98, 99}},
    };
    LifeSet lifes;
    for (const auto& [y, columns] : rows) {
        for (std::int64_t x : columns)
            lifes.insert(Life{x, y});
    }
    return lifes;
}

}  // namespace cellarium
