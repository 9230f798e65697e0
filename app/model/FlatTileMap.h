#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace cellarium {

// Position of a 64 × 64 tile in the plane: the cell (x, y) lies in tile (x >> 6, y >> 6).
struct TileKey {
    std::int64_t tx;
    std::int64_t ty;
    friend bool operator==(const TileKey&, const TileKey&) = default;
};

// A hash map from tile keys to values, stored flat: keys and values in two dense
// vectors (so iteration and copying are linear scans) and an open-addressing
// index of slots into them. Erasing moves the last entry into the hole, so
// entry positions are not stable across erase.
template <typename Value>
class FlatTileMap {
public:
    std::size_t size() const { return keys_.size(); }
    bool empty() const { return keys_.empty(); }
    const TileKey& keyAt(std::size_t i) const { return keys_[i]; }
    const Value& valueAt(std::size_t i) const { return values_[i]; }
    Value& valueAt(std::size_t i) { return values_[i]; }

    void reserve(std::size_t n)
    {
        keys_.reserve(n);
        values_.reserve(n);
        if (n * 2 > slots_.size())
            rehash(std::bit_ceil(n * 2));
    }

    const Value* find(const TileKey& key) const
    {
        const std::size_t slot = findSlot(key);
        return slot == kNone ? nullptr : &values_[static_cast<std::size_t>(slots_[slot])];
    }
    Value* find(const TileKey& key)
    {
        const std::size_t slot = findSlot(key);
        return slot == kNone ? nullptr : &values_[static_cast<std::size_t>(slots_[slot])];
    }

    // The value under `key`, inserted value-initialised (a zeroed tile) when absent.
    Value& operator[](const TileKey& key)
    {
        if ((keys_.size() + 1) * 2 > slots_.size())
            rehash(slots_.empty() ? 16 : slots_.size() * 2);
        std::size_t slot = home(key);
        while (slots_[slot] != kEmpty) {
            const auto index = static_cast<std::size_t>(slots_[slot]);
            if (keys_[index] == key)
                return values_[index];
            slot = (slot + 1) & mask();
        }
        slots_[slot] = static_cast<std::int32_t>(keys_.size());
        keys_.push_back(key);
        values_.emplace_back();
        return values_.back();
    }

    // True when the key was new.
    bool insert(const TileKey& key, const Value& value)
    {
        const std::size_t before = size();
        Value& stored = (*this)[key];
        if (size() == before)
            return false;
        stored = value;
        return true;
    }

    void erase(const TileKey& key)
    {
        std::size_t slot = findSlot(key);
        if (slot == kNone)
            return;
        const auto index = static_cast<std::size_t>(slots_[slot]);
        // Backward-shift deletion keeps every probe chain unbroken without tombstones.
        for (std::size_t next = (slot + 1) & mask(); slots_[next] != kEmpty; next = (next + 1) & mask()) {
            const std::size_t wanted = home(keys_[static_cast<std::size_t>(slots_[next])]);
            if (((next - wanted) & mask()) >= ((next - slot) & mask())) {
                slots_[slot] = slots_[next];
                slot = next;
            }
        }
        slots_[slot] = kEmpty;
        // Move the last entry into the hole and repoint its slot.
        const std::size_t last = keys_.size() - 1;
        if (index != last) {
            slots_[findSlot(keys_[last])] = static_cast<std::int32_t>(index);
            keys_[index] = keys_[last];
            values_[index] = std::move(values_[last]);
        }
        keys_.pop_back();
        values_.pop_back();
    }

private:
    static constexpr std::int32_t kEmpty = -1;
    static constexpr std::size_t kNone = SIZE_MAX;

    std::size_t mask() const { return slots_.size() - 1; }

    std::size_t home(const TileKey& key) const
    {
        // Murmur's 64-bit finaliser over both coordinates spreads neighbouring tiles apart.
        std::uint64_t h = static_cast<std::uint64_t>(key.tx) * 0x9e3779b97f4a7c15ULL + static_cast<std::uint64_t>(key.ty);
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdULL;
        h ^= h >> 33;
        h *= 0xc4ceb9fe1a85ec53ULL;
        h ^= h >> 33;
        return static_cast<std::size_t>(h) & mask();
    }

    std::size_t findSlot(const TileKey& key) const
    {
        if (slots_.empty())
            return kNone;
        for (std::size_t slot = home(key); slots_[slot] != kEmpty; slot = (slot + 1) & mask()) {
            if (keys_[static_cast<std::size_t>(slots_[slot])] == key)
                return slot;
        }
        return kNone;
    }

    void rehash(std::size_t capacity)
    {
        slots_.assign(capacity, kEmpty);
        for (std::size_t i = 0; i < keys_.size(); ++i) {
            std::size_t slot = home(keys_[i]);
            while (slots_[slot] != kEmpty)
                slot = (slot + 1) & mask();
            slots_[slot] = static_cast<std::int32_t>(i);
        }
    }

    std::vector<TileKey> keys_;
    std::vector<Value> values_;
    std::vector<std::int32_t> slots_;  // index into keys_ and values_, or kEmpty
};

}  // namespace cellarium
