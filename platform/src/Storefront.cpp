#include "platform/Storefront.h"

#include <QLocale>

#include <unicode/locid.h>

namespace platform {

Storefront::~Storefront() = default;

std::optional<QString> Storefront::countryCode() const
{
    if (override_)
        return *override_;
    return countryCodeOfLocale(QLocale::system().name());
}

void Storefront::setOverride(std::optional<QString> code)
{
    override_ = code ? alpha3Code(*code) : std::nullopt;
}

std::optional<QString> Storefront::countryCodeOfLocale(const QString& localeName)
{
    // ICU understands both "zh_CN" and "zh-CN", with or without ".UTF-8".
    const QByteArray name = localeName.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0).toUtf8();
    const icu::Locale locale = icu::Locale::createCanonical(name.constData());
    if (locale.isBogus() || *locale.getCountry() == '\0')
        return std::nullopt;
    const QString alpha3 = QString::fromLatin1(locale.getISO3Country());
    if (alpha3.isEmpty())
        return std::nullopt;
    return alpha3;
}

std::optional<QString> Storefront::alpha3Code(const QString& code)
{
    const QString upper = code.trimmed().toUpper();
    if (upper.isEmpty())
        return std::nullopt;
    // Ask ICU for the country of "und_<code>"; it knows alpha-2 and alpha-3.
    const QByteArray name = "und_" + upper.toLatin1();
    const icu::Locale locale(name.constData());
    const QString alpha3 = QString::fromLatin1(locale.getISO3Country());
    if (locale.isBogus() || alpha3.isEmpty())
        return std::nullopt;
    return alpha3;
}

} // namespace platform
