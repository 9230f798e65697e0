#pragma once

#include "model/BoardSize.h"
#include "model/LifeSet.h"

#include "platform/ShareSheet.h"
#include "platform/SheetScreen.h"

#include <QByteArray>
#include <QImage>

#include <memory>
#include <optional>
#include <string>

class QToolButton;
namespace platform {
class ImageView;
class NoticeLine;
}
namespace Ui {
class QRCodeViewController;
}

// Shows one picture and shares it as JPEG: the QR code of a pattern's live cells
// (of their encoding, `data`; their RLE text when only that fits a code, see
// qrCodeMessage), or `savedImage` (the board picture). The presenter sets exactly
// one of the two before the screen loads; the picture is built once, when the
// view loads. When no code holds the pattern, the screen says so, with the
// refusal cue, and Share is disabled. Main thread only.
class QRCodeViewController : public platform::SheetScreen {
    Q_OBJECT

public:
    static constexpr int moduleSize = 10;
    static constexpr const char* shareSymbol = "square.and.arrow.up";
    static constexpr const char* nothingToShareSymbol = "hourglass";

    explicit QRCodeViewController(QWidget* parent = nullptr);
    ~QRCodeViewController() override;

    // The pattern whose code is shown, on a board of `rows` cells a side; the screen
    // encodes it (PatternCoding.h).
    void setLifes(const cellarium::LifeSet& lifes, std::int64_t rows = cellarium::kBoardSizes.front());
    // The encoding itself, as setLifes leaves it.
    void setData(std::optional<std::string> data) { data_ = std::move(data); }
    const std::optional<std::string>& data() const { return data_; }
    void setSavedImage(const QImage& image) { savedImage_ = image; }
    const QImage& savedImage() const { return savedImage_; }
    // With a board picture: what the share sheet makes its animation with (none by default).
    void setAnimationMaker(platform::ShareSheet::AnimationMaker make) { animationMaker_ = std::move(make); }

    // The share button's action: the shown picture as JPEG at quality 1.0 to
    // the share sheet, or the "hourglass" on the button when there is none.
    void shareImage(QObject* sender);

    // The picture as the share sheet gets it: JPEG at quality 1.0, transparent
    // parts laid on `background`. Empty for a null image.
    static QByteArray jpegData(const QImage& image, const QColor& background);

    // Outlets; valid once the view has loaded.
    platform::ImageView* imageView() const;
    QToolButton* shareButton() const;
    QToolButton* closeButton() const;
    // Says why there is no code.
    platform::NoticeLine* noticeLine() const;
    // The name of the symbol on the share button.
    QString shareButtonSymbol() const { return shareButtonSymbol_; }

protected:
    void viewDidLoad() override;

private:
    void setShareButtonSymbol(const char* name);

    std::unique_ptr<Ui::QRCodeViewController> ui_;
    std::optional<std::string> data_;
    std::int64_t rows_ = cellarium::kBoardSizes.front();
    QImage savedImage_;
    platform::ShareSheet::AnimationMaker animationMaker_;
    QString shareButtonSymbol_;
};
