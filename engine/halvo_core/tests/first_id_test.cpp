// Runs in a process of its own: the first resource of a process has id 1.
#include <halvo_core/resource.h>

#include <gtest/gtest.h>

namespace {
class Plain : public hlv_core::IResource {
public:
    Plain() : IResource("plain") {}
};
}  // namespace

TEST(Resource, FirstResourceOfTheProcessHasIdOne)
{
    auto* first = new Plain;
    auto* second = new Plain;
    EXPECT_EQ(first->GetId(), 1u);
    EXPECT_EQ(second->GetId(), 2u);
    first->Release();
    second->Release();
}
