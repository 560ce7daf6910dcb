#pragma once
// A bundle of fixed-function states and the list of states it changes.
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include <halvo_core/resource.h>

namespace hlv_gfx {

// Builders set the fields directly and call AddState for each state they set;
// the multithreaded renderer turns the set into render commands
// (ForEachRenderStateCommand). Cull modes, windings, fill modes, blend factors
// and blend equations are codes of the renderer's mapping tables.
class CRenderStateSet : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(CRenderStateSet)

    explicit CRenderStateSet(const std::string& name);

    // Records that the set changes RENDER_STATE id: nothing when it is listed
    // already; otherwise it fills the first 0 entry, or is appended.
    void AddState(std::uint32_t id);

    std::vector<std::uint32_t> changedStates;               // RENDER_STATE ids
    std::uint32_t clearFlags = 0;                           // CLEAR_MASK bits
    std::array<float, 4> clearColor{};                      // red, green, blue, alpha
    float unusedLimit = std::numeric_limits<float>::max();  // read by no operation
    std::uint32_t cullMode = 1;                             // 0 front, 1 back, 2 both
    std::uint32_t frontFace = 1;                            // 0 clockwise, 1 counter-clockwise
    std::array<std::uint32_t, 3> fillMode{2, 2, 2};         // per face 0, 1, 2: 0 points, 1 lines, 2 fill
    std::array<bool, 3> fillModeSet{};                      // per face
    bool depthTest = false;
    bool separateBlendFunction = false;
    // Source colour, source alpha, destination colour, destination alpha.
    std::array<std::uint32_t, 4> blendFactors{1, 1, 1, 1};
    bool separateBlendFactor = false;
    std::uint32_t blendEquation = 0;  // colour
    std::uint32_t blendEquationAlpha = 0;
};
HLV_DEFINE_RESOURCE_CLASS(CRenderStateSet, hlv_core::IResource)

}  // namespace hlv_gfx
