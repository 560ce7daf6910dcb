#pragma once
// The time source of the demo's playback clock: the sound system's output
// clock. The scene time then advances exactly as the audio device consumes
// the track, so picture and music stay together however the machine is
// loaded. Reads 0 until a sound system is set.
#include <atomic>
#include <cstdint>

#include <PlovdaneQt/MonotonicClock.h>

namespace FMOD {
class System;
}

namespace dmo_nimra {

class CTrackClock : public pld_qt::IMonotonicClock {
public:
    // The system must stay alive until it is replaced (null before release).
    void SetSystem(FMOD::System* system) { m_system.store(system, std::memory_order_release); }
    std::int64_t Nanoseconds() const override;

private:
    std::atomic<FMOD::System*> m_system{nullptr};
};

}  // namespace dmo_nimra
