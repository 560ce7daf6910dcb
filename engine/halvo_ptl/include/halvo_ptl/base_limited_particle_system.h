#pragma once
// The state and the serial bookkeeping of a limited particle system: the
// metric, the target count, the dead list, the alive bits, the active count
// and the decision how many particles the current step adds or removes.
#include <algorithm>
#include <cstdint>
#include <vector>

#include <tbb/concurrent_vector.h>

#include <halvo_ptl/alive_bits.h>
#include <halvo_ptl/default_particle_metric.h>
#include <halvo_ptl/particle_compaction.h>
#include <halvo_ptl/particle_metric.h>
#include <halvo_ptl/tbb_base_particle_system.h>

namespace hlv_ptl::ptl_cpu::cpu_limited {

// What the last step did about the particle count.
enum EMISSION_STATE : std::uint32_t {
    ES_NONE = 0,
    ES_GROW = 1,
    ES_SHRINK = 2,
};

template <typename P, typename Container = std::vector<P>, typename Solver = cpu_euler::TParticleSolver>
class TBaseLimitedParticleSystem : public ptl_tbb::TBaseParticleSystem<P, Container, Solver> {
    using base_type = ptl_tbb::TBaseParticleSystem<P, Container, Solver>;

public:
    using dead_list_type = tbb::concurrent_vector<std::uint64_t>;

    ~TBaseLimitedParticleSystem() override
    {
        if (m_ownsMetric) delete m_metric;
    }

    // Installs a metric, owned by the system; null installs a new default
    // metric. An owned previous metric is deleted unless it is the new one.
    // Refused with PTLR_THREAD_RUNNING while a step is pending.
    PTL_RESULT SetMetric(IParticleMetric* metric)
    {
        IParticleMetric* replaced = nullptr;
        IParticleMetric* installed = metric != nullptr ? metric : new CDefaultParticleMetric();
        const PTL_RESULT result = this->ChangeWhileIdle([&] {
            if (installed != m_metric && m_ownsMetric) replaced = m_metric;
            m_metric = installed;
            m_ownsMetric = true;
        });
        if (result != PTLR_OK && metric == nullptr) delete installed;
        delete replaced;
        return result;
    }
    IParticleMetric* GetMetric() const { return m_metric; }

    // The number of particles the system moves towards, written by the owner
    // while no step is pending.
    std::uint64_t GetTargetCount() const { return m_targetCount; }
    void SetTargetCount(std::uint64_t count) { m_targetCount = count; }

    // The particle count after the last step.
    std::uint64_t GetActiveCount() const { return m_activeCount; }
    // How many particles the last step added or removed, and which of the two.
    std::uint64_t GetBatch() const { return m_batch; }
    std::uint32_t GetEmissionState() const { return m_emissionState; }

    const CAliveBits& GetAliveBits() const { return m_alive; }

protected:
    explicit TBaseLimitedParticleSystem(std::uint64_t capacity)
    {
        this->GetParticles().reserve(capacity);
        m_dead.reserve(capacity);
        m_alive.Reserve(capacity);
    }

    // Fills the holes of the dead particles, then empties the dead list.
    void CompactDeadParticles()
    {
        CompactParticles(this->GetParticles(), m_alive, m_dead);
        m_dead.clear();
    }

    // Takes the particles that died in this step off the active count.
    void CountDeadParticles()
    {
        const std::uint64_t deaths = m_dead.size();
        m_activeCount = deaths < m_activeCount ? m_activeCount - deaths : 0;
    }

    // Decides, with the metric, how many particles to add or remove to move
    // the active count towards target.
    void DecideEmission(std::uint64_t target, const CTimeInfo& info)
    {
        const std::uint64_t active = m_activeCount;
        if (active == target) {
            m_batch = 0;
            m_emissionState = ES_NONE;
            return;
        }
        CParticleBatch allowed;
        if (active > target) {
            m_emissionState = ES_SHRINK;
            m_batch = active - target;
            m_metric->ComputeRemoval(info, allowed);
        } else {
            m_emissionState = ES_GROW;
            m_batch = target - active;
            m_metric->ComputeEmission(info, allowed);
        }
        if (allowed.count == 0) {
            m_batch = 0;
            m_emissionState = ES_NONE;
        } else {
            m_batch = std::min(m_batch, allowed.count);
        }
    }

    // Grows by births through the emitter, or shrinks by dropping the highest
    // slots, as decided. Serial.
    void ApplyEmission()
    {
        Container& particles = this->GetParticles();
        if (m_emissionState == ES_GROW) {
            const std::uint64_t first = particles.size();
            m_activeCount += m_batch;
            particles.resize(m_activeCount);
            m_alive.Resize(m_activeCount);
            auto* emitter = this->GetEmitter();
            if (emitter == nullptr) return;
            for (std::uint64_t i = first; i < m_activeCount; ++i) {
                P particle;
                particle.index = i;
                emitter->InitializeParticle(particle);
                particles[i] = particle;
                particles[i].index = i;
                m_alive.Set(i);
            }
        } else if (m_emissionState == ES_SHRINK) {
            m_activeCount -= m_batch;
            const std::uint64_t keep = std::min<std::uint64_t>(m_activeCount, particles.size());
            particles.resize(keep);
            m_alive.Resize(keep);
        }
    }

    CAliveBits& AliveBits() { return m_alive; }
    dead_list_type& DeadList() { return m_dead; }
    void SetActiveCount(std::uint64_t count) { m_activeCount = count; }
    void ResetEmission()
    {
        m_batch = 0;
        m_emissionState = ES_NONE;
    }

private:
    IParticleMetric* m_metric = new CDefaultParticleMetric();
    bool m_ownsMetric = true;
    std::uint64_t m_targetCount = 0;
    dead_list_type m_dead;
    CAliveBits m_alive;
    std::uint64_t m_activeCount = 0;
    std::uint64_t m_batch = 0;
    std::uint32_t m_emissionState = ES_NONE;
};

}  // namespace hlv_ptl::ptl_cpu::cpu_limited
