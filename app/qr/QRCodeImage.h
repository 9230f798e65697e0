#pragma once

#include <QImage>

#include <string_view>

// The QR code of `message` in byte mode at error-correction level M, in the
// smallest version that holds it, each module `moduleSize` × `moduleSize`
// pixels, black on white, with the four-module quiet zone round it. A null
// image when the message does not fit the largest version (more than 2331
// bytes) or the encoder fails. Safe on any thread.
QImage qrCodeImage(std::string_view message, int moduleSize = 10);

// Modules of quiet zone on each side.
inline constexpr int qrQuietZoneModules = 4;
