#include "model/PlaintextPattern.h"

#include "model/CellBitmap.h"

#include <algorithm>
#include <bit>

namespace cellarium {

PatternReading readPlaintextPattern(std::string_view text, std::int64_t rows)
{
    if (rows < 1 || rows > kMaxPatternTextRows)
        return PatternReading::failure("the board side must be from 1 to " + std::to_string(kMaxPatternTextRows));
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    CellBitmap bitmap(rows, 0);
    std::int64_t y = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        if (line.starts_with('!'))
            continue;
        for (std::size_t x = 0; x < line.size(); ++x) {
            const char c = line[x];
            if (c == '.')
                continue;
            if (c != 'O' && c != '*')
                return PatternReading::failure("unknown cell character " + shownInFault(c) + " in row " + std::to_string(y + 1) +
                                               " of the plaintext pattern (it uses '.' and 'O')");
            if (static_cast<std::int64_t>(x) >= rows || y >= rows)
                return PatternReading::failure("the plaintext pattern is larger than the board of " +
                                               std::to_string(rows) + " x " + std::to_string(rows) + " cells");
            while (bitmap.height() <= y)
                bitmap.addRow();
            bitmap.setRun(y, static_cast<std::int64_t>(x), 1);
        }
        ++y;
    }
    return PatternReading::success(bitmap.centredOnBoard(rows), rows);
}

std::string writePlaintextPattern(const LifeSet& lifes)
{
    const CellBitmap bitmap = CellBitmap::boundingBoxOf(lifes);
    if (bitmap.height() == 0)
        return "!\n";
    std::string out;
    out.reserve(static_cast<std::size_t>((bitmap.width() + 1) * bitmap.height()));
    for (std::int64_t y = 0; y < bitmap.height(); ++y) {
        const std::uint64_t* row = bitmap.row(y);
        std::int64_t last = -1;
        for (std::int64_t k = bitmap.wordsPerRow(); k-- > 0;) {
            if (row[k] != 0) {
                last = k * 64 + 63 - std::countl_zero(row[k]);
                break;
            }
        }
        if (last < 0)
            out += '.';
        for (std::int64_t x = 0; x <= last; ++x)
            out += (row[x >> 6] >> (x & 63)) & 1 ? 'O' : '.';
        out += '\n';
    }
    return out;
}

}  // namespace cellarium
