#pragma once
// The scene of the window program: a camera node that clears the screen and
// a post-processing node with one full-screen pass whose "uni_time" follows
// the frame time.
#include <cstdint>
#include <memory>
#include <string>

#include <halvo_core/handle.h>
#include <halvo_gfx/effect.h>
#include <halvo_gfx/perspective_camera.h>
#include <halvo_sg/camera_node.h>
#include <halvo_sg/controller.h>
#include <halvo_sg/default_scene_graph.h>
#include <halvo_sg/linear_post_processing_node.h>
#include <halvo_slot/CEffectSlot.h>
#include <halvo_slot/CVariantSlot.h>
#include <halvo_slot/CViewportSlot.h>

namespace hlv_app_window {

// Writes each frame's time in seconds into a float output.
class CTimeController : public hlv_sg::IController {
public:
    explicit CTimeController(hlv_slot::CVariantOutputSlot<float>& output) : m_output(output) {}
    std::uint32_t Update(const hlv_sg::frame_time_record& time) override;
    bool AcceptsNode(hlv_sg::INode*) override { return true; }

private:
    hlv_slot::CVariantOutputSlot<float>& m_output;
};

class CWindowScene {
public:
    CWindowScene() = default;
    CWindowScene(const CWindowScene&) = delete;
    CWindowScene& operator=(const CWindowScene&) = delete;

    // Builds the nodes under the graph's root for a screen of the given size.
    // False (with error set) when the effect has no uniform "uni_time".
    bool Build(hlv_sg::CDefaultSceneGraph& graph, const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect,
               std::uint64_t width, std::uint64_t height, std::string& error);

private:
    hlv_slot::CViewportOutputSlot m_screen;
    hlv_slot::CVariantOutputSlot<float> m_time{0.0f};
    std::unique_ptr<hlv_slot::CEffectOutputSlot> m_effect;
    hlv_core::CResourceHandle<hlv_gfx::CPerspectiveCamera> m_camera;
    hlv_core::CResourceHandle<hlv_sg::CCameraNode> m_cameraNode;
    hlv_core::CResourceHandle<hlv_sg::CLinearPostProcessingNode> m_postNode;
    CTimeController m_timeController{m_time};
};

}  // namespace hlv_app_window
