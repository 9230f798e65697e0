#include "GridViewAccessible.h"

#include "platform/GridView.h"
#include "platform/GridViewCell.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace platform {

namespace {

class GridCellAccessible : public QAccessibleWidget {
public:
    explicit GridCellAccessible(GridViewCell* cell) : QAccessibleWidget(cell, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        QString said = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && said.isEmpty())
            said = cell()->text();
        return said;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.focusable = true;
        const auto* grid = gridOf();
        state.focused = grid && grid->hasFocus() && cell()->item() >= 0 && grid->currentItem() == cell()->item();
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& name) override
    {
        // As a button does: a covered or disabled cell refuses, and the press
        // comes on the next turn, not inside the accessibility call.
        if (name == pressAction() && cell()->isEnabled())
            cell()->animateClick();
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    GridViewCell* cell() const { return static_cast<GridViewCell*>(widget()); }

    const GridView* gridOf() const
    {
        for (QWidget* up = cell()->parentWidget(); up; up = up->parentWidget()) {
            if (auto* grid = qobject_cast<GridView*>(up))
                return grid;
        }
        return nullptr;
    }
};

QAccessibleInterface* gridCellFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("platform::GridViewCell") && object->isWidgetType())
        return new GridCellAccessible(static_cast<GridViewCell*>(object));
    return nullptr;
}

} // namespace

void installGridCellAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(gridCellFactory);
        return true;
    }();
    (void)installed;
}

void announceFocusedCell(GridViewCell& cell)
{
    QAccessibleEvent focused(&cell, QAccessible::Focus);
    QAccessible::updateAccessibility(&focused);
}

} // namespace platform
