#pragma once

#include <QImage>

#include <optional>
#include <string>
#include <vector>

// The QR codes zxing-cpp finds in `image`, in its order: each code's text as
// UTF-8, or std::nullopt for a code that holds no text. Empty when there is
// none. Transparent parts read as white. Safe on any thread.
std::vector<std::optional<std::string>> readQRCodes(const QImage& image);
