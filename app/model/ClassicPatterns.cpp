#include "model/ClassicPatterns.h"

#include "model/RlePattern.h"

#include <array>

namespace cellarium {

namespace {

using enum ClassicPatternKind;

// Typed from the patterns' published definitions, in their usual phase and
// orientation: the glider flies down and right, the three ships to the left.
constexpr std::array kPatterns{
    ClassicPattern{"Block", stillLife, "x = 2, y = 2\n2o$2o!\n"},
    ClassicPattern{"Beehive", stillLife, "x = 4, y = 3\nb2o$o2bo$b2o!\n"},
    ClassicPattern{"Loaf", stillLife, "x = 4, y = 4\nb2o$o2bo$bobo$2bo!\n"},
    ClassicPattern{"Boat", stillLife, "x = 3, y = 3\n2o$obo$bo!\n"},
    ClassicPattern{"Ship", stillLife, "x = 3, y = 3\n2o$obo$b2o!\n"},
    ClassicPattern{"Tub", stillLife, "x = 3, y = 3\nbo$obo$bo!\n"},
    ClassicPattern{"Pond", stillLife, "x = 4, y = 4\nb2o$o2bo$o2bo$b2o!\n"},

    ClassicPattern{"Blinker", oscillator, "x = 3, y = 1\n3o!\n"},
    ClassicPattern{"Toad", oscillator, "x = 4, y = 2\nb3o$3o!\n"},
    ClassicPattern{"Beacon", oscillator, "x = 4, y = 4\n2o$2o$2b2o$2b2o!\n"},
    ClassicPattern{"Clock", oscillator, "x = 4, y = 4\n2bo$obo$bobo$bo!\n"},
    ClassicPattern{"Pulsar", oscillator,
                   "x = 13, y = 13\n2b3o3b3o2$o4bobo4bo$o4bobo4bo$o4bobo4bo$2b3o3b3o2$2b3o3b3o$"
                   "o4bobo4bo$o4bobo4bo$o4bobo4bo2$2b3o3b3o!\n"},
    ClassicPattern{"Figure eight", oscillator, "x = 6, y = 6\n3o$3o$3o$3b3o$3b3o$3b3o!\n"},
    ClassicPattern{"Tumbler", oscillator, "x = 7, y = 6\nb2ob2o$b2ob2o$2bobo$obobobo$obobobo$2o3b2o!\n"},
    ClassicPattern{"Pentadecathlon", oscillator, "x = 10, y = 3\n2bo4bo$2ob4ob2o$2bo4bo!\n"},
    ClassicPattern{"Kok's galaxy", oscillator,
                   "x = 9, y = 9\n2ob6o$2ob6o$2o$2o5b2o$2o5b2o$2o5b2o$7b2o$6ob2o$6ob2o!\n"},

    ClassicPattern{"Glider", spaceship, "x = 3, y = 3\nbo$2bo$3o!\n"},
    ClassicPattern{"Lightweight spaceship", spaceship, "x = 5, y = 4\nbo2bo$o$o3bo$4o!\n"},
    ClassicPattern{"Middleweight spaceship", spaceship, "x = 6, y = 5\n3bo$bo3bo$o$o4bo$5o!\n"},
    ClassicPattern{"Heavyweight spaceship", spaceship, "x = 7, y = 5\n3b2o$bo4bo$o$o5bo$6o!\n"},

    ClassicPattern{"R-pentomino", methuselah, "x = 3, y = 3\nb2o$2o$bo!\n"},
    ClassicPattern{"B-heptomino", methuselah, "x = 4, y = 3\nob2o$3o$bo!\n"},
    ClassicPattern{"Pi-heptomino", methuselah, "x = 3, y = 3\n3o$obo$obo!\n"},
    ClassicPattern{"Acorn", methuselah, "x = 7, y = 3\nbo$3bo$2o2b3o!\n"},
    ClassicPattern{"Diehard", methuselah, "x = 8, y = 3\n6bo$2o$bo3b3o!\n"},

    ClassicPattern{"Gosper glider gun", gun,
                   "x = 36, y = 9\n24bo$22bobo$12b2o6b2o12b2o$11bo3bo4b2o12b2o$2o8bo5bo3b2o$"
                   "2o8bo3bob2o4bobo$10bo5bo7bo$11bo3bo$12b2o!\n"},
    ClassicPattern{"Simkin glider gun", gun,
                   "x = 33, y = 21\n2o5b2o$2o5b2o2$4b2o$4b2o5$22b2ob2o$21bo5bo$21bo6bo2b2o$"
                   "21b3o3bo3b2o$26bo4$20b2o$20bo$21b3o$23bo!\n"},

    ClassicPattern{"Puffer train", puffer, "x = 5, y = 18\n3bo$4bo$o3bo$b4o4$o$b2o$2bo$2bo$bo3$3bo$4bo$o3bo$b4o!\n"},
};

}  // namespace

std::span<const ClassicPattern> classicPatterns()
{
    return kPatterns;
}

PatternReading readClassicPattern(const ClassicPattern& pattern, std::int64_t rows)
{
    return readRlePattern(pattern.rle, rows);
}

}  // namespace cellarium
