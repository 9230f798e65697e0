#include "RlePattern.h"

#include "CellBitmap.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <optional>
#include <vector>

namespace cellarium {

namespace {

constexpr std::int64_t kMaxCount = std::int64_t{1} << 31;
constexpr std::size_t kMaxLine = 70;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}


// Digits 0..8 as a bit mask; nullopt for anything else or a repeat.
std::optional<unsigned> neighbourCounts(std::string_view digits)
{
    unsigned mask = 0;
    for (char c : digits) {
        if (c < '0' || c > '8' || (mask & (1u << (c - '0'))))
            return std::nullopt;
        mask |= 1u << (c - '0');
    }
    return mask;
}

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

struct Header {
    std::int64_t width = 0;
    std::int64_t height = 0;
};

// Parses a non-negative count; nullopt past kMaxCount or without digits.
std::optional<std::int64_t> parseCount(std::string_view s)
{
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc{} || end != s.data() + s.size() || s.empty() || value < 0 || value > kMaxCount)
        return std::nullopt;
    return value;
}

std::optional<std::string> checkRule(std::string_view rule)
{
    rule = trim(rule);
    if (isConwayRule(rule))
        return std::nullopt;
    if (rule.find(':') != std::string_view::npos)
        return "the rule '" + std::string(rule) + "' asks for a bounded or wrapped grid; only Conway's Life on the open board (B3/S23) is read";
    return "the rule '" + std::string(rule) + "' is not Conway's Life (B3/S23)";
}

// `x = W, y = H[, rule = R]`; the fault or the header.
std::optional<std::string> parseHeader(std::string_view line, std::int64_t rows, Header& header)
{
    const std::string malformed = "the RLE header must read 'x = WIDTH, y = HEIGHT, rule = B3/S23', not '" +
                                  std::string(trim(line).substr(0, 60)) + "'";
    bool haveX = false, haveY = false;
    std::size_t pos = 0;
    while (pos <= line.size()) {
        const std::size_t start = pos;
        const std::size_t comma = std::min(line.find(',', pos), line.size());
        const std::string_view item = line.substr(pos, comma - pos);
        pos = comma + 1;
        const std::size_t eq = item.find('=');
        if (eq == std::string_view::npos)
            return malformed;
        const std::string_view key = trim(item.substr(0, eq));
        const std::string_view value = trim(item.substr(eq + 1));
        if (key == "x" || key == "y") {
            const std::optional<std::int64_t> n = parseCount(value);
            if (!n)
                return "the RLE header's " + std::string(key) + " must be a whole number from 0 up, not '" +
                       std::string(value.substr(0, 20)) + "'";
            (key == "x" ? header.width : header.height) = *n;
            (key == "x" ? haveX : haveY) = true;
        } else if (key == "rule") {
            // A grid suffix holds a comma (:P10,10), so the rule is the rest of the line.
            if (auto fault = checkRule(line.substr(start + eq + 1)))
                return fault;
            break;
        } else {
            return malformed;
        }
    }
    if (!haveX || !haveY)
        return malformed;
    if (header.width > rows || header.height > rows)
        return "the pattern is " + std::to_string(header.width) + " x " + std::to_string(header.height) +
               " cells; the board holds " + std::to_string(rows) + " x " + std::to_string(rows);
    return std::nullopt;
}

// The header line's text is never a run line: runs start with a count, a state or `$`.
bool isHeaderLine(std::string_view line)
{
    line = trim(line);
    if (line.empty() || line.front() != 'x')
        return false;
    line = trim(line.substr(1));
    return !line.empty() && line.front() == '=';
}

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

// The Pos=X,Y of a `#CXRLE` line (Golly's extended RLE): the header box's top-left
// cell relative to the board's centre. nullopt in `pos` when the line has none;
// the fault when it is not two whole numbers.
std::optional<std::string> parseCxrle(std::string_view line, std::optional<std::pair<std::int64_t, std::int64_t>>& pos)
{
    const std::size_t at = line.find("Pos=");
    if (at == std::string_view::npos)
        return std::nullopt;
    std::string_view value = line.substr(at + 4);
    value = value.substr(0, std::min(value.find_first_of(" \t\r"), value.size()));
    const std::string malformed = "the #CXRLE line's Pos must be two whole numbers X,Y, not '" +
                                  std::string(value.substr(0, 40)) + "'";
    const std::size_t comma = value.find(',');
    if (comma == std::string_view::npos)
        return malformed;
    const auto number = [](std::string_view s, std::int64_t& n) {
        if (s.starts_with('+'))
            s.remove_prefix(1);
        const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
        if (s.empty() || end != s.data() + s.size())
            return std::errc::invalid_argument;
        return ec;
    };
    std::int64_t x = 0, y = 0;
    const std::errc ex = number(value.substr(0, comma), x), ey = number(value.substr(comma + 1), y);
    if (ex == std::errc::invalid_argument || ey == std::errc::invalid_argument)
        return malformed;
    if (ex != std::errc{} || ey != std::errc{})
        return "the #CXRLE line's Pos places the pattern beyond any board";
    pos = std::pair{x, y};
    return std::nullopt;
}

void appendCount(std::string& out, std::int64_t n)
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, n);
    out.append(buf, r.ptr);
}

// The text of a run count and its tag, for counts below kTableCounts: up to three
// digits and the tag, written as four bytes at once.
constexpr std::int64_t kTableCounts = 1000;

struct Token {
    char text[4];
    std::uint8_t length;
};

struct TokenTable {
    Token tokens[3][kTableCounts];  // tag b, o, $

    TokenTable()
    {
        const char tags[3] = {'b', 'o', '$'};
        for (int t = 0; t < 3; ++t) {
            for (std::int64_t n = 1; n < kTableCounts; ++n) {
                Token& token = tokens[t][n];
                char* q = token.text;
                if (n > 1)
                    q = std::to_chars(q, q + 3, n).ptr;
                *q++ = tags[t];
                token.length = static_cast<std::uint8_t>(q - token.text);
            }
        }
    }
};

const TokenTable& tokenTable()
{
    static const TokenTable table;
    return table;
}

// Appends tokens to a raw buffer without line breaks; breakLines adds them after.
// The caller makes room first (reserveFor), so that the hot path checks nothing.
class RunWriter {
public:
    RunWriter() : table_(tokenTable()) {}

    void reserveFor(std::int64_t cells)
    {
        // A row's tokens take at most its width plus a `$` count; a table token may
        // write four bytes.
        const auto need = static_cast<std::size_t>(cells + 64);
        if (raw_.size() - used_ < need)
            raw_.resize(std::max(raw_.size() * 2, used_ + need));
    }

    // tag: 0 for b, 1 for o, 2 for $.
    void token(std::int64_t count, int tag)
    {
        char* dst = raw_.data() + used_;
        if (count < kTableCounts) {
            const Token& t = table_.tokens[tag][count];
            std::memcpy(dst, t.text, 4);
            used_ += t.length;
            return;
        }
        char* q = std::to_chars(dst, dst + 20, count).ptr;
        *q++ = "bo$"[tag];
        used_ = static_cast<std::size_t>(q - raw_.data());
    }

    // The tokens and the closing `!` appended to `out` in lines of at most kMaxLine
    // characters, each broken after a tag so that no run is split.
    void breakLines(std::string& out)
    {
        reserveFor(0);
        raw_[used_++] = '!';
        const char* raw = raw_.data();
        const std::size_t start = out.size();
        out.resize(start + used_ + used_ / (kMaxLine - 20) + 2);
        char* dst = out.data() + start;
        std::size_t pos = 0;
        while (used_ - pos > kMaxLine) {
            std::size_t cut = pos + kMaxLine;
            while (raw[cut - 1] >= '0' && raw[cut - 1] <= '9')
                --cut;
            std::memcpy(dst, raw + pos, cut - pos);
            dst += cut - pos;
            *dst++ = '\n';
            pos = cut;
        }
        std::memcpy(dst, raw + pos, used_ - pos);
        dst += used_ - pos;
        *dst++ = '\n';
        out.resize(static_cast<std::size_t>(dst - out.data()));
    }

private:
    const TokenTable& table_;
    std::string raw_;
    std::size_t used_ = 0;
};

}  // namespace

bool isConwayRule(std::string_view rule)
{
    rule = trim(rule);
    std::string r;
    for (char c : rule)
        r += lower(c);
    if (r == "life" || r == "conway's life")
        return true;
    std::optional<unsigned> birth, survival;
    const auto digitsAfter = [&](std::size_t from) {
        std::size_t to = from;
        while (to < r.size() && r[to] >= '0' && r[to] <= '9')
            ++to;
        return to;
    };
    if (!r.empty() && (r[0] == 'b' || r[0] == 's')) {
        // B…/S… or S…/B…, the slash optional.
        const char first = r[0];
        const std::size_t e1 = digitsAfter(1);
        std::size_t at = e1;
        if (at < r.size() && r[at] == '/')
            ++at;
        const char second = first == 'b' ? 's' : 'b';
        if (at >= r.size() || r[at] != second)
            return false;
        const std::size_t e2 = digitsAfter(at + 1);
        if (e2 != r.size())
            return false;
        const auto a = neighbourCounts(std::string_view(r).substr(1, e1 - 1));
        const auto b = neighbourCounts(std::string_view(r).substr(at + 1, e2 - at - 1));
        (first == 'b' ? birth : survival) = a;
        (first == 'b' ? survival : birth) = b;
    } else {
        // The older survival/birth form, 23/3.
        const std::size_t e1 = digitsAfter(0);
        if (e1 >= r.size() || r[e1] != '/')
            return false;
        const std::size_t e2 = digitsAfter(e1 + 1);
        if (e2 != r.size())
            return false;
        survival = neighbourCounts(std::string_view(r).substr(0, e1));
        birth = neighbourCounts(std::string_view(r).substr(e1 + 1, e2 - e1 - 1));
    }
    return birth == (1u << 3) && survival == ((1u << 2) | (1u << 3));
}

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

std::string writeRlePattern(const LifeSet& lifes, std::int64_t rows)
{
    const CellBitmap bitmap = CellBitmap::boundingBoxOf(lifes);
    std::string out;
    if (bitmap.height() > 0) {
        // Golly's place of the top-left cell: relative to the board's centre cell, rows / 2.
        out += "#CXRLE Pos=";
        appendCount(out, bitmap.originX() - rows / 2);
        out += ',';
        appendCount(out, bitmap.originY() - rows / 2);
        out += '\n';
    }
    out += "x = ";
    appendCount(out, bitmap.width());
    out += ", y = ";
    appendCount(out, bitmap.height());
    out += ", rule = B3/S23\n";
    RunWriter writer;
    std::int64_t pendingRows = 0;
    for (std::int64_t y = 0; y < bitmap.height(); ++y) {
        const std::uint64_t* row = bitmap.row(y);
        writer.reserveFor(bitmap.width());
        // Each set bit of `edges` is a column where a run starts; runs alternate
        // dead, live, dead, …, starting dead before column 0.
        std::int64_t runStart = 0;
        int tag = 0;
        std::uint64_t carry = 0;
        for (std::int64_t k = 0; k < bitmap.wordsPerRow(); ++k) {
            const std::uint64_t w = row[k];
            std::uint64_t edges = w ^ ((w << 1) | carry);
            carry = w >> 63;
            while (edges != 0) {
                const std::int64_t column = k * 64 + std::countr_zero(edges);
                edges &= edges - 1;
                if (pendingRows > 0) {
                    writer.token(pendingRows, 2);
                    pendingRows = 0;
                }
                if (column > runStart)
                    writer.token(column - runStart, tag);
                runStart = column;
                tag ^= 1;
            }
        }
        if (tag == 1)  // the row ends live; a dead end is left out
            writer.token(bitmap.width() - runStart, 1);
        // An empty row only adds to the rows between; the first row is never empty.
        ++pendingRows;
    }
    writer.breakLines(out);
    return out;
}

}  // namespace cellarium
