// The queue core with the tests' own command type, one thread at a time
// where possible; the threaded cases are short and watched.
#include <halvo_gfx/command_queue.h>
#include <halvo_gfx/frame_counter.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <hlv_testing/watchdog.h>

#include "test_command.h"

using namespace std::chrono_literals;
using hlv_gfx::CCommandQueue;
using hlv_gfx::CFrameCounter;
using hlv_gfx::CommandPool;
using hlv_gfx::StayChange;
using hlv_testing::CWatchdog;

namespace {

constexpr std::size_t kFirst = 0;
constexpr std::size_t kSecond = 1;

struct TestQueue {
    explicit TestQueue(bool stay) : queue(stay) {}

    // Process runs on the test's own thread: a lost hand-over would hang it.
    CWatchdog watchdog{10s, testing::UnitTest::GetInstance()->current_test_info()->name()};

    void Record(std::size_t lane, std::uint64_t value)
    {
        TestCommand* command = pool.Acquire();
        ASSERT_NE(command, nullptr);
        command->value = value;
        queue.Enqueue(lane, *command);
    }

    // Consumer side: runs until Process returns; records what ran.
    bool Process()
    {
        return queue.Process([this](TestCommand& command) {
            executed.push_back(command.value);
            command.Execute(0);
            command.Release();
        });
    }

    std::vector<std::uint64_t> TakeExecuted() { return std::exchange(executed, {}); }

    CommandPool<TestCommand> pool{"test_command"};
    CCommandQueue<TestCommand, 2> queue;
    std::vector<std::uint64_t> executed;
};

using Values = std::vector<std::uint64_t>;

}  // namespace

TEST(CommandQueue, RunsAFlushedBatchInOrderAndReturnsAtItsFrameEnd)
{
    TestQueue q(true);
    for (std::uint64_t v = 1; v <= 5; ++v) q.Record(kFirst, v);
    q.queue.Flush(kFirst, true);
    EXPECT_TRUE(q.Process());
    EXPECT_EQ(q.TakeExecuted(), (Values{1, 2, 3, 4, 5}));
    EXPECT_EQ(q.queue.Pending(kFirst), 0u);
    EXPECT_EQ(q.pool.FreeCount(), 200u);
}

TEST(CommandQueue, CommandsRecordedAfterAFrameEndWaitForTheNextFrame)
{
    // The cut is made when the frame ends, not when the consumer comes: a
    // frame never runs commands of the next one, and its end is never lost.
    TestQueue q(true);
    q.Record(kFirst, 1);
    q.queue.Flush(kFirst, false);
    q.Record(kFirst, 2);
    q.queue.Flush(kFirst, true);
    q.Record(kFirst, 3);
    q.queue.Flush(kFirst, false);
    q.Record(kFirst, 4);
    EXPECT_TRUE(q.Process());
    EXPECT_EQ(q.TakeExecuted(), (Values{1, 2}));
    q.queue.Flush(kFirst, true);
    EXPECT_TRUE(q.Process());
    EXPECT_EQ(q.TakeExecuted(), (Values{3, 4}));
}

TEST(CommandQueue, EveryFrameEndEndsExactlyOneProcessCall)
{
    TestQueue q(true);
    for (std::uint64_t frame = 0; frame < 9; ++frame) {
        q.Record(kFirst, frame);
        q.queue.Flush(kFirst, true);
    }
    q.queue.Flush(kFirst, true);  // an empty frame
    for (std::uint64_t frame = 0; frame < 9; ++frame) {
        EXPECT_TRUE(q.Process());
        EXPECT_EQ(q.TakeExecuted(), (Values{frame}));
    }
    EXPECT_TRUE(q.Process());
    EXPECT_TRUE(q.TakeExecuted().empty());
}

TEST(CommandQueue, WithoutStayItReturnsAtOnceWhenNothingIsFlushed)
{
    TestQueue q(false);
    q.Record(kFirst, 1);  // recorded, not flushed
    q.queue.Flush(kFirst, false, StayChange::Keep);
    EXPECT_TRUE(q.Process()) << "serves the flushed batch, then nothing waits";
    EXPECT_EQ(q.TakeExecuted(), (Values{1}));
    EXPECT_TRUE(q.Process());
    EXPECT_TRUE(q.TakeExecuted().empty());
}

TEST(CommandQueue, FlushChangesTheStayFlagAsAsked)
{
    TestQueue q(true);
    q.queue.Flush(kFirst, false, StayChange::Keep);
    EXPECT_TRUE(q.queue.Stays());
    q.queue.Flush(kFirst, true, StayChange::Clear);
    EXPECT_FALSE(q.queue.Stays());
    q.queue.Flush(kFirst, false, StayChange::Keep);
    EXPECT_FALSE(q.queue.Stays());
    q.queue.Flush(kFirst, false, StayChange::Set);
    EXPECT_TRUE(q.queue.Stays());
}

TEST(CommandQueue, LowerLanesAreServedFirst)
{
    TestQueue q(true);
    q.Record(kSecond, 20);
    q.queue.Flush(kSecond, true);
    q.Record(kFirst, 10);
    q.queue.Flush(kFirst, false);
    EXPECT_TRUE(q.Process());
    EXPECT_EQ(q.TakeExecuted(), (Values{10, 20}));
}

TEST(CommandQueue, EmptyMidFrameFlushesNeitherEndNorWakeTheFrame)
{
    TestQueue q(true);
    std::atomic<bool> returned{false};
    std::thread consumer([&] {
        q.Process();
        returned = true;
    });
    for (int i = 0; i < 1000; ++i) q.queue.Flush(kFirst, false);
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(returned.load()) << "no frame end was given";
    q.queue.Flush(kFirst, true);
    consumer.join();
    EXPECT_TRUE(returned.load());
}

TEST(CommandQueue, AFrameEndGivenWhileABatchRunsIsServed)
{
    CWatchdog watchdog(10s, "frame end during a batch");
    CommandPool<TestCommand> pool("test_command");
    CCommandQueue<TestCommand> queue(true);
    std::promise<void> inside;
    std::promise<void> resume;
    auto resumed = resume.get_future().share();
    std::vector<std::uint64_t> executed;
    std::thread consumer([&] {
        queue.Process([&](TestCommand& command) {
            executed.push_back(command.value);
            if (command.value == 1) {
                inside.set_value();
                resumed.wait();
            }
            command.Release();
        });
    });
    TestCommand* first = pool.Acquire();
    first->value = 1;
    queue.Enqueue(0, *first);
    queue.Flush(0, false);
    inside.get_future().wait();
    TestCommand* second = pool.Acquire();
    second->value = 2;
    queue.Enqueue(0, *second);
    queue.Flush(0, true);
    resume.set_value();
    consumer.join();
    EXPECT_EQ(executed, (Values{1, 2}));
}

TEST(CommandQueue, ClearingTheStayFlagReleasesAWaitingConsumer)
{
    TestQueue q(true);
    std::thread consumer([&] { q.Process(); });
    std::this_thread::sleep_for(20ms);
    q.queue.Flush(kFirst, false, StayChange::Clear);
    consumer.join();
    EXPECT_FALSE(q.queue.Stays());
}

TEST(CommandQueue, ShutdownReleasesTheConsumerAndDrainWaitersAtOnce)
{
    TestQueue q(true);
    q.Record(kFirst, 1);  // never flushed: a drain would wait for ever
    auto consumer = std::async(std::launch::async, [&] { return q.Process(); });
    auto drainer = std::async(std::launch::async, [&] { return q.queue.WaitUntilDrained(kFirst); });
    EXPECT_EQ(consumer.wait_for(30ms), std::future_status::timeout);
    EXPECT_EQ(drainer.wait_for(0ms), std::future_status::timeout);
    const auto start = std::chrono::steady_clock::now();
    q.queue.Shutdown();
    EXPECT_FALSE(consumer.get());
    EXPECT_FALSE(drainer.get());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    // Later calls do not wait either, and nothing more runs.
    q.queue.Flush(kFirst, true);
    EXPECT_FALSE(q.Process());
    EXPECT_TRUE(q.TakeExecuted().empty());
    EXPECT_TRUE(q.queue.IsShutDown());
}

TEST(CommandQueue, DrainWaitsOnlyForCommandsAppendedBeforeIt)
{
    TestQueue q(false);
    q.Record(kFirst, 1);
    q.queue.Flush(kFirst, false);
    q.Process();
    EXPECT_TRUE(q.queue.WaitUntilDrained(kFirst));
    q.Record(kSecond, 2);  // another lane does not hold the first one up
    EXPECT_TRUE(q.queue.WaitUntilDrained(kFirst));
    EXPECT_EQ(q.queue.Pending(kSecond), 1u);
}

TEST(FrameCounter, WaitReturnsOnceTheCountExceedsTheFrameGiven)
{
    CFrameCounter frames;
    frames.SignalFrameDone();
    frames.SignalFrameDone();
    EXPECT_EQ(frames.WaitForFrame(0), 2u);
    EXPECT_EQ(frames.WaitForFrame(1), 2u);
    CWatchdog watchdog(10s, "frame wait");
    auto waiter = std::async(std::launch::async, [&] { return frames.WaitForFrame(2); });
    EXPECT_EQ(waiter.wait_for(20ms), std::future_status::timeout);
    frames.SignalFrameDone();
    EXPECT_EQ(waiter.get(), 3u);
}

TEST(FrameCounter, ShutdownReleasesWaitersAndTheCountStillRises)
{
    CWatchdog watchdog(10s, "frame counter shutdown");
    CFrameCounter frames;
    auto waiter = std::async(std::launch::async, [&] { return frames.WaitForFrame(5); });
    EXPECT_EQ(waiter.wait_for(20ms), std::future_status::timeout);
    const auto start = std::chrono::steady_clock::now();
    frames.Shutdown();
    EXPECT_EQ(waiter.get(), 0u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    frames.SignalFrameDone();
    EXPECT_EQ(frames.WaitForFrame(9), 1u);
}
