#include "FNGuideView.h"

#include "ui_FNGuideView.h"

#include "FNBundleClass.h"

#include "platform/AppWindow.h"
#include "platform/Haptics.h"
#include "platform/MainScreen.h"
#include "platform/UserDefaults.h"

#include <QApplication>
#include <QGraphicsOpacityEffect>
#include <QKeyEvent>
#include <QLabel>
#include <QPropertyAnimation>
#include <QPushButton>

namespace fennelkit {

FNGuideView::FNGuideView(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::FNGuideView>())
{
    ui_->setupUi(this);
    guideLabel_ = ui_->guideLabel;
    nextButton_ = ui_->nextButton;
    opacity_ = new QGraphicsOpacityEffect(this);
    setGraphicsEffect(opacity_);
    setAutoFillBackground(true);
    nextButton_->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { keepFocusInside(now); });
}

FNGuideView::~FNGuideView() = default;

bool FNGuideView::shouldShowGuide()
{
    const QVariant shown = platform::userDefaults().value(QString::fromLatin1(didShowGuideKey));
    return !(shown.typeId() == QMetaType::Bool && shown.toBool());
}

FNGuideView* FNGuideView::initFromNib(const QColor& tintColor, const QStringList& descriptions,
                                      std::function<void()> completeClosure)
{
    auto* view = new FNGuideView;
    view->applyColors(tintColor);
    view->descriptions_ = descriptions;
    view->completeClosure_ = std::move(completeClosure);
    view->button().setText(FNBundleClass::localizedString(QT_TRANSLATE_NOOP("FennelKit", "Next")));
    connect(&view->button(), &QPushButton::clicked, view, [view] { view->nextGuide(&view->button()); });
    // The screen is read afresh: the guide follows the screen as it is when built.
    view->setGeometry(QRect(QPoint(0, 0), platform::services().mainScreen().size().toSize()));
    return view;
}

void FNGuideView::showGuide(QWidget* inWindow, QWidget* orInView)
{
    setAlpha(0);
    label().setText(pageText());

    QWidget* host = platform::keyWindow();
    if (!host)
        host = inWindow ? inWindow : orInView;
    if (!host) {
        deleteLater();
        return;
    }
    const QRect frame = geometry();
    focusBefore_ = host->window()->focusWidget();
    setParent(host);
    setGeometry(frame);
    show();
    raise();
    button().setFocus();
    cover_.coverSiblingsOf(*this);
    animate("alpha", 1, fadeInMs, {});
}

void FNGuideView::nextGuide(QObject*)
{
    QPushButton& next = button();
    if (!next.isEnabled())
        return;
    platform::services().haptics().impact(platform::ImpactStyle::Soft);
    // Disabling the button itself, not only its touches, also stops a key press
    // on the focused button from advancing the guide during the change. The
    // guide holds the focus meanwhile, or Qt would pass it to the board.
    setFocus(Qt::OtherFocusReason);
    next.setEnabled(false);
    ++index_;
    if (index_ >= descriptions_.size())
        finish();
    else
        changePage();
}

void FNGuideView::finish()
{
    platform::userDefaults().setValue(QString::fromLatin1(didShowGuideKey), true);
    if (completeClosure_)
        completeClosure_();
    animate("alpha", 0, fadeOutMs, [this] {
        finished_ = true;
        cover_.uncover();
        if (focusBefore_)
            focusBefore_->setFocus(Qt::OtherFocusReason);
        hide();
        setParent(nullptr);
        deleteLater();
    });
}

void FNGuideView::changePage()
{
    animate("labelAlpha", 0, pageFadeMs, [this] {
        label().setText(pageText());
        animate("labelAlpha", 1, pageFadeMs, [this] {
            button().setEnabled(true);
            button().setFocus();
        });
    });
}

namespace {

bool pressesNext(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Right:
        return key.modifiers() == Qt::NoModifier || key.modifiers() == Qt::KeypadModifier;
    default:
        return false;
    }
}

}  // namespace

bool FNGuideView::eventFilter(QObject* watched, QEvent* event)
{
    // The button's own key handling knows only Space, and clicks on its release:
    // every key that presses Next does so on its press, once however long held.
    if (watched == nextButton_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (pressesNext(key)) {
            if (event->type() == QEvent::KeyPress && !key.isAutoRepeat() && nextButton_->isEnabled())
                nextButton_->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FNGuideView::keyPressEvent(QKeyEvent* event)
{
    // Keys the button leaves, and every key during a page change, end here
    // rather than passing on to the covered screen.
    event->accept();
}

bool FNGuideView::focusNextPrevChild(bool next)
{
    if (finished_)
        return QWidget::focusNextPrevChild(next);
    focusButtonOrGuide();
    return true;
}

void FNGuideView::keepFocusInside(QWidget* now)
{
    if (now == nullptr || finished_ || !isVisible() || now == this || isAncestorOf(now) || now->window() != window())
        return;
    focusButtonOrGuide();
}

void FNGuideView::focusButtonOrGuide()
{
    if (nextButton_ && nextButton_->isEnabled())
        nextButton_->setFocus(Qt::TabFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
}

QString FNGuideView::pageText() const
{
    // An empty page list shows an empty page rather than reading past the end.
    return descriptions_.value(index_);
}

qreal FNGuideView::alpha() const
{
    return opacity_->opacity();
}

void FNGuideView::setAlpha(qreal alpha)
{
    opacity_->setOpacity(alpha);
}

void FNGuideView::setLabelAlpha(qreal alpha)
{
    labelAlpha_ = alpha;
    QColor color = textColor_;
    color.setAlphaF(color.alphaF() * alpha);
    QPalette palette = label().palette();
    palette.setColor(QPalette::WindowText, color);
    label().setPalette(palette);
}

void FNGuideView::applyColors(const QColor& tintColor)
{
    // The text takes whichever of black and white stands out on the background.
    textColor_ = tintColor.lightnessF() < 0.5 ? QColor(Qt::white) : QColor(Qt::black);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, tintColor);
    setPalette(palette);
    setLabelAlpha(labelAlpha_);

    const QString text = textColor_.name();
    const QString background = tintColor.name();
    // The focus mark is a thicker edge on the rounded button itself, in place of
    // the style's rectangle.
    button().setStyleSheet(QStringLiteral("QPushButton { color: %1; background: transparent; border: 2px solid %1;"
                                          " border-radius: 24px; padding: 8px 28px; outline: none; }"
                                          "QPushButton:focus { border-width: 4px; padding: 6px 26px; }"
                                          "QPushButton:pressed { color: %2; background: %1; }"
                                          "QPushButton:disabled { color: %1; border-color: %1; }")
                               .arg(text, background));
}

void FNGuideView::animate(const QByteArray& property, qreal to, int durationMs, std::function<void()> completion)
{
    auto* animation = new QPropertyAnimation(this, property, this);
    animation->setDuration(durationMs);
    animation->setEndValue(to);
    if (completion) {
        // A newer animation of the same property stops this one without
        // finished(); the completion runs anyway, queued then so that it does
        // not start an animation inside the newer one's start.
        connect(animation, &QAbstractAnimation::stateChanged, this,
                [this, animation, completion = std::move(completion)](QAbstractAnimation::State state) {
                    if (state != QAbstractAnimation::Stopped)
                        return;
                    if (animation->currentTime() >= animation->totalDuration())
                        completion();
                    else
                        QMetaObject::invokeMethod(this, completion, Qt::QueuedConnection);
                });
    }
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

QLabel& FNGuideView::label() const
{
    if (!guideLabel_)
        qFatal("FNGuideView: the interface file has no \"guideLabel\"");
    return *guideLabel_;
}

QPushButton& FNGuideView::button() const
{
    if (!nextButton_)
        qFatal("FNGuideView: the interface file has no \"nextButton\"");
    return *nextButton_;
}

}  // namespace fennelkit
