#include "qr/QRCodeImage.h"

#include <qrencode.h>

#include <memory>

QImage qrCodeImage(std::string_view message, int moduleSize)
{
    if (moduleSize < 1)
        return {};
    // Version 0 asks for the smallest symbol; QRcode_encodeData always uses 8-bit mode.
    std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeData(static_cast<int>(message.size()), reinterpret_cast<const unsigned char*>(message.data()), 0,
                          QR_ECLEVEL_M),
        &QRcode_free);
    if (!code)
        return {};
    const int modules = code->width;
    const int side = (modules + 2 * qrQuietZoneModules) * moduleSize;
    QImage image(side, side, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < modules; ++y) {
        for (int x = 0; x < modules; ++x) {
            if (!(code->data[y * modules + x] & 1))  // bit 0: dark module
                continue;
            const int left = (x + qrQuietZoneModules) * moduleSize;
            const int top = (y + qrQuietZoneModules) * moduleSize;
            for (int row = top; row < top + moduleSize; ++row)
                std::fill_n(image.scanLine(row) + left, moduleSize, uchar(0));
        }
    }
    return image;
}
