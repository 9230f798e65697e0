#include "IsoDate.h"

#include <cstdint>
#include <cstdio>

namespace cellarium {

std::string isoDate(CoreLifeDate date)
{
    constexpr std::int64_t kDay = 86'400'000;
    const std::int64_t ms = date.time_since_epoch().count();
    // Floored division without forming days * kDay, which can overflow near the limits.
    std::int64_t days = ms / kDay;
    std::int64_t msOfDay = ms % kDay;
    if (msOfDay < 0) {
        msOfDay += kDay;
        --days;
    }

    // Civil date from days since 1970-01-01, in the proleptic Gregorian calendar.
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const std::int64_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);

    char text[64];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lldT%02lld:%02lld:%02lld.%03lldZ", static_cast<long long>(year),
                  static_cast<long long>(month), static_cast<long long>(day),
                  static_cast<long long>(msOfDay / 3'600'000), static_cast<long long>(msOfDay / 60'000 % 60),
                  static_cast<long long>(msOfDay / 1000 % 60), static_cast<long long>(msOfDay % 1000));
    return text;
}

}  // namespace cellarium
