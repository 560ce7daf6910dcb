#include <memory>
#include <type_traits>

#include <gtest/gtest.h>

#include <halvo_slot/CVariantSlot.h>

#include "slot_recorders.h"

using hlv_slot::CVariantInputSlot;
using hlv_slot::CVariantOutputSlot;

static_assert(!std::is_copy_constructible_v<CVariantOutputSlot<float>>);
static_assert(!std::is_move_constructible_v<CVariantInputSlot<float>>);

TEST(VariantSlot, ConnectReconnectDisconnectAndEmptyPlaceReuse)
{
    CVariantOutputSlot<int> a(1), b(2);
    CVariantInputSlot<int> x, y;

    x.Connect(&a);
    EXPECT_EQ(x.GetSource(), &a);
    EXPECT_EQ(x.GetValue(), 1);
    x.Connect(&a);
    a.Connect(&x);
    EXPECT_EQ(a.GetInputCount(), 1u);

    // Reconnecting leaves an empty place in the old output...
    x.Connect(&b);
    EXPECT_EQ(x.GetValue(), 2);
    ASSERT_EQ(a.GetInputCount(), 1u);
    EXPECT_EQ(a.GetInput(0), nullptr);
    // ...which the next connect to it reuses.
    y.Connect(&a);
    EXPECT_EQ(a.GetInputCount(), 1u);
    EXPECT_EQ(a.GetInput(0), &y);

    y.Disconnect();
    EXPECT_EQ(y.GetSource(), nullptr);
    EXPECT_EQ(a.GetInput(0), nullptr);

    // Output-side connect of an input listed elsewhere moves it.
    a.Connect(&x);
    EXPECT_EQ(x.GetSource(), &a);
    EXPECT_EQ(a.GetInput(0), &x);
    EXPECT_EQ(b.GetInput(0), nullptr);

    a.Connect(nullptr);
    x.Connect(nullptr);
    EXPECT_EQ(x.GetSource(), nullptr);
    EXPECT_EQ(a.GetInput(0), nullptr);
}

TEST(VariantSlot, ConnectAndNotifyRunListenersInOrder)
{
    EventLog log;
    CVariantOutputSlot<float> out(0.5f);
    CVariantInputSlot<float> first, second;
    first.AddUpdateListener(new RecordingListener(log, "first.a"));
    first.AddUpdateListener(new RecordingListener(log, "first.b"));
    second.AddUpdateListener(new RecordingListener(log, "second"));

    first.Connect(&out);
    second.Connect(&out);
    EXPECT_EQ(log, (EventLog{"first.a 0.5", "first.b 0.5", "second 0.5"}));
    log.clear();

    out.Value() = 2.0f;
    // Storing alone reaches nobody.
    EXPECT_TRUE(log.empty());
    out.NotifyInputs();
    EXPECT_EQ(log, (EventLog{"first.a 2", "first.b 2", "second 2"}));
    EXPECT_EQ(first.GetValue(), 2.0f);
    EXPECT_EQ(second.GetValue(), 2.0f);
}

TEST(VariantSlot, ListenerOwnership)
{
    EventLog log;
    int destroyed = 0;
    auto in = std::make_unique<CVariantInputSlot<double>>();
    auto* listener = new RecordingListener(log, "l", &destroyed);
    in->AddUpdateListener(listener);
    // The same listener again, and a null one: nothing is added.
    in->AddUpdateListener(listener);
    in->AddUpdateListener(nullptr);
    EXPECT_EQ(in->GetUpdateListenerCount(), 1u);

    CVariantOutputSlot<double> out(3.0);
    in->Connect(&out);
    EXPECT_EQ(log, (EventLog{"l 3"}));

    in->DeleteUpdateListeners();
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(in->GetUpdateListenerCount(), 0u);
    out.NotifyInputs();
    EXPECT_EQ(log.size(), 1u);

    in->AddUpdateListener(new RecordingListener(log, "m", &destroyed));
    in->AddUpdateListener(new RecordingListener(log, "n", &destroyed));
    in.reset();
    EXPECT_EQ(destroyed, 3);
    EXPECT_EQ(out.GetInput(0), nullptr);
}

TEST(VariantSlot, EveryValueTypeReachesItsListenerOverload)
{
    EventLog log;
    CVariantOutputSlot<pld_math::mat4f> m4(pld_math::mat4f::identity());
    CVariantOutputSlot<pld_math::vec3f> v3(pld_math::vec3f(1, 2, 3));
    CVariantOutputSlot<std::uint64_t> u64(7);
    CVariantOutputSlot<bool> flag(true);
    CVariantInputSlot<pld_math::mat4f> m4in;
    CVariantInputSlot<pld_math::vec3f> v3in;
    CVariantInputSlot<std::uint64_t> u64in;
    CVariantInputSlot<bool> flagIn;
    m4in.AddUpdateListener(new RecordingListener(log, "mat4"));
    v3in.AddUpdateListener(new RecordingListener(log, "vec3"));
    u64in.AddUpdateListener(new RecordingListener(log, "u64"));
    flagIn.AddUpdateListener(new RecordingListener(log, "bool"));
    m4in.Connect(&m4);
    v3in.Connect(&v3);
    u64in.Connect(&u64);
    flagIn.Connect(&flag);
    EXPECT_EQ(log, (EventLog{"mat4 [16]", "vec3 [3]", "u64 7", "bool 1"}));
    EXPECT_EQ(v3in.GetValue(), pld_math::vec3f(1, 2, 3));
    EXPECT_EQ(m4in.GetValue(), pld_math::mat4f::identity());
}

TEST(VariantSlot, BothDestructionOrdersAreClean)
{
    {
        auto out = std::make_unique<CVariantOutputSlot<int>>(4);
        CVariantInputSlot<int> a, b;
        a.Connect(out.get());
        b.Connect(out.get());
        out.reset();
        EXPECT_EQ(a.GetSource(), nullptr);
        EXPECT_EQ(b.GetSource(), nullptr);
        EXPECT_EQ(a.GetValue(), 4);
    }
    {
        CVariantOutputSlot<int> out(4);
        auto a = std::make_unique<CVariantInputSlot<int>>();
        CVariantInputSlot<int> b;
        a->Connect(&out);
        b.Connect(&out);
        a.reset();
        EXPECT_EQ(out.GetInput(0), nullptr);
        out.Value() = 6;
        out.NotifyInputs();
        EXPECT_EQ(b.GetValue(), 6);
    }
}

TEST(VariantSlot, OutputDisconnectClearsTheSourceOfEveryInput)
{
    CVariantOutputSlot<int> out;
    CVariantInputSlot<int> a, b;
    a.Connect(&out);
    b.Connect(&out);
    out.Disconnect(false);
    EXPECT_EQ(a.GetSource(), nullptr);
    EXPECT_EQ(out.GetInputCount(), 0u);
    b.Connect(&out);
    out.Disconnect();
    EXPECT_EQ(b.GetSource(), nullptr);
}
