#include "store/StoreLocation.h"

#include <cstdlib>
#include <pwd.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace cellarium {

namespace {

std::optional<std::filesystem::path> absoluteFolder(const char* value)
{
    if (!value || *value != '/')
        return std::nullopt;
    return std::filesystem::path(value);
}

std::optional<std::filesystem::path> homeFolder()
{
    if (auto home = absoluteFolder(std::getenv("HOME")))
        return home;
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return absoluteFolder(found->pw_dir);
    return std::nullopt;
}

}  // namespace

std::optional<std::filesystem::path> coreLifeStoreFile()
{
    std::optional<std::filesystem::path> dataHome = absoluteFolder(std::getenv("XDG_DATA_HOME"));
    if (!dataHome) {
        const std::optional<std::filesystem::path> home = homeFolder();
        if (!home)
            return std::nullopt;
        dataHome = *home / ".local" / "share";
    }
    return *dataHome / "cellarium" / "CoreLife.sqlite";
}

}  // namespace cellarium
