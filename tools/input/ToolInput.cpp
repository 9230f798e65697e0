#include "ToolInput.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>

namespace cellarium {

namespace {

std::string sizeInWords(std::size_t bytes)
{
    if (bytes % (std::size_t{1} << 20) == 0)
        return std::to_string(bytes >> 20) + " MiB";
    return std::to_string(bytes) + " bytes";
}

std::string readBounded(std::istream& in, const std::string& name, std::size_t maxBytes, std::size_t expected = 0)
{
    const auto tooLarge = [&] {
        return ToolInputError(name + " is larger than " + sizeInWords(maxBytes) + ", too large for a pattern");
    };
    if (expected > maxBytes)
        throw tooLarge();
    // A regular file's size is known: read it in one go, with no growing buffer.
    std::string bytes(expected, '\0');
    if (expected > 0 && !in.read(bytes.data(), static_cast<std::streamsize>(expected)))
        bytes.resize(static_cast<std::size_t>(in.gcount()));
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > maxBytes)
            throw tooLarge();
    }
    if (in.bad())
        throw ToolInputError("cannot read " + name);
    return bytes;
}

}  // namespace

std::string readToolInput(const std::optional<std::string>& file, std::istream& in, std::size_t maxBytes)
{
    if (!file || *file == "-")
        return readBounded(in, "standard input", maxBytes);

    const std::string name = "'" + *file + "'";
    std::error_code error;
    // A folder opens as a stream that reads nothing, which would pass for empty input.
    if (std::filesystem::is_directory(*file, error))
        throw ToolInputError("cannot read " + name + ": it is a folder");
    errno = 0;
    std::ifstream stream(*file, std::ios::binary);
    if (!stream)
        throw ToolInputError("cannot read " + name + (errno ? std::string(": ") + std::strerror(errno) : ""));
    const bool regular = std::filesystem::is_regular_file(*file, error);
    const std::uintmax_t size = regular ? std::filesystem::file_size(*file, error) : 0;
    return readBounded(stream, name, maxBytes, error ? 0 : static_cast<std::size_t>(std::min<std::uintmax_t>(size, maxBytes + 1)));
}

}  // namespace cellarium
