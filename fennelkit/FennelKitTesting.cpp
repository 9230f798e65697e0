#include "FennelKitTesting.h"

#include "LazyValue.h"

namespace fennelkit {

void resetLazyValuesForTesting()
{
    detail::resetAllLazyValues();
}

}  // namespace fennelkit
