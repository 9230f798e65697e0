#include "platform/GridView.h"
#include "platform/GridViewCell.h"
#include "platform/GridViewDataSource.h"
#include "platform/GridViewDelegate.h"

#include <QAccessible>
#include <QScrollBar>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Numbered items of a fixed side; remembers what it was asked and what was selected.
class NumberedItems : public platform::GridViewDataSource, public platform::GridViewDelegate {
public:
    int count = 0;
    qreal side = 100;
    std::vector<int> asked;
    std::vector<int> selected;

    int numberOfItems(platform::GridView&) override { return count; }
    platform::GridViewCell* cellForItem(platform::GridView& grid, int item) override
    {
        asked.push_back(item);
        platform::GridViewCell* cell = grid.dequeueReusableCell("Numbered");
        cell->setAccessibleName(QString::number(item));
        return cell;
    }
    bool thirds = false;  // items of a third of the grid's width, less a little
    QSizeF sizeForItem(platform::GridView& grid, int) override
    {
        const qreal length = thirds ? grid.boundsWidth() / 3 - 0.3 : side;
        return {length, length};
    }
    void didSelectItem(platform::GridView&, int item) override { selected.push_back(item); }
};

class GridViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.registerCell("Numbered", [](QWidget* parent) { return new platform::GridViewCell(parent); });
        grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // the full 300 points for three items
        grid.resize(300, 400);
    }

    void show(int count)
    {
        items.count = count;
        grid.setDataSource(&items);
        grid.setDelegate(&items);
        grid.show();
    }

    NumberedItems items;
    platform::GridView grid;
};

}  // namespace

TEST_F(GridViewTest, ItemsFlowLeftToRightAndWrapIntoRows)
{
    show(7);
    EXPECT_EQ(grid.frameOfItem(0), QRect(0, 0, 100, 100));
    EXPECT_EQ(grid.frameOfItem(2), QRect(200, 0, 100, 100));
    EXPECT_EQ(grid.frameOfItem(3), QRect(0, 100, 100, 100));
    EXPECT_EQ(grid.frameOfItem(6), QRect(0, 200, 100, 100));
    EXPECT_TRUE(grid.frameOfItem(7).isNull());
}

TEST_F(GridViewTest, ThirdsOfTheWidthLessALittleShareARow)
{
    items.side = 300.0 / 3 - 0.3;
    show(6);
    EXPECT_EQ(grid.frameOfItem(2).top(), 0);
    EXPECT_EQ(grid.frameOfItem(3).left(), 0);
    EXPECT_GT(grid.frameOfItem(3).top(), 0);
}

// Regression guard for the archive: ten thousand items must not mean ten thousand widgets.
TEST_F(GridViewTest, OnlyVisibleItemsHaveCellsAndScrolledAwayCellsAreReused)
{
    show(10000);
    const std::vector<int> first = grid.visibleItems();
    EXPECT_EQ(first.size(), 12u);  // four rows of three in 400 points
    EXPECT_EQ(first.front(), 0);
    const int made = grid.cellCount();
    EXPECT_LE(made, 12);

    grid.verticalScrollBar()->setValue(100 * 2000);
    const std::vector<int> later = grid.visibleItems();
    ASSERT_FALSE(later.empty());
    EXPECT_EQ(later.front(), 6000);
    EXPECT_EQ(grid.cellCount(), made) << "no new cells while scrolling";
    EXPECT_EQ(grid.cellForItem(0), nullptr);
    ASSERT_NE(grid.cellForItem(6000), nullptr);
    EXPECT_EQ(grid.cellForItem(6000)->item(), 6000);
    EXPECT_EQ(grid.cellForItem(6000)->accessibleName(), "6000");
    EXPECT_EQ(grid.cellForItem(6000)->pos(), QPoint(0, 0));
}

TEST_F(GridViewTest, ReloadOfOneItemAsksForThatItemOnly)
{
    show(9);
    items.asked.clear();
    grid.reloadItems({4});
    EXPECT_EQ(items.asked, std::vector<int>{4});
    items.asked.clear();
    grid.reloadItems({100});  // not there: nothing
    EXPECT_TRUE(items.asked.empty());
}

TEST_F(GridViewTest, ReloadDataPicksUpANewCount)
{
    show(9);
    items.count = 2;
    grid.reloadData();
    EXPECT_EQ(grid.numberOfItems(), 2);
    EXPECT_EQ(grid.visibleItems(), (std::vector<int>{0, 1}));
}

TEST_F(GridViewTest, ClickOrPressOfACellSelectsItsItem)
{
    show(9);
    QTest::mouseClick(grid.cellForItem(5), Qt::LeftButton);
    grid.cellForItem(7)->click();  // what the accessibility press action does
    EXPECT_EQ(items.selected, (std::vector<int>{5, 7}));
    EXPECT_EQ(grid.currentItem(), 7);
}

TEST_F(GridViewTest, ArrowsMoveTheCurrentItemAndEnterOrSpaceSelectIt)
{
    show(8);
    grid.setFocus();
    grid.setCurrentItem(0);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.currentItem(), 3);
    QTest::keyClick(&grid, Qt::Key_Right);
    QTest::keyClick(&grid, Qt::Key_Right);
    EXPECT_EQ(grid.currentItem(), 5);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.currentItem(), 7) << "the last row is shorter: its last item";
    QTest::keyClick(&grid, Qt::Key_Right);
    EXPECT_EQ(grid.currentItem(), 7) << "stops at the end";
    QTest::keyClick(&grid, Qt::Key_Up);
    EXPECT_EQ(grid.currentItem(), 4);
    QTest::keyClick(&grid, Qt::Key_Enter);
    QTest::keyClick(&grid, Qt::Key_Space);
    QTest::keyClick(&grid, Qt::Key_Home);
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(items.selected, (std::vector<int>{4, 4, 0}));
}

TEST_F(GridViewTest, MovingTheCurrentItemScrollsItIntoView)
{
    show(300);
    grid.setFocus();
    grid.setCurrentItem(299);
    EXPECT_NE(grid.cellForItem(299), nullptr);
    EXPECT_EQ(grid.cellForItem(0), nullptr);
}

TEST_F(GridViewTest, WithoutADataSourceTheGridIsEmpty)
{
    grid.show();
    EXPECT_EQ(grid.numberOfItems(), 0);
    grid.selectItem(0);
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_TRUE(grid.visibleItems().empty());
}

// Regression: with a vertical scroll bar that came when the content was taller
// than the grid, items sized by the width could make the content short enough
// for the bar to go, and tall enough for it to come back, without end.
TEST(GridViewLayout, ItemsSizedByTheWidthSettleAtAnyHeight)
{
    NumberedItems items;
    items.count = 18;
    items.thirds = true;
    platform::GridView grid;
    grid.registerCell("Numbered", [](QWidget* parent) { return new platform::GridViewCell(parent); });
    const int width = 325;
    const int bar = grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const double withBar = 6 * ((width - bar) / 3.0 - 0.3);
    const double withoutBar = 6 * (width / 3.0 - 0.3);
    grid.resize(width, int((withBar + withoutBar) / 2));
    grid.setDataSource(&items);
    grid.setDelegate(&items);
    grid.show();
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    items.asked.clear();
    QCoreApplication::processEvents();
    EXPECT_TRUE(items.asked.empty()) << "still laying out after ten rounds";
    EXPECT_EQ(grid.boundsWidth(), width);
}

namespace {

// Accessibility events about cells, as a screen reader's bridge receives them:
// each names a cell that is inside the grid at that moment.
std::vector<QString>* strayCellEvents = nullptr;
platform::GridView* watchedGrid = nullptr;

void checkCellEvent(QAccessibleEvent* event)
{
    auto* cell = qobject_cast<platform::GridViewCell*>(event->object());
    if (cell == nullptr || event->type() == QAccessible::ObjectDestroyed)
        return;
    if (!watchedGrid->isAncestorOf(cell))
        strayCellEvents->push_back(QStringLiteral("event %1 for a cell outside the grid").arg(int(event->type())));
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(cell);
    if (face == nullptr || !face->isValid() || face->parent() == nullptr)
        strayCellEvents->push_back(QStringLiteral("event %1 for a cell with no place in the tree").arg(int(event->type())));
}

}  // namespace

// Regression: cells were made parentless and then moved into the grid, and the
// screen-reader bridge was told of widgets that had no place in the tree yet.
TEST(GridViewAccessibility, EveryCellEventNamesACellInsideTheGrid)
{
    NumberedItems items;
    items.count = 10000;
    std::vector<QString> stray;
    strayCellEvents = &stray;
    {
        platform::GridView grid;
        watchedGrid = &grid;
        grid.registerCell("Numbered", [](QWidget* parent) { return new platform::GridViewCell(parent); });
        grid.resize(300, 400);
        QAccessible::installUpdateHandler(checkCellEvent);
        QAccessible::setActive(true);
        grid.setDataSource(&items);
        grid.setDelegate(&items);
        grid.show();
        for (int value = 0; value < 3000; value += 170)
            grid.verticalScrollBar()->setValue(value);
        grid.reloadData();
        // The tree a screen reader walks holds every visible cell once, by its item's name.
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(grid.viewport());
        ASSERT_NE(root, nullptr);
        int named = 0;
        for (int i = 0; i < root->childCount(); ++i) {
            QAccessibleInterface* child = root->child(i);
            if (child != nullptr && child->object() != nullptr && qobject_cast<platform::GridViewCell*>(child->object())
                && child->state().invisible == 0)
                named += child->text(QAccessible::Name).isEmpty() ? 0 : 1;
        }
        EXPECT_EQ(named, int(grid.visibleItems().size()));
        QAccessible::installUpdateHandler(nullptr);
        QAccessible::setActive(false);
    }
    strayCellEvents = nullptr;
    watchedGrid = nullptr;
    EXPECT_TRUE(stray.empty()) << (stray.empty() ? "" : stray.front().toStdString());
}

// Regression: reused cells kept their place among the grid's children, so a screen
// reader walking them met the items out of order after scrolling back.
TEST(GridViewAccessibility, AScreenReaderMeetsTheVisibleItemsInOrderAfterScrolling)
{
    NumberedItems items;
    items.count = 10000;
    platform::GridView grid;
    grid.registerCell("Numbered", [](QWidget* parent) { return new platform::GridViewCell(parent); });
    grid.resize(300, 400);
    grid.setDataSource(&items);
    grid.setDelegate(&items);
    grid.show();
    for (int value : {1000, 1100, 900, 500, 0, 250})
        grid.verticalScrollBar()->setValue(value);
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(grid.viewport());
    ASSERT_NE(root, nullptr);
    std::vector<int> met;
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface* child = root->child(i);
        if (child != nullptr && qobject_cast<platform::GridViewCell*>(child->object()) && child->state().invisible == 0)
            met.push_back(child->text(QAccessible::Name).toInt());
    }
    EXPECT_EQ(met, grid.visibleItems());
}
