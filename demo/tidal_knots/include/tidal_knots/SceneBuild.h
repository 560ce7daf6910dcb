#pragma once
// What the scene builders take from the demo application: the named context
// in which they find the demo's assets and data-flow slots, the scene graph
// they add their nodes to, the creation front end for the GPU objects they
// make (particle texture memory), and the store that keeps the controllers
// they attach (a node does not own its controllers).
#include <memory>
#include <utility>
#include <vector>

#include <halvo_sg/controller.h>

namespace hlv_app {
class CManagedContext;
}
namespace hlv_gfx {
class MTGfxSystem;
}
namespace hlv_sg {
class CDefaultSceneGraph;
}

namespace dmo_nimra {

// Owns the controllers of the scenes for the rest of the run.
class CControllerStore {
public:
    CControllerStore() = default;
    CControllerStore(const CControllerStore&) = delete;
    CControllerStore& operator=(const CControllerStore&) = delete;

    template <class Controller, class... Args>
    Controller& Make(Args&&... args)
    {
        auto controller = std::make_unique<Controller>(std::forward<Args>(args)...);
        Controller& kept = *controller;
        m_controllers.push_back(std::move(controller));
        return kept;
    }

    std::size_t size() const { return m_controllers.size(); }

private:
    std::vector<std::unique_ptr<hlv_sg::IController>> m_controllers;
};

struct SceneBuildContext {
    hlv_app::CManagedContext& context;
    hlv_sg::CDefaultSceneGraph& sceneGraph;
    hlv_gfx::MTGfxSystem& gfxSystem;
    CControllerStore& controllers;
};

// The scene builders, run once at start-up in this order, after the assets
// and GPU data exist. Each adds its subtree to the scene graph's root.
void BuildIntroScene(const SceneBuildContext& build);        // Scene_Intro.cpp
void BuildScene2(const SceneBuildContext& build);            // Scene_2.cpp (builds the background first)
void BuildScene2Background(const SceneBuildContext& build);  // Scene_2_Background.cpp
void BuildOutroScene(const SceneBuildContext& build);        // Scene_Outro.cpp
void BuildPostProcessing(const SceneBuildContext& build);    // Scene_Post.cpp

}  // namespace dmo_nimra
