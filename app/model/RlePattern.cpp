#include "model/RlePattern.h"

#include "model/CellBitmap.h"
#include "model/RleHeaderLines.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <optional>
#include <vector>

// Reading RLE: the runs, and the text as a whole. The lines before the runs are read
// in RleHeaderLines.cpp; the writer is in RlePatternWriting.cpp.

namespace cellarium {

namespace {

using rle::checkRule;
using rle::Header;
using rle::isHeaderLine;
using rle::isSpace;
using rle::kMaxCount;
using rle::parseCxrle;
using rle::parseHeader;
using rle::trim;

class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}
    bool done() const { return pos_ >= text_.size(); }
    std::size_t position() const { return pos_; }
    std::string_view next()
    {
        const std::size_t end = std::min(text_.find('\n', pos_), text_.size());
        const std::string_view line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        return line;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

PatternReading pastTheBox(std::int64_t y, const Header& header)
{
    return PatternReading::failure("row " + std::to_string(y + 1) + " of the RLE text has cells past the header's size of " +
                                   std::to_string(header.width) + " x " + std::to_string(header.height));
}

// What a byte of an RLE body is.
enum CharClass : std::uint8_t { kDead, kLive, kRowEnd, kEnd, kSpace, kOther, kDigit };

struct CharClasses {
    CharClass of[256];
    CharClasses()
    {
        for (CharClass& c : of)
            c = kOther;
        of[static_cast<unsigned char>('b')] = of[static_cast<unsigned char>('.')] = kDead;
        of[static_cast<unsigned char>('o')] = of[static_cast<unsigned char>('A')] = kLive;
        of[static_cast<unsigned char>('$')] = kRowEnd;
        of[static_cast<unsigned char>('!')] = kEnd;
        for (char c : {' ', '\t', '\r', '\n', '\v', '\f'})
            of[static_cast<unsigned char>(c)] = kSpace;
        for (char c = '0'; c <= '9'; ++c)
            of[static_cast<unsigned char>(c)] = kDigit;
    }
};

// Where the header's box stands: its top-left cell from a `#CXRLE Pos` line, or
// centred on the board.
struct Placement {
    std::optional<std::int64_t> left, top;
};

PatternReading readBody(std::string_view body, const Header& header, std::int64_t rows, const Placement& placement)
{
    static const CharClasses classes;
    CellBitmap bitmap(header.width, header.height);
    // Below the box, dead runs are written with an empty mask into a scratch row,
    // which keeps the hot path free of a branch on dead or alive.
    std::vector<std::uint64_t> scratch(static_cast<std::size_t>(bitmap.wordsPerRow()) + 1, 0);
    std::int64_t x = 0, y = 0;
    std::uint64_t* row = header.height > 0 ? bitmap.row(0) : scratch.data();
    const char* p = body.data();
    const char* const end = p + body.size();
    while (true) {
        if (p == end)
            return PatternReading::failure("the RLE text ends without its closing '!'");
        char c = *p++;
        CharClass cls = classes.of[static_cast<unsigned char>(c)];
        std::int64_t count = 1;
        if (cls == kDigit) {
            count = c - '0';
            while (p != end && *p >= '0' && *p <= '9') {
                count = count * 10 + (*p++ - '0');
                if (count > kMaxCount)
                    return PatternReading::failure("a run count in the RLE text is too large (more than 2^31)");
            }
            if (count == 0)
                return PatternReading::failure("a run count of 0 in the RLE text");
            while (p != end && isSpace(*p))
                ++p;
            if (p == end)
                return PatternReading::failure("the RLE text ends after a count, without its closing '!'");
            c = *p++;
            cls = classes.of[static_cast<unsigned char>(c)];
        }
        if (cls <= kLive) {
            const std::int64_t next = x + count;
            if (cls == kLive && (next > header.width || y >= header.height))
                return pastTheBox(y, header);
            if (next <= header.width) {
                const std::int64_t bit = x & 63;
                if (bit + count <= 64)
                    row[x >> 6] |= ((~std::uint64_t{0} >> (64 - count)) << bit) & (std::uint64_t{0} - cls);
                else if (cls == kLive)
                    bitmap.setRun(y, x, count);
            } else if (next > kMaxCount) {
                // Dead runs may overshoot the box harmlessly, but the arithmetic stays bounded.
                return pastTheBox(y, header);
            }
            x = next;
            continue;
        }
        switch (cls) {
        case kRowEnd:
            y += count;
            x = 0;
            if (y < header.height)
                row = bitmap.row(y);
            else if (y > kMaxCount)
                return pastTheBox(y, header);
            else
                row = scratch.data();
            break;
        case kEnd:
            return PatternReading::success(placement.left ? bitmap.placedAt(*placement.left, *placement.top)
                                                          : bitmap.centredOnBoard(rows),
                                           rows);
        case kSpace:
            break;  // a count already took the white space after it
        default:
            if ((c >= 'B' && c <= 'X') || (c >= 'p' && c <= 'y'))
                return PatternReading::failure("the RLE text uses state letter " + shownInFault(c) +
                                               " of a pattern with more than two states; only dead and alive are read");
            return PatternReading::failure("unknown state letter " + shownInFault(c) + " in the RLE text");
        }
    }
}

}  // namespace

PatternReading readRlePattern(std::string_view text, std::int64_t rows)
{
    if (rows < 1 || rows > kMaxPatternTextRows)
        return PatternReading::failure("the board side must be from 1 to " + std::to_string(kMaxPatternTextRows));
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    Lines lines(text);
    std::optional<std::pair<std::int64_t, std::int64_t>> pos;
    while (!lines.done()) {
        const std::string_view line = lines.next();
        const std::string_view t = trim(line);
        if (t.empty())
            continue;
        if (t.front() == '#') {
            if (t.starts_with("#Life"))
                return PatternReading::failure("Life 1.05 and 1.06 texts are not read; use RLE, plaintext or JSON");
            if (t.starts_with("#r")) {
                if (auto fault = checkRule(t.substr(2)))
                    return PatternReading::failure(*fault);
            }
            if (t.starts_with("#CXRLE")) {
                if (auto fault = parseCxrle(t, pos))
                    return PatternReading::failure(*fault);
            }
            continue;  // comments, names, authors
        }
        if (!isHeaderLine(t))
            return PatternReading::failure("the RLE text lacks its 'x = WIDTH, y = HEIGHT' header line");
        Header header;
        if (auto fault = parseHeader(t, rows, header))
            return PatternReading::failure(*fault);
        Placement placement;
        if (pos) {
            // Golly's centre of a side of R cells is cell R / 2; the box must lie on the board.
            const std::int64_t centre = rows / 2;
            const auto onBoard = [&](std::int64_t p, std::int64_t size) {
                return p >= -centre && p <= rows - centre - size;
            };
            if (!onBoard(pos->first, header.width) || !onBoard(pos->second, header.height))
                return PatternReading::failure("the #CXRLE line's Pos=" + std::to_string(pos->first) + "," +
                                               std::to_string(pos->second) + " places the pattern beyond the board; the board holds " +
                                               std::to_string(rows) + " x " + std::to_string(rows));
            placement = {pos->first + centre, pos->second + centre};
        }
        return readBody(text.substr(std::min(lines.position(), text.size())), header, rows, placement);
    }
    return PatternReading::failure("the RLE text lacks its 'x = WIDTH, y = HEIGHT' header line");
}

}  // namespace cellarium
