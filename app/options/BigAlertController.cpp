#include "options/BigAlertController.h"

#include "widgets/AllSubviews.h"
#include "widgets/DesignableImageView.h"
#include "widgets/VisualEffectView.h"

#include "platform/SystemSymbol.h"

namespace {

bool hasOpaqueBackground(const QWidget* view)
{
    if (!view->autoFillBackground())
        return false;
    const QColor color = view->palette().color(view->backgroundRole());
    return color.isValid() && color.alpha() != 0;
}

}  // namespace

BigAlertController::BigAlertController(QString title, QWidget* parent) : AlertCard(std::move(title), {}, parent)
{
    blurView_ = new VisualEffectView(this);
    blurView_->setObjectName(QStringLiteral("blurView"));
    blurView_->lower();
    setCardSize(QSize(side, isTitled() ? titledHeight : side));
}

BigAlertController* BigAlertController::saveConfirmation(const cellarium::StoreResult<std::int64_t>& saved)
{
    auto* alert = new BigAlertController;
    alert->addSymbol(QString::fromLatin1(saved ? savedSymbol : notSavedSymbol));
    alert->setAccessibleName(saved ? tr("Saved") : tr("Not saved"));
    return alert;
}

void BigAlertController::setButtonBackgroundColor(const QColor& color)
{
    buttonBackgroundColor_ = color;
    viewDidLayoutSubviews();
}

DesignableImageView* BigAlertController::addSymbol(const QString& systemImageName)
{
    const qreal symbolSide = 2.0 * side / 3.0;
    const qreal x = (side - symbolSide) / 2;
    const qreal y = isTitled() ? x + titleOffset : x;
    auto* view = new DesignableImageView(platform::systemImage(systemImageName, symbolSide, platform::labelColor()), this);
    view->setObjectName(QStringLiteral("symbolView"));
    view->setGeometry(QRectF(x, y, symbolSide, symbolSide).toRect());
    symbolFrame_ = QRectF(x, y, symbolSide, symbolSide);
    systemImageName_ = systemImageName;
    view->show();
    symbolView_ = view;
    return view;
}

void BigAlertController::viewDidLoad()
{
    AlertCard::viewDidLoad();
    // The card's own drawing gives way to the blur.
    setCardColor(Qt::transparent);
    blurView_->setGeometry(rect());
    blurView_->lower();
}

void BigAlertController::viewWillAppear(bool animated)
{
    AlertCard::viewWillAppear(animated);
    if (presentingViewController())
        blurView_->setBackdropSource(presentingViewController());
}

void BigAlertController::viewDidLayoutSubviews()
{
    AlertCard::viewDidLayoutSubviews();
    blurView_->setGeometry(rect());
    if (cardColor().alpha() != 0)
        setCardColor(buttonBackgroundColor_);
    for (QWidget* view : allSubviews(this)) {
        if (hasOpaqueBackground(view)) {
            QPalette palette = view->palette();
            palette.setColor(view->backgroundRole(), buttonBackgroundColor_);
            view->setPalette(palette);
        }
        if (auto* effectView = qobject_cast<VisualEffectView*>(view)) {
            effectView->setEffect(VisualEffectView::Effect::SystemUltraThinMaterial);
            effectView->setBackgroundColor(buttonBackgroundColor_);
        }
    }
}
