#include "platform/AlertCard.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace platform {

namespace {

constexpr int minimumCardWidth = 270;
constexpr qreal cornerRadius = 14;

// A card is an alert to a screen reader: it says the card's name (or its title,
// or its message) as the card shows.
class AlertCardAccessible : public QAccessibleWidget {
public:
    explicit AlertCardAccessible(AlertCard* card) : QAccessibleWidget(card, QAccessible::AlertMessage) {}

    QString text(QAccessible::Text t) const override
    {
        QString said = QAccessibleWidget::text(t);
        const auto* card = static_cast<const AlertCard*>(widget());
        if (t == QAccessible::Name && said.isEmpty())
            said = card->title().isEmpty() ? card->message() : card->title();
        return said;
    }
};

QAccessibleInterface* alertCardFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("platform::AlertCard") && object->isWidgetType())
        return new AlertCardAccessible(static_cast<AlertCard*>(object));
    return nullptr;
}

QColor& sharedTint()
{
    static QColor color;
    return color;
}

} // namespace

AlertCard::AlertCard(QString title, QString message, QWidget* parent)
    : ViewController(parent), title_(std::move(title)), message_(std::move(message)), contentView_(new QWidget(this))
{
    static const bool installed = [] {
        QAccessible::installFactory(alertCardFactory);
        return true;
    }();
    (void)installed;
    contentView_->setObjectName(QStringLiteral("contentView"));
    setModalPresentationStyle(PresentationStyle::Centered);
    setAttribute(Qt::WA_TranslucentBackground);
}

void AlertCard::addAction(const QString& title, std::function<void()> handler)
{
    actions_.append({title, std::move(handler)});
}

QStringList AlertCard::actionTitles() const
{
    QStringList titles;
    for (const Action& action : actions_)
        titles.append(action.title);
    return titles;
}

void AlertCard::setCardSize(std::optional<QSize> size)
{
    cardSize_ = size;
    if (size) {
        setFixedSize(*size);
    } else {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    updateGeometry();
}

void AlertCard::setCardColor(const QColor& color)
{
    cardColor_ = color;
    update();
}

QColor AlertCard::cardColor() const
{
    if (cardColor_.isValid())
        return cardColor_;
    QColor color = palette().color(QPalette::Window);
    color.setAlphaF(0.94f);
    return color;
}

void AlertCard::setTintColor(const QColor& color)
{
    sharedTint() = color;
}

QColor AlertCard::tintColor()
{
    return sharedTint().isValid() ? sharedTint() : QApplication::palette().color(QPalette::Highlight);
}

QSize AlertCard::sizeHint() const
{
    if (cardSize_)
        return *cardSize_;
    const QSize hint = layout() ? layout()->sizeHint() : QWidget::sizeHint();
    return {qMax(minimumCardWidth, hint.width()), hint.height()};
}

void AlertCard::viewDidLoad()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 18, 16, 8);
    for (const auto& [text, name, bold] : {std::tuple{title_, "titleLabel", true}, std::tuple{message_, "messageLabel", false}}) {
        if (text.isEmpty())
            continue;
        auto* label = new QLabel(text, this);
        label->setObjectName(QLatin1String(name));
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        QFont font = label->font();
        font.setBold(bold);
        label->setFont(font);
        layout->addWidget(label);
    }
    layout->addWidget(contentView_, 1);

    if (!actions_.isEmpty()) {
        // Focused when presented, so that Escape reaches it.
        setFocusPolicy(Qt::StrongFocus);
        auto* row = new QHBoxLayout;
        for (int i = 0; i < actions_.size(); ++i) {
            auto* button = new QPushButton(actions_[i].title, this);
            button->setObjectName(QStringLiteral("action%1").arg(i));
            button->setFlat(true);
            QPalette palette = button->palette();
            palette.setColor(QPalette::ButtonText, tintColor());
            button->setPalette(palette);
            connect(button, &QPushButton::clicked, this, [this, i] { trigger(i); });
            row->addWidget(button);
        }
        layout->addLayout(row);
    }
}

void AlertCard::viewDidAppear(bool animated)
{
    ViewController::viewDidAppear(animated);
    // Qt 6.4 sends no announcement of its own: the alert role and the showing state are what screen readers get.
    QAccessibleEvent shown(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&shown);
}

void AlertCard::trigger(int index)
{
    // One action per card: a second tap while it fades out does nothing.
    if (triggered_)
        return;
    triggered_ = true;
    dismiss(true, [handler = actions_[index].handler] {
        if (handler)
            handler();
    });
}

void AlertCard::cancel()
{
    if (triggered_ || actions_.isEmpty())
        return;
    triggered_ = true;
    dismiss(true);
}

void AlertCard::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && !actions_.isEmpty()) {
        cancel();
        return;
    }
    ViewController::keyPressEvent(event);
}

void AlertCard::backdropTapped()
{
    cancel();
}

void AlertCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath card;
    card.addRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
    painter.fillPath(card, cardColor());
}

} // namespace platform
