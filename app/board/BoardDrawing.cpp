#include "board/BoardDrawing.h"

#include "board/CellLayer.h"
#include "board/GridLayer.h"
#include "board/LifeView.h"
#include "model/BoardGeometry.h"

#include <QGraphicsScene>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/SystemSymbol.h"

namespace {

// The view's grid and cell layers, when it holds exactly one of each and nothing else.
struct Layers {
    QGraphicsItem* grid = nullptr;
    QGraphicsItem* cells = nullptr;
};

Layers reusableLayers(const LifeView& view)
{
    Layers found;
    const QList<QGraphicsItem*> children = view.childItems();
    if (children.size() != 2)
        return {};
    for (QGraphicsItem* item : children) {
        if (item->type() == GridLayer::Type)
            found.grid = item;
        else if (item->type() == CellLayer::Type)
            found.cells = item;
    }
    return found.grid && found.cells ? found : Layers{};
}

// The cells as a fill of their union paints them, in device pixels: a side × side
// square at `scaleX` × `scaleY` pixels a point, each pixel `color` at the part of it
// the cells cover (antialiased), or wherever its centre lies in a cell. The cells
// never overlap, so a pixel's coverage is the sum of its overlaps with each cell, and
// neighbours meet without seams. A path of several hundred thousand squares costs
// the rasteriser seconds to fill; this costs a few passes over the pixels.
QImage cellCoverage(const cellarium::LifeSet& lifes, double side, double cell, double scaleX, double scaleY,
                    bool antialiased, const QColor& color)
{
    const int width = static_cast<int>(std::ceil(side * scaleX));
    const int height = static_cast<int>(std::ceil(side * scaleY));
    QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(0);
    // Each pixel's 32 bits first hold its coverage, in 1/65536 of a pixel.
    constexpr double whole = 65536;
    const double cellX = cell * scaleX, cellY = cell * scaleY;
    // The pixels a cell's span [from, to) touches, with the part of each it covers.
    struct Span {
        int first, last;  // pixels [first, last)
        double from, to;
    };
    auto span = [antialiased](double from, double to, int pixels) -> std::optional<Span> {
        if (to <= 0 || from >= pixels)
            return std::nullopt;
        if (!antialiased) {
            // The pixels whose centres lie in (from, to], the edges taken to 1/64 of a
            // pixel, as the rasteriser's aliased fill has them.
            from = std::floor(std::round(from * 64) / 64 + 0.5);
            to = std::floor(std::round(to * 64) / 64 + 0.5);
        }
        const int first = static_cast<int>(std::max(0.0, std::floor(from)));
        const int last = static_cast<int>(std::min(double(pixels), std::ceil(to)));
        if (first >= last)
            return std::nullopt;
        return Span{first, last, from, to};
    };
    auto part = [](const Span& s, int pixel) { return std::min(s.to, pixel + 1.0) - std::max(s.from, double(pixel)); };
    lifes.forEachPlaced([&](std::int64_t x, std::int64_t y) {
        const double left = cellX * double(x), top = cellY * double(y);
        const std::optional<Span> across = span(left, left + cellX, width);
        const std::optional<Span> down = across ? span(top, top + cellY, height) : std::nullopt;
        if (!down)
            return;
        for (int row = down->first; row < down->last; ++row) {
            const double high = part(*down, row) * whole;
            auto* line = reinterpret_cast<quint32*>(image.scanLine(row));
            for (int column = across->first; column < across->last; ++column)
                line[column] += static_cast<quint32>(std::lround(high * part(*across, column)));
        }
    });
    const QRgb rgb = color.rgba();
    for (int row = 0; row < height; ++row) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(row));
        for (int column = 0; column < width; ++column) {
            const quint32 covered = std::min<quint32>(line[column], quint32(whole));
            if (covered == 0)
                continue;
            const int alpha = static_cast<int>((quint64(qAlpha(rgb)) * covered + quint32(whole) / 2) / quint32(whole));
            line[column] = qPremultiply(qRgba(qRed(rgb), qGreen(rgb), qBlue(rgb), alpha));
        }
    }
    return image;
}

}  // namespace

void redrawBoard(LifeView& view, const BoardDrawingInputs& in, bool cells, bool grid)
{
    const Layers layers = reusableLayers(view);

    QGraphicsItem* gridLayer = nullptr;
    if (layers.grid && !grid) {
        gridLayer = layers.grid;
    } else if (in.separateLineAlphe <= 0.01) {
        return;  // the grid keeps the opacity it was last drawn with
    } else {
        QColor stroke = in.labelColor;
        stroke.setAlphaF(static_cast<float>(std::clamp(in.separateLineAlphe, 0.0, 1.0)));
        gridLayer = new GridLayer(in.rows, in.lifeWidth, in.contentWidth, in.onePixel, stroke);
    }

    QGraphicsItem* cellLayer =
        layers.cells && !cells ? layers.cells : new CellLayer(in.lifes, in.rows, in.lifeWidth, in.labelColor);

    for (QGraphicsItem* item : view.childItems()) {
        if (item != gridLayer && item != cellLayer)
            delete item;
    }
    gridLayer->setParentItem(&view);
    cellLayer->setParentItem(&view);
    gridLayer->setZValue(0);
    cellLayer->setZValue(1);
}

void showGeneration(LifeView& view, const BoardDrawingInputs& in)
{
    const Layers layers = reusableLayers(view);
    auto* cells = static_cast<CellLayer*>(layers.cells);
    if (!cells || !cells->drawsBoard(in.rows, in.lifeWidth, in.labelColor)) {
        redrawBoard(view, in, true, false);
        return;
    }
    const std::vector<QRectF> flipped = cells->advanceTo(in.lifes);
    // The scene hands each area to its views, which drop those off screen and
    // repaint the rest as one region.
    if (QGraphicsScene* scene = view.scene()) {
        for (const QRectF& area : flipped)
            scene->update(cells->mapRectToScene(area));
    }
}

void drawSnapshot(QPainter& painter, const cellarium::LifeSet& lifes, double side, double contentWidth,
                  double lifeWidth, const QColor& color)
{
    const double cell = side / contentWidth * lifeWidth;
    const QTransform device = painter.deviceTransform();
    if (device.type() <= QTransform::TxScale && device.m11() > 0 && device.m22() > 0 &&
        device.dx() == std::floor(device.dx()) && device.dy() == std::floor(device.dy())) {
        const QImage cells = cellCoverage(lifes, side, cell, device.m11(), device.m22(),
                                          painter.testRenderHint(QPainter::Antialiasing), color);
        painter.drawImage(QRectF(0, 0, cells.width() / device.m11(), cells.height() / device.m22()), cells);
        return;
    }
    // Turned or at a fraction of a pixel: the rasteriser's fill, much slower for many cells.
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    lifes.forEachPlaced([&](std::int64_t x, std::int64_t y) {
        const double left = cell * static_cast<double>(x);
        const double top = cell * static_cast<double>(y);
        if (left + cell > 0 && top + cell > 0 && left < side && top < side)  // the rest is clipped anyway
            path.addRect(left, top, cell, cell);
    });
    painter.fillPath(path, color);
}

void redrawBoard(LifeView& view, const cellarium::LifeSet& lifes, const cellarium::BoardGeometry& g,
                 double separateLineAlphe, bool cells, bool grid)
{
    redrawBoard(view, {lifes, g.countOfRows(), g.lifeWidth(), g.contentWidth(), g.onePixel(), separateLineAlphe,
                       platform::labelColor()},
                cells, grid);
}

void showGeneration(LifeView& view, const cellarium::LifeSet& lifes, const cellarium::BoardGeometry& g,
                    double separateLineAlphe)
{
    showGeneration(view, {lifes, g.countOfRows(), g.lifeWidth(), g.contentWidth(), g.onePixel(), separateLineAlphe,
                          platform::labelColor()});
}

void drawSnapshot(QPainter& painter, const BoardSnapshot& snapshot, double side)
{
    drawSnapshot(painter, snapshot.lifes, side, snapshot.contentWidth, snapshot.lifeWidth, snapshot.color);
}

BoardSnapshot boardSnapshot(const cellarium::LifeSet& lifes, const cellarium::BoardGeometry& g)
{
    return {lifes, g.contentWidth(), g.lifeWidth(), platform::labelColor()};
}
