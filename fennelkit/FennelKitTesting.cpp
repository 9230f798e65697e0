#include "FennelKitTesting.h"

#include "LazyValues.h"

namespace fennelkit {

void resetLazyValuesForTesting()
{
    detail::resetScreenMetrics();
    detail::resetStringTable();
    detail::resetMoreTexts();
}

}  // namespace fennelkit
