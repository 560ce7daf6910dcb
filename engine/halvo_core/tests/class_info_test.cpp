#include <halvo_core/class_info.h>
#include <halvo_core/handle.h>
#include <halvo_core/resource.h>

#include <gtest/gtest.h>

using namespace hlv_core;

namespace {

class CBase : public IResource {
    HLV_RESOURCE_CLASS(CBase)
    CBase() : IResource("base") {}
};
HLV_DEFINE_RESOURCE_CLASS(CBase, IResource)

class CMiddle : public CBase {
    HLV_RESOURCE_CLASS(CMiddle)
};
HLV_DEFINE_RESOURCE_CLASS(CMiddle, CBase)

class CLeaf : public CMiddle {
    HLV_RESOURCE_CLASS(CLeaf)
    int extra = 0;
};
HLV_DEFINE_RESOURCE_CLASS(CLeaf, CMiddle)

class COther : public IResource {
    HLV_RESOURCE_CLASS(COther)
    COther() : IResource("other") {}
};
HLV_DEFINE_RESOURCE_CLASS(COther, IResource)

// A class without a record of its own reports its nearest ancestor's.
class CUnrecorded : public CLeaf {};

// A record may name a parent other than the C++ base.
class CFrontEnd : public COther {
    HLV_RESOURCE_CLASS(CFrontEnd)
};
HLV_DEFINE_RESOURCE_CLASS(CFrontEnd, CBase)

}  // namespace

TEST(ClassRecords, RecordsHoldNameParentAndSize)
{
    EXPECT_EQ(IResource::s_classInfo.class_name, "IResource");
    EXPECT_EQ(IResource::s_classInfo.parent, nullptr);
    EXPECT_EQ(CLeaf::s_classInfo.class_name, "CLeaf");
    EXPECT_EQ(CLeaf::s_classInfo.parent, &CMiddle::s_classInfo);
    EXPECT_EQ(CLeaf::s_classInfo.size, sizeof(CLeaf));
    EXPECT_EQ(CFrontEnd::s_classInfo.parent, &CBase::s_classInfo);
}

TEST(ClassRecords, ExactTypeAndKindOfChecksFollowTheParentChain)
{
    auto leaf = Adopt(new CLeaf);
    auto middle = Adopt(new CMiddle);
    auto other = Adopt(new COther);
    auto unrecorded = Adopt(new CUnrecorded);
    auto front = Adopt(new CFrontEnd);

    EXPECT_TRUE(IsExactly<CLeaf>(leaf.get()));
    EXPECT_FALSE(IsExactly<CMiddle>(leaf.get()));
    EXPECT_TRUE(IsExactly<CMiddle>(middle.get()));
    EXPECT_FALSE(IsExactly<CBase>(middle.get()));

    EXPECT_TRUE(IsKindOf<CLeaf>(leaf.get()));
    EXPECT_TRUE(IsKindOf<CMiddle>(leaf.get()));
    EXPECT_TRUE(IsKindOf<CBase>(leaf.get()));
    EXPECT_TRUE(IsKindOf<IResource>(leaf.get()));
    EXPECT_FALSE(IsKindOf<CLeaf>(middle.get()));
    EXPECT_FALSE(IsKindOf<CBase>(other.get()));
    EXPECT_FALSE(IsKindOf<COther>(leaf.get()));

    EXPECT_TRUE(IsExactly<CLeaf>(unrecorded.get()));
    EXPECT_TRUE(IsKindOf<CBase>(front.get()));
    EXPECT_FALSE(IsKindOf<COther>(front.get()));
}
