#include "FennelKitTest.h"

#include "FennelKitTesting.h"
#include "ScreenMetrics.h"

#include "platform/MainScreen.h"
#include "platform/Storefront.h"

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

using namespace fennelkit;

namespace {

class ScreenMetricsTest : public FennelKitTest {};

// Counts its reads, and is slow to answer so that first readers overlap.
class CountingScreen : public platform::MainScreen {
public:
    explicit CountingScreen(std::atomic<int>& reads) : reads_(reads) {}
    QSizeF size() const override
    {
        ++reads_;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return {412, 915};
    }

private:
    std::atomic<int>& reads_;
};

TEST_F(ScreenMetricsTest, LaterReadsKeepTheFirstValuesAfterTheScreenChanges)
{
    EXPECT_EQ(screenWidth(), 390);
    EXPECT_EQ(screenHeight(), 844);
    EXPECT_EQ(screenScale(), 3);

    platform::services().mainScreen().setSizeOverride(QSizeF(844, 390));
    platform::services().mainScreen().setScaleOverride(2);
    EXPECT_EQ(screenWidth(), 390);
    EXPECT_EQ(screenHeight(), 844);
    EXPECT_EQ(screenScale(), 3);

    resetLazyValuesForTesting();
    EXPECT_EQ(screenWidth(), 844);
}

TEST_F(ScreenMetricsTest, IsChnForChinaOrNoStorefrontKeptForTheRun)
{
    setStorefront(QStringLiteral("CHN"));
    EXPECT_TRUE(isChn());
    setStorefront(std::nullopt);
    EXPECT_TRUE(isChn());
    setStorefront(QStringLiteral("USA"));
    EXPECT_FALSE(isChn());

    platform::services().storefront().setOverride(QStringLiteral("CHN"));
    EXPECT_FALSE(isChn());
}

TEST_F(ScreenMetricsTest, ConcurrentFirstReadsComputeOnceAndAgree)
{
    std::atomic<int> reads = 0;
    ownServices().with(std::make_unique<CountingScreen>(reads));
    resetLazyValuesForTesting();

    std::vector<double> seen(8, 0);
    std::vector<std::thread> readers;
    for (std::size_t i = 0; i < seen.size(); ++i)
        readers.emplace_back([&seen, i] { seen[i] = screenWidth(); });
    for (std::thread& reader : readers)
        reader.join();

    EXPECT_EQ(reads.load(), 1);
    for (double width : seen)
        EXPECT_EQ(width, 412);
}

}  // namespace
