#include "store/CoreLifeManager.h"
#include "store/FetchedResultsController.h"
#include "store/FetchedResultsControllerDelegate.h"
#include "StoreTestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

using namespace cellarium;
using namespace cellarium::test;

namespace {

class RecordingDelegate : public FetchedResultsControllerDelegate {
public:
    void controllerWillChangeContent(FetchedResultsController& controller) override
    {
        events.push_back("will " + std::to_string(controller.fetchedObjects().size()));
    }
    void controllerDidChangeContent(FetchedResultsController& controller) override
    {
        events.push_back("did " + std::to_string(controller.fetchedObjects().size()));
    }
    void controllerDidFailToRefetch(FetchedResultsController&, const StoreFailure& failure) override
    {
        events.push_back("failed " + failure.description);
    }
    std::vector<std::string> events;
};

class FetchedResultsControllerTest : public testing::Test {
protected:
    void add(CoreLifeContainer& container, std::int64_t ms, const std::string& bytes)
    {
        auto record = container.viewContext().insertNewObject();
        record->setAddedDate(dateAt(ms));
        record->setLifeData(bytes);
        ASSERT_FALSE(container.viewContext().save().has_value());
    }

    int argc = 1;
    char name[12] = "store-tests";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
    TemporaryFolder folder;
    CoreLifeContainer container{folder.storeFile()};
    FetchedResultsController controller{container.viewContext()};
    RecordingDelegate delegate;
};

TEST_F(FetchedResultsControllerTest, TellsItsDelegateAfterASaveThatWroteChanges)
{
    ASSERT_FALSE(controller.performFetch().has_value());
    controller.setDelegate(&delegate);
    add(container, 1, "one");
    EXPECT_EQ(delegate.events, (std::vector<std::string>{"will 0", "did 1"}));

    delegate.events.clear();
    CoreLifeManager::saveContext(container);  // nothing to save
    container.viewContext().deleteObject(controller.object(0));
    EXPECT_TRUE(delegate.events.empty()) << "a pending deletion is not yet a change of the store";
    EXPECT_TRUE(CoreLifeManager::saveContext(container));
    EXPECT_EQ(delegate.events, (std::vector<std::string>{"will 1", "did 0"}));
}

TEST_F(FetchedResultsControllerTest, TellsItsDelegateWhenAnotherConnectionSaves)
{
    ASSERT_FALSE(controller.performFetch().has_value());
    controller.setDelegate(&delegate);
    CoreLifeContainer other(folder.storeFile());
    add(other, 7, "from elsewhere");
    ASSERT_TRUE(waitFor([&] { return !delegate.events.empty(); })) << "no notification";
    EXPECT_EQ(delegate.events, (std::vector<std::string>{"will 0", "did 1"}));
    EXPECT_EQ(controller.object(0)->lifeData(), "from elsewhere");
}

TEST_F(FetchedResultsControllerTest, TellsItsDelegateWhenTheToolAddsARecord)
{
    ASSERT_FALSE(controller.performFetch().has_value());
    controller.setDelegate(&delegate);
    const ProcessRun run = runArchiveProcess({"add"}, folder.path(), R"([{"x":1,"y":1}])");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_TRUE(waitFor([&] { return controller.fetchedObjects().size() == 1; })) << "no notification";
    EXPECT_EQ(delegate.events.back(), "did 1");
    EXPECT_EQ(controller.object(0)->lifeData(), R"([{"x":1,"y":1}])");
}

TEST_F(FetchedResultsControllerTest, OwnSavesAreNotMergedAgain)
{
    ASSERT_FALSE(controller.performFetch().has_value());
    add(container, 1, "mine");
    EXPECT_FALSE(container.viewContext().mergeChangesFromStore());
    CoreLifeContainer other(folder.storeFile());
    add(other, 2, "theirs");
    EXPECT_TRUE(container.viewContext().mergeChangesFromStore());
    EXPECT_FALSE(container.viewContext().mergeChangesFromStore());
}

}  // namespace
