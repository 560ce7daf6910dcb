#pragma once
// What the two Scene 2 background controllers share: the inputs of a
// background effect's first pass, held by a shade node, and the values they
// drive there -
//   "uni_bottom_color", "uni_sky_color_1", "uni_sky_color_2": constant colours
//       (connected when the pass has them);
//   "uni_mix_color_1_2": the colour mix, keyed (held at its end values outside
//       its keys);
//   "uni_beat": 0, unless the builder feeds the input from a beat sequence.
#include <cstdint>
#include <string>
#include <utility>

#include <halvo_core/handle.h>
#include <halvo_gfx/effect.h>
#include <halvo_shade/custom_shade_node.h>
#include <halvo_slot/CVariantSlot.h>
#include <plovdane/math_types.h>
#include <tidal_knots/Controllers/KeyedOutput.h>

namespace dmo_nimra {

class CBackgroundSkyInputs {
public:
    static constexpr const char* kBeatName = "uni_beat";
    static constexpr const char* kMixName = "uni_mix_color_1_2";
    static constexpr pld_math::vec3f kBottomColour{0.0f, 0.0f, 0.2f};
    static constexpr pld_math::vec3f kSkyColour1{0.3f, 0.4f, 1.0f};
    static constexpr pld_math::vec3f kSkyColour2{1.0f, 0.1f, 0.1f};

    CBackgroundSkyInputs();
    CBackgroundSkyInputs(const CBackgroundSkyInputs&) = delete;
    CBackgroundSkyInputs& operator=(const CBackgroundSkyInputs&) = delete;

    // The effect's first pass becomes the holder of the inputs; beat and mix
    // are connected to the outputs here, the colours when the pass has them.
    // An effect without a pass, or a pass without float "uni_beat" or
    // "uni_mix_color_1_2", stops the program.
    void ConnectToEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect);
    // Feeds the pass's "uni_beat" from output instead. False when the pass
    // has no such input.
    bool ConnectBeat(hlv_slot::CVariantOutputSlot<float>* output);

    // The mix at t.
    void Update(std::uint64_t t) { m_mix.Update(t); }

    CKeyedFloatOutput& MixKeys() { return m_mix; }
    float GetMix() const { return m_mix.Value(); }
    hlv_shade::CCustomShadeNode& GetShadeNode() { return m_inputs; }

private:
    hlv_shade::CCustomShadeNode m_inputs;
    hlv_slot::CVariantOutputSlot<pld_math::vec3f> m_bottomColour{kBottomColour};
    hlv_slot::CVariantOutputSlot<pld_math::vec3f> m_skyColour1{kSkyColour1};
    hlv_slot::CVariantOutputSlot<pld_math::vec3f> m_skyColour2{kSkyColour2};
    CKeyedFloatOutput m_mix{0.0f};
    hlv_slot::CVariantOutputSlot<float> m_beat{0.0f};
};

}  // namespace dmo_nimra
