#pragma once
// Particle types and small test filters and emitters shared by the tests.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include <halvo_ptl/limited_particle_system.h>
#include <halvo_ptl/oneshot_particle_system.h>
#include <halvo_ptl/particle.h>
#include <halvo_ptl/point_particle_emitter.h>

namespace ptl_test {

using Particle = hlv_ptl::CParticle<float, 4>;
using Particles = std::vector<Particle>;
using BaseSystem = hlv_ptl::ptl_cpu::TBaseParticleSystem<Particle>;
using OneShotSystem = hlv_ptl::ptl_tbb::TOneShotParticleSystem<Particle>;
using LimitedSystem = hlv_ptl::ptl_tbb::TLimitedParticleSystem<Particle>;
using PointEmitter = hlv_ptl::ptl_cpu::CPointParticleEmitter<Particle, Particles>;
using Filter = hlv_ptl::IParticleFilter<Particle>;
using Emitter = hlv_ptl::IParticleEmitter<Particle, Particles>;

// A step of delta milliseconds ending at time.
inline hlv_ptl::CTimeInfo Step(std::uint64_t time, std::uint64_t delta)
{
    hlv_ptl::CTimeInfo info;
    info.time = time;
    info.delta = delta;
    info.deltaSeconds = static_cast<float>(delta) / 1000.0f;
    return info;
}

inline Particle MortalTemplate(std::uint64_t lifetime)
{
    Particle p;
    p.lifetime = lifetime;
    return p;
}

// Steps a system on its update thread and waits for the step.
inline void StepAndWait(hlv_ptl::IParticleSystem& system, const hlv_ptl::CTimeInfo& info)
{
    system.RequestUpdate(info);
    system.WaitForUpdate(true);
}

// Counts its own destruction.
class CCountedFilter : public hlv_ptl::ptl_cpu::TBaseParticleFilter<Particle> {
public:
    explicit CCountedFilter(std::atomic<int>& destroyed) : m_destroyed(destroyed) {}
    ~CCountedFilter() override { ++m_destroyed; }
    hlv_ptl::PTL_RESULT Apply(const Particle&, Particle&) override { return hlv_ptl::PTLR_OK; }

private:
    std::atomic<int>& m_destroyed;
};

class CCountedEmitter : public PointEmitter {
public:
    CCountedEmitter(std::atomic<int>& destroyed, const Particle& templ = Particle())
        : PointEmitter(templ), m_destroyed(destroyed)
    {
    }
    ~CCountedEmitter() override { ++m_destroyed; }

private:
    std::atomic<int>& m_destroyed;
};

// Writes the frame number the test sets before each request into the
// particle's position x, so a reader can tell which step wrote a particle.
class CStampFilter : public hlv_ptl::ptl_cpu::TBaseParticleFilter<Particle> {
public:
    explicit CStampFilter(const std::uint64_t& frame) : m_frame(frame) {}
    hlv_ptl::PTL_RESULT Apply(const Particle&, Particle& out) override
    {
        out.position[0] = static_cast<float>(m_frame);
        return hlv_ptl::PTLR_OK;
    }

private:
    const std::uint64_t& m_frame;
};

// Holds every call until the gate opens; tells when the first call arrived.
// Lets a test keep a step running on the update thread.
class CGate {
public:
    void Pass()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        ++m_arrived;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_open; });
    }
    void WaitForArrival()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return m_arrived > 0; });
    }
    void Open()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_open = true;
        m_changed.notify_all();
    }
    void Close()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_open = false;
        m_arrived = 0;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_open = false;
    int m_arrived = 0;
};

class CGateFilter : public hlv_ptl::ptl_cpu::TBaseParticleFilter<Particle> {
public:
    explicit CGateFilter(CGate& gate, std::atomic<int>* destroyed = nullptr) : m_gate(gate), m_destroyed(destroyed) {}
    ~CGateFilter() override
    {
        if (m_destroyed != nullptr) ++*m_destroyed;
    }
    hlv_ptl::PTL_RESULT Apply(const Particle&, Particle&) override
    {
        m_gate.Pass();
        return hlv_ptl::PTLR_OK;
    }

private:
    CGate& m_gate;
    std::atomic<int>* m_destroyed;
};

// A point emitter that passes the gate before each birth.
class CGateEmitter : public CCountedEmitter {
public:
    CGateEmitter(CGate& gate, std::atomic<int>& destroyed, const Particle& templ)
        : CCountedEmitter(destroyed, templ), m_gate(gate)
    {
    }
    hlv_ptl::PTL_RESULT InitializeParticle(Particle& particle) override
    {
        m_gate.Pass();
        return CCountedEmitter::InitializeParticle(particle);
    }

private:
    CGate& m_gate;
};

}  // namespace ptl_test
