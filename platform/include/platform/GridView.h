#pragma once

#include "platform/PlatformExport.h"

#include <QAbstractScrollArea>
#include <QRect>
#include <QString>

#include <functional>
#include <map>
#include <vector>

namespace platform {

class GridViewCell;
class GridViewDataSource;
class GridViewDelegate;

// A scrolling grid of items in one section: items flow left to right in the
// sizes the delegate gives and wrap into rows. Only the cells of visible
// items exist, and only while the grid is shown; cells scrolled away wait for
// reuse under their identifier.
//
// The grid has no scroll bar (the wheel, the keys, touch and dragging scroll
// it): one that comes and goes would change the width the items are sized by.
//
// Keyboard: the arrows move the current item (marked by a focus frame), Enter,
// Return and Space select it. The data source and the delegate are not owned
// and must outlive the grid or be cleared first. Main thread only.
class PLATFORM_EXPORT GridView : public QAbstractScrollArea {
    Q_OBJECT

public:
    static constexpr qreal defaultItemSide = 50;

    explicit GridView(QWidget* parent = nullptr);
    ~GridView() override;

    void setDataSource(GridViewDataSource* dataSource);
    void setDelegate(GridViewDelegate* delegate);

    // `makeCell` builds a new cell for `identifier` as a child of the widget it is
    // given (the grid's viewport), so that the cell is inside the grid from its
    // first moment, as screen readers expect.
    void registerCell(const QString& identifier, std::function<GridViewCell*(QWidget* parent)> makeCell);
    // A waiting cell of `identifier`, or a new one. Precondition: the identifier is registered.
    GridViewCell* dequeueReusableCell(const QString& identifier);

    // Asks the data source again: for everything, or for the given items.
    void reloadData();
    void reloadItems(const std::vector<int>& items);

    int numberOfItems() const { return int(frames_.size()); }
    // The item's frame in the grid's content, in points; null outside the range.
    QRect frameOfItem(int item) const;
    // The visible cell of `item`, or nullptr.
    GridViewCell* cellForItem(int item) const;
    std::vector<int> visibleItems() const;
    // Every cell the grid has made so far (visible or waiting).
    int cellCount() const;

    int currentItem() const { return current_; }
    void setCurrentItem(int item);
    // Selects `item` as a tap would: the delegate's didSelectItem. Out of range: nothing.
    void selectItem(int item);
    void scrollToItem(int item);

    // The width the delegate lays items out in: the viewport's.
    qreal boundsWidth() const;

protected:
    bool viewportEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void layOutItems();
    void updateVisibleCells();
    void recycle(int item);
    void orderCellsByItem();
    void placeFocusFrame();
    int itemInNeighbourRow(int item, int direction) const;
    std::pair<int, int> visibleRange() const;

    GridViewDataSource* dataSource_ = nullptr;
    GridViewDelegate* delegate_ = nullptr;
    std::map<QString, std::function<GridViewCell*(QWidget*)>> factories_;
    std::map<QString, std::vector<GridViewCell*>> waiting_;
    std::map<int, GridViewCell*> visible_;
    std::vector<QRect> frames_;
    std::vector<int> rowStarts_; // the first item of each row
    std::vector<int> rowBottoms_; // one past each row's lowest pixel
    int contentHeight_ = 0;
    int current_ = -1;
    int announcedItem_ = -1; // the current item last reported focused to the accessibility tree
    int cellsMade_ = 0;
    int laidOutWidth_ = -1;
    QWidget* focusFrame_ = nullptr;
};

} // namespace platform
