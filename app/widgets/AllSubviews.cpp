#include "widgets/AllSubviews.h"

#include <QWidget>

QList<QWidget*> allSubviews(QWidget* view)
{
    QList<QWidget*> views;
    if (!view)
        return views;
    views.append(view);
    for (QObject* child : view->children()) {
        if (auto* subview = qobject_cast<QWidget*>(child); subview && !subview->isWindow())
            views.append(allSubviews(subview));
    }
    return views;
}
