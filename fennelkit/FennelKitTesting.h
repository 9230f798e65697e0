#pragma once

#include "FennelKitExport.h"

namespace fennelkit {

// Forgets every lazily computed process-wide value (screen metrics, isChn, the
// about texts and addresses, the string table) so that the next read computes
// it afresh from the platform services and the default locale.
// For tests only: not safe while other threads read those values.
FENNELKIT_EXPORT void resetLazyValuesForTesting();

}  // namespace fennelkit
