#include "FNViewRepresentable.h"

namespace fennelkit {

FNViewRepresentable::~FNViewRepresentable() = default;

}  // namespace fennelkit
