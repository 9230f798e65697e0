#include "model/BoardStateCoding.h"

#include "model/BoardSize.h"
#include "model/PatternCoding.h"

#include <simdjson.h>

#include <charconv>
#include <cmath>
#include <new>

namespace cellarium {

namespace {

constexpr std::int64_t kFormat = 1;

void appendNumber(std::string& out, auto value)
{
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);  // shortest form that reads back exactly
    out.append(buf, result.ptr);
}

void appendMember(std::string& out, std::string_view name)
{
    out += '"';
    out += name;
    out += "\":";
}

const char* boolText(bool value) { return value ? "true" : "false"; }

bool readNumber(simdjson::dom::element value, double& number)
{
    // simdjson keeps integers apart from doubles; both are numbers here.
    switch (value.type()) {
    case simdjson::dom::element_type::DOUBLE: number = value.get_double().value_unsafe(); return true;
    case simdjson::dom::element_type::INT64: number = static_cast<double>(value.get_int64().value_unsafe()); return true;
    case simdjson::dom::element_type::UINT64: number = static_cast<double>(value.get_uint64().value_unsafe()); return true;
    default: return false;
    }
}

// A number member of an object; false when `object` is no object or the member is missing or no number.
bool readMember(simdjson::dom::element object, std::string_view name, double& number)
{
    simdjson::dom::element value;
    return object.is_object() && object[name].get(value) == simdjson::SUCCESS && readNumber(value, number);
}

std::optional<LifeSet> readCells(simdjson::dom::element value)
{
    if (!value.is_array())
        return std::nullopt;
    return decodeBoardPattern(simdjson::to_string(value));
}

}  // namespace

std::string encodeBoardState(const BoardState& state)
{
    const std::string lifes = encodePattern(state.lifes);
    const std::string initLifes = state.initLifes ? encodePattern(*state.initLifes) : std::string("null");
    std::string out;
    out.reserve(lifes.size() + initLifes.size() + 256);
    out += '{';
    appendMember(out, "format");
    appendNumber(out, kFormat);
    out += ',';
    appendMember(out, "generation");
    appendNumber(out, state.generation);
    out += ',';
    appendMember(out, "highSpeed");
    out += boolText(state.highSpeed);
    out += ',';
    appendMember(out, "countOfRows");
    appendNumber(out, state.countOfRows);
    out += ',';
    appendMember(out, "panMode");
    out += boolText(state.panMode);
    if (const auto& v = state.view;
        v && std::isfinite(v->zoom) && std::isfinite(v->offsetX) && std::isfinite(v->offsetY)) {
        out += ',';
        appendMember(out, "view");
        out += '{';
        appendMember(out, "zoom");
        appendNumber(out, v->zoom);
        out += ',';
        appendMember(out, "offsetX");
        appendNumber(out, v->offsetX);
        out += ',';
        appendMember(out, "offsetY");
        appendNumber(out, v->offsetY);
        out += '}';
    }
    out += ',';
    appendMember(out, "lifes");
    out += lifes;
    out += ',';
    appendMember(out, "initLifes");
    out += initLifes;
    out += '}';
    return out;
}

std::optional<BoardState> decodeBoardState(std::string_view bytes)
{
    simdjson::dom::parser parser;
    simdjson::dom::element document;
    if (const simdjson::error_code error = parser.parse(bytes.data(), bytes.size()).get(document)) {
        if (error == simdjson::MEMALLOC)
            throw std::bad_alloc();
        return std::nullopt;
    }
    simdjson::dom::object root;
    if (document.get_object().get(root) != simdjson::SUCCESS)
        return std::nullopt;

    BoardState state;
    std::int64_t format = 0;
    simdjson::dom::element lifes, initLifes;
    if (root["format"].get_int64().get(format) || format != kFormat
        || root["generation"].get_int64().get(state.generation) || state.generation < 0
        || root["highSpeed"].get_bool().get(state.highSpeed)
        || root["countOfRows"].get_int64().get(state.countOfRows) || !boardSizeIndex(state.countOfRows)
        || root["panMode"].get_bool().get(state.panMode)
        || root["lifes"].get(lifes) || root["initLifes"].get(initLifes))
        return std::nullopt;

    simdjson::dom::element view;
    if (root["view"].get(view) == simdjson::SUCCESS) {
        BoardViewState v;
        if (!readMember(view, "zoom", v.zoom) || !readMember(view, "offsetX", v.offsetX)
            || !readMember(view, "offsetY", v.offsetY) || !(v.zoom > 0))
            return std::nullopt;
        state.view = v;
    }

    std::optional<LifeSet> cells = readCells(lifes);
    if (!cells)
        return std::nullopt;
    state.lifes = std::move(*cells);
    if (!initLifes.is_null()) {
        std::optional<LifeSet> start = readCells(initLifes);
        if (!start)
            return std::nullopt;
        state.initLifes = std::move(*start);
    }
    return state;
}

}  // namespace cellarium
