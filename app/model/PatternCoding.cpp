#include "model/PatternCoding.h"

#include <simdjson.h>

#include <charconv>
#include <new>

namespace cellarium {

namespace {

class PatternWriter {
public:
    explicit PatternWriter(std::size_t cells)
    {
        out_.reserve(2 + cells * 26);
        out_ += '[';
    }

    void add(const Life& life)
    {
        out_ += first_ ? "{" : ",{";
        first_ = false;
        if (life.x) {
            out_ += "\"x\":";
            number(*life.x);
        }
        if (life.y) {
            out_ += life.x ? ",\"y\":" : "\"y\":";
            number(*life.y);
        }
        out_ += '}';
    }

    std::string finish()
    {
        out_ += ']';
        return std::move(out_);
    }

private:
    void number(std::int64_t v)
    {
        char buf[24];
        const auto result = std::to_chars(buf, buf + sizeof buf, v);
        out_.append(buf, result.ptr);
    }

    std::string out_;
    bool first_ = true;
};

// Reads an optional coordinate; false when the value is not an integer or null.
bool readCoordinate(simdjson::dom::element value, std::optional<std::int64_t>& coordinate)
{
    switch (value.type()) {
    case simdjson::dom::element_type::NULL_VALUE:
        coordinate.reset();
        return true;
    case simdjson::dom::element_type::INT64:
        coordinate = value.get_int64().value_unsafe();
        return true;
    default:  // a string, Boolean, object, array, fraction, or an unsigned beyond the signed range
        return false;
    }
}

// Reads the encoder's own form, [{"x":X,"y":Y},...] with no spaces, straight into
// tiles, skipping the general parser's document (most of a cold decode's time).
// False, with `lifes` unspecified, at the first byte it does not expect: the
// caller then decodes with the general parser, which also decides what fails.
class CanonicalReader {
public:
    explicit CanonicalReader(std::string_view bytes) : p_(bytes.data()), end_(bytes.data() + bytes.size()) {}

    bool read(LifeSet& lifes)
    {
        LifeSet::TileMap tiles;
        if (!take('['))
            return false;
        if (take(']'))
            return p_ == end_ && (lifes = LifeSet{}, true);
        TileKey lastKey{0, 0};
        LifeSet::Tile* tile = nullptr;
        do {
            std::int64_t x = 0, y = 0;
            bool haveX = false, haveY = false;
            if (!take('{'))
                return false;
            do {
                if (!take('"') || p_ == end_)
                    return false;
                const char name = *p_++;
                if ((name != 'x' && name != 'y') || !take('"') || !take(':'))
                    return false;
                bool& have = name == 'x' ? haveX : haveY;
                if (have || !number(name == 'x' ? x : y))
                    return false;  // a repeated member is left to the general parser
                have = true;
            } while (take(','));
            if (!take('}') || !haveX || !haveY)
                return false;
            const TileKey key{x >> LifeSet::kTileShift, y >> LifeSet::kTileShift};
            if (tile == nullptr || !(key == lastKey)) {
                tile = &tiles[key];  // valid until the next insertion
                lastKey = key;
            }
            (*tile)[static_cast<std::size_t>(y & (LifeSet::kTileSide - 1))] |= std::uint64_t{1}
                                                                              << (x & (LifeSet::kTileSide - 1));
        } while (take(','));
        if (!take(']') || p_ != end_)
            return false;
        lifes = LifeSet::fromTiles(std::move(tiles));
        return true;
    }

private:
    bool take(char c)
    {
        if (p_ == end_ || *p_ != c)
            return false;
        ++p_;
        return true;
    }

    // A JSON integer of at most 18 digits, without leading zeros; not "-0".
    bool number(std::int64_t& value)
    {
        const bool negative = take('-');
        const char* first = p_;
        std::uint64_t v = 0;  // 19 digits fit, and the 19th only says "too long"
        while (p_ != end_ && *p_ >= '0' && *p_ <= '9' && p_ - first < 19)
            v = v * 10 + static_cast<std::uint64_t>(*p_++ - '0');
        const std::ptrdiff_t digits = p_ - first;
        if (digits == 0 || digits > 18 || (*first == '0' && (digits > 1 || negative)))
            return false;
        if (p_ == end_ || (*p_ != ',' && *p_ != '}'))
            return false;  // a fraction, an exponent or anything else
        value = negative ? -static_cast<std::int64_t>(v) : static_cast<std::int64_t>(v);
        return true;
    }

    const char* p_;
    const char* end_;
};

}  // namespace

std::string encodePattern(const LifeSet& lifes)
{
    PatternWriter writer(lifes.count());
    lifes.forEach([&](const Life& life) { writer.add(life); });
    return writer.finish();
}

std::optional<LifeSet> decodePattern(std::string_view bytes)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());

    if (bytes.empty())
        return std::nullopt;
    if (LifeSet lifes; CanonicalReader(bytes).read(lifes))
        return lifes;
    thread_local simdjson::dom::parser parser;
    simdjson::dom::element document;
    if (const simdjson::error_code error = parser.parse(bytes.data(), bytes.size()).get(document)) {
        // Running out of memory says nothing about the bytes.
        if (error == simdjson::MEMALLOC)
            throw std::bad_alloc();
        return std::nullopt;
    }
    simdjson::dom::array elements;
    if (document.get_array().get(elements) != simdjson::SUCCESS)
        return std::nullopt;

    LifeSet lifes;
    for (simdjson::dom::element element : elements) {
        simdjson::dom::object members;
        if (element.get_object().get(members) != simdjson::SUCCESS)
            return std::nullopt;
        Life life;
        for (simdjson::dom::key_value_pair member : members) {
            if (member.key == "x") {
                if (!readCoordinate(member.value, life.x))
                    return std::nullopt;
            } else if (member.key == "y") {
                if (!readCoordinate(member.value, life.y))
                    return std::nullopt;
            }
        }
        lifes.insert(life);
    }
    return lifes;
}

std::optional<LifeSet> decodeBoardPattern(std::string_view bytes)
{
    std::optional<LifeSet> lifes = decodePattern(bytes);
    if (lifes && !lifes->unplaced().empty())
        return lifes->placedOnly();
    return lifes;
}

}  // namespace cellarium
