#pragma once
// Drives the sound system's per-frame service call from the update thread.
#include <cstdint>

#include <halvo_sg/controller.h>

namespace FMOD {
class System;
}

namespace dmo_nimra {

class FmodUpdateController : public hlv_sg::IController {
public:
    // The system must not be null; it is not owned.
    explicit FmodUpdateController(FMOD::System* system);

    std::uint32_t Update(const hlv_sg::frame_time_record& time) override;
    bool AcceptsNode(hlv_sg::INode*) override { return true; }

private:
    FMOD::System* m_system;
};

}  // namespace dmo_nimra
