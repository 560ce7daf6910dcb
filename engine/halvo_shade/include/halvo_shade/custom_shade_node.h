#pragma once
// One full-screen pass of the post-processing graph.
//
// The node takes its render pass from the first pass of the effect connected
// to its effect input and turns the pass's shader variables into named, typed
// input slots, so that values, textures and other nodes' outputs can be
// connected to the shader by variable name. It publishes one texture output
// per colour attachment it draws into. When the effect is swapped, inputs of
// the same names keep their connections and feed the new pass.
#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include <halvo_core/handle.h>
#include <halvo_gfx/framebuffer.h>
#include <halvo_gfx/render_pass.h>
#include <halvo_shade/shade_node.h>
#include <halvo_slot/Array/CSlotArray.h>
#include <halvo_slot/CCubemapSlot.h>
#include <halvo_slot/CDepthTexture2DSlot.h>
#include <halvo_slot/CEffectSlot.h>
#include <halvo_slot/CTexture2DSlot.h>
#include <halvo_slot/CVariantSlot.h>
#include <halvo_slot/CViewportSlot.h>
#include <halvo_slot/INotification.h>
#include <plovdane/math_types.h>

namespace hlv_shade {

class CCustomShadeNode : public IShadeNode {
public:
    using FramebufferHandle = hlv_core::CResourceHandle<hlv_gfx::CFramebuffer>;
    using PassHandle = hlv_core::CResourceHandle<hlv_gfx::CRenderPass>;
    template <typename Slot>
    using NamedInputs = hlv_slot::CSlotArray<Slot, std::string>;
    template <typename T>
    using VariantInputs = NamedInputs<hlv_slot::CVariantInputSlot<T>>;
    using Outputs = hlv_slot::CSlotArray<hlv_slot::CTexture2DOutputSlot, unsigned>;

    // Calls PushViewport with each new value of the viewport input.
    class viewport_notification_custom_sn : public hlv_slot::INotification {
    public:
        viewport_notification_custom_sn(CCustomShadeNode* node, hlv_slot::CViewportInputSlot* input)
            : m_node(node), m_input(input)
        {
        }
        void Notify() override;

    private:
        CCustomShadeNode* m_node;
        hlv_slot::CViewportInputSlot* m_input;
    };

    // Takes render pass 0 of each new effect (an empty one without effect or
    // passes) and calls SetRenderPass with it.
    class effect_notification_custom_sn : public hlv_slot::INotification {
    public:
        effect_notification_custom_sn(CCustomShadeNode* node, hlv_slot::CEffectInputSlot* input)
            : m_node(node), m_input(input)
        {
        }
        void Notify() override;

    private:
        CCustomShadeNode* m_node;
        hlv_slot::CEffectInputSlot* m_input;
    };

    CCustomShadeNode();
    ~CCustomShadeNode() override;

    // EnterCustomShadeNode, then LeaveCustomShadeNode; MSNR_INVALID_ARGUMENT
    // for a null visitor.
    std::uint32_t Accept(IShadeNodeVisitor* visitor) override;
    std::uint32_t Traverse(IShadeNodeVisitor* visitor) override;

    // Makes pass the node's render pass and rebuilds the inputs from its
    // variables: a float, int, vec3, vec4, mat3 or mat4 variable gets a value
    // input that writes into it, a 2D, cube-map or 2D shadow sampler a texture
    // input bound to it; other types get none. An input whose name exists
    // already keeps its connection and is rebound to the new variable (a
    // connected value input writes its current value into it at once). Inputs
    // whose variables are gone stay. An empty pass deletes every input and
    // leaves the node without a pass. Returns 0.
    std::uint32_t SetRenderPass(const PassHandle& pass);

    // Where the pass draws: the framebuffer and the draw-buffer values
    // (USED_BUFFER_MASK, 1..16 = colour attachment 0..15). Replaces the
    // outputs: one texture output per value, keyed by it, holding that colour
    // attachment (an empty texture for a value that names none). Then the
    // outputs get the node's viewport. An empty framebuffer empties the list
    // and removes every output. Returns 0.
    std::uint32_t SetRenderTarget(const FramebufferHandle& framebuffer, const std::vector<unsigned>& drawBuffers);

    // Stores the viewport as the viewport input's value and hands it to every
    // output (whose texture scale follows) and the inputs connected to them.
    void PushViewport(const hlv_gfx::VIEWPORT& viewport);

    // The output of that draw-buffer value, or null.
    hlv_slot::CTexture2DOutputSlot* GetOutputSlot(unsigned drawBuffer) const;

    // Named connections: MSNR_INVALID_ARGUMENT when the node has no input of
    // that kind and name (nothing changes), else 0. A null output
    // disconnects the input. Texture inputs are bound to the pass's sampler
    // of that name afterwards.
    std::uint32_t ConnectFloatInput(const std::string& name, hlv_slot::CVariantOutputSlot<float>* output);
    std::uint32_t ConnectTexture2DInput(const std::string& name, hlv_slot::CTexture2DOutputSlot* output);
    std::uint32_t ConnectDepthTexture2DInput(const std::string& name, hlv_slot::CDepthTexture2DOutputSlot* output);
    // The node's viewport input.
    std::uint32_t ConnectViewport(hlv_slot::CViewportOutputSlot* output);

    // Disconnects and deletes every named input.
    void ClearInputs();

    hlv_slot::CEffectInputSlot& GetEffectInput() { return m_effectInput; }
    hlv_slot::CViewportInputSlot& GetViewportInput() { return m_viewportInput; }
    const hlv_slot::CViewportInputSlot& GetViewportInput() const { return m_viewportInput; }
    const PassHandle& GetRenderPass() const { return m_renderPass; }
    const FramebufferHandle& GetFramebuffer() const { return m_framebuffer; }
    const std::vector<unsigned>& GetDrawBuffers() const { return m_drawBuffers; }
    const Outputs& GetOutputs() const { return m_outputs; }

    template <typename T>
    VariantInputs<T>& GetVariantInputs()
    {
        return std::get<VariantInputs<T>>(m_variantInputs);
    }
    NamedInputs<hlv_slot::CTexture2DInputSlot>& GetTexture2DInputs() { return m_texture2DInputs; }
    const NamedInputs<hlv_slot::CTexture2DInputSlot>& GetTexture2DInputs() const { return m_texture2DInputs; }
    NamedInputs<hlv_slot::CCubemapInputSlot>& GetCubemapInputs() { return m_cubemapInputs; }
    NamedInputs<hlv_slot::CDepthTexture2DInputSlot>& GetDepthTexture2DInputs() { return m_depthTexture2DInputs; }

    // Kept for passes that clear their target; no operation reads it.
    bool clear = false;

private:
    void ClearOutputs();

    std::vector<unsigned> m_drawBuffers;
    FramebufferHandle m_framebuffer;
    hlv_slot::CViewportInputSlot m_viewportInput;
    PassHandle m_renderPass;
    hlv_slot::CEffectInputSlot m_effectInput;
    // float, int, vec3, vec4, mat3, mat4.
    std::tuple<VariantInputs<float>, VariantInputs<int>, VariantInputs<pld_math::vec3f>, VariantInputs<pld_math::vec4f>,
               VariantInputs<pld_math::mat3f>, VariantInputs<pld_math::mat4f>>
        m_variantInputs;
    NamedInputs<hlv_slot::CTexture2DInputSlot> m_texture2DInputs;
    NamedInputs<hlv_slot::CCubemapInputSlot> m_cubemapInputs;
    NamedInputs<hlv_slot::CDepthTexture2DInputSlot> m_depthTexture2DInputs;
    Outputs m_outputs;
};

}  // namespace hlv_shade
