#include "model/LifeEngine.h"

#include "model/StepWindow.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

namespace cellarium {

namespace {

constexpr std::int64_t kSide = LifeSet::kTileSide;
constexpr std::int64_t kMargin = StepWindow::margin;  // the window starts three cells before the board

}  // namespace

LifeEngine::LifeEngine(const LifeSet& lifes, std::int64_t rows)
    : boardRows_(rows), start_(lifes)
{
    if (rows < 1 || rows > kMaxRows)
        throw std::invalid_argument("LifeEngine: board size out of range");
    const std::int64_t side = rows + 2 * kMargin + 1;
    grid_.columns = (side + 63) / 64;
    grid_.rows = side;
    grid_.tileRows = (side + LifeGrid::kTileRows - 1) / LifeGrid::kTileRows;
    grid_.stride = grid_.tileRows * LifeGrid::kTileRows + 2;
    grid_.flagWords = (grid_.tileRows + 63) / 64;
    const std::int64_t lastBits = side - (grid_.columns - 1) * 64;
    grid_.lastColumnMask = lastBits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << lastBits) - 1;

    cur_.assign(grid_.words(), 0);
    prev_.assign(grid_.words(), 0);
    const auto flagCount = static_cast<std::size_t>(grid_.columns * grid_.flagWords);
    changed_.assign(flagCount, ~std::uint64_t{0});  // nothing is known to be still yet
    changed2_.assign(flagCount, ~std::uint64_t{0});
    newChanged_.assign(flagCount, 0);
    newChanged2_.assign(flagCount, 0);

    // A set's tile (tx, ty) lands in word column tx and the next, shifted by the margin.
    const std::int64_t hi = rows + kMargin;
    const std::int64_t tileHi = hi >> LifeSet::kTileShift;
    const LifeSet::TileMap& tiles = lifes.tiles();
    for (std::size_t t = 0; t < tiles.size(); ++t) {
        const TileKey key = tiles.keyAt(t);
        if (key.tx < -1 || key.tx > tileHi || key.ty < -1 || key.ty > tileHi)
            continue;
        const LifeSet::Tile& tile = tiles.valueAt(t);
        for (std::int64_t r = 0; r < kSide; ++r) {
            const std::int64_t gy = key.ty * kSide + r + kMargin;
            if (gy < 0 || gy >= grid_.rows || tile[static_cast<std::size_t>(r)] == 0)
                continue;
            const std::uint64_t word = tile[static_cast<std::size_t>(r)];
            if (key.tx >= 0)
                cur_[grid_.at(key.tx, gy)] |= word << kMargin;
            if (key.tx + 1 < grid_.columns)
                cur_[grid_.at(key.tx + 1, gy)] |= word >> (64 - kMargin);
        }
    }
    for (std::int64_t r = 0; r < grid_.rows; ++r)
        cur_[grid_.at(grid_.columns - 1, r)] &= grid_.lastColumnMask;

    const auto tileCount = static_cast<std::size_t>(grid_.columns * grid_.tileRows);
    tileCounts_.assign(tileCount, 0);
    tileHashes_.assign(tileCount, 0);
    summarizeChangedTiles(grid_, cur_.data(), changed_.data(), tileCounts_.data(), tileHashes_.data(), population_, hash_);
}

std::int64_t LifeEngine::period() const
{
    if (still_)
        return 1;
    if (periodTwo_)
        return 2;
    return cycle_.period();
}

void LifeEngine::step()
{
    ++generation_;
    if (periodTwo_) {
        cur_.swap(prev_);  // the generation before is the next one; the flags stay as they are
        std::swap(population_, populationBefore_);
        return;
    }
    stepLifeGrid(grid_, cur_.data(), prev_.data(), {changed_.data(), changed2_.data()},
                 {newChanged_.data(), newChanged2_.data()});
    cur_.swap(prev_);
    changed_.swap(newChanged_);
    changed2_.swap(newChanged2_);
    if (generation_ == 1) {
        // The buffer just overwritten held no earlier generation to compare with.
        std::fill(changed2_.begin(), changed2_.end(), ~std::uint64_t{0});
    }
    // Only the tiles that changed have a new population and hash.
    populationBefore_ = population_;
    summarizeChangedTiles(grid_, cur_.data(), changed_.data(), tileCounts_.data(), tileHashes_.data(), population_, hash_);
    auto none = [](const std::vector<std::uint64_t>& flags) {
        return std::all_of(flags.begin(), flags.end(), [](std::uint64_t f) { return f == 0; });
    };
    const bool anyChanged = !none(changed_);
    const bool anyChanged2 = !none(changed2_);
    still_ = !anyChanged;
    periodTwo_ = still_ || !anyChanged2;
    if (!periodTwo_)
        cycle_.offer(cur_, hash_);
}

void LifeEngine::run(std::int64_t generations)
{
    for (std::int64_t g = 0; g < generations; ++g) {
        if (periodTwo_) {
            // Every further generation is this one or the one before.
            if ((generations - g) % 2 != 0 && !still_) {
                cur_.swap(prev_);
                std::swap(population_, populationBefore_);
            }
            generation_ += generations - g;
            return;
        }
        if (const std::int64_t period = cycle_.period(); period != 0) {
            // This window, the one before and the flags all repeat after `period`
            // generations (the generation before lies in the cycle too), so whole
            // periods can be skipped and the rest stepped.
            const std::int64_t skipped = (generations - g) / period * period;
            generation_ += skipped;
            g += skipped;
            if (g == generations)
                return;
        }
        step();
    }
}

bool LifeEngine::liveAt(const std::vector<std::uint64_t>& cells, std::int64_t x, std::int64_t y) const
{
    const std::int64_t gx = x + kMargin;
    const std::int64_t gy = y + kMargin;
    if (gx < 0 || gy < 0 || gx >= grid_.rows || gy >= grid_.rows)
        return false;
    return (cells[grid_.at(gx >> 6, gy)] >> (gx & 63) & 1) != 0;
}

void LifeEngine::addBirthsOutsideTheWindow(LifeSet::TileMap& tiles) const
{
    // Cells one line outside the window are born from the window's edge lines
    // of the generation before; they never count, so the grid does not hold them.
    const std::int64_t out = -kMargin - 1;
    const std::int64_t outHi = boardRows_ + kMargin + 1;
    auto consider = [&](std::int64_t x, std::int64_t y) {
        int n = 0;
        for (std::int64_t dy = -1; dy <= 1; ++dy) {
            for (std::int64_t dx = -1; dx <= 1; ++dx)
                n += (dx != 0 || dy != 0) && liveAt(prev_, x + dx, y + dy) ? 1 : 0;
        }
        if (n == 3)
            tiles[{x >> LifeSet::kTileShift, y >> LifeSet::kTileShift}][static_cast<std::size_t>(y & (kSide - 1))] |=
                std::uint64_t{1} << (x & (kSide - 1));
    };
    for (std::int64_t v = out; v <= outHi; ++v) {
        consider(v, out);
        consider(v, outHi);
        if (v != out && v != outHi) {
            consider(out, v);
            consider(outHi, v);
        }
    }
}

LifeSet LifeEngine::lifes() const
{
    if (generation_ == 0)
        return start_;
    LifeSet::TileMap tiles;
    const std::int64_t lo = -kMargin;
    const std::int64_t hi = boardRows_ + kMargin;
    const std::int64_t tileLo = lo >> LifeSet::kTileShift;
    const std::int64_t tileHi = hi >> LifeSet::kTileShift;
    LifeSet::Tile tile;
    for (std::int64_t ty = tileLo; ty <= tileHi; ++ty) {
        for (std::int64_t tx = tileLo; tx <= tileHi; ++tx) {
            std::uint64_t any = 0;
            for (std::int64_t r = 0; r < kSide; ++r) {
                const std::int64_t gy = ty * kSide + r + kMargin;
                std::uint64_t word = 0;
                if (gy >= 0 && gy < grid_.rows) {
                    // Word column −1 and `columns` are the zero padding.
                    word = (cur_[grid_.at(tx, gy)] >> kMargin) | (cur_[grid_.at(tx + 1, gy)] << (64 - kMargin));
                }
                tile[static_cast<std::size_t>(r)] = word;
                any |= word;
            }
            if (any != 0)
                tiles.insert({tx, ty}, tile);
        }
    }
    addBirthsOutsideTheWindow(tiles);
    return LifeSet::fromTiles(std::move(tiles));
}

std::size_t LifeEngine::windowCount() const
{
    std::size_t n = 0;
    for (std::uint64_t word : cur_)
        n += static_cast<std::size_t>(std::popcount(word));
    return n;
}

}  // namespace cellarium
