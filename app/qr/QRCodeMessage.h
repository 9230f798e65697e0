#pragma once

#include "model/BoardSize.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The most bytes the largest QR symbol holds in byte mode at level M.
inline constexpr std::size_t qrMaxMessageBytes = 2331;

// The message a pattern's QR code carries: its JSON encoding, byte for byte,
// whenever that fits the largest symbol; otherwise, when the encoding holds a
// pattern, its RLE text if that fits, as other Life programs and this app's
// scanner read it, placed by its Pos line where it lies on the board of `rows` cells
// a side. nullopt when nothing fits. Safe on any thread.
std::optional<std::string> qrCodeMessage(std::string_view patternEncoding,
                                         std::int64_t rows = cellarium::kBoardSizes.front());
