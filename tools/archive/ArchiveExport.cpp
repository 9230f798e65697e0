#include "ArchiveExport.h"

#include <charconv>

namespace cellarium {

namespace {

constexpr std::string_view kHeader = "Cellarium archive export 1\n";

// Takes one line (without its \n) off the front of `bytes`.
std::optional<std::string_view> takeLine(std::string_view& bytes)
{
    const std::size_t end = bytes.find('\n');
    if (end == std::string_view::npos)
        return std::nullopt;
    const std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end + 1);
    return line;
}

template <typename Number>
std::optional<Number> parseNumber(std::string_view text)
{
    Number value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || text[0] == '+' || ec != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

}  // namespace

std::string exportRecords(const std::vector<CoreLifeRow>& rows)
{
    std::string out(kHeader);
    for (const CoreLifeRow& row : rows) {
        out += "record ";
        out += row.addedDate ? std::to_string(row.addedDate->time_since_epoch().count()) : "-";
        out += ' ';
        out += row.lifeData ? std::to_string(row.lifeData->size()) : "-";
        out += '\n';
        if (row.lifeData) {
            out += *row.lifeData;
            out += '\n';
        }
    }
    out += "end " + std::to_string(rows.size()) + "\n";
    return out;
}

std::optional<std::vector<CoreLifeRow>> importRecords(std::string_view bytes, std::string& why)
{
    if (!bytes.starts_with(kHeader)) {
        why = "not a Cellarium archive export (format 1)";
        return std::nullopt;
    }
    bytes.remove_prefix(kHeader.size());
    std::vector<CoreLifeRow> rows;
    for (;;) {
        const std::optional<std::string_view> line = takeLine(bytes);
        const std::string where = "record " + std::to_string(rows.size() + 1);
        if (!line) {
            why = "the export is cut short at " + where;
            return std::nullopt;
        }
        if (line->starts_with("end ")) {
            const auto count = parseNumber<std::size_t>(line->substr(4));
            if (!count || *count != rows.size() || !bytes.empty()) {
                why = "the export's end does not match its " + std::to_string(rows.size()) + " records";
                return std::nullopt;
            }
            return rows;
        }
        const std::size_t space = line->find(' ', 7);
        if (!line->starts_with("record ") || space == std::string_view::npos) {
            why = "the export is damaged at " + where;
            return std::nullopt;
        }
        const std::string_view date = line->substr(7, space - 7);
        const std::string_view length = line->substr(space + 1);
        CoreLifeRow row;
        if (date != "-") {
            const auto ms = parseNumber<std::int64_t>(date);
            if (!ms) {
                why = "the export has a bad date at " + where;
                return std::nullopt;
            }
            row.addedDate = CoreLifeDate(std::chrono::milliseconds(*ms));
        }
        if (length != "-") {
            const auto size = parseNumber<std::size_t>(length);
            if (!size || *size >= bytes.size() || bytes[*size] != '\n') {
                why = "the export is damaged or cut short at " + where;
                return std::nullopt;
            }
            row.lifeData = std::string(bytes.substr(0, *size));
            bytes.remove_prefix(*size + 1);
        }
        rows.push_back(std::move(row));
    }
}

}  // namespace cellarium
