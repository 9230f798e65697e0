#pragma once

#include "model/LifeSet.h"

#include <optional>
#include <string>
#include <string_view>

namespace cellarium {

// The pattern encoding, shared by the archive and QR codes: a compact JSON array
// with one object per cell, members "x" and "y" written only when present, in the
// set's order. The empty set is "[]". Never fails.
std::string encodePattern(const LifeSet& lifes);

// Decodes a pattern. Fails as a whole (nullopt) when the bytes are not JSON, the top
// level is not an array, an element is not an object, or "x" or "y" is present, not
// null, and not an integer in the signed 64-bit range; numbers written with a fraction
// or an exponent (5.0, 5e0) are not integers here. A missing or null member gives an
// absent coordinate; other members are ignored; when a member repeats, the last one
// counts. A leading UTF-8 byte-order mark is allowed. Running out of memory throws
// std::bad_alloc, as it does when the set grows. Safe to call from any thread.
std::optional<LifeSet> decodePattern(std::string_view bytes);

// Bytes from the archive or a QR code turned into a set the board can hold: decoded
// as above, with every cell lacking a coordinate dropped (it has no place on the
// board, and the rest of the pattern is worth keeping). nullopt when decoding fails.
std::optional<LifeSet> decodeBoardPattern(std::string_view bytes);

}  // namespace cellarium
