#include "shell/WindowFit.h"

#include <algorithm>
#include <cmath>

QSizeF fittedWindowSize(QSizeF phone, QSize available, QSize frame, QSizeF minimum)
{
    const double roomWidth = available.width() - frame.width();
    const double roomHeight = available.height() - frame.height();
    if (roomWidth <= 0 || roomHeight <= 0)
        return phone;
    const double factor = std::min({1.0, roomWidth / phone.width(), roomHeight / phone.height()});
    return {std::max(minimum.width(), std::floor(phone.width() * factor)),
            std::max(minimum.height(), std::floor(phone.height() * factor))};
}
