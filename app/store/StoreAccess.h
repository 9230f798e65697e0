#pragma once

namespace cellarium {

// How a store file is opened. Reading never writes to the file: it is neither created
// nor set up, and a new (empty) file reads as an empty archive.
enum class StoreAccess {
    ReadWrite,
    ReadOnly,
};

}  // namespace cellarium
