#include "platform/ProgressRing.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace platform {

ProgressRing::ProgressRing(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("progressRing"));
    setMinimumSize(sizeHint());
    setValue(0);
}

void ProgressRing::setValue(double part)
{
    value_ = std::clamp(part, 0.0, 1.0);
    setAccessibleDescription(tr("%1 % done").arg(int(std::lround(value_ * 100))));
    update();
}

void ProgressRing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal width = 4;
    const qreal side = std::min(this->width(), height()) - width;
    const QRectF ring((this->width() - side) / 2, (height() - side) / 2, side, side);
    QColor track = palette().color(QPalette::WindowText);
    track.setAlphaF(0.15f);
    painter.setPen(QPen(track, width));
    painter.drawEllipse(ring);
    painter.setPen(QPen(palette().color(QPalette::Highlight), width, Qt::SolidLine, Qt::RoundCap));
    // Angles in sixteenths of a degree, counter-clockwise from three o'clock.
    painter.drawArc(ring, 90 * 16, -int(std::lround(value_ * 360 * 16)));
}

} // namespace platform
