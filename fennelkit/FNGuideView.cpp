#include "FNGuideView.h"

#include "ui_FNGuideView.h"

#include "FNBundleClass.h"

#include "platform/AppWindow.h"
#include "platform/Haptics.h"
#include "platform/MainScreen.h"
#include "platform/UserDefaults.h"

#include <QGraphicsOpacityEffect>
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
    view->setGeometry(QRect(QPoint(0, 0), platform::mainScreen().size().toSize()));
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
    setParent(host);
    setGeometry(frame);
    show();
    raise();
    button().setFocus();
    animate("alpha", 1, fadeInMs, {});
}

void FNGuideView::nextGuide(QObject*)
{
    QPushButton& next = button();
    if (!next.isEnabled())
        return;
    platform::haptics().impact(platform::ImpactStyle::Soft);
    // Disabling the button itself, not only its touches, also stops a key press
    // on the focused button from advancing the guide during the change.
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
    button().setStyleSheet(QStringLiteral("QPushButton { color: %1; background: transparent; border: 2px solid %1;"
                                          " border-radius: 24px; padding: 8px 28px; }"
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
