#pragma once

#include <QImage>
#include <QWidget>

// An image view: shows its image whole, centred and scaled to fit with its
// aspect kept; enlarged without smoothing so that QR modules stay sharp.
// Shows nothing while the image is null. Main thread only.
class QRImageView : public QWidget {
    Q_OBJECT

public:
    explicit QRImageView(QWidget* parent = nullptr);

    void setImage(const QImage& image);
    const QImage& image() const { return image_; }

    // Where the image is drawn, in this widget's coordinates.
    QRectF imageRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};
