#include <halvo_sg/basic_mt_render_visitor.h>

#include <cstring>
#include <iostream>

#include <halvo_gfx/gfx_types.h>
#include <halvo_sg/RESULT.h>
#include <halvo_sg/camera_node.h>
#include <halvo_sg/geo_node.h>
#include <halvo_sg/linear_post_processing_node.h>
#include <halvo_sg/primitive_set.h>
#include <halvo_sg/render_state_node.h>

namespace hlv_sg {

namespace {

constexpr std::uint32_t kAllAttributes = 64;
constexpr std::size_t kStackReserve = 20;
constexpr std::size_t kMatrixBytes = 16 * sizeof(float);

// Writes the matrix into the pass's default variable when the pass has it
// and its storage holds a 4x4 matrix.
void WriteDefaultMatrix(const hlv_gfx::CRenderPass& pass, hlv_gfx::DEFAULT_VARIABLE which,
                        const pld_math::mat4f& matrix)
{
    const hlv_core::CResourceHandle<hlv_gfx::CShaderVariable> variable = pass.GetDefaultVariable(which);
    if (!variable || !variable->GetValue() || variable->GetValueSize() < kMatrixBytes) return;
    std::memcpy(variable->GetValue(), matrix.data(), kMatrixBytes);
}

}  // namespace

CBasicMtRenderVisitor::CBasicMtRenderVisitor(const std::string& name) : IRenderVisitor(name), m_recorder(name)
{
    m_framebufferStack.reserve(kStackReserve);
    m_cameraStack.reserve(kStackReserve);
}

template <typename Handle>
void CBasicMtRenderVisitor::Push(std::vector<Handle>& stack, std::uint64_t& depth, const Handle& value)
{
    if (depth < stack.size()) {
        stack[depth] = value;
    } else {
        stack.push_back(value);
    }
    ++depth;
}

template <typename Handle>
Handle CBasicMtRenderVisitor::Pop(std::vector<Handle>& stack, std::uint64_t& depth)
{
    if (depth == 0) return Handle();
    --depth;
    // The entry stays (the stack keeps its length) but lets go of its resource.
    Handle top = std::move(stack[depth]);
    stack[depth].Reset();
    return top;
}

std::uint32_t CBasicMtRenderVisitor::EnterCameraNode(CCameraNode* node)
{
    if (!node) return MSGR_INVALID_ARGUMENT;
    Push(m_cameraStack, m_cameraDepth, m_currentCamera);
    m_currentCamera = node->GetCamera();
    Push(m_framebufferStack, m_framebufferDepth, node->framebuffer);

    m_recorder.UseFramebuffer(node->framebuffer);
    m_recorder.SwitchRenderTarget(node->renderTarget);
    if (node->clearMask & hlv_gfx::CLM_COLOR_BUFFER)
        m_recorder.SetClearColor(node->clearColor[0], node->clearColor[1], node->clearColor[2], node->clearColor[3]);
    if (node->clearMask != 0) m_recorder.Clear(node->clearMask);

    // Without a camera there is no viewport and no projection; the projection
    // matrix is still pushed, as LeaveCameraNode pops it, and the geometry
    // below reports that it has no camera.
    hlv_gfx::ICamera* camera = m_currentCamera.get();
    if (camera) m_recorder.SetViewport(camera->GetViewport());
    m_recorder.SetMatrixMode(hlv_gfx::MM_PROJECTION);
    m_recorder.PushMatrix();
    if (camera) m_recorder.SetTransformation(camera->GetProjectionMatrix().data());
    m_recorder.SetMatrixMode(hlv_gfx::MM_MODELVIEW);
    const pld_math::mat4f zero{};
    m_recorder.SetTransformation(zero.data());
    return camera ? MSGR_OK : MSGR_FAIL;
}

std::uint32_t CBasicMtRenderVisitor::LeaveCameraNode(CCameraNode*)
{
    // A leave without its enter would pop what others pushed.
    if (m_cameraDepth == 0 || m_framebufferDepth == 0) return MSGR_FAIL;
    Pop(m_framebufferStack, m_framebufferDepth);
    m_recorder.UseFramebuffer(m_framebufferDepth > 0 ? m_framebufferStack[m_framebufferDepth - 1]
                                                     : FramebufferHandle());
    m_currentCamera = Pop(m_cameraStack, m_cameraDepth);
    m_recorder.SetMatrixMode(hlv_gfx::MM_PROJECTION);
    m_recorder.PopMatrix();
    m_recorder.SetMatrixMode(hlv_gfx::MM_MODELVIEW);
    // The render target and the viewport are left as the inner camera set them.
    return MSGR_OK;
}

std::uint32_t CBasicMtRenderVisitor::EnterRenderStateNode(CRenderStateNode* node)
{
    if (!node) return MSGR_INVALID_ARGUMENT;
    m_recorder.PushAttrib(kAllAttributes);
    const std::uint32_t result = m_recorder.SetRenderStateSet(node->GetRenderStateSet().get());
    return result == hlv_gfx::GFXR_OK ? MSGR_OK : MSGR_FAIL;
}

std::uint32_t CBasicMtRenderVisitor::LeaveRenderStateNode(CRenderStateNode*)
{
    m_recorder.PopAttrib();
    return MSGR_OK;
}

std::uint32_t CBasicMtRenderVisitor::EnterGeoNode(CGeoNode* node)
{
    hlv_gfx::ICamera* camera = m_currentCamera.get();
    if (!node || !camera) return MSGR_INVALID_ARGUMENT;
    // A count that a producer publishes (a particle system's) is a number of
    // instances, and 0 of them draw nothing; only an unconnected input's 0
    // means "not instanced".
    const hlv_slot::CVariantInputSlot<std::uint64_t>& countInput = node->GetInstanceCountInput();
    if (countInput.GetSource() != nullptr && countInput.GetValue() == 0) return MSGR_OK;
    const hlv_core::CResourceHandle<hlv_gfx::CEffect> effect = node->GetEffectInput().GetValue();
    if (!effect) return MSGR_INVALID_ARGUMENT;

    // The values go into the passes' storage; selecting the effect captures
    // them for this draw.
    const pld_math::mat4f model = ModelMatrix(node->WorldTransform());
    for (const auto& pass : effect->passes) {
        if (!pass) continue;
        WriteDefaultMatrix(*pass, hlv_gfx::DV_WORLD, model);
        WriteDefaultMatrix(*pass, hlv_gfx::DV_VIEW, camera->GetViewMatrix());
        WriteDefaultMatrix(*pass, hlv_gfx::DV_PROJECTION, camera->GetProjectionMatrix());
    }
    m_recorder.UseEffect(effect);

    const hlv_core::CResourceHandle<IRenderable> renderable = node->GetRenderable();
    if (!renderable) return MSGR_INVALID_ARGUMENT;

    m_recorder.PushMatrix();
    const pld_math::mat4f modelView = camera->GetViewMatrix() * model;
    m_recorder.SetTransformation(modelView.data());

    const std::uint64_t saved = m_instanceCount;
    const std::uint64_t count = countInput.GetValue();
    m_instanceCount = (count == 0 || count == kNotInstanced) ? kNotInstanced : count;
    VisitRenderable(renderable.get());
    m_instanceCount = saved == 0 ? kNotInstanced : saved;

    m_recorder.PopMatrix();
    m_recorder.UseEffect({});

    if (++m_geometryCounter == kGeometryPerBatch) {
        m_geometryCounter = 0;
        m_recorder.SubmitBatch();
    }
    return MSGR_OK;
}

std::uint32_t CBasicMtRenderVisitor::VisitIndexedPrimitiveSet(CIndexedPrimitiveSet* set)
{
    if (!set) return MSGR_INVALID_ARGUMENT;
    if (m_instanceCount != kNotInstanced) {
        m_recorder.RenderEffectInstanced(set->primitiveType, set->GetVertexBuffer(), set->GetIndexBuffer(),
                                         m_instanceCount);
    } else {
        m_recorder.RenderEffect(set->primitiveType, set->GetVertexBuffer(), set->GetIndexBuffer());
    }
    m_recorder.Flush(1);
    return MSGR_OK;
}

std::uint32_t CBasicMtRenderVisitor::VisitPrimitiveSet(CPrimitiveSet*)
{
    std::cout << "Render Primitive Set: not implemented." << std::endl;
    return MSGR_OK;
}

std::uint32_t CBasicMtRenderVisitor::VisitRenderable(IRenderable* renderable)
{
    if (!renderable) return MSGR_INVALID_ARGUMENT;
    renderable->Accept(this);
    return MSGR_OK;
}

std::uint32_t CBasicMtRenderVisitor::EnterLinearPostProcessingNode(CLinearPostProcessingNode* node)
{
    if (!node) return MSGR_INVALID_ARGUMENT;
    if (hlv_shade::CShadeNodeRenderVisitor* shadeVisitor = node->GetShadeNodeVisitor()) {
        shadeVisitor->SetRenderer(m_recorder.GetRenderer());
        for (const auto& shadeNode : node->shadeNodes) {
            if (shadeNode) shadeNode->Accept(shadeVisitor);
        }
    }
    m_recorder.Flush(1);
    return MSGR_OK;
}

}  // namespace hlv_sg
