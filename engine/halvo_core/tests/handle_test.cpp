#include <halvo_core/handle.h>

#include <gtest/gtest.h>

#include "counting_resource.h"

using hlv_core::Adopt;
using hlv_core::CResourceHandle;
using hlv_core::IResource;

namespace {

class DerivedResource : public CountingResource {
public:
    using CountingResource::CountingResource;
};

}  // namespace

TEST(ResourceHandle, AdoptedObjectDiesWithTheLastCopy)
{
    DestructionCounter counter;
    {
        auto a = Adopt(new CountingResource(counter));
        EXPECT_EQ(a->GetRefCount(), 1u);
        CResourceHandle<CountingResource> b(a);
        {
            CResourceHandle<CountingResource> c = b;
            EXPECT_EQ(a->GetRefCount(), 3u);
        }
        EXPECT_EQ(a->GetRefCount(), 2u);
        EXPECT_EQ(counter.destroyed, 0);
    }
    EXPECT_EQ(counter.created, 1);
    EXPECT_EQ(counter.destroyed, 1);
}

TEST(ResourceHandle, RawPointerConstructorAddsAReferenceUnlessTakingOver)
{
    DestructionCounter counter;
    auto* raw = new CountingResource(counter);
    {
        CResourceHandle<CountingResource> shared(raw);
        EXPECT_EQ(raw->GetRefCount(), 2u);
    }
    EXPECT_EQ(counter.destroyed, 0);
    raw->Release();
    EXPECT_EQ(counter.destroyed, 1);
}

TEST(ResourceHandle, SelfAndSameObjectAssignmentKeepTheCount)
{
    DestructionCounter counter;
    auto a = Adopt(new CountingResource(counter));
    CResourceHandle<CountingResource> b = a;
    auto& alias = a;
    a = alias;
    EXPECT_EQ(a->GetRefCount(), 2u);
    a = b;
    EXPECT_EQ(a->GetRefCount(), 2u);
    a = std::move(alias);
    EXPECT_TRUE(a.IsValid());
    EXPECT_EQ(a->GetRefCount(), 2u);
    EXPECT_EQ(counter.destroyed, 0);
}

TEST(ResourceHandle, EmptyToFullAndBack)
{
    DestructionCounter counter;
    CResourceHandle<CountingResource> h;
    EXPECT_FALSE(h.IsValid());
    EXPECT_EQ(h.get(), nullptr);
    auto full = Adopt(new CountingResource(counter));
    h = full;
    EXPECT_TRUE(h.IsValid());
    EXPECT_TRUE(h == full);
    full = CResourceHandle<CountingResource>();
    EXPECT_FALSE(full.IsValid());
    EXPECT_EQ(counter.destroyed, 0);
    h.Reset();
    EXPECT_FALSE(h.IsValid());
    EXPECT_EQ(counter.destroyed, 1);
    h.Reset();
    EXPECT_EQ(counter.destroyed, 1);
}

TEST(ResourceHandle, AssigningFromAHandleInsideTheOldObject)
{
    DestructionCounter counter;
    auto outer = Adopt(new CountingResource(counter, 1));
    outer->inner = Adopt(new CountingResource(counter, 2));
    // The old object (and with it the source handle) dies during the assignment.
    outer = outer->inner;
    ASSERT_TRUE(outer.IsValid());
    EXPECT_EQ(outer->value, 2);
    EXPECT_EQ(outer->GetRefCount(), 1u);
    EXPECT_EQ(counter.destroyed, 1);
    outer.Reset();
    EXPECT_EQ(counter.destroyed, 2);
}

TEST(ResourceHandle, ConvertingCopiesAndMoves)
{
    DestructionCounter counter;
    auto derived = Adopt(new DerivedResource(counter, 7));
    CResourceHandle<CountingResource> base(derived);
    EXPECT_EQ(base->GetRefCount(), 2u);
    CResourceHandle<IResource> root;
    root = base;
    EXPECT_EQ(root.get(), static_cast<IResource*>(derived.get()));
    EXPECT_EQ(derived->GetRefCount(), 3u);

    CResourceHandle<IResource> moved(std::move(base));
    EXPECT_FALSE(base.IsValid());
    EXPECT_EQ(derived->GetRefCount(), 3u);
    root = std::move(derived);
    EXPECT_FALSE(derived.IsValid());
    EXPECT_EQ(root->GetRefCount(), 2u);
    root.Reset();
    moved.Reset();
    EXPECT_EQ(counter.destroyed, 1);
}

TEST(ResourceHandle, MoveAssignmentReleasesTheOldObject)
{
    DestructionCounter counter;
    auto a = Adopt(new CountingResource(counter, 1));
    auto b = Adopt(new CountingResource(counter, 2));
    a = std::move(b);
    EXPECT_EQ(counter.destroyed, 1);
    EXPECT_EQ(a->value, 2);
    EXPECT_FALSE(b.IsValid());
}

TEST(Resource, IdsRiseFromOneAndNamesAreKept)
{
    DestructionCounter counter;
    auto a = Adopt(new CountingResource(counter));
    auto b = Adopt(new CountingResource(counter));
    EXPECT_GE(a->GetId(), 1u);
    EXPECT_EQ(b->GetId(), a->GetId() + 1);
    EXPECT_EQ(a->GetName(), "counting");
}
