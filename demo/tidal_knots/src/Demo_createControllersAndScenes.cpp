// The demo's global controllers on the scene graph's root, then its scenes.
#include <tidal_knots/QtSampleApp.h>

#include <chrono>

#include <halvo_app/Context/CManagedContext.h>
#include <halvo_ptl/random.h>
#include <halvo_sg/default_scene_graph.h>
#include <tidal_knots/Controllers/CSceneBlendingAnimationController.h>
#include <tidal_knots/Controllers/CSlotUpdateController.h>
#include <tidal_knots/Controllers/FmodUpdateController.h>

namespace dmo_nimra {

bool QtSampleApp::CreateControllersAndScenes()
{
    // The scenes' random numbers on this thread (emitters that fill their
    // particles at start-up) follow the clock from run to run.
    hlv_ptl::SeedRandom(static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    hlv_app::CManagedContext& context = *GetLocalContext();
    auto& floats = context.VariantSlots<float>();
    auto& vectors = context.VariantSlots<pld_math::vector<float, 3>>();
    const auto root = getSceneGraph()->GetRoot();

    root->AddController(&m_controllers.Make<FmodUpdateController>(m_soundSystem));

    auto& slotUpdate = m_controllers.Make<CSlotUpdateController>(&context);
    m_slotUpdateController = &slotUpdate;
    slotUpdate.SetTimeSlot(floats.AddSlot("TimeSec", 0.0f));
    root->AddController(&slotUpdate);
    for (const auto& [name, record] : m_animations.Scalars())
        slotUpdate.AddFloatBinding(record.get(), floats.AddSlot(name, 0.0f));
    for (const auto& [name, record] : m_animations.Vectors())
        slotUpdate.AddVec3Binding(record.get(), vectors.AddSlot(name, pld_math::vector<float, 3>{}));

    root->AddController(&m_controllers.Make<CSceneBlendingAnimationController>(&context));

    const SceneBuildContext build{context, *getSceneGraph(), *getMTGfxSystem(), m_controllers};
    BuildIntroScene(build);
    BuildScene2(build);
    BuildOutroScene(build);
    BuildPostProcessing(build);
    return true;
}

}  // namespace dmo_nimra
