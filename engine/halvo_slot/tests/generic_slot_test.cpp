#include <memory>
#include <type_traits>

#include <gtest/gtest.h>

#include "generic_pair.h"

namespace {

// Non-null entries of an output's input list.
int ListedInputs(const TestOutput& out)
{
    int n = 0;
    for (std::size_t i = 0; i < out.GetInputCount(); ++i) n += out.GetInput(i) != nullptr;
    return n;
}

}  // namespace

static_assert(!std::is_copy_constructible_v<TestOutput> && !std::is_copy_assignable_v<TestOutput>);
static_assert(!std::is_copy_constructible_v<TestInput> && !std::is_move_constructible_v<TestInput>);

TEST(GenericSlot, ConnectReconnectAndDisconnect)
{
    TestOutput a, b;
    TestInput in;
    a.SetValue(1);
    b.SetValue(2);

    in.Connect(&a);
    EXPECT_EQ(in.GetSource(), &a);
    EXPECT_EQ(in.GetValue(), 1);
    ASSERT_EQ(a.GetInputCount(), 1u);
    EXPECT_EQ(a.GetInput(0), &in);

    // The same output again: no second entry.
    in.Connect(&a);
    a.Connect(&in);
    EXPECT_EQ(a.GetInputCount(), 1u);

    // Another output: the old entry becomes an empty place.
    in.Connect(&b);
    EXPECT_EQ(in.GetSource(), &b);
    EXPECT_EQ(in.GetValue(), 2);
    EXPECT_EQ(a.GetInputCount(), 1u);
    EXPECT_EQ(a.GetInput(0), nullptr);
    EXPECT_EQ(b.GetInput(0), &in);
    EXPECT_EQ(in.disconnects, 1);

    in.Disconnect();
    EXPECT_EQ(in.GetSource(), nullptr);
    EXPECT_EQ(b.GetInput(0), nullptr);
    EXPECT_EQ(in.disconnects, 2);
    // Unconnected: nothing happens.
    in.Disconnect();
    EXPECT_EQ(in.disconnects, 2);

    // A value set while unconnected does not reach the input.
    b.SetValue(7);
    EXPECT_EQ(in.GetValue(), 2);
}

TEST(GenericSlot, OutputSideConnectMovesAnInputFromItsOldOutput)
{
    TestOutput a, b;
    TestInput in;
    b.SetValue(5);
    in.Connect(&a);
    b.Connect(&in);
    EXPECT_EQ(in.GetSource(), &b);
    EXPECT_EQ(in.GetValue(), 5);
    EXPECT_EQ(ListedInputs(a), 0);
    EXPECT_EQ(ListedInputs(b), 1);

    b.Connect(nullptr);
    in.Connect(nullptr);
    EXPECT_EQ(in.GetSource(), nullptr);
    EXPECT_EQ(ListedInputs(b), 0);
}

TEST(GenericSlot, ValueChangeRunsTheHooksInOrder)
{
    EventLog log;
    TestOutput out(&log);
    TestInput first(&log, "first"), second(&log, "second");
    first.SetNotification(new RecordingNotification(log, "first"));
    second.SetNotification(new RecordingNotification(log, "second"));
    first.Connect(&out, false);
    second.Connect(&out, false);
    log.clear();

    out.SetValue(42);
    const EventLog expected{"changed 42", "first received 42 from source", "notify first",
                            "second received 42 from source", "notify second"};
    EXPECT_EQ(log, expected);
}

TEST(GenericSlot, OutputDisconnectReleasesEveryInput)
{
    TestOutput out;
    TestInput a, b;
    a.Connect(&out);
    b.Connect(&out);

    out.Disconnect(false);
    EXPECT_EQ(a.GetSource(), nullptr);
    EXPECT_EQ(b.GetSource(), nullptr);
    EXPECT_EQ(a.disconnects, 0);
    EXPECT_EQ(out.GetInputCount(), 0u);

    a.Connect(&out);
    out.Disconnect();
    EXPECT_EQ(a.GetSource(), nullptr);
    EXPECT_EQ(a.disconnects, 1);
}

TEST(GenericSlot, NotificationOwnership)
{
    EventLog log;
    int destroyed = 0;
    TestInput in;
    auto* n1 = new RecordingNotification(log, "n1", &destroyed);
    in.SetNotification(n1);
    // The notification the slot already owns: kept and still owned.
    in.SetNotification(n1);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(in.GetNotification(), n1);

    in.SetNotification(new RecordingNotification(log, "n2", &destroyed));
    EXPECT_EQ(destroyed, 1);

    in.SetNotification(nullptr);
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(in.GetNotification(), nullptr);

    {
        TestInput owner;
        owner.SetNotification(new RecordingNotification(log, "n3", &destroyed));
    }
    EXPECT_EQ(destroyed, 3);
}

TEST(GenericSlot, DestroyingTheOutputFirstLeavesNoDanglingSource)
{
    auto out = std::make_unique<TestOutput>();
    TestInput a, b;
    a.Connect(out.get());
    b.Connect(out.get());
    out.reset();
    EXPECT_EQ(a.GetSource(), nullptr);
    EXPECT_EQ(b.GetSource(), nullptr);
    // Both inputs are usable afterwards and die cleanly.
    TestOutput other;
    a.Connect(&other);
    EXPECT_EQ(other.GetInput(0), &a);
}

TEST(GenericSlot, DestroyingTheInputFirstLeavesNoDanglingEntry)
{
    TestOutput out;
    auto a = std::make_unique<TestInput>();
    TestInput b;
    a->Connect(&out);
    b.Connect(&out);
    a.reset();
    EXPECT_EQ(out.GetInput(0), nullptr);
    EXPECT_EQ(out.GetInput(1), &b);
    // The value flows on to the remaining input without touching the freed one.
    out.SetValue(9);
    EXPECT_EQ(b.GetValue(), 9);
}
