#include "qr/QRCodeReader.h"

#include <QPainter>

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

namespace {

// The picture as the detector sees it: grey levels, transparent parts white as the
// paper a code is printed on. Dropping the alpha instead would turn a transparent
// background (often stored as transparent black) into black round black modules.
QImage grayOnWhite(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_Grayscale8);
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
    }
    return opaque.convertToFormat(QImage::Format_Grayscale8);
}

}  // namespace

std::vector<std::optional<std::string>> readQRCodes(const QImage& image)
{
    if (image.isNull())
        return {};
    const QImage gray = grayOnWhite(image);
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(), ZXing::ImageFormat::Lum,
                                static_cast<int>(gray.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    hints.setTryHarder(true);
    hints.setTryRotate(true);
    std::vector<std::optional<std::string>> texts;
    for (const ZXing::Result& result : ZXing::ReadBarcodes(view, hints)) {
        if (!result.isValid())
            continue;
        const std::string text = result.text();
        texts.push_back(text.empty() && !result.bytes().empty() ? std::nullopt : std::optional<std::string>(text));
    }
    return texts;
}
