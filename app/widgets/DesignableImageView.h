#pragma once

#include "widgets/DesignableBorder.h"

#include "platform/ImageView.h"

#include <QColor>
#include <QImage>

// An image view (the image scaled smoothly to fit, centred, keeping its aspect)
// whose layer border the interface files can set. Until borderWidth is set the layer
// draws no border, whatever borderColor says. A null image shows nothing.
// Main thread only.
class DesignableImageView : public platform::ImageView, public DesignableBorder {
    Q_OBJECT
    Q_PROPERTY(double borderWidth READ borderWidth WRITE setBorderWidth)
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(QImage image READ image WRITE setImage)

public:
    explicit DesignableImageView(QWidget* parent = nullptr);
    explicit DesignableImageView(const QImage& image, QWidget* parent = nullptr);
    DesignableImageView(const QImage& image, const QImage& highlightedImage, QWidget* parent = nullptr);

    QImage highlightedImage() const { return highlightedImage_; }
    void setHighlightedImage(const QImage& image);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage highlightedImage_;
};
