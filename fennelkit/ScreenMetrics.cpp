#include "ScreenMetrics.h"

#include "LazyValues.h"

#include "platform/MainScreen.h"
#include "platform/Storefront.h"

namespace fennelkit {

namespace {

detail::LazyValue<double> cachedScreenWidth(detail::computedBy([] { return platform::services().mainScreen().size().width(); }));
detail::LazyValue<double> cachedScreenHeight(detail::computedBy([] { return platform::services().mainScreen().size().height(); }));
detail::LazyValue<double> cachedScreenScale(detail::computedBy([] { return double(platform::services().mainScreen().scale()); }));
detail::LazyValue<bool> cachedIsChn(detail::computedBy([] {
    const std::optional<QString> country = platform::services().storefront().countryCode();
    return !country || *country == QLatin1String("CHN");
}));

}  // namespace

void detail::resetScreenMetrics()
{
    cachedScreenWidth.reset();
    cachedScreenHeight.reset();
    cachedScreenScale.reset();
    cachedIsChn.reset();
}

double screenWidth()
{
    return cachedScreenWidth.get();
}

double screenHeight()
{
    return cachedScreenHeight.get();
}

double screenScale()
{
    return cachedScreenScale.get();
}

bool isChn()
{
    return cachedIsChn.get();
}

}  // namespace fennelkit
