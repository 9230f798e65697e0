#pragma once

#include <QImage>
#include <QWidget>

// Shows one thumbnail, centred and scaled down to fit when larger than the view; a
// thumbnail of the view's size is copied as it is, without scaling. Main thread only.
class ArchiveThumbnailView : public QWidget {
    Q_OBJECT

public:
    explicit ArchiveThumbnailView(QWidget* parent = nullptr);

    // Shares the image's pixels; a null image shows nothing.
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};
