#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <halvo_app/Context/CNamedObjectRegistry.h>
#include <halvo_app/Context/CNamedVariantSlotArray.h>

using hlv_app::CNamedObjectRegistry;
using hlv_app::CNamedVariantSlotArray;

namespace {

struct Thing {
    int id;
};

}  // namespace

TEST(NamedObjectRegistry, RegisterFindAndRefuse)
{
    CNamedObjectRegistry<Thing> registry;
    Thing a{1}, b{2};
    EXPECT_EQ(registry.Find("a"), registry.npos);
    EXPECT_EQ(registry.Register("a", &a), 0u);
    EXPECT_EQ(registry.Register("b", &b), 1u);
    EXPECT_EQ(registry.Find("b"), 1u);
    EXPECT_EQ(registry.Get("a"), &a);
    EXPECT_EQ(registry.Get("missing"), nullptr);

    // A duplicate name changes nothing.
    EXPECT_EQ(registry.Register("a", &b), registry.npos);
    EXPECT_EQ(registry.Get("a"), &a);
    EXPECT_EQ(registry.size(), 2u);
}

TEST(NamedObjectRegistry, NullObjectIsRefusedSoNoTwoNamesShareAnIndex)
{
    CNamedObjectRegistry<Thing> registry;
    Thing a{1};
    EXPECT_EQ(registry.Register("nothing", nullptr), registry.npos);
    EXPECT_EQ(registry.Find("nothing"), registry.npos);
    EXPECT_EQ(registry.Register("a", &a), 0u);
    EXPECT_EQ(registry.Get("a"), &a);
}

TEST(NamedObjectRegistry, AddReusesTheFirstEmptyPlace)
{
    CNamedObjectRegistry<Thing> registry;
    Thing a{1}, b{2};
    EXPECT_EQ(registry.Add(nullptr), 0u);
    EXPECT_EQ(registry.Add(&a), 0u);
    EXPECT_EQ(registry.Add(&b), 1u);
}

TEST(NamedVariantSlotArray, AddAndLookUp)
{
    CNamedVariantSlotArray<float> floats;
    EXPECT_EQ(floats.AddSlot("width", 1920.0f), 0u);
    EXPECT_EQ(floats.AddSlot("height", 1080.0f), 1u);
    EXPECT_EQ(floats.AddSlot("width", 5.0f), floats.npos);
    EXPECT_EQ(floats.GetSlot(0)->Value(), 1920.0f);
    EXPECT_EQ(floats.GetIndex("height"), 1u);
    EXPECT_EQ(floats.GetName(1), "height");
    EXPECT_EQ(floats.GetIndex("depth"), floats.npos);
    EXPECT_EQ(floats.FindSlot("depth"), nullptr);
    EXPECT_EQ(floats.GetSlot(floats.npos), nullptr);
}

TEST(NamedVariantSlotArray, ConnectedSlotSurvivesFiftyMoreNames)
{
    hlv_slot::CVariantInputSlot<float> input;
    {
        CNamedVariantSlotArray<float> floats;
        ASSERT_EQ(floats.AddSlot("TimeSec", 0.0f), 0u);
        auto* first = floats.GetSlot(0);
        input.Connect(first);
        for (int i = 0; i < 50; ++i) {
            ASSERT_NE(floats.AddSlot("name " + std::to_string(i), float(i)), floats.npos);
        }
        EXPECT_EQ(floats.GetSlot(0), first);
        EXPECT_EQ(input.GetSource(), first);

        floats.GetSlot(0)->Value() = 12.5f;
        floats.GetSlot(0)->NotifyInputs();
        EXPECT_EQ(input.GetValue(), 12.5f);
    }
    // The array's slots are gone and the input knows it.
    EXPECT_EQ(input.GetSource(), nullptr);
}
