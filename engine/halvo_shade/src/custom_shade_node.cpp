#include <halvo_shade/custom_shade_node.h>

#include <halvo_gfx/gfx_types.h>
#include <halvo_shade/SHADE_RESULT.h>
#include <halvo_shade/shade_node_visitor.h>
#include <halvo_slot/CTextureNotification.h>
#include <halvo_slot/CVazazaUpdateListener.h>

namespace hlv_shade {

using hlv_slot::CSlotArray;

namespace {

using VariableHandle = hlv_core::CResourceHandle<hlv_gfx::CShaderVariable>;

template <typename Slot, typename Key>
void DeleteSlots(CSlotArray<Slot, Key>& slots)
{
    for (std::size_t i = 0; i < slots.size(); ++i) delete slots[i];
    slots.Clear();
}

// The value input of the variable's name writes into the variable from now on.
template <typename T>
void BindValueInput(CCustomShadeNode::VariantInputs<T>& inputs, const VariableHandle& variable)
{
    auto* listener = new hlv_slot::CVazazaUpdateListener(variable);
    const std::size_t index = inputs.GetIndex(variable->GetName());
    if (index == inputs.npos) {
        auto* input = new hlv_slot::CVariantInputSlot<T>;
        input->AddUpdateListener(listener);
        inputs.AddSlot(variable->GetName(), input);
        return;
    }
    hlv_slot::CVariantInputSlot<T>* input = inputs[index];
    input->DeleteUpdateListeners();
    input->AddUpdateListener(listener);
    // A connected input holds the value its source last sent; the new
    // variable gets it now rather than at the source's next change.
    if (input->GetSource()) listener->Update(input);
}

// The texture input of the sampler's name binds its texture into pass from
// now on; its current texture is bound at once.
template <typename Notification, typename Input>
void BindTextureInput(CSlotArray<Input, std::string>& inputs, const std::string& name,
                      const CCustomShadeNode::PassHandle& pass)
{
    Input* input;
    const std::size_t index = inputs.GetIndex(name);
    if (index == inputs.npos) {
        input = new Input;
        inputs.AddSlot(name, input);
    } else {
        input = inputs[index];
    }
    auto* notification = dynamic_cast<Notification*>(input->GetNotification());
    if (notification) {
        notification->SetRenderPass(pass);
    } else {
        notification = new Notification(name, input, pass);
        input->SetNotification(notification);
    }
    notification->Notify();
}

}  // namespace

void CCustomShadeNode::viewport_notification_custom_sn::Notify() { m_node->PushViewport(m_input->GetValue()); }

void CCustomShadeNode::effect_notification_custom_sn::Notify()
{
    const hlv_core::CResourceHandle<hlv_gfx::CEffect> effect = m_input->GetValue();
    m_node->SetRenderPass(effect ? effect->GetRenderPass(0) : PassHandle());
}

CCustomShadeNode::CCustomShadeNode()
{
    m_viewportInput.SetNotification(new viewport_notification_custom_sn(this, &m_viewportInput));
    m_effectInput.SetNotification(new effect_notification_custom_sn(this, &m_effectInput));
}

CCustomShadeNode::~CCustomShadeNode()
{
    // The notifications must not reach a node that is going.
    m_viewportInput.SetNotification(nullptr);
    m_effectInput.SetNotification(nullptr);
    ClearOutputs();
    ClearInputs();
}

std::uint32_t CCustomShadeNode::Accept(IShadeNodeVisitor* visitor)
{
    if (!visitor) return MSNR_INVALID_ARGUMENT;
    visitor->EnterCustomShadeNode(this);
    visitor->LeaveCustomShadeNode(this);
    return MSNR_OK;
}

std::uint32_t CCustomShadeNode::Traverse(IShadeNodeVisitor* visitor) { return Accept(visitor); }

std::uint32_t CCustomShadeNode::SetRenderPass(const PassHandle& pass)
{
    if (!pass) {
        ClearInputs();
        m_renderPass.Reset();
        OnRenderPassChanged();
        return MSNR_OK;
    }
    for (const VariableHandle& variable : pass->GetVariables()) {
        if (!variable) continue;
        switch (variable->GetType()) {
        case hlv_gfx::SVT_FLOAT: BindValueInput(GetVariantInputs<float>(), variable); break;
        case hlv_gfx::SVT_FLOAT_VEC3: BindValueInput(GetVariantInputs<pld_math::vec3f>(), variable); break;
        case hlv_gfx::SVT_FLOAT_VEC4: BindValueInput(GetVariantInputs<pld_math::vec4f>(), variable); break;
        case hlv_gfx::SVT_INT: BindValueInput(GetVariantInputs<int>(), variable); break;
        case hlv_gfx::SVT_FLOAT_MAT3: BindValueInput(GetVariantInputs<pld_math::mat3f>(), variable); break;
        case hlv_gfx::SVT_FLOAT_MAT4: BindValueInput(GetVariantInputs<pld_math::mat4f>(), variable); break;
        case hlv_gfx::SVT_SAMPLER_2D:
            BindTextureInput<hlv_slot::CTexture2DNotification>(m_texture2DInputs, variable->GetName(), pass);
            break;
        case hlv_gfx::SVT_SAMPLER_CUBE:
            BindTextureInput<hlv_slot::CCubemapNotification>(m_cubemapInputs, variable->GetName(), pass);
            break;
        case hlv_gfx::SVT_SAMPLER_2D_SHADOW:
            BindTextureInput<hlv_slot::CDepthTexture2DNotification>(m_depthTexture2DInputs, variable->GetName(), pass);
            break;
        default: break;
        }
    }
    m_renderPass = pass;
    OnRenderPassChanged();
    return MSNR_OK;
}

std::uint32_t CCustomShadeNode::SetRenderTarget(const FramebufferHandle& framebuffer,
                                                const std::vector<unsigned>& drawBuffers)
{
    ClearOutputs();
    if (!framebuffer) {
        m_drawBuffers.clear();
        m_framebuffer.Reset();
        return MSNR_OK;
    }
    m_framebuffer = framebuffer;
    m_drawBuffers = drawBuffers;
    for (const unsigned value : m_drawBuffers) {
        // Values 1..16 name colour attachments 0..15; UBM_NONE and UBM_ALL
        // name no single texture.
        hlv_core::CResourceHandle<hlv_gfx::CTexture> texture;
        if (value >= hlv_gfx::UBM_ZERO && value <= hlv_gfx::UBM_FIFTEEN)
            texture = *framebuffer->GetColorAttachment(value - 1);
        m_outputs.AddSlot(value, new hlv_slot::CTexture2DOutputSlot(texture));
    }
    PushViewport(m_viewportInput.GetValue());
    OnRenderTargetChanged();
    return MSNR_OK;
}

void CCustomShadeNode::PushViewport(const hlv_gfx::VIEWPORT& viewport)
{
    m_viewportInput.SetValue(viewport);
    for (std::size_t i = 0; i < m_outputs.size(); ++i) {
        if (hlv_slot::CTexture2DOutputSlot* output = m_outputs[i]) output->SetViewport(viewport);
    }
}

hlv_slot::CTexture2DOutputSlot* CCustomShadeNode::GetOutputSlot(unsigned drawBuffer) const
{
    const std::size_t index = m_outputs.GetIndex(drawBuffer);
    return index == m_outputs.npos ? nullptr : m_outputs[index];
}

std::uint32_t CCustomShadeNode::ConnectFloatInput(const std::string& name, hlv_slot::CVariantOutputSlot<float>* output)
{
    VariantInputs<float>& inputs = GetVariantInputs<float>();
    const std::size_t index = inputs.GetIndex(name);
    if (index == inputs.npos) return MSNR_INVALID_ARGUMENT;
    inputs[index]->Connect(output);
    return MSNR_OK;
}

std::uint32_t CCustomShadeNode::ConnectTexture2DInput(const std::string& name, hlv_slot::CTexture2DOutputSlot* output)
{
    const std::size_t index = m_texture2DInputs.GetIndex(name);
    if (index == m_texture2DInputs.npos) return MSNR_INVALID_ARGUMENT;
    hlv_slot::CTexture2DInputSlot* input = m_texture2DInputs[index];
    input->Connect(output);
    if (m_renderPass) m_renderPass->SetTexture(input->GetValue(), name);
    return MSNR_OK;
}

std::uint32_t CCustomShadeNode::ConnectDepthTexture2DInput(const std::string& name,
                                                           hlv_slot::CDepthTexture2DOutputSlot* output)
{
    const std::size_t index = m_depthTexture2DInputs.GetIndex(name);
    if (index == m_depthTexture2DInputs.npos) return MSNR_INVALID_ARGUMENT;
    hlv_slot::CDepthTexture2DInputSlot* input = m_depthTexture2DInputs[index];
    input->Connect(output);
    if (m_renderPass) m_renderPass->SetDepthTexture(input->GetValue(), name);
    return MSNR_OK;
}

std::uint32_t CCustomShadeNode::ConnectViewport(hlv_slot::CViewportOutputSlot* output)
{
    m_viewportInput.Connect(output);
    return MSNR_OK;
}

void CCustomShadeNode::ClearInputs()
{
    std::apply([](auto&... inputs) { (DeleteSlots(inputs), ...); }, m_variantInputs);
    DeleteSlots(m_texture2DInputs);
    DeleteSlots(m_cubemapInputs);
    DeleteSlots(m_depthTexture2DInputs);
}

void CCustomShadeNode::ClearOutputs()
{
    // An output disconnects its inputs when it is deleted.
    DeleteSlots(m_outputs);
}

}  // namespace hlv_shade
