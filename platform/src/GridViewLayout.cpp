#include "platform/GridView.h"

#include "platform/GridViewCell.h"
#include "platform/GridViewDataSource.h"
#include "platform/GridViewDelegate.h"

#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <map>

// The grid's layout and the cells on show: the items' frames in rows, the visible
// range, and the cells taken from the data source, recycled and kept in item order.

namespace platform {

void GridView::layOutItems()
{
    frames_.clear();
    rowStarts_.clear();
    rowBottoms_.clear();
    const int count = dataSource_ ? std::max(0, dataSource_->numberOfItems(*this)) : 0;
    frames_.reserve(size_t(count));
    const qreal width = boundsWidth();
    qreal x = 0, y = 0, rowHeight = 0;
    for (int item = 0; item < count; ++item) {
        QSizeF size = delegate_ ? delegate_->sizeForItem(*this, item) : QSizeF(defaultItemSide, defaultItemSide);
        size = size.expandedTo(QSizeF(0, 0));
        // A small tolerance, so that three items of w / 3 - 0.3 share a row however w rounds.
        if (item > 0 && x > 0 && x + size.width() > width + 0.5) {
            y += rowHeight;
            x = 0;
            rowHeight = 0;
        }
        if (x == 0) {
            rowStarts_.push_back(item);
            rowBottoms_.push_back(0);
        }
        const QPoint topLeft(int(std::lround(x)), int(std::lround(y)));
        const QPoint bottomRight(int(std::lround(x + size.width())), int(std::lround(y + size.height())));
        frames_.emplace_back(topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y()));
        rowBottoms_.back() = std::max(rowBottoms_.back(), bottomRight.y());
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
    contentHeight_ = rowBottoms_.empty() ? 0 : rowBottoms_.back();
    laidOutWidth_ = viewport()->width();
    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(viewport()->height());
    bar->setRange(0, std::max(0, contentHeight_ - viewport()->height()));
}

std::pair<int, int> GridView::visibleRange() const
{
    if (frames_.empty())
        return {0, 0};
    const int top = verticalScrollBar()->value();
    const int bottom = top + viewport()->height();
    // Rows are laid out top to bottom, so their bottoms grow: the first row ending
    // below the top is the first visible one.
    const auto first = std::upper_bound(rowBottoms_.begin(), rowBottoms_.end(), top);
    if (first == rowBottoms_.end())
        return {0, 0};
    size_t row = size_t(first - rowBottoms_.begin());
    const int begin = rowStarts_[row];
    int end = begin;
    for (; row < rowStarts_.size(); ++row) {
        const int rowTop = frames_[size_t(rowStarts_[row])].top();
        if (rowTop >= bottom)
            break;
        end = row + 1 < rowStarts_.size() ? rowStarts_[row + 1] : numberOfItems();
    }
    return {begin, end};
}

void GridView::updateVisibleCells()
{
    // A hidden grid's size is not settled yet: its cells would be made for nothing.
    const auto [begin, end] = isVisible() ? visibleRange() : std::pair{0, 0};
    for (const auto& [item, cell] : std::map<int, GridViewCell*>(visible_)) {
        if (item < begin || item >= end)
            recycle(item);
    }
    const int top = verticalScrollBar()->value();
    for (int item = begin; item < end; ++item) {
        GridViewCell* cell = cellForItem(item);
        if (!cell) {
            if (!dataSource_)
                break;
            cell = dataSource_->cellForItem(*this, item);
            if (!cell)
                continue;
            cell->item_ = item;
            visible_[item] = cell;
        }
        cell->setGeometry(frames_[size_t(item)].translated(0, -top));
        cell->show();
    }
    orderCellsByItem();
    placeFocusFrame();
}

void GridView::orderCellsByItem()
{
    // Screen readers list a widget's children in child order; reused cells would
    // otherwise meet the listener out of item order.
    std::vector<QWidget*> shown;
    for (QObject* child : viewport()->children()) {
        auto* cell = qobject_cast<GridViewCell*>(child);
        if (cell != nullptr && cell->item_ >= 0)
            shown.push_back(cell);
    }
    std::vector<QWidget*> wanted;
    for (const auto& entry : visible_)
        wanted.push_back(entry.second);
    if (shown == wanted)
        return;
    for (QWidget* cell : wanted)
        cell->raise();
}

void GridView::recycle(int item)
{
    const auto found = visible_.find(item);
    if (found == visible_.end())
        return;
    GridViewCell* cell = found->second;
    visible_.erase(found);
    cell->hide();
    cell->item_ = -1;
    waiting_[cell->reuseIdentifier_].push_back(cell);
}

}  // namespace platform
