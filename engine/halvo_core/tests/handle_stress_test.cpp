// Four threads copy and drop one shared handle while a fifth reassigns it.
#include <halvo_core/handle.h>

#include <atomic>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "counting_resource.h"

using hlv_core::Adopt;
using hlv_core::CResourceHandle;

TEST(ResourceHandleStress, CopiesRaceWithReassignment)
{
    constexpr int kReassignments = 100000;
    DestructionCounter counter;
    CResourceHandle<CountingResource> shared = Adopt(new CountingResource(counter, 0));
    std::atomic<bool> done{false};
    std::atomic<long> copies{0};

    std::vector<std::thread> readers;
    for (int t = 0; t < 4; ++t) {
        readers.emplace_back([&] {
            long local = 0;
            while (!done.load(std::memory_order_acquire)) {
                CResourceHandle<CountingResource> copy(shared);
                if (copy.IsValid()) {
                    // The object must be alive and whole while we hold it.
                    EXPECT_GE(copy->value, 0);
                    EXPECT_GE(copy->GetRefCount(), 1u);
                }
                CResourceHandle<CountingResource> second;
                second = copy;
                ++local;
            }
            copies.fetch_add(local);
        });
    }
    std::thread writer([&] {
        for (int i = 1; i <= kReassignments; ++i) {
            if (i % 97 == 0)
                shared.Reset();
            else
                shared = Adopt(new CountingResource(counter, i));
        }
        done.store(true, std::memory_order_release);
    });
    writer.join();
    for (auto& r : readers) r.join();
    shared.Reset();
    EXPECT_GT(copies.load(), 0);
    EXPECT_EQ(counter.created.load(), counter.destroyed.load());
    EXPECT_EQ(counter.created.load(), kReassignments - kReassignments / 97 + 1);
}
