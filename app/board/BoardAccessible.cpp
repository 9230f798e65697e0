#include "board/BoardAccessible.h"

#include "model/RunTitle.h"
#include "platform/Bundle.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTimer>
#include <QWidget>

namespace {

// Held by the board widget as a child, so that its action goes with it.
class StepHandle : public QObject {
public:
    StepHandle(QWidget& board, std::function<void()> step)
        : QObject(&board)
        , step_(std::move(step))
    {
    }
    void step() const { step_(); }

private:
    std::function<void()> step_;
};

StepHandle* stepHandleOf(const QWidget* widget)
{
    // StepHandle has no meta-object of its own, so qobject_cast would take any child.
    for (QObject* child : widget->children()) {
        if (auto* handle = dynamic_cast<StepHandle*>(child))
            return handle;
    }
    return nullptr;
}

class BoardAccessible : public QAccessibleWidget {
public:
    explicit BoardAccessible(QWidget* board) : QAccessibleWidget(board, QAccessible::Client) {}

    // The handle is looked up on each call: the interface may be made before the
    // action is offered.
    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (stepHandleOf(widget()))
            names << stepName();
        return names;
    }

    void doAction(const QString& name) override
    {
        if (name != stepName()) {
            QAccessibleWidget::doAction(name);
            return;
        }
        StepHandle* handle = stepHandleOf(widget());
        if (handle && widget()->isEnabled())
            QTimer::singleShot(0, handle, [handle] { handle->step(); });
    }

    QStringList keyBindingsForAction(const QString& name) const override
    {
        if (name == stepName())
            return {QStringLiteral("N")};
        return QAccessibleWidget::keyBindingsForAction(name);
    }

private:
    static QString stepName() { return QString::fromLatin1(boardaccessible::stepAction); }
};

QAccessibleInterface* boardFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("platform::ZoomingScrollView") && object && object->isWidgetType())
        return new BoardAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

namespace boardaccessible {

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(boardFactory);
        return true;
    }();
    (void)installed;
}

void offerStep(QWidget& board, std::function<void()> step)
{
    install();
    new StepHandle(board, std::move(step));
}

void showRunCount(QWidget& window, QWidget& board, qint64 generation, std::size_t cells)
{
    const QString app = platform::services().mainBundle().infoValue(QStringLiteral("CFBundleDisplayName")).toString();
    const QString title = QString::fromStdString(cellarium::runTitle(app.toStdString(), generation, cells));
    window.setWindowTitle(title);
    board.setAccessibleDescription(title);
}

}  // namespace boardaccessible
