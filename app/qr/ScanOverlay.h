#pragma once

#include <QPainterPath>
#include <QRectF>
#include <QWidget>

// The scanner's overlay (its visual-effect view): a frosted cover over the
// whole screen except the scan window, where the camera picture shows
// through, and the window's outline. The cover is filled through the mask
// path under the non-zero winding rule; the outline, being masked too, shows
// only outside the window. Lets touches through. Main thread only.
class ScanOverlay : public QWidget {
    Q_OBJECT

public:
    explicit ScanOverlay(QWidget* parent = nullptr);

    // The screen's rectangle followed by the window traced the other way round.
    static QPainterPath maskPath(const QRectF& bounds, const QRectF& window);

    // Replaces the mask and the outline.
    void setScanWindow(const QRectF& bounds, const QRectF& window);
    const QPainterPath& mask() const { return mask_; }
    QRectF outline() const { return outline_; }
    static constexpr qreal outlineWidth = 2;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPainterPath mask_;
    QRectF outline_;
};
