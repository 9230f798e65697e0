#include "model/RlePattern.h"

#include "model/CellBitmap.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <vector>

// Writing RLE; the reader is in RlePattern.cpp.

namespace cellarium {

namespace {

void appendCount(std::string& out, std::int64_t n)
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, n);
    out.append(buf, r.ptr);
}

// The text of a run count and its tag, for counts below kTableCounts: up to three
// digits and the tag, written as four bytes at once.
constexpr std::int64_t kTableCounts = 1000;
constexpr std::size_t kMaxLine = 70;

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
