#include "SheetPresentation.h"

#include "platform/ViewController.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QGraphicsOpacityEffect>
#include <QMouseEvent>
#include <QPainter>
#include <QVariantAnimation>

namespace platform {

namespace {

constexpr int pageSheetTopInset = 40;
constexpr int pageSheetMaxWidth = 640;
constexpr qreal dimAlpha = 0.35;

// Cards fade in at their own size; sheets slide up.
bool isCard(PresentationStyle style)
{
    return style == PresentationStyle::Centered || style == PresentationStyle::Popover;
}

} // namespace

SheetPresentation::SheetPresentation(QWidget* window, ViewController* presented)
    : QWidget(window), presented_(presented), focusBefore_(window->focusWidget())
{
    setAttribute(Qt::WA_NoMousePropagation);
    setFocusPolicy(Qt::StrongFocus);
    presented->setParent(this);
    if (!isCard(presented->modalPresentationStyle()))
        presented->setAutoFillBackground(true);
    window->installEventFilter(this);
    setGeometry(window->rect());
    raise();
    QWidget::show();
    presented->show();
    setProgress(0);
}

SheetPresentation::~SheetPresentation()
{
    if (animation_)
        animation_->stop();
    // The screen is deleted with this backdrop; it must not reach back to it.
    if (presented_)
        presented_->presentation_.clear();
}

QRect SheetPresentation::restingRect() const
{
    const QRect area = rect();
    switch (presented_->modalPresentationStyle()) {
    case PresentationStyle::FullScreen:
        return area;
    case PresentationStyle::Centered: {
        const QSize size = presented_->sizeHint().boundedTo(area.size()).expandedTo(presented_->minimumSize());
        QRect card({0, 0}, size);
        card.moveCenter(area.center());
        return card;
    }
    case PresentationStyle::Popover: {
        const QSize size = presented_->sizeHint().boundedTo(area.size()).expandedTo(presented_->minimumSize());
        const QRect source = presented_->popoverSourceRect();
        QRect card({0, 0}, size);
        card.moveLeft(qBound(area.left(), source.center().x() - size.width() / 2, area.right() + 1 - size.width()));
        if (source.bottom() + 1 + size.height() <= area.bottom() + 1)
            card.moveTop(source.bottom() + 1);
        else
            card.moveTop(qMax(area.top(), source.top() - size.height()));
        return card;
    }
    case PresentationStyle::PageSheet:
        break;
    }
    const int inset = qMin(pageSheetTopInset, area.height() / 10);
    const int width = qMin(area.width(), pageSheetMaxWidth);
    return {area.left() + (area.width() - width) / 2, area.top() + inset, width, area.height() - inset};
}

void SheetPresentation::layOut()
{
    if (!presented_)
        return;
    QRect target = restingRect();
    if (!isCard(presented_->modalPresentationStyle()))
        target.translate(0, qRound((1.0 - progress_) * (height() - target.top())));
    presented_->setGeometry(target);
}

void SheetPresentation::setProgress(qreal progress)
{
    progress_ = progress;
    if (presented_ && isCard(presented_->modalPresentationStyle())) {
        if (progress < 1.0) {
            auto* effect = qobject_cast<QGraphicsOpacityEffect*>(graphicsEffect());
            if (!effect) {
                effect = new QGraphicsOpacityEffect(this);
                setGraphicsEffect(effect);
            }
            effect->setOpacity(progress);
        } else {
            setGraphicsEffect(nullptr); // rendering through an effect is costly; only while fading
        }
    }
    layOut();
    update();
}

void SheetPresentation::run(bool animated, qreal from, qreal to, int durationMs, std::function<void()> finished)
{
    finishNow();
    finishStep_ = std::move(finished);
    if (!animated) {
        setProgress(to);
        finishNow();
        return;
    }
    setProgress(from);
    auto* animation = new QVariantAnimation(this);
    animation->setStartValue(from);
    animation->setEndValue(to);
    animation->setDuration(durationMs);
    animation->setEasingCurve(to > from ? QEasingCurve::OutCubic : QEasingCurve::InCubic);
    connect(animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) { setProgress(value.toReal()); });
    connect(animation, &QVariantAnimation::finished, this, [this, to] {
        setProgress(to);
        finishNow();
    });
    animation_ = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void SheetPresentation::finishNow()
{
    if (animation_) {
        const qreal end = animation_->endValue().toReal();
        QVariantAnimation* animation = animation_;
        animation_.clear();
        animation->disconnect(this);
        animation->stop();
        setProgress(end);
    }
    if (auto step = std::exchange(finishStep_, nullptr))
        step();
}

void SheetPresentation::showAnimated(bool animated, std::function<void()> finished)
{
    run(animated, 0.0, 1.0, ViewController::presentDurationMs, std::move(finished));
}

void SheetPresentation::hideAnimated(bool animated, std::function<void()> finished)
{
    dismissing_ = true;
    run(animated, progress_, 0.0, ViewController::dismissDurationMs, std::move(finished));
}

void SheetPresentation::addDismissCompletion(std::function<void()> completion)
{
    if (completion)
        dismissCompletions_.push_back(std::move(completion));
}

bool SheetPresentation::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
        layOut();
    }
    return QWidget::eventFilter(watched, event);
}

void SheetPresentation::mousePressEvent(QMouseEvent* event)
{
    // Presses on the screen itself that it leaves unused arrive here too.
    pressedBeside_ = presented_ && !presented_->geometry().contains(event->position().toPoint());
    event->accept();
}

void SheetPresentation::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const bool tapped = std::exchange(pressedBeside_, false) && presented_ && rect().contains(at)
                        && !presented_->geometry().contains(at) && !dismissing_;
    event->accept();
    if (tapped)
        presented_->backdropTapped();
}

void SheetPresentation::takeKeyboard()
{
    QWidget* keys = this;
    if (presented_ && (presented_->focusPolicy() & Qt::TabFocus)) {
        keys = presented_;
    } else if (presented_) {
        for (QWidget* next = presented_->nextInFocusChain(); next != presented_; next = next->nextInFocusChain()) {
            if (presented_->isAncestorOf(next) && (next->focusPolicy() & Qt::TabFocus) && next->isVisibleTo(presented_)
                && next->isEnabled()) {
                keys = next;
                break;
            }
        }
    }
    // Focus first, then cover: a covered widget holding the focus would pass it on
    // along the window's chain.
    keys->setFocus(Qt::OtherFocusReason);
    cover_.coverSiblingsOf(*this);
}

bool SheetPresentation::focusNextPrevChild(bool next)
{
    if (!presented_)
        return QWidget::focusNextPrevChild(next);
    // Round the presented screen's own controls: what lies under the sheet is out of reach.
    QWidget* from = focusWidget() ? focusWidget() : static_cast<QWidget*>(presented_.data());
    for (QWidget* candidate = next ? from->nextInFocusChain() : from->previousInFocusChain(); candidate != from;
         candidate = next ? candidate->nextInFocusChain() : candidate->previousInFocusChain()) {
        const bool inside = candidate == presented_.data() || presented_->isAncestorOf(candidate);
        if (inside && (candidate->focusPolicy() & Qt::TabFocus) && candidate->isVisible() && candidate->isEnabled()) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return true;
}

void SheetPresentation::keyPressEvent(QKeyEvent* event)
{
    // The backdrop holds the focus only when the screen has no control for it;
    // its keys (Escape) are the screen's.
    if (presented_ && !forwardingKey_ && QApplication::focusWidget() == this) {
        forwardingKey_ = true;
        QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(), event->isAutoRepeat(), event->count());
        QCoreApplication::sendEvent(presented_, &copy);
        forwardingKey_ = false;
        event->setAccepted(copy.isAccepted());
        return;
    }
    QWidget::keyPressEvent(event);
}

void SheetPresentation::paintEvent(QPaintEvent*)
{
    if (!presented_ || presented_->modalPresentationStyle() == PresentationStyle::FullScreen)
        return;
    QPainter painter(this);
    const qreal alpha = isCard(presented_->modalPresentationStyle()) ? dimAlpha : dimAlpha * progress_;
    painter.fillRect(rect(), QColor::fromRgbF(0, 0, 0, alpha));
}

} // namespace platform
