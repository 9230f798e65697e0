#include "model/PictureFrame.h"

#include <gtest/gtest.h>

#include <string>

using cellarium::CellBox;
using cellarium::Life;
using cellarium::LifeSet;
using cellarium::framePicture;
using cellarium::PictureFrame;

namespace {

struct FramingCase {
    std::string name;
    CellBox box;
    PictureFrame expected;
};

class PictureFraming : public ::testing::TestWithParam<FramingCase> {};

// Three cells of margin each side; the fewest whole pixels per cell that bring the long
// side to 1,024; no more than 4,096 pixels while a cell can shrink; grid lines from 8 pixels.
INSTANTIATE_TEST_SUITE_P(
    Boxes, PictureFraming,
    ::testing::Values(
        FramingCase{"OneCellIsSevenCellsOf147Pixels", {5, 9, 1, 1}, {{2, 6, 7, 7}, 147, true}},
        FramingCase{"AGliderInACorner", {0, 0, 3, 3}, {{-3, -3, 9, 9}, 114, true}},
        FramingCase{"AWideRowKeepsItsProportions", {10, 20, 94, 1}, {{7, 17, 100, 7}, 11, true}},
        FramingCase{"ATallColumnKeepsItsProportions", {0, 0, 1, 250}, {{-3, -3, 7, 256}, 4, false}},
        FramingCase{"LongSideExactlyDividesTheMinimum", {0, 0, 506, 10}, {{-3, -3, 512, 16}, 2, false}},
        FramingCase{"AWhole760BoardIsTwoPixelsACell", {0, 0, 760, 760}, {{-3, -3, 766, 766}, 2, false}},
        FramingCase{"PastTheMinimumCellsAreOnePixel", {0, 0, 1018, 3}, {{-3, -3, 1024, 9}, 1, false}},
        FramingCase{"PastTheMaximumCellsStayOnePixel", {0, 0, 5000, 5000}, {{-3, -3, 5006, 5006}, 1, false}},
        FramingCase{"JustAtTheGridLines", {0, 0, 123, 2}, {{-3, -3, 129, 8}, 8, true}},
        FramingCase{"JustUnderTheGridLines", {0, 0, 141, 2}, {{-3, -3, 147, 8}, 7, false}},
        FramingCase{"NegativeCoordinates", {-40, -7, 2, 2}, {{-43, -10, 8, 8}, 128, true}}),
    [](const ::testing::TestParamInfo<FramingCase>& info) { return info.param.name; });

TEST_P(PictureFraming, FramesTheBoxWithAMarginInWholePixelsPerCell)
{
    const FramingCase& c = GetParam();
    const PictureFrame frame = framePicture(c.box);
    EXPECT_EQ(frame, c.expected) << frame.cells.left << "," << frame.cells.top << " " << frame.cells.columns << "×"
                                 << frame.cells.rows << " at " << frame.cellPixels;
    // The long side reaches 1,024 pixels unless cells of one pixel already pass it.
    const std::int64_t longSide = std::max(frame.widthPixels(), frame.heightPixels());
    EXPECT_TRUE(longSide >= 1024 || frame.cellPixels > 1 || std::max(frame.cells.columns, frame.cells.rows) >= 1024);
    EXPECT_TRUE(longSide <= 4096 || frame.cellPixels == 1);
}

TEST(PictureBoundingBox, HoldsEveryPlacedCellAndNothingMore)
{
    EXPECT_EQ(cellarium::boundingBox(LifeSet{}), std::nullopt);
    EXPECT_EQ(cellarium::boundingBox(LifeSet{Life{7, 3}}), (CellBox{7, 3, 1, 1}));
    // Cells in different tiles, on both sides of zero; a cell lacking a coordinate is not drawn.
    const cellarium::LifeSet spread{Life{-70, 5}, Life{200, -3}, Life{12, 140}, Life{std::nullopt, 1000}};
    EXPECT_EQ(cellarium::boundingBox(spread), (CellBox{-70, -3, 271, 144}));
    EXPECT_EQ(cellarium::boundingBox(LifeSet{Life{std::nullopt, 4}}), std::nullopt);
    EXPECT_EQ(cellarium::unite(CellBox{0, 0, 2, 2}, CellBox{5, -1, 1, 1}), (CellBox{0, -1, 6, 3}));
}

}  // namespace
