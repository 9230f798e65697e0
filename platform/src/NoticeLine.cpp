#include "platform/NoticeLine.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace platform {

namespace {

// Screen readers announce an alert that appears; a plain label they read only when visited.
class NoticeAccessible : public QAccessibleWidget {
public:
    explicit NoticeAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::AlertMessage) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* noticeFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("platform::NoticeLine") && object->isWidgetType())
        return new NoticeAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

NoticeLine::NoticeLine(QWidget* parent) : QLabel(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(noticeFactory);
        return true;
    }();
    (void)installed;
    setObjectName(QStringLiteral("notice"));
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    hide();
}

void NoticeLine::say(const QString& text)
{
    setText(text);
    show();
    raise();
    QAccessibleEvent shown(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&shown);
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
}

void NoticeLine::clear()
{
    QLabel::clear();
    hide();
}

} // namespace platform
