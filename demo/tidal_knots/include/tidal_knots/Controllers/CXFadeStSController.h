#pragma once
// Cross-fades the final pass: two keyframe tracks drive "uni_f_mix1" (intro
// to main scene, 10-11 s) and "uni_f_mix2" (main scene to outro, 78-80 s) of
// the scene-to-screen node. Each output follows its keys while the frame time
// lies within them and rests on the nearer end key's value outside them (see
// KeyedOutput.h).
#include <cstdint>

#include <halvo_sg/controller.h>
#include <halvo_shade/custom_shade_node.h>
#include <tidal_knots/Controllers/KeyedOutput.h>

namespace dmo_nimra {

class CXFadeStSController : public hlv_sg::IController {
public:
    static constexpr const char* kMix1Variable = "uni_f_mix1";
    static constexpr const char* kMix2Variable = "uni_f_mix2";

    // The curves the post-processing builder keys.
    static constexpr FloatKey kMix1Keys[] = {{0, 0.0f}, {10000, 0.0f}, {11000, 1.0f}, {101000, 1.0f}};
    static constexpr FloatKey kMix2Keys[] = {{0, 0.0f}, {78000, 0.0f}, {80000, 1.0f}, {102000, 1.0f}};

    // Both outputs start at 0, handed to their inputs.
    CXFadeStSController();

    // Drives that node (not owned): its float inputs "uni_f_mix1" and
    // "uni_f_mix2", where it has them, follow the two outputs from now on.
    void Bind(hlv_shade::CCustomShadeNode* target);
    hlv_shade::CCustomShadeNode* GetTarget() const { return m_target; }

    CKeyedFloatOutput& Mix1() { return m_mix1; }
    CKeyedFloatOutput& Mix2() { return m_mix2; }

    // Mix 1, then mix 2. Returns 0.
    std::uint32_t Update(const hlv_sg::frame_time_record& time) override;
    bool AcceptsNode(hlv_sg::INode*) override { return true; }

private:
    hlv_shade::CCustomShadeNode* m_target = nullptr;
    CKeyedFloatOutput m_mix1;
    CKeyedFloatOutput m_mix2;
};

}  // namespace dmo_nimra
