#include "QRCodeReader.h"

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

std::vector<std::optional<std::string>> readQRCodes(const QImage& image)
{
    if (image.isNull())
        return {};
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
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
