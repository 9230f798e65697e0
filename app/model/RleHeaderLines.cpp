#include "model/RleHeaderLines.h"

#include "model/RlePattern.h"

#include <algorithm>
#include <charconv>

namespace cellarium {

namespace rle {

namespace {

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
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

// Parses a non-negative count; nullopt past kMaxCount or without digits.
std::optional<std::int64_t> parseCount(std::string_view s)
{
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc{} || end != s.data() + s.size() || s.empty() || value < 0 || value > kMaxCount)
        return std::nullopt;
    return value;
}

}  // namespace

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
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

bool isHeaderLine(std::string_view line)
{
    line = trim(line);
    if (line.empty() || line.front() != 'x')
        return false;
    line = trim(line.substr(1));
    return !line.empty() && line.front() == '=';
}

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

}  // namespace rle

bool isConwayRule(std::string_view rule)
{
    rule = rle::trim(rule);
    std::string r;
    for (char c : rule)
        r += rle::lower(c);
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
        const auto a = rle::neighbourCounts(std::string_view(r).substr(1, e1 - 1));
        const auto b = rle::neighbourCounts(std::string_view(r).substr(at + 1, e2 - at - 1));
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
        survival = rle::neighbourCounts(std::string_view(r).substr(0, e1));
        birth = rle::neighbourCounts(std::string_view(r).substr(e1 + 1, e2 - e1 - 1));
    }
    return birth == (1u << 3) && survival == ((1u << 2) | (1u << 3));
}

}  // namespace cellarium
