#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include <halvo_slot/CVariantSlot.h>
#include <halvo_slot/CVazazaUpdateListener.h>

using hlv_core::Adopt;
using hlv_core::CResourceHandle;
using hlv_gfx::CShaderVariable;
using namespace hlv_slot;

namespace {

constexpr std::byte kGuard{0xA5};
constexpr std::size_t kGuardBytes = 16;

// A variable whose storage holds `bytes` plus guard bytes behind them, all set
// to the guard pattern.
CResourceHandle<CShaderVariable> GuardedVariable(std::size_t bytes)
{
    auto variable = Adopt(new CShaderVariable("uni_value"));
    EXPECT_EQ(variable->AllocateValue(bytes + kGuardBytes), 0u);
    std::memset(variable->GetValue(), 0xA5, bytes + kGuardBytes);
    return variable;
}

// Bytes of the storage that no longer hold the guard pattern.
std::size_t WrittenBytes(const CShaderVariable& variable)
{
    std::size_t written = 0;
    for (std::size_t i = 0; i < variable.GetValueSize(); ++i) {
        if (variable.GetValue()[i] != kGuard) written = i + 1;
    }
    return written;
}

template <typename T>
struct Case {
    T value;
    std::size_t bytes;
};

template <typename T>
void ExpectWritesExactly(const Case<T>& c)
{
    SCOPED_TRACE(c.bytes);
    auto variable = GuardedVariable(sizeof(T));
    CVariantOutputSlot<T> out(c.value);
    CVariantInputSlot<T> in;
    in.AddUpdateListener(new CVazazaUpdateListener(variable));
    in.Connect(&out);
    EXPECT_EQ(WrittenBytes(*variable), c.bytes);
    if (c.bytes) {
        EXPECT_EQ(std::memcmp(variable->GetValue(), &c.value, c.bytes), 0);
    }

    // Storage of exactly the type's size is written in full, without overrun.
    auto exact = Adopt(new CShaderVariable("uni_exact"));
    exact->AllocateValue(sizeof(T));
    CVariantInputSlot<T> exactIn;
    exactIn.AddUpdateListener(new CVazazaUpdateListener(exact));
    exactIn.Connect(&out);
    if (c.bytes) {
        EXPECT_EQ(std::memcmp(exact->GetValue(), &c.value, c.bytes), 0);
    }
}

}  // namespace

TEST(VazazaUpdateListener, WritesExactlyTheBytesOfEachType)
{
    pld_math::mat4f m4;
    pld_math::mat3f m3;
    for (int i = 0; i < 16; ++i) m4[i] = float(i + 1);
    for (int i = 0; i < 9; ++i) m3[i] = float(i + 1);
    ExpectWritesExactly(Case<pld_math::mat4f>{m4, 64});
    ExpectWritesExactly(Case<pld_math::mat3f>{m3, 36});
    ExpectWritesExactly(Case<pld_math::vec4f>{{1, 2, 3, 4}, 16});
    ExpectWritesExactly(Case<pld_math::vec3f>{{1, 2, 3}, 12});
    ExpectWritesExactly(Case<std::uint64_t>{0x0102030405060708ull, 0});
    ExpectWritesExactly(Case<bool>{true, 1});
    ExpectWritesExactly(Case<unsigned int>{0x01020304u, 4});
    ExpectWritesExactly(Case<int>{-2, 4});
    ExpectWritesExactly(Case<double>{1.5, 8});
    ExpectWritesExactly(Case<float>{0.25f, 4});
}

TEST(VazazaUpdateListener, FloatOutputWritesOnConnectAndOnEveryNotify)
{
    auto variable = Adopt(new CShaderVariable("uni_scale_f"));
    variable->AllocateValue(4);
    CVariantOutputSlot<float> out(1.0f);
    CVariantInputSlot<float> in;
    in.AddUpdateListener(new CVazazaUpdateListener(variable));
    in.Connect(&out);
    float stored = 0;
    std::memcpy(&stored, variable->GetValue(), 4);
    EXPECT_EQ(stored, 1.0f);

    out.Value() = 3.5f;
    out.NotifyInputs();
    std::memcpy(&stored, variable->GetValue(), 4);
    EXPECT_EQ(stored, 3.5f);
}

TEST(VazazaUpdateListener, SkipsMissingOrTooSmallStorage)
{
    // No storage, no variable at all, and storage smaller than the value.
    auto bare = Adopt(new CShaderVariable("uni_bare"));
    auto small = GuardedVariable(0);  // guard bytes only: 16 bytes
    CVariantOutputSlot<pld_math::mat4f> out(pld_math::mat4f::identity());
    CVariantInputSlot<pld_math::mat4f> in;
    in.AddUpdateListener(new CVazazaUpdateListener(bare));
    in.AddUpdateListener(new CVazazaUpdateListener({}));
    in.AddUpdateListener(new CVazazaUpdateListener(small));
    in.Connect(&out);
    out.NotifyInputs();
    EXPECT_EQ(bare->GetValue(), nullptr);
    EXPECT_EQ(WrittenBytes(*small), 0u);
}

TEST(VazazaUpdateListener, DeletedListenersReleaseTheirVariables)
{
    auto variable = Adopt(new CShaderVariable("uni"));
    {
        CVariantInputSlot<float> in;
        in.AddUpdateListener(new CVazazaUpdateListener(variable));
        EXPECT_EQ(variable->GetRefCount(), 2u);
        in.DeleteUpdateListeners();
        EXPECT_EQ(variable->GetRefCount(), 1u);
        in.AddUpdateListener(new CVazazaUpdateListener(variable));
    }
    EXPECT_EQ(variable->GetRefCount(), 1u);
}
