// Handshakes of the queue core under load, each under a watchdog.
#include <halvo_gfx/command_queue.h>

#include <atomic>
#include <chrono>
#include <random>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "test_command.h"
#include "watchdog.h"

using namespace std::chrono_literals;
using hlv_gfx::CCommandQueue;
using hlv_gfx::CommandPool;
using hlv_gfx::StayChange;

namespace {

void MaybePause(std::mt19937& rng)
{
    const unsigned roll = rng() % 64;
    if (roll == 0)
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 50));
    else if (roll < 8)
        std::this_thread::yield();
}

}  // namespace

// The start-up pattern of the creation queue: the consumer stays while
// producers hand over batches, and one flush that clears the stay flag lets
// it return. Repeated on a fresh queue each time, with pauses on both sides.
TEST(CommandQueueStress, StartUpPatternAlwaysLetsProcessReturn)
{
    const int rounds = kThreadSanitizer ? 3000 : 10000;
    Watchdog watchdog(kThreadSanitizer ? 50s : 20s, "start-up pattern");
    CommandPool<TestCommand> pool("test_command");
    std::mt19937 producer_rng(1);
    for (int round = 0; round < rounds; ++round) {
        CCommandQueue<TestCommand> queue(true);
        std::atomic<std::uint64_t> ran{0};
        std::thread consumer([&, seed = round] {
            std::mt19937 rng(seed);
            MaybePause(rng);
            queue.Process([&](TestCommand& command) {
                ran.fetch_add(1, std::memory_order_relaxed);
                command.Release();
            });
        });
        const int batches = static_cast<int>(producer_rng() % 4);
        std::uint64_t queued = 0;
        for (int b = 0; b < batches; ++b) {
            const int count = 1 + static_cast<int>(producer_rng() % 20);
            for (int i = 0; i < count; ++i) {
                TestCommand* command = pool.Acquire();
                ASSERT_NE(command, nullptr);
                queue.Enqueue(0, *command);
                ++queued;
            }
            queue.Flush(0, false, StayChange::Keep);
            MaybePause(producer_rng);
        }
        queue.Flush(0, true, StayChange::Clear);
        MaybePause(producer_rng);
        ASSERT_TRUE(queue.WaitUntilDrained(0));
        consumer.join();
        ASSERT_EQ(ran.load(), queued) << "round " << round;
    }
}

// A producer that waits for the queue to drain finds the result word of every
// command it queued written, while other producers keep queueing.
TEST(CommandQueueStress, DrainReturnsOnlyAfterEveryEarlierCommandWroteItsResult)
{
    const int rounds = kThreadSanitizer ? 500 : 3000;
    Watchdog watchdog(kThreadSanitizer ? 50s : 20s, "drain with result words");
    CommandPool<TestCommand> pool("test_command");
    CCommandQueue<TestCommand> queue(true);
    std::thread consumer([&] {
        while (queue.Process([](TestCommand& command) {
            command.Execute(static_cast<std::uint32_t>(command.value));
            command.Release();
        })) {
        }
    });
    std::atomic<bool> stop{false};
    // Another producer keeps the queue busy meanwhile.
    std::thread noise([&] {
        std::mt19937 rng(99);
        while (!stop.load(std::memory_order_relaxed)) {
            if (TestCommand* command = pool.Acquire()) {
                command->value = 1;
                queue.Enqueue(0, *command);
            }
            queue.Flush(0, false);
            MaybePause(rng);
        }
    });
    std::mt19937 rng(7);
    std::vector<std::uint32_t> words(8);
    for (int round = 0; round < rounds; ++round) {
        const std::size_t count = 1 + rng() % words.size();
        for (std::size_t i = 0; i < count; ++i) {
            words[i] = 0xFFFFFFFFu;
            TestCommand* command = nullptr;
            while ((command = pool.Acquire()) == nullptr) std::this_thread::yield();
            command->value = static_cast<std::uint64_t>(round) * 16 + i;
            command->result = &words[i];
            queue.Enqueue(0, *command);
        }
        MaybePause(rng);
        queue.Flush(0, false);
        ASSERT_TRUE(queue.WaitUntilDrained(0));
        for (std::size_t i = 0; i < count; ++i)
            ASSERT_EQ(words[i], static_cast<std::uint32_t>(round * 16 + i)) << "round " << round;
    }
    stop = true;
    noise.join();
    queue.Shutdown();
    consumer.join();
}

// Shutdown while the consumer waits, at a random moment: it always returns.
TEST(CommandQueueStress, ShutdownAtAnyMomentReleasesEveryWaiter)
{
    const int rounds = kThreadSanitizer ? 300 : 2000;
    Watchdog watchdog(kThreadSanitizer ? 50s : 20s, "shutdown at any moment");
    std::mt19937 rng(3);
    for (int round = 0; round < rounds; ++round) {
        // Commands caught in a shut-down queue never go back: a pool per round.
        CommandPool<TestCommand> pool("test_command");
        CCommandQueue<TestCommand> queue(true);
        std::thread consumer([&] {
            while (queue.Process([](TestCommand& command) { command.Release(); })) {
            }
        });
        std::thread drainer([&] {
            TestCommand* command = nullptr;
            while ((command = pool.Acquire()) == nullptr) std::this_thread::yield();
            queue.Enqueue(0, *command);
            if (round % 2) queue.Flush(0, false);
            queue.WaitUntilDrained(0);
        });
        MaybePause(rng);
        queue.Shutdown();
        consumer.join();
        drainer.join();
    }
}
