#pragma once
// The interface through which a particle system is stepped.
#include <halvo_ptl/PTL_RESULT.h>
#include <halvo_ptl/time_info.h>

namespace hlv_ptl {

class IParticleSystem {
public:
    // Hands one step to the system's update thread and returns at once.
    virtual PTL_RESULT RequestUpdate(const CTimeInfo& info) = 0;
    // wait false: PTLR_THREAD_RUNNING while a step is pending, else
    // PTLR_THREAD_FINISHED. wait true: blocks until no step is pending, then
    // PTLR_THREAD_FINISHED.
    virtual PTL_RESULT WaitForUpdate(bool wait) = 0;
    virtual ~IParticleSystem() = default;
    // (Re)builds the particle set through the emitter.
    virtual PTL_RESULT InitializeParticles() = 0;
    // One synchronous simulation step; the update thread runs it.
    virtual void UpdateStep(const CTimeInfo& info) = 0;
};

}  // namespace hlv_ptl
