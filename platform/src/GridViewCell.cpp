#include "platform/GridViewCell.h"

namespace platform {

GridViewCell::GridViewCell(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void GridViewCell::paintEvent(QPaintEvent*) {}

} // namespace platform
