#include "model/BoardStateCoding.h"

#include "model/PatternCoding.h"

#include "RandomSoup.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using namespace cellarium;

namespace {

BoardState everyField()
{
    BoardState s;
    s.lifes = {{1, 2}, {3, 4}, {-5, 6}};
    s.initLifes = LifeSet{{7, 8}};
    s.generation = 123456789012;
    s.highSpeed = true;
    s.countOfRows = 380;
    s.panMode = true;
    s.view = BoardViewState{2.718281828459045, 1234.5, -0.1};
    return s;
}

}  // namespace

// Every field comes back as it went in: a field the coder drops or mixes up
// with another (speed with drawing mode, the pattern with its start) shows here.
TEST(BoardStateCoding, RoundTripsEveryKindOfBoard)
{
    std::vector<std::pair<const char*, BoardState>> cases;
    cases.emplace_back("empty board, no start pattern, no view", BoardState{});
    BoardState emptyStart;
    emptyStart.initLifes = LifeSet{};  // an empty start pattern is not the same as none
    cases.emplace_back("empty start pattern", emptyStart);
    cases.emplace_back("every field", everyField());
    for (int flip = 0; flip < 4; ++flip) {  // each Boolean on its own
        BoardState s = everyField();
        s.highSpeed = flip & 1;
        s.panMode = flip & 2;
        cases.emplace_back("Booleans", s);
    }
    std::mt19937_64 random(11);
    BoardState large;
    large.countOfRows = 760;
    large.lifes = LifeSet(randomSoup(random, 0, 760, 0.4));
    large.lifes.insert({INT64_MAX, INT64_MIN});  // far outside the board
    large.lifes.insert({-1000000007, 1000000007});
    large.initLifes = LifeSet(randomSoup(random, 100, 300, 0.2));
    large.generation = INT64_MAX;
    large.view = BoardViewState{0.05, 0, 1e300};
    cases.emplace_back("760 board with far cells", large);

    for (const auto& [name, state] : cases) {
        const std::optional<BoardState> back = decodeBoardState(encodeBoardState(state));
        ASSERT_TRUE(back) << name;
        EXPECT_EQ(back->lifes, state.lifes) << name;
        EXPECT_EQ(back->initLifes, state.initLifes) << name;
        EXPECT_EQ(back->generation, state.generation) << name;
        EXPECT_EQ(back->highSpeed, state.highSpeed) << name;
        EXPECT_EQ(back->countOfRows, state.countOfRows) << name;
        EXPECT_EQ(back->panMode, state.panMode) << name;
        EXPECT_EQ(back->view, state.view) << name;
    }

    // The cell sets are the pattern encoding, so the file's lists read as patterns too.
    const std::string text = encodeBoardState(everyField());
    EXPECT_NE(text.find(R"("initLifes":[{"x":7,"y":8}])"), std::string::npos) << text;
    // A view that is not finite is left out rather than written as something JSON cannot hold.
    BoardState nan = everyField();
    nan.view->offsetX = std::nan("");
    const std::optional<BoardState> back = decodeBoardState(encodeBoardState(nan));
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->view);
}

// A damaged file must be refused as a whole, never read as some other board.
TEST(BoardStateCoding, RefusesAnythingButAWholeStateFile)
{
    const std::string good = encodeBoardState(everyField());
    auto replaced = [&](std::string_view from, std::string_view to) {
        std::string s = good;
        const std::size_t at = s.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? std::string("{}") : s.replace(at, from.size(), to);
    };
    const std::vector<std::string> damaged = {
        "", "null", "[]", "{}", "garbage{", good.substr(0, good.size() / 2), good.substr(0, good.size() - 1),
        replaced(R"("format":1)", R"("format":2)"),
        replaced(R"("generation":123456789012)", R"("generation":-1)"),
        replaced(R"("generation":123456789012)", R"("generation":1.5)"),
        replaced(R"("highSpeed":true)", R"("highSpeed":1)"),
        replaced(R"("countOfRows":380)", R"("countOfRows":200)"),
        replaced(R"("panMode":true)", R"("panMode":"yes")"),
        replaced(R"("zoom":2.718281828459045)", R"("zoom":0)"),
        replaced(R"("offsetY":-0.1)", R"("offsetY":null)"),
        replaced(R"("view":{)", R"("view":{"x":1},"old":{)"),
        replaced(R"({"x":1,"y":2})", R"({"x":1.5,"y":2})"),
        replaced(R"("lifes":[)", R"("lifes":{"a":[)"),
        replaced(R"("initLifes":[{"x":7,"y":8}])", R"("initLifes":[7])"),
        replaced(R"(,"initLifes":[{"x":7,"y":8}])", ""),
        replaced(R"("countOfRows":380,)", ""),
    };
    for (const std::string& bytes : damaged)
        EXPECT_FALSE(decodeBoardState(bytes)) << bytes.substr(0, 200);
    ASSERT_TRUE(decodeBoardState(good));
}
