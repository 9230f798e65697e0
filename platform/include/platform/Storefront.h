#pragma once

#include "platform/PlatformExport.h"
#include "platform/Services.h"

#include <QString>

#include <memory>
#include <optional>

namespace platform {

// The store front country, as an ISO 3166-1 alpha-3 code ("CHN", "USA").
class PLATFORM_EXPORT Storefront {
public:
    virtual ~Storefront();

    // The override if set; otherwise the system locale's country
    // (QLocale::system()). std::nullopt means "no storefront".
    virtual std::optional<QString> countryCode() const;

    // From "--storefront CODE": an alpha-3 or alpha-2 code, any case; an empty
    // or unknown code means "no storefront". std::nullopt also means "no
    // storefront"; clearOverride() goes back to the locale.
    void setOverride(std::optional<QString> code);
    void clearOverride() { override_.reset(); }

    // The alpha-3 code of a locale name's country ("zh_CN" -> "CHN",
    // "en-US" -> "USA"); std::nullopt for a locale without a country ("en", "C").
    static std::optional<QString> countryCodeOfLocale(const QString& localeName);
    // An alpha-2 or alpha-3 code as alpha-3 (ICU's tables); nullopt if unknown.
    static std::optional<QString> alpha3Code(const QString& code);

private:
    std::optional<std::optional<QString>> override_;
};

// The set in place has one: platform::services().storefront().

} // namespace platform
