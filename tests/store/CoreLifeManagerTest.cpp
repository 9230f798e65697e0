#include "store/CoreLifeManager.h"
#include "store/StoreLocation.h"
#include "StoreTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace cellarium;
using namespace cellarium::test;

namespace {

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnvironment() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(StoreLocation, ArchiveLivesUnderXdgDataHome)
{
    ScopedEnvironment xdg("XDG_DATA_HOME", "/data/home");
    EXPECT_EQ(coreLifeStoreFile(), std::filesystem::path("/data/home/cellarium/CoreLife.sqlite"));
}

TEST(StoreLocation, UnsetEmptyOrRelativeXdgDataHomeMeansTheHomeFolder)
{
    ScopedEnvironment home("HOME", "/home/ada");
    const auto expected = std::filesystem::path("/home/ada/.local/share/cellarium/CoreLife.sqlite");
    for (const char* value : {static_cast<const char*>(nullptr), "", "relative/data"}) {
        ScopedEnvironment xdg("XDG_DATA_HOME", value);
        EXPECT_EQ(coreLifeStoreFile(), expected) << (value ? value : "unset");
    }
}

TEST(CoreLifeManager, PersistentContainerIsLoadedOnceFromTheDataFolder)
{
    TemporaryFolder folder;
    ScopedEnvironment xdg("XDG_DATA_HOME", folder.path().c_str());
    CoreLifeManager manager;
    CoreLifeContainer& container = manager.persistentContainer();
    ASSERT_TRUE(container.isAvailable()) << container.loadFailure()->description;
    EXPECT_TRUE(std::filesystem::exists(folder.storeFile()));
    EXPECT_EQ(&manager.persistentContainer(), &container);

    container.viewContext().insertNewObject()->setLifeData("[]");
    std::optional<bool> result;
    EXPECT_TRUE(*(result = CoreLifeManager::saveContext(container)));
    EXPECT_EQ(result, true);
    EXPECT_EQ(sql(folder.storeFile(), "SELECT lifeData FROM CoreLife"), std::vector<std::string>{"[]"});
}

}  // namespace
