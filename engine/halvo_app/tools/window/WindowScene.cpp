#include "WindowScene.h"

#include <halvo_gfx/gfx_types.h>
#include <halvo_shade/custom_shade_node.h>

namespace hlv_app_window {

std::uint32_t CTimeController::Update(const hlv_sg::frame_time_record& time)
{
    m_output.Value() = static_cast<float>(time.seconds);
    m_output.NotifyInputs();
    return 0;
}

bool CWindowScene::Build(hlv_sg::CDefaultSceneGraph& graph, const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect,
                         std::uint64_t width, std::uint64_t height, std::string& error)
{
    using hlv_core::Adopt;
    using hlv_core::CResourceHandle;
    m_screen.SetValue(hlv_gfx::VIEWPORT{0, 0, width, height});

    // The camera node clears the screen; the pass draws over it.
    m_camera = Adopt(new hlv_gfx::CPerspectiveCamera("Window Camera"));
    m_camera->SetPerspective(60.0f, static_cast<float>(width) / static_cast<float>(height), 1.0f, 100.0f);
    m_cameraNode = Adopt(new hlv_sg::CCameraNode("Window Camera Node"));
    m_cameraNode->AddCamera(CResourceHandle<hlv_gfx::ICamera>(m_camera));
    m_cameraNode->ConnectViewport(&m_screen);
    m_cameraNode->clearMask = hlv_gfx::CLM_COLOR_BUFFER | hlv_gfx::CLM_DEPTH_BUFFER;
    m_cameraNode->clearColor = {0.05f, 0.1f, 0.2f, 1.0f};

    auto pass = std::make_unique<hlv_shade::CCustomShadeNode>();
    m_effect = std::make_unique<hlv_slot::CEffectOutputSlot>(effect);
    pass->GetEffectInput().Connect(m_effect.get());
    pass->ConnectViewport(&m_screen);
    if (pass->ConnectFloatInput("uni_time", &m_time) != 0) {
        error = "the effect " + effect->GetName() + " has no float uniform uni_time";
        return false;
    }
    m_postNode = Adopt(new hlv_sg::CLinearPostProcessingNode("Window Waves"));
    m_postNode->shadeNodes.push_back(std::move(pass));

    graph.GetRoot()->AddChild(CResourceHandle<hlv_sg::INode>(m_cameraNode));
    graph.GetRoot()->AddChild(CResourceHandle<hlv_sg::INode>(m_postNode));
    graph.GetRoot()->AddController(&m_timeController);
    return true;
}

}  // namespace hlv_app_window
