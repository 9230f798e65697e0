#pragma once

#include <QList>

class QWidget;

// `view` followed by all its descendant widgets, depth first, each before its
// children, children in their stacking order (lowest first).
QList<QWidget*> allSubviews(QWidget* view);
