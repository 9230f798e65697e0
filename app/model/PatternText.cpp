#include "model/PatternText.h"

#include "model/BoardSize.h"
#include "model/PatternCoding.h"
#include "model/PlacedPattern.h"
#include "model/PlaintextPattern.h"
#include "model/RlePattern.h"

namespace cellarium {

std::string_view patternFormatName(PatternFormat format)
{
    switch (format) {
    case PatternFormat::json:
        return "json";
    case PatternFormat::rle:
        return "rle";
    case PatternFormat::cells:
        return "cells";
    }
    return "json";
}

std::optional<PatternFormat> patternFormatNamed(std::string_view name)
{
    for (PatternFormat f : {PatternFormat::json, PatternFormat::rle, PatternFormat::cells}) {
        if (patternFormatName(f) == name)
            return f;
    }
    return std::nullopt;
}

std::optional<PatternFormat> sniffPatternFormat(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    const std::size_t start = text.find_first_not_of(" \t\r\n\v\f");
    if (start == std::string_view::npos)
        return std::nullopt;
    const char c = text[start];
    if (c == '[')
        return PatternFormat::json;
    if (c == '!' || c == '.' || c == 'O' || c == '*')
        return PatternFormat::cells;
    if (c == '#' || c == 'x' || c == 'b' || c == 'o' || c == '$' || (c >= '0' && c <= '9')) {
        // `x` opens an RLE header only when `=` follows.
        if (c == 'x') {
            const std::size_t next = text.find_first_not_of(" \t", start + 1);
            if (next == std::string_view::npos || text[next] != '=')
                return std::nullopt;
        }
        return PatternFormat::rle;
    }
    return std::nullopt;
}

PatternReading readPatternText(std::string_view text, std::int64_t rows, std::optional<PatternFormat> format)
{
    if (!format)
        format = sniffPatternFormat(text);
    if (!format)
        return PatternReading::failure("the text holds no pattern: expected JSON, RLE or plaintext (.cells)");
    switch (*format) {
    case PatternFormat::json:
        if (std::optional<LifeSet> lifes = decodeBoardPattern(text))
            return PatternReading::success(std::move(*lifes));
        return PatternReading::failure(
            "the input is not a JSON pattern: expected a JSON array of objects with integer \"x\" and \"y\"");
    case PatternFormat::rle:
        return readRlePattern(text, rows);
    case PatternFormat::cells: {
        PatternReading read = readPlaintextPattern(text, rows);
        // Dots and comments alone are any text starting with '.' or '!', not an empty board.
        if (read && read.lifes->empty())
            return PatternReading::failure("the plaintext holds no live cell ('O'), so it is no pattern");
        return read;
    }
    }
    return PatternReading::failure("unknown pattern format");
}

PatternReading readPatternTextForBoard(std::string_view text, std::int64_t rows, std::optional<PatternFormat> format)
{
    PatternReading here = readPatternText(text, rows, format);
    const std::int64_t largest = kBoardSizes.back();
    if (here || rows >= largest)
        return here;
    PatternReading there = readPatternText(text, largest, format);
    return there ? there : here;
}

std::string writePatternText(const LifeSet& lifes, PatternFormat format, std::optional<std::int64_t> rows)
{
    switch (format) {
    case PatternFormat::rle: {
        if (!rows)
            rows = boardSizeHolding(lifes, kBoardSizes.front()).value_or(kBoardSizes.back());
        return writeRlePattern(lifes, *rows);
    }
    case PatternFormat::cells:
        return writePlaintextPattern(lifes);
    case PatternFormat::json:
        break;
    }
    return encodePattern(lifes);
}

}  // namespace cellarium
