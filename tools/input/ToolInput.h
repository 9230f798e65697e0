#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>

namespace cellarium {

// Why a tool's input could not be read, in one line fit for its error message.
class ToolInputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The largest input the tools read: a pattern, or an archive export.
inline constexpr std::size_t kMaxToolInputBytes = std::size_t{64} << 20;

// Reads all of `file`, or of `in` when `file` is absent or "-", stopping as soon as
// more than `maxBytes` arrive, so that an endless source (/dev/zero) ends quickly.
// Throws ToolInputError when the file is a folder, cannot be opened or read, or is
// larger than `maxBytes`.
std::string readToolInput(const std::optional<std::string>& file, std::istream& in,
                          std::size_t maxBytes = kMaxToolInputBytes);

}  // namespace cellarium
