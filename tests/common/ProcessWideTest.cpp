#include "ProcessWide.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using cellarium::ProcessWide;

namespace {

struct Counted {
    explicit Counted(int v) : value(v) {}
    int value;
};

TEST(ProcessWide, MadeOnceOnFirstUseAndTheReferenceStaysTheSame)
{
    int made = 0;
    ProcessWide<Counted> shared([&] { return std::make_unique<Counted>(++made); });
    EXPECT_EQ(made, 0);
    Counted& first = shared.get();
    EXPECT_EQ(&shared.get(), &first);
    EXPECT_EQ(first.value, 1);
    EXPECT_EQ(made, 1);
}

TEST(ProcessWide, ConcurrentFirstReadersShareOneValue)
{
    std::atomic<int> made = 0;
    ProcessWide<Counted> shared([&] {
        std::this_thread::yield();
        return std::make_unique<Counted>(++made);
    });
    std::atomic<bool> go = false;
    std::vector<Counted*> seen(8, nullptr);
    std::vector<std::thread> readers;
    for (std::size_t i = 0; i < seen.size(); ++i) {
        readers.emplace_back([&, i] {
            while (!go)
                std::this_thread::yield();
            seen[i] = &shared.get();
        });
    }
    go = true;
    for (auto& reader : readers)
        reader.join();
    EXPECT_EQ(made, 1);
    for (Counted* value : seen)
        EXPECT_EQ(value, seen.front());
}

TEST(ProcessWide, ReplaceInstallsAValueAndResetMakesAFreshOne)
{
    int made = 0;
    ProcessWide<Counted> shared([&] { return std::make_unique<Counted>(++made); });
    shared.get();
    shared.replace(std::make_unique<Counted>(42));
    EXPECT_EQ(shared.get().value, 42);
    shared.reset();
    EXPECT_EQ(shared.get().value, 2);
    shared.replace(nullptr);
    EXPECT_EQ(shared.get().value, 3);
}

TEST(ProcessWide, ANewFactoryMakesTheNextValueButKeepsTheCurrentOne)
{
    ProcessWide<Counted> shared([] { return std::make_unique<Counted>(1); });
    EXPECT_EQ(shared.get().value, 1);
    shared.setFactory([] { return std::make_unique<Counted>(2); });
    EXPECT_EQ(shared.get().value, 1);
    shared.reset();
    EXPECT_EQ(shared.get().value, 2);
}

}  // namespace
