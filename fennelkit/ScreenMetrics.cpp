#include "ScreenMetrics.h"

#include "LazyValue.h"

#include "platform/MainScreen.h"
#include "platform/Storefront.h"

namespace fennelkit {

namespace {

detail::LazyValue<double> cachedScreenWidth([] { return platform::mainScreen().size().width(); });
detail::LazyValue<double> cachedScreenHeight([] { return platform::mainScreen().size().height(); });
detail::LazyValue<double> cachedScreenScale([] { return double(platform::mainScreen().scale()); });
detail::LazyValue<bool> cachedIsChn([] {
    const std::optional<QString> country = platform::storefront().countryCode();
    return !country || *country == QLatin1String("CHN");
});

}  // namespace

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
