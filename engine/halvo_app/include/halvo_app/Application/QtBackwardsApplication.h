#pragma once
// The engine application as the Qt applications use it: it owns an effect
// slot manager and, at Init, needs a graphics system.
#include <memory>

#include <halvo_app/Application/AHalvoApplication.h>
#include <halvo_mgr/CEffectSlotManager.h>

namespace hlv_app {

class QtBackwardsApplication : public AHalvoApplication {
public:
    QtBackwardsApplication();
    ~QtBackwardsApplication() override;

    // AHalvoApplication::Init; a graphics system must be set.
    void Init() override;

    hlv_mgr::CEffectSlotManager& GetEffectSlotManager() { return *m_effectSlotManager; }

private:
    std::unique_ptr<hlv_mgr::CEffectSlotManager> m_effectSlotManager;
};

}  // namespace hlv_app
