#pragma once

#include <filesystem>
#include <optional>

namespace cellarium {

// The archive file that the app and cellarium-archive share:
// $XDG_DATA_HOME/cellarium/CoreLife.sqlite, where XDG_DATA_HOME defaults to
// ~/.local/share when unset, empty or not an absolute path. nullopt when neither
// XDG_DATA_HOME nor a home folder can be found. Reads the environment on each call.
std::optional<std::filesystem::path> coreLifeStoreFile();

}  // namespace cellarium
