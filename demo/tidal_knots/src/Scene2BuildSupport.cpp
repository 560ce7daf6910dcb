#include "Scene2BuildSupport.h"

#include <halvo_app/Context/CManagedContext.h>
#include <halvo_core/fatal.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/index_buffer.h>
#include <halvo_gfx/perspective_camera.h>
#include <halvo_gfx/vertex_buffer.h>

namespace dmo_nimra::scene2 {

namespace {

constexpr float kFieldOfView = 0.7853982f;  // pi / 4
constexpr float kNear = 10.0f;
constexpr float kFar = 10000.0f;
constexpr pld_math::vec3f kInitialTarget{0.0f, 0.0f, 0.0f};
constexpr pld_math::vec3f kInitialEye{0.0f, 0.0f, -1000.0f};

}  // namespace

Handle<hlv_sg::CIndexedPrimitiveSet> MakeTriangles(hlv_app::CManagedContext& context, const std::string& name,
                                                   const std::string& buffersKey)
{
    auto triangles = hlv_core::Adopt(new hlv_sg::CIndexedPrimitiveSet(name));
    triangles->primitiveType = hlv_gfx::PT_TRIANGLES;
    triangles->vertexBuffer = Handle<hlv_gfx::CVertexBuffer>(context.vertexBuffers.Get(buffersKey));
    triangles->indexBuffer = Handle<hlv_gfx::CIndexBuffer>(context.indexBuffers.Get(buffersKey));
    return triangles;
}

Handle<hlv_sg::CGeoNode> MakeGeometry(hlv_app::CManagedContext& context, const std::string& name,
                                      const Handle<hlv_sg::IRenderable>& renderable, const std::string& effectKey)
{
    auto geometry = hlv_core::Adopt(new hlv_sg::CGeoNode(name));
    geometry->SetRenderable(renderable);
    geometry->GetEffectInput().Connect(FindEffectOutput(context, effectKey));
    return geometry;
}

Handle<hlv_sg::CRenderStateNode> MakeGlobalRenderStates()
{
    auto node = hlv_core::Adopt(new hlv_sg::CRenderStateNode("Global Render States"));
    hlv_gfx::CRenderStateSet& states = *node->GetRenderStateSet();
    for (const std::uint32_t state :
         {hlv_gfx::RS_DEPTH_TEST, hlv_gfx::RS_FILLMODE, hlv_gfx::RS_CULLMODE, hlv_gfx::RS_FRONTFACE})
        states.AddState(state);
    states.depthTest = true;
    states.cullMode = 1;     // back
    states.frontFace = 0;    // clockwise
    states.fillMode[0] = 2;  // front faces filled
    states.fillMode[1] = 1;  // back faces as lines
    states.fillModeSet[0] = states.fillModeSet[1] = true;
    return node;
}

Handle<hlv_sg::CCameraNode> MakeCameraNode(const std::string& nodeName, const std::string& cameraName,
                                           hlv_slot::CViewportOutputSlot& viewport,
                                           const Handle<hlv_gfx::CFramebuffer>& framebuffer, std::uint32_t clearMask)
{
    auto node = hlv_core::Adopt(new hlv_sg::CCameraNode(nodeName));
    auto camera = hlv_core::Adopt(new hlv_gfx::CPerspectiveCamera(cameraName));
    const hlv_gfx::VIEWPORT& area = viewport.GetValue();
    const float aspect = area.height != 0 ? static_cast<float>(area.width) / static_cast<float>(area.height) : 1.0f;
    camera->SetPerspective(kFieldOfView, aspect, kNear, kFar);
    camera->LookAt(kInitialTarget, kInitialEye);
    node->AddCamera(Handle<hlv_gfx::ICamera>(camera));
    node->framebuffer = framebuffer;
    node->renderTarget = hlv_gfx::UBM_ALL;
    node->clearMask |= clearMask;
    node->clearColor = kSeaGround;
    node->ConnectViewport(&viewport);
    return node;
}

}  // namespace dmo_nimra::scene2
