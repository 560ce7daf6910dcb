#pragma once
// The common base of the particle systems: the particle container, the
// emitter and pre-filter, the volume and integration settings, and the update
// thread that runs one step each time a step is requested.
//
// Handshake: RequestUpdate records the step's time and wakes the update
// thread; WaitForUpdate blocks until no step is pending. A step is pending
// from its request until the update thread has finished it. A request made
// while a step runs is not lost: the thread serves it with a further step,
// and waiters keep waiting until that step is done too.
//
// Every concrete system starts the thread at the end of its constructor and
// calls StopUpdateThread first thing in its destructor, so a running step
// never sees a partly destroyed system.
#include <array>
#include <cstdint>
#include <vector>

#include <boost/thread/condition_variable.hpp>
#include <boost/thread/locks.hpp>
#include <boost/thread/mutex.hpp>
#include <boost/thread/thread.hpp>

#include <halvo_ptl/PTL_RESULT.h>
#include <halvo_ptl/euler_solver.h>
#include <halvo_ptl/particle_emitter.h>
#include <halvo_ptl/particle_filter.h>
#include <halvo_ptl/particle_system.h>
#include <halvo_ptl/particle_volume.h>

namespace hlv_ptl::ptl_cpu {

// Which particles die by leaving the volume.
enum VOLUME_CHECK : std::uint32_t {
    VC_LIFETIME_ONLY = 0,
    VC_LIFETIME_AND_VOLUME = 1,
};

// What the integration pass of a step does.
enum INTEGRATION_MODE : std::uint32_t {
    IM_SOLVER_ONLY = 0,
    IM_FILTER_ONLY = 1,
    IM_PREFILTER_THEN_SOLVER = 3,
};

template <typename P, typename Container = std::vector<P>, typename Solver = cpu_euler::TParticleSolver>
class TBaseParticleSystem : public IParticleSystem {
public:
    using particle_type = P;
    using container_type = Container;
    using solver_type = Solver;
    using emitter_type = IParticleEmitter<P, Container>;
    using filter_type = IParticleFilter<P>;
    using volume_type = particle_volume;
    using translation_type = std::array<float, 3>;

    TBaseParticleSystem(const TBaseParticleSystem&) = delete;
    TBaseParticleSystem& operator=(const TBaseParticleSystem&) = delete;

    PTL_RESULT RequestUpdate(const CTimeInfo& info) override
    {
        {
            boost::lock_guard<boost::mutex> lock(m_state.lock);
            m_state.pendingInfo = info;
            m_state.requested = true;
        }
        m_state.startCondition.notify_one();
        return PTLR_OK;
    }

    PTL_RESULT WaitForUpdate(bool wait) override
    {
        boost::unique_lock<boost::mutex> lock(m_state.lock);
        if (!wait) return m_state.Pending() ? PTLR_THREAD_RUNNING : PTLR_THREAD_FINISHED;
        while (m_state.Pending()) m_state.doneCondition.wait(lock);
        return PTLR_THREAD_FINISHED;
    }

    ~TBaseParticleSystem() override
    {
        // Concrete systems have stopped the thread already; this only covers
        // a system that never started it.
        StopUpdateThread();
        if (m_ownsPreFilter) delete m_preFilter;
        if (m_ownsEmitter) delete m_emitter;
    }

    // Refused with PTLR_THREAD_RUNNING while a step is pending. An owned
    // previous filter that differs from the new one is deleted.
    PTL_RESULT SetPreFilter(filter_type* filter, bool owns)
    {
        filter_type* replaced = nullptr;
        const PTL_RESULT result = ChangeWhileIdle([&] {
            if (filter != m_preFilter && m_ownsPreFilter) replaced = m_preFilter;
            m_preFilter = filter;
            m_ownsPreFilter = owns;
        });
        delete replaced;
        return result;
    }

    // The same rule; the new emitter is owned by the system (a refused one
    // stays with the caller).
    PTL_RESULT SetEmitter(emitter_type* emitter)
    {
        emitter_type* replaced = nullptr;
        const PTL_RESULT result = ChangeWhileIdle([&] {
            if (emitter != m_emitter && m_ownsEmitter) replaced = m_emitter;
            m_emitter = emitter;
            m_ownsEmitter = true;
        });
        delete replaced;
        return result;
    }

    emitter_type* GetEmitter() const { return m_emitter; }
    filter_type* GetPreFilter() const { return m_preFilter; }
    bool OwnsPreFilter() const { return m_ownsPreFilter; }

    // The particles. Their owner touches them only while no step is pending.
    Container& GetParticles() { return m_particles; }
    const Container& GetParticles() const { return m_particles; }

    // Plain settings, written by the owner while no step is pending.
    const volume_type& GetVolume() const { return m_volume; }
    void SetVolume(const volume_type& volume) { m_volume = volume; }
    std::uint32_t GetVolumeCheck() const { return m_volumeCheck; }
    void SetVolumeCheck(std::uint32_t check) { m_volumeCheck = check; }
    std::uint32_t GetIntegrationMode() const { return m_integrationMode; }
    void SetIntegrationMode(std::uint32_t mode) { m_integrationMode = mode; }
    const translation_type& GetTranslation() const { return m_translation; }
    void SetTranslation(const translation_type& translation) { m_translation = translation; }

    const Solver& GetSolver() const { return m_solver; }

protected:
    TBaseParticleSystem() = default;

    // Starts the update thread unless the group already holds one.
    void StartUpdateThread()
    {
        if (m_threads.size() != 0) return;
        {
            boost::lock_guard<boost::mutex> lock(m_state.lock);
            m_state.requested = false;
            m_state.stepping = false;
            m_state.running = true;
        }
        m_threads.create_thread(CBaseUpdateThread(this, &m_state));
    }

    // Runs change() under the handshake lock unless a step is pending; then
    // PTLR_THREAD_RUNNING and nothing changes.
    template <typename Change>
    PTL_RESULT ChangeWhileIdle(Change&& change)
    {
        boost::lock_guard<boost::mutex> lock(m_state.lock);
        if (m_state.Pending()) return PTLR_THREAD_RUNNING;
        change();
        return PTLR_OK;
    }

    // Stops the update thread and joins it: a step in progress is finished, a
    // request not yet taken up is dropped, and every waiter is released.
    void StopUpdateThread()
    {
        {
            boost::lock_guard<boost::mutex> lock(m_state.lock);
            m_state.running = false;
        }
        m_state.startCondition.notify_all();
        m_state.doneCondition.notify_all();
        m_threads.join_all();
    }

private:
    // What the update thread shares with the requesting threads.
    struct CUpdateState {
        CTimeInfo pendingInfo;
        bool requested = false;  // a step waits for the update thread
        bool stepping = false;   // the update thread runs a step
        bool running = false;    // the update thread keeps serving
        boost::mutex lock;
        boost::condition_variable startCondition;
        boost::condition_variable doneCondition;

        bool Pending() const { return requested || stepping; }
    };

    class CBaseUpdateThread {
    public:
        CBaseUpdateThread(IParticleSystem* system, CUpdateState* state) : m_system(system), m_state(state) {}

        void operator()() const
        {
            CUpdateState& state = *m_state;
            boost::unique_lock<boost::mutex> lock(state.lock);
            while (true) {
                while (!state.requested && state.running) state.startCondition.wait(lock);
                if (!state.running) break;
                const CTimeInfo info = state.pendingInfo;
                state.requested = false;
                state.stepping = true;
                lock.unlock();
                m_system->UpdateStep(info);
                lock.lock();
                state.stepping = false;
                state.doneCondition.notify_all();
            }
            // Stopping: nothing is pending any more.
            state.requested = false;
            state.stepping = false;
            lock.unlock();
            state.doneCondition.notify_all();
        }

    private:
        IParticleSystem* m_system;
        CUpdateState* m_state;
    };

    Container m_particles;
    emitter_type* m_emitter = nullptr;
    bool m_ownsEmitter = false;
    filter_type* m_preFilter = nullptr;
    bool m_ownsPreFilter = false;
    volume_type m_volume{};
    std::uint32_t m_volumeCheck = VC_LIFETIME_ONLY;
    std::uint32_t m_integrationMode = IM_SOLVER_ONLY;
    Solver m_solver;
    boost::thread_group m_threads;
    translation_type m_translation{};
    CUpdateState m_state;
};

}  // namespace hlv_ptl::ptl_cpu
