#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <halvo_mgr/CGenericSlotManager.h>
#include <halvo_slot/CVariantSlot.h>

using hlv_mgr::CGenericSlotManager;
using Output = hlv_slot::CVariantOutputSlot<int>;
using Input = hlv_slot::CVariantInputSlot<int>;

namespace {

// Counts its destructions.
class CountedOutput : public Output {
public:
    explicit CountedOutput(int* destroyed, int value = 0) : Output(value), m_destroyed(destroyed) {}
    ~CountedOutput() override { ++*m_destroyed; }

private:
    int* m_destroyed;
};

// Records the calls of the insert hook.
class HookedManager : public CGenericSlotManager<Output> {
public:
    std::vector<std::string> resets;

protected:
    void ResetChangedFlag(const std::string& name, Output*) override { resets.push_back(name); }
};

int PresentSlots(const CGenericSlotManager<Output>& m)
{
    int n = 0;
    for (std::size_t i = 0; i < m.GetSlotCount(); ++i) n += m.GetSlotAt(i) != nullptr;
    return n;
}

}  // namespace

TEST(GenericSlotManager, InsertLookupAndReplace)
{
    int destroyed = 0;
    HookedManager m;
    EXPECT_EQ(m.GetSlot("never"), nullptr);

    auto* first = new CountedOutput(&destroyed, 1);
    m.InsertSlot("speed", first);
    EXPECT_EQ(m.GetSlot("speed"), first);

    auto* second = new CountedOutput(&destroyed, 2);
    m.InsertSlot("speed", second);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(m.GetSlot("speed"), second);
    EXPECT_EQ(PresentSlots(m), 1);
    EXPECT_EQ(m.resets, (std::vector<std::string>{"speed", "speed"}));

    // The slot already stored under the name stays alive and in place.
    m.InsertSlot("speed", second);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(m.GetSlot("speed"), second);
    EXPECT_EQ(second->Value(), 2);
    EXPECT_EQ(m.resets.size(), 3u);
}

TEST(GenericSlotManager, InsertingNullRemovesTheName)
{
    int destroyed = 0;
    CGenericSlotManager<Output> m;
    m.InsertSlot("a", new CountedOutput(&destroyed));
    m.InsertSlot("a", nullptr);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(m.GetSlot("a"), nullptr);
    EXPECT_EQ(PresentSlots(m), 0);
}

TEST(GenericSlotManager, DestructionDeletesSlotsAndReleasesTheirInputs)
{
    int destroyed = 0;
    Input in;
    {
        CGenericSlotManager<Output> m;
        m.InsertSlot("a", new CountedOutput(&destroyed, 5));
        m.InsertSlot("b", new CountedOutput(&destroyed));
        in.Connect(m.GetSlot("a"));
        EXPECT_EQ(in.GetValue(), 5);
    }
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(in.GetSource(), nullptr);
}

TEST(GenericSlotManagerDeathTest, OneSlotUnderTwoNamesStopsTheProgram)
{
    CGenericSlotManager<Output> m;
    auto* slot = new Output;
    m.InsertSlot("a", slot);
    EXPECT_DEATH(m.InsertSlot("b", slot), "A slot can be owned under one name only");
}
