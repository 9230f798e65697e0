#include "ToolArchive.h"

#include <charconv>

namespace cellarium {

namespace {

// A whole number from 0, digits only (no sign, no spaces).
template <typename Number>
std::optional<Number> parseWhole(const std::string& text)
{
    Number value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || text.front() == '-' || ec != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

}  // namespace

ToolArchive::ToolArchive(const std::optional<std::filesystem::path>& file, Use use)
{
    if (!file)
        throw ToolFailure{"the archive cannot be found: neither XDG_DATA_HOME nor HOME is set"};
    std::error_code error;
    if (use != Use::Add && !std::filesystem::exists(*file, error))
        return;
    container_ = std::make_unique<CoreLifeContainer>(
        *file, CoreLifeContainer::kDefaultBusyTimeout, use == Use::Read ? StoreAccess::ReadOnly : StoreAccess::ReadWrite);
    if (const auto& failure = container_->loadFailure())
        throw ToolFailure{"the archive is unavailable: " + failure->description};
}

std::vector<std::shared_ptr<CoreLife>> ToolArchive::records()
{
    if (!container_)
        return {};
    StoreResult<std::vector<std::shared_ptr<CoreLife>>> fetched = context().fetchNewestFirst();
    if (!fetched)
        throw ToolFailure{fetched.failure().description};
    return std::move(fetched.value());
}

std::shared_ptr<CoreLife> ToolArchive::record(const std::string& indexText)
{
    const std::optional<std::size_t> index = parseWhole<std::size_t>(indexText);
    if (!index)
        throw ToolFailure{"the record number must be a whole number from 0, not '" + indexText + "'"};
    std::vector<std::shared_ptr<CoreLife>> all = records();
    if (*index >= all.size())
        throw ToolFailure{"there is no record " + indexText + "; the archive holds " + std::to_string(all.size())};
    return all[*index];
}

std::shared_ptr<CoreLife> ToolArchive::recordWithId(const std::string& idText)
{
    const std::optional<std::int64_t> id = parseWhole<std::int64_t>(idText);
    if (!id)
        throw ToolFailure{"the record id must be a whole number from 0, not '" + idText + "'"};
    for (std::shared_ptr<CoreLife>& record : records()) {
        if (record->objectID() == *id)
            return std::move(record);
    }
    throw ToolFailure{"there is no record with id " + idText};
}

const std::optional<std::string>& ToolArchive::lifeData(const CoreLife& record)
{
    if (const std::optional<StoreFailure> failure = record.loadLifeData())
        throw ToolFailure{failure->description};
    return record.lifeData();
}

void ToolArchive::save(const std::string& doing)
{
    if (const std::optional<StoreFailure> failure = context().save())
        throw ToolFailure{"cannot " + doing + ": " + failure->description};
}

}  // namespace cellarium
