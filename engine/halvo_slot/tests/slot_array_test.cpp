#include <string>

#include <gtest/gtest.h>

#include <halvo_slot/Array/CSlotArray.h>
#include <halvo_slot/CVariantSlot.h>

using hlv_slot::CSlotArray;
using Slot = hlv_slot::CVariantInputSlot<float>;

TEST(SlotArray, RemovedPlaceIsRefilledWithoutShifting)
{
    CSlotArray<Slot, std::string> array;
    Slot a, b, c, d;
    array.AddSlot("a", &a);
    array.AddSlot("b", &b);
    array.AddSlot("c", &c);
    array.RemoveSlot(1);
    EXPECT_EQ(array.GetIndex("b"), array.npos);
    EXPECT_EQ(array[1], nullptr);
    EXPECT_EQ(array.GetIndex("c"), 2u);

    array.AddSlot("d", &d);
    EXPECT_EQ(array.GetIndex("d"), 1u);
    EXPECT_EQ(array[1], &d);
    EXPECT_EQ(array.size(), 3u);

    array.AddSlot("e", nullptr);
    EXPECT_EQ(array.size(), 3u);
    EXPECT_EQ(array.GetIndex("e"), array.npos);
}

TEST(SlotArray, EmptyPlacesNeverMatchALookup)
{
    // The key of an empty place is the empty key; asking for that key must not
    // hand out the empty place.
    CSlotArray<Slot, unsigned int> byBuffer;
    Slot s0, s2;
    byBuffer.AddSlot(0, &s0);
    byBuffer.AddSlot(2, &s2);
    byBuffer.RemoveSlot(0);
    EXPECT_EQ(byBuffer.GetIndex(0), byBuffer.npos);
    EXPECT_EQ(byBuffer.GetIndex(2), 1u);

    CSlotArray<Slot, std::string> byName;
    byName.AddSlot("x", &s0);
    byName.RemoveSlot(0);
    EXPECT_EQ(byName.GetIndex(""), byName.npos);
}

TEST(SlotArray, GrowsPastItsInitialRoomAndClears)
{
    CSlotArray<Slot, unsigned int> array;
    std::vector<Slot> slots(47);
    for (unsigned int i = 0; i < slots.size(); ++i) array.AddSlot(i + 1, &slots[i]);
    ASSERT_EQ(array.size(), slots.size());
    for (unsigned int i = 0; i < slots.size(); ++i) {
        EXPECT_EQ(array.GetIndex(i + 1), i);
        EXPECT_EQ(array[i], &slots[i]);
        EXPECT_EQ(array.GetKey(i), i + 1);
    }
    array.Clear();
    EXPECT_TRUE(array.empty());
    EXPECT_EQ(array.GetIndex(1), array.npos);
}

TEST(SlotArrayDeathTest, IndexOutOfRangeStopsTheProgram)
{
    CSlotArray<Slot, std::string> array;
    EXPECT_DEATH((void)array[0], "i < _slots.size\\(\\)");
    EXPECT_DEATH(array.RemoveSlot(3), "index < _slots.size\\(\\)");
}
