#pragma once

#include "platform/PlatformExport.h"

#include <QImage>
#include <QWidget>

namespace platform {

// An image view: shows its image centred and fitted with its aspect kept, scaled
// as its `Scaling` says. A null image shows nothing. Main thread only.
class PLATFORM_EXPORT ImageView : public QWidget {
    Q_OBJECT

public:
    enum class Scaling {
        Smooth,         // enlarged or shrunk to fit, smoothly
        SharpEnlarged,  // as Smooth, but enlarged without smoothing so that QR modules stay sharp
        ShrinkOnly,     // only shrunk, without smoothing: an image of the view's size is copied as it is
    };

    explicit ImageView(QWidget* parent = nullptr);

    Scaling scaling() const { return scaling_; }
    void setScaling(Scaling scaling);

    // Shares the image's pixels.
    const QImage& image() const { return image_; }
    void setImage(const QImage& image);

    // Where the image is drawn, in this view's coordinates; empty for a null image.
    QRectF imageRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    Scaling scaling_ = Scaling::Smooth;
};

}  // namespace platform
