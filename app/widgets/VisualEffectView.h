#pragma once

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QWidget>

// A view that shows what lies behind it blurred, under a thin wash of the
// window colour: a snapshot of the screen below, taken when it is shown or
// resized. Without an effect it draws only its background colour. Main thread only.
class VisualEffectView : public QWidget {
    Q_OBJECT

public:
    enum class Effect { None, SystemUltraThinMaterial };

    static constexpr qreal blurRadius = 24;

    explicit VisualEffectView(QWidget* parent = nullptr);

    Effect effect() const { return effect_; }
    void setEffect(Effect effect);

    // Drawn over the blur; clear by default.
    QColor backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const QColor& color);

    // The widget whose picture is blurred; by default the top-level window's
    // root, found at snapshot time.
    void setBackdropSource(QWidget* source) { source_ = source; }
    const QImage& snapshot() const { return blurred_; }

    // The corner radius of the shape drawn.
    void setCornerRadius(qreal radius);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void takeSnapshot();
    QWidget* backdropSource() const;

    Effect effect_ = Effect::None;
    QColor backgroundColor_ = Qt::transparent;
    QPointer<QWidget> source_;
    QImage blurred_;
    qreal cornerRadius_ = 14;
};
