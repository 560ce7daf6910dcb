#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <halvo_core/handle.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/render_state_commands.h>
#include <halvo_gfx/render_state_set.h>

using namespace hlv_gfx;
using hlv_core::Adopt;
using Commands = std::vector<std::string>;

namespace {

// Records each command as its class name and arguments.
struct RecordingTarget {
    Commands commands;

    template <typename... A>
    void Record(const char* name, A... args)
    {
        std::ostringstream text;
        text << name;
        ((text << ' ' << args), ...);
        commands.push_back(text.str());
    }

    void ClearColor(float r, float g, float b, float a) { Record("comr_rs_clear_color", r, g, b, a); }
    void Clear(std::uint32_t mask) { Record("comr_rs_clear", mask); }
    void RenderState(bool enable, std::uint32_t state) { Record("comr_render_state", enable, state); }
    void CullMode(std::uint32_t mode) { Record("comr_rs_cull_mode", mode); }
    void FrontFace(std::uint32_t winding) { Record("comr_rs_front_face", winding); }
    void FillMode(std::uint32_t face, std::uint32_t mode) { Record("comr_rs_fill_mode", face, mode); }
    void BlendFunction(bool separate, std::uint32_t colour, std::uint32_t alpha)
    {
        Record("comr_blend_func", separate, colour, alpha);
    }
    void BlendFactor(bool separate, std::uint32_t sc, std::uint32_t dc, std::uint32_t sa, std::uint32_t da)
    {
        Record("comr_blend_fac", separate, sc, dc, sa, da);
    }
};

Commands CommandsOf(const CRenderStateSet& set)
{
    RecordingTarget target;
    ForEachRenderStateCommand(set, target);
    return target.commands;
}

}  // namespace

TEST(RenderStateSet, DefaultsAndAddState)
{
    auto set = Adopt(new CRenderStateSet("s"));
    EXPECT_TRUE(set->changedStates.empty());
    EXPECT_GE(set->changedStates.capacity(), 30u);
    EXPECT_EQ(set->cullMode, 1u);
    EXPECT_EQ(set->frontFace, 1u);
    EXPECT_EQ(set->fillMode, (std::array<std::uint32_t, 3>{2, 2, 2}));
    EXPECT_EQ(set->blendFactors, (std::array<std::uint32_t, 4>{1, 1, 1, 1}));

    set->AddState(RS_BLEND);
    set->AddState(RS_CULLMODE);
    set->AddState(RS_BLEND);
    EXPECT_EQ(set->changedStates, (std::vector<std::uint32_t>{RS_BLEND, RS_CULLMODE}));
    set->changedStates[0] = 0;
    set->AddState(RS_DEPTH_TEST);
    EXPECT_EQ(set->changedStates, (std::vector<std::uint32_t>{RS_DEPTH_TEST, RS_CULLMODE}));
    // A listed id is not added again, even when a free entry comes before it.
    set->changedStates[0] = 0;
    set->AddState(RS_CULLMODE);
    EXPECT_EQ(set->changedStates, (std::vector<std::uint32_t>{0, RS_CULLMODE}));
}

TEST(RenderStateCommands, ClearScreenSetsTheColourThenClears)
{
    auto set = Adopt(new CRenderStateSet("s"));
    set->clearColor = {0.25f, 0.5f, 0.75f, 1.f};
    set->clearFlags = CLM_COLOR_BUFFER | CLM_DEPTH_BUFFER;
    set->AddState(RS_CLEARSCREEN);
    EXPECT_EQ(CommandsOf(*set), (Commands{"comr_rs_clear_color 0.25 0.5 0.75 1", "comr_rs_clear 3"}));
}

TEST(RenderStateCommands, CullModeEnablesCullingFirst)
{
    auto set = Adopt(new CRenderStateSet("s"));
    set->cullMode = 0;
    set->AddState(RS_CULLMODE);
    EXPECT_EQ(CommandsOf(*set), (Commands{"comr_render_state 1 2", "comr_rs_cull_mode 0"}));
}

TEST(RenderStateCommands, FrontFaceSetsTheWinding)
{
    auto set = Adopt(new CRenderStateSet("s"));
    set->frontFace = 0;
    set->AddState(RS_FRONTFACE);
    EXPECT_EQ(CommandsOf(*set), (Commands{"comr_rs_front_face 0"}));
}

TEST(RenderStateCommands, FillModeOnlyForFacesWhoseFlagIsSet)
{
    auto set = Adopt(new CRenderStateSet("s"));
    set->fillMode = {0, 1, 2};
    set->AddState(RS_FILLMODE);
    EXPECT_TRUE(CommandsOf(*set).empty());
    set->fillModeSet = {true, false, true};
    EXPECT_EQ(CommandsOf(*set), (Commands{"comr_rs_fill_mode 0 0", "comr_rs_fill_mode 2 2"}));
}

TEST(RenderStateCommands, JointBlendingUsesColourEquationAndColourFactors)
{
    auto set = Adopt(new CRenderStateSet("s"));
    set->blendEquation = 3;
    set->blendEquationAlpha = 4;
    // Stored as source colour, source alpha, destination colour, destination alpha.
    set->blendFactors = {6, 8, 7, 9};
    set->AddState(RS_BLEND);
    EXPECT_EQ(CommandsOf(*set),
              (Commands{"comr_render_state 1 5", "comr_blend_func 0 3 0", "comr_blend_fac 0 6 7 0 0"}));
}

TEST(RenderStateCommands, SeparateBlendingPassesFactorsColourFirst)
{
    auto set = Adopt(new CRenderStateSet("s"));
    set->separateBlendFunction = true;
    set->separateBlendFactor = true;
    set->blendEquation = 1;
    set->blendEquationAlpha = 2;
    set->blendFactors = {6, 8, 7, 9};
    set->AddState(RS_BLEND);
    EXPECT_EQ(CommandsOf(*set),
              (Commands{"comr_render_state 1 5", "comr_blend_func 1 1 2", "comr_blend_fac 1 6 7 8 9"}));
}

TEST(RenderStateCommands, DepthTestFollowsItsFlag)
{
    auto set = Adopt(new CRenderStateSet("s"));
    set->AddState(RS_DEPTH_TEST);
    EXPECT_EQ(CommandsOf(*set), (Commands{"comr_render_state 0 6"}));
    set->depthTest = true;
    EXPECT_EQ(CommandsOf(*set), (Commands{"comr_render_state 1 6"}));
}

TEST(RenderStateCommands, OtherIdsQueueNothingAndOrderIsTheListOrder)
{
    auto set = Adopt(new CRenderStateSet("s"));
    set->changedStates = {RS_DEPTH_WRITE, 0, 99};
    EXPECT_TRUE(CommandsOf(*set).empty());

    set->changedStates = {RS_DEPTH_TEST, RS_FRONTFACE, RS_DEPTH_WRITE, RS_CULLMODE};
    EXPECT_EQ(CommandsOf(*set), (Commands{"comr_render_state 0 6", "comr_rs_front_face 1", "comr_render_state 1 2",
                                          "comr_rs_cull_mode 1"}));
}
