#pragma once

#include "store/StoreResult.h"

#include "platform/AlertCard.h"

#include <QColor>
#include <QRectF>
#include <QString>

#include <cstdint>

class DesignableImageView;
class VisualEffectView;

// A large, button-less alert: one system symbol (and an optional title) on a
// blurred, transparent square card. Whoever presents it dismisses it; the
// options screen does so one second after it has appeared. Main thread only.
class BigAlertController : public platform::AlertCard {
    Q_OBJECT

public:
    static constexpr int side = 256;
    static constexpr int titledHeight = 276;
    static constexpr qreal titleOffset = 20;

    static constexpr const char* savedSymbol = "checkmark.square";
    static constexpr const char* notSavedSymbol = "xmark";

    explicit BigAlertController(QString title = {}, QWidget* parent = nullptr);

    // The answer to saving to the archive, untitled: the checkmark, named "Saved", for
    // the new record's id; the cross, named "Not saved", for a failure. Not yet presented.
    static BigAlertController* saveConfirmation(const cellarium::StoreResult<std::int64_t>& saved);

    bool isTitled() const { return !title().isEmpty(); }

    // Replaces every non-clear background inside the alert after each layout; clear by default.
    QColor buttonBackgroundColor() const { return buttonBackgroundColor_; }
    void setButtonBackgroundColor(const QColor& color);

    // Adds the symbol's image view at its place on the card: a centred square of
    // two thirds of the side, moved down by titleOffset when titled.
    DesignableImageView* addSymbol(const QString& systemImageName);
    DesignableImageView* symbolView() const { return symbolView_; }
    QString systemImageName() const { return systemImageName_; }
    // The symbol's frame on the card, in points.
    QRectF symbolFrame() const { return symbolFrame_; }
    VisualEffectView* blurView() const { return blurView_; }

protected:
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidLayoutSubviews() override;

private:
    QColor buttonBackgroundColor_ = Qt::transparent;
    VisualEffectView* blurView_ = nullptr;
    DesignableImageView* symbolView_ = nullptr;
    QString systemImageName_;
    QRectF symbolFrame_;
};
