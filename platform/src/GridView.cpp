#include "platform/GridView.h"

#include "GridViewAccessible.h"
#include "platform/GridViewCell.h"
#include "platform/GridViewDataSource.h"
#include "platform/GridViewDelegate.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QScroller>

#include <algorithm>
#include <utility>
#include <cmath>

namespace platform {

namespace {

// The current item's mark while the grid has the keyboard focus; it lets
// touches through to the cell below.
class FocusFrame : public QWidget {
public:
    explicit FocusFrame(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QPen pen(palette().color(QPalette::Highlight), 3);
        painter.setPen(pen);
        painter.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
    }
};

} // namespace

GridViewDataSource::~GridViewDataSource() = default;
GridViewDelegate::~GridViewDelegate() = default;

QSizeF GridViewDelegate::sizeForItem(GridView&, int)
{
    return {GridView::defaultItemSide, GridView::defaultItemSide};
}

void GridViewDelegate::didSelectItem(GridView&, int) {}

GridView::GridView(QWidget* parent) : QAbstractScrollArea(parent), focusFrame_(new FocusFrame(viewport()))
{
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setSingleStep(20);
    QScroller::grabGesture(viewport(), QScroller::TouchGesture);
    installGridCellAccessibility();
}

GridView::~GridView() = default;

void GridView::setDataSource(GridViewDataSource* dataSource)
{
    dataSource_ = dataSource;
    reloadData();
}

void GridView::setDelegate(GridViewDelegate* delegate)
{
    delegate_ = delegate;
    reloadData();
}

void GridView::registerCell(const QString& identifier, std::function<GridViewCell*(QWidget* parent)> makeCell)
{
    factories_[identifier] = std::move(makeCell);
}

GridViewCell* GridView::dequeueReusableCell(const QString& identifier)
{
    auto& waiting = waiting_[identifier];
    if (!waiting.empty()) {
        GridViewCell* cell = waiting.back();
        waiting.pop_back();
        cell->prepareForReuse();
        return cell;
    }
    const auto factory = factories_.find(identifier);
    Q_ASSERT_X(factory != factories_.end(), "GridView::dequeueReusableCell", "no cell registered for this identifier");
    GridViewCell* cell = factory != factories_.end() ? factory->second(viewport()) : nullptr;
    if (cell == nullptr || cell->parentWidget() != viewport()) {
        qWarning("GridView: the cell factory for \"%s\" must make its cell in the viewport it is given",
                 qPrintable(identifier));
        delete cell;
        cell = new GridViewCell(viewport());
    }
    cell->reuseIdentifier_ = identifier;
    cell->setFocusPolicy(Qt::NoFocus);
    ++cellsMade_;
    connect(cell, &QAbstractButton::clicked, this, [this, cell] {
        if (cell->item_ >= 0) {
            setCurrentItem(cell->item_);
            selectItem(cell->item_);
        }
    });
    focusFrame_->raise();
    return cell;
}

void GridView::reloadData()
{
    for (const auto& [item, cell] : std::map<int, GridViewCell*>(visible_))
        recycle(item);
    layOutItems();
    if (current_ >= numberOfItems())
        current_ = numberOfItems() - 1;
    updateVisibleCells();
}

void GridView::reloadItems(const std::vector<int>& items)
{
    for (int item : items) {
        if (visible_.count(item))
            recycle(item);
    }
    updateVisibleCells();
}

QRect GridView::frameOfItem(int item) const
{
    if (item < 0 || item >= numberOfItems())
        return {};
    return frames_[size_t(item)];
}

GridViewCell* GridView::cellForItem(int item) const
{
    const auto found = visible_.find(item);
    return found == visible_.end() ? nullptr : found->second;
}

std::vector<int> GridView::visibleItems() const
{
    std::vector<int> items;
    for (const auto& entry : visible_)
        items.push_back(entry.first);
    return items;
}

int GridView::cellCount() const
{
    return cellsMade_;
}

qreal GridView::boundsWidth() const
{
    return viewport()->width();
}

void GridView::setCurrentItem(int item)
{
    if (item < 0 || item >= numberOfItems())
        return;
    current_ = item;
    scrollToItem(item);
    placeFocusFrame();
}

void GridView::selectItem(int item)
{
    if (item < 0 || item >= numberOfItems() || !delegate_)
        return;
    delegate_->didSelectItem(*this, item);
}

void GridView::scrollToItem(int item)
{
    const QRect frame = frameOfItem(item);
    if (frame.isNull())
        return;
    QScrollBar* bar = verticalScrollBar();
    const int top = bar->value();
    const int height = viewport()->height();
    if (frame.top() < top)
        bar->setValue(frame.top());
    else if (frame.bottom() + 1 > top + height)
        bar->setValue(frame.bottom() + 1 - height);
}

bool GridView::viewportEvent(QEvent* event)
{
    const bool handled = QAbstractScrollArea::viewportEvent(event);
    // Item sizes may follow the width: every frame changes. A new height only
    // shows more or fewer of them.
    if (event->type() == QEvent::Resize) {
        if (viewport()->width() != laidOutWidth_) {
            reloadData();
        } else {
            layOutItems();
            updateVisibleCells();
        }
    }
    return handled;
}

void GridView::scrollContentsBy(int, int)
{
    updateVisibleCells();
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    const int count = numberOfItems();
    if (count == 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const int from = current_ < 0 ? 0 : current_;
    int to = from;
    switch (event->key()) {
    case Qt::Key_Left: to = from - 1; break;
    case Qt::Key_Right: to = from + 1; break;
    case Qt::Key_Up: to = itemInNeighbourRow(from, -1); break;
    case Qt::Key_Down: to = itemInNeighbourRow(from, +1); break;
    case Qt::Key_Home: to = 0; break;
    case Qt::Key_End: to = count - 1; break;
    case Qt::Key_Enter:
    case Qt::Key_Return:
    case Qt::Key_Space:
        if (current_ < 0)
            setCurrentItem(0);
        selectItem(current_);
        return;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    setCurrentItem(std::clamp(to, 0, count - 1));
}

void GridView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    if (current_ < 0 && numberOfItems() > 0)
        current_ = 0;
    placeFocusFrame();
}

void GridView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    placeFocusFrame();
}

void GridView::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    updateVisibleCells();
}

void GridView::placeFocusFrame()
{
    GridViewCell* cell = hasFocus() ? cellForItem(current_) : nullptr;
    if (!cell) {
        focusFrame_->hide();
        announcedItem_ = -1;
        return;
    }
    focusFrame_->setGeometry(cell->geometry());
    focusFrame_->raise();
    focusFrame_->show();
    // The keyboard's current tile is the accessible focus; said once per move.
    if (std::exchange(announcedItem_, current_) != current_)
        announceFocusedCell(*cell);
}

int GridView::itemInNeighbourRow(int item, int direction) const
{
    const auto rowOf = [this](int i) {
        return int(std::upper_bound(rowStarts_.begin(), rowStarts_.end(), i) - rowStarts_.begin()) - 1;
    };
    const int row = rowOf(item) + direction;
    if (row < 0 || row >= int(rowStarts_.size()))
        return item;
    const int centre = frames_[size_t(item)].center().x();
    const int first = rowStarts_[size_t(row)];
    const int last = (row + 1 < int(rowStarts_.size()) ? rowStarts_[size_t(row) + 1] : numberOfItems()) - 1;
    for (int i = first; i <= last; ++i) {
        if (frames_[size_t(i)].right() >= centre)
            return i;
    }
    return last;
}

} // namespace platform
