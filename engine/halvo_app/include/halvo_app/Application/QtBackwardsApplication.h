#pragma once
// The engine application as the Qt applications use it: it owns an effect
// slot manager, and its Init adds the shade-node system (a graphics system
// must be set by then).
#include <memory>

#include <halvo_app/Application/AHalvoApplication.h>
#include <halvo_mgr/CEffectSlotManager.h>

namespace hlv_app {

class QtBackwardsApplication : public AHalvoApplication {
public:
    QtBackwardsApplication();
    ~QtBackwardsApplication() override;

    // AHalvoApplication::Init, then the shade-node system "The Shade Node
    // System" on the graphics front end. Without a graphics system the
    // program stops.
    void Init() override;

    hlv_mgr::CEffectSlotManager& GetEffectSlotManager() { return *m_effectSlotManager; }

private:
    std::unique_ptr<hlv_mgr::CEffectSlotManager> m_effectSlotManager;
};

}  // namespace hlv_app
