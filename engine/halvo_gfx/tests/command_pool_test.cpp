#include <halvo_gfx/command_pool.h>

#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "test_command.h"

using hlv_core::Adopt;
using hlv_core::CResourceHandle;
using hlv_gfx::CommandPool;

TEST(CommandPool, HandsOutTwoHundredDistinctCommandsThenRefuses)
{
    CommandPool<TestCommand> pool("test_command");
    EXPECT_EQ(pool.size(), 200u);
    std::set<TestCommand*> taken;
    for (int i = 0; i < 200; ++i) {
        TestCommand* command = pool.Acquire();
        ASSERT_NE(command, nullptr) << "acquisition " << i;
        EXPECT_EQ(command->Pool(), &pool);
        taken.insert(command);
    }
    EXPECT_EQ(taken.size(), 200u);
    testing::internal::CaptureStderr();
    EXPECT_EQ(pool.Acquire(), nullptr);
    EXPECT_EQ(pool.Acquire(), nullptr);
    const std::string diagnostics = testing::internal::GetCapturedStderr();
    // One line naming the pool, however often it runs dry.
    EXPECT_NE(diagnostics.find("CommandPool<test_command>"), std::string::npos) << diagnostics;
    EXPECT_EQ(diagnostics.find("CommandPool", 1), std::string::npos) << diagnostics;
    for (TestCommand* command : taken) command->Release();
    EXPECT_EQ(pool.FreeCount(), 200u);
}

TEST(CommandPool, ReusesCommandsFirstInFirstOut)
{
    CommandPool<TestCommand> pool("test_command");
    std::vector<TestCommand*> all;
    for (int i = 0; i < 200; ++i) all.push_back(pool.Acquire());
    // Freed in the order 7, 3, 150: they come back in that order, not the
    // most recently freed first.
    all[7]->Release();
    all[3]->Release();
    all[150]->Release();
    EXPECT_EQ(pool.Acquire(), all[7]);
    EXPECT_EQ(pool.Acquire(), all[3]);
    EXPECT_EQ(pool.Acquire(), all[150]);
    EXPECT_EQ(pool.Acquire(), nullptr);
}

TEST(CommandPool, FreshPoolHandsOutInArrayOrderAndRefillsAtTheBack)
{
    CommandPool<TestCommand> pool("test_command");
    TestCommand* first = pool.Acquire();
    TestCommand* second = pool.Acquire();
    EXPECT_EQ(second, first + 1);
    first->Release();
    // The freed command goes behind the 198 never used.
    for (int i = 0; i < 198; ++i) EXPECT_NE(pool.Acquire(), first);
    EXPECT_EQ(pool.Acquire(), first);
}

TEST(CommandPool, RecyclingDropsTheResourceReferencesACommandHeld)
{
    ResourceCounter counter;
    CommandPool<TestCommand> pool("test_command");
    std::uint32_t word = 7;
    {
        auto resource = Adopt(new CountedResource(counter));
        TestCommand* a = pool.Acquire();
        TestCommand* b = pool.Acquire();
        a->resource = resource;
        b->resource = resource;
        a->result = &word;
        resource.Reset();
        ASSERT_EQ(counter.alive.load(), 1);
        a->Release();
        EXPECT_EQ(a->result, nullptr);
        EXPECT_FALSE(a->resource.IsValid());
        EXPECT_EQ(counter.alive.load(), 1) << "b still names the resource";
        b->Release();
        EXPECT_EQ(counter.alive.load(), 0) << "the last command recycled frees it";
    }
    EXPECT_EQ(word, 7u);
}

TEST(CommandPool, DestroyingThePoolReleasesHandlesOfCommandsNeverRecycled)
{
    ResourceCounter counter;
    {
        CommandPool<TestCommand> pool("test_command");
        pool.Acquire()->resource = Adopt(new CountedResource(counter));
        EXPECT_EQ(counter.alive.load(), 1);
    }
    EXPECT_EQ(counter.alive.load(), 0);
}
