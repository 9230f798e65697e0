#pragma once

#include <QImage>
#include <QWidget>

// The camera picture (the preview layer): the latest frame, scaled to fill
// the whole widget with its aspect kept and the overflow cut off. Main thread only.
class CameraPreview : public QWidget {
    Q_OBJECT

public:
    explicit CameraPreview(QWidget* parent = nullptr);

    void setFrame(const QImage& frame);
    const QImage& frame() const { return frame_; }

    // Where a frame of `frameSize` lies when it fills `bounds` (centred, aspect kept).
    static QRectF aspectFillRect(const QSizeF& frameSize, const QSizeF& bounds);
    // The part of a frame of `frameSize`, in its pixels, shown at `area` of `bounds`.
    static QRect frameRectShownAt(const QRectF& area, const QSizeF& frameSize, const QSizeF& bounds);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage frame_;
};
