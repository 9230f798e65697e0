#include "PatternCoding.h"

#include <simdjson.h>

#include <charconv>

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
    thread_local simdjson::dom::parser parser;
    simdjson::dom::element document;
    if (parser.parse(bytes.data(), bytes.size()).get(document) != simdjson::SUCCESS)
        return std::nullopt;
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
