// One frame of the demo's particle load: two one-shot systems of 3375, a
// limited system of 1000, a one-shot system of 150 and a limited system of
// 100, each stepped and written back into its texture buffer.
//
//   ParallelFrame      - as the particle nodes run it: every step and copy
//                        requested, then every copy waited for (update and
//                        copy threads, TBB parallel loops).
//   DirectParallelFrame- the same steps and write-backs one after another on
//                        the benchmark thread, loops still parallel: the
//                        loops' share without the handshakes.
//   SerialFrame        - the same steps and write-backs one after another on
//                        one thread (a TBB arena of one): the serial baseline.
//
// The argument caps TBB's parallelism (0 = the machine's).
#include <halvo_core/handle.h>
#include <halvo_gfx/texture_buffer.h>
#include <halvo_ptl/aabb_volume_particle_emitter.h>
#include <halvo_ptl/constant_particle_filter_group.h>
#include <halvo_ptl/filtered_particle_emitter.h>
#include <halvo_ptl/limited_particle_system.h>
#include <halvo_ptl/oneshot_particle_system.h>
#include <halvo_ptl/particle_copy.h>
#include <halvo_ptl/point_particle_emitter.h>
#include <halvo_ptl/position_animation_particle_filter.h>
#include <halvo_ptl/random_force_particle_filter.h>
#include <halvo_ptl/random_life_particle_filter.h>
#include <halvo_ptl/random_position_offset_particle_filter.h>
#include <halvo_ptl/render_particle.h>
#include <halvo_ptl/system_translation_particle_filter.h>

#include <memory>
#include <optional>
#include <vector>

#include <benchmark/benchmark.h>
#include <plovdane/linear_spline.h>
#include <tbb/global_control.h>
#include <tbb/task_arena.h>

using namespace hlv_ptl;

namespace {

using Particle = CParticle<float, 4>;
using Particles = std::vector<Particle>;
using BaseSystem = ptl_cpu::TBaseParticleSystem<Particle>;
using OneShot = ptl_tbb::TOneShotParticleSystem<Particle>;
using Limited = ptl_tbb::TLimitedParticleSystem<Particle>;
using Record = TRenderParticle<Particle, &Particle::size>;
using Copy = ptl_tbb::TOneShotParticleCopy<BaseSystem, Record, hlv_gfx::CTextureBuffer>;
using Point = ptl_cpu::CPointParticleEmitter<Particle, Particles>;
using Group4 = ptl_cpu::CConstantParticleFilterGroup<Particle, 4>;
using Group6 = ptl_cpu::CConstantParticleFilterGroup<Particle, 6>;
using Spline = pld_math::linear_spline<pld_math::vec3f>;

constexpr float kWide = 10000.0f;

class COnePerSecondMetric : public CDefaultParticleMetric {
public:
    COnePerSecondMetric()
    {
        m_emissionPeriod = m_removalPeriod = 1000;
        m_emissionCount = m_removalCount = 1;
    }
};

// The five systems with emitters and per-step filters of the demo's kinds,
// their copy stages and their buffers.
class CDemoLoad {
public:
    CDemoLoad()
    {
        m_spline.add_point({0.0f, 0.0f, 100.0f});
        m_spline.add_point({0.0f, 10.0f, 50.0f});
        m_spline.add_point({0.0f, 0.0f, 10.0f});

        for (int i = 0; i < 2; ++i) {  // the pressure cubes
            auto system = std::make_unique<OneShot>(3375);
            auto* emitter = new ptl_cpu::CFilteredParticleEmitter<Group4, Particle, Particles>(new Point());
            emitter->AddFilter(new ptl_cpu::CRandomPositionOffsetParticleFilter<Particle>({30.0f, 30.0f, 30.0f}));
            system->SetEmitter(emitter);
            auto* pre = new Group4();
            pre->AddFilter(new ptl_cpu::CRandomForceParticleFilter<Particle>(0.001f));
            pre->AddFilter(new ptl_cpu::CParticleSystemTranslationFilter<Particle, OneShot>(system.get()));
            system->SetPreFilter(pre, true);
            system->SetIntegrationMode(ptl_cpu::IM_PREFILTER_THEN_SOLVER);
            Add(std::move(system));
        }
        {  // the middle cubes
            auto system = std::make_unique<Limited>(1000);
            auto* emitter = new ptl_cpu::CFilteredParticleEmitter<Group4, Particle, Particles>(new Point());
            emitter->AddFilter(new ptl_cpu::CRandomPositionOffsetParticleFilter<Particle>({25.0f, 25.0f, 25.0f}));
            system->SetEmitter(emitter);
            auto* pre = new Group4();
            pre->AddFilter(new ptl_cpu::CRandomForceParticleFilter<Particle>(5.0f));
            system->SetPreFilter(pre, true);
            system->SetIntegrationMode(ptl_cpu::IM_PREFILTER_THEN_SOLVER);
            system->SetTargetCount(1000);
            Add(std::move(system));
        }
        {  // the gliding particles
            auto system = std::make_unique<OneShot>(150);
            Particle templ;
            templ.lifetime = 10000;
            auto* emitter = new ptl_cpu::CFilteredParticleEmitter<Group6, Particle, Particles>(
                new ptl_cpu::CAabbVolumeParticleEmitter<Particle, Particles>(templ,
                                                                             {-1000, -1000, -1000, 1000, 1000, 3500}));
            emitter->AddFilter(new ptl_cpu::CParticleSystemTranslationFilter<Particle, OneShot>(system.get()));
            emitter->AddFilter(new ptl_cpu::CRandomLifeParticleFilter<Particle>(4000, 10000));
            emitter->AddFilter(new ptl_cpu::CRandomForceParticleFilter<Particle>(5.0f));
            system->SetEmitter(emitter);
            auto* pre = new ptl_cpu::CConstantParticleFilterGroup<Particle, 1>();
            pre->AddFilter(
                new ptl_cpu::CPositionAPF<Particle, const Spline*>(&m_spline, ptl_cpu::PAM_OFFSET_FROM_INITIAL));
            system->SetPreFilter(pre, true);
            system->SetIntegrationMode(ptl_cpu::IM_FILTER_ONLY);
            system->SetVolume({-1000, -1000, -1000, 1000, 1000, 3500});
            system->SetVolumeCheck(ptl_cpu::VC_LIFETIME_AND_VOLUME);
            Add(std::move(system));
        }
        {  // the background cubes
            auto system = std::make_unique<Limited>(100);
            Particle templ;
            templ.position = {-1000.0f, -2000.0f, 2000.0f};
            templ.velocity = {0.0f, 50.0f, 0.0f};
            auto* emitter = new ptl_cpu::CFilteredParticleEmitter<Group4, Particle, Particles>(new Point(templ));
            emitter->AddFilter(new ptl_cpu::CRandomPositionOffsetParticleFilter<Particle>({1000.0f, 200.0f, 2000.0f}));
            system->SetEmitter(emitter);
            system->SetMetric(new COnePerSecondMetric());
            system->SetTargetCount(100);
            Add(std::move(system));
        }
        for (std::size_t i = 0; i < m_systems.size(); ++i) {
            if (i == 0 || i == 1 || i == 3) {
                m_systems[i]->SetVolume({-kWide, -kWide, -kWide, kWide, kWide, kWide});
                m_systems[i]->SetVolumeCheck(ptl_cpu::VC_LIFETIME_AND_VOLUME);
            }
            m_systems[i]->InitializeParticles();
            m_copies[i]->FitBufferToSystem(m_systems[i].get());
        }
    }

    ~CDemoLoad()
    {
        m_copies.clear();  // the stages go before the systems they read
    }

    // As the particle nodes do it.
    void ThreadedFrame()
    {
        const CTimeInfo info = NextStep();
        for (auto& system : m_systems) system->RequestUpdate(info);
        for (std::size_t i = 0; i < m_systems.size(); ++i) m_copies[i]->RequestCopy(m_systems[i].get());
        for (auto& copy : m_copies) copy->WaitForCopy();
    }

    // Every step and write-back in turn on the calling thread.
    void DirectFrame()
    {
        const CTimeInfo info = NextStep();
        for (std::size_t i = 0; i < m_systems.size(); ++i) {
            m_systems[i]->UpdateStep(info);
            ptl_tbb::WriteParticlesBack<Record>(m_systems[i]->GetParticles(), *m_buffers[i]);
        }
    }

    std::uint64_t ParticleCount() const
    {
        std::uint64_t n = 0;
        for (const auto& system : m_systems) n += system->GetParticles().size();
        return n;
    }

private:
    void Add(std::unique_ptr<BaseSystem> system)
    {
        m_buffers.push_back(hlv_core::Adopt(new hlv_gfx::CTextureBuffer("Particle Data")));
        m_copies.push_back(std::make_unique<Copy>());
        m_copies.back()->SetTextureBuffer(m_buffers.back().get());
        m_systems.push_back(std::move(system));
    }

    CTimeInfo NextStep()
    {
        m_time += 16;
        CTimeInfo info;
        info.time = m_time;
        info.delta = 16;
        info.deltaSeconds = 0.016f;
        return info;
    }

    Spline m_spline{5};
    std::vector<hlv_core::CResourceHandle<hlv_gfx::CTextureBuffer>> m_buffers;
    std::vector<std::unique_ptr<BaseSystem>> m_systems;
    std::vector<std::unique_ptr<Copy>> m_copies;
    std::uint64_t m_time = 0;
};

std::optional<tbb::global_control> CapParallelism(const benchmark::State& state)
{
    if (state.range(0) == 0) return std::nullopt;
    return std::optional<tbb::global_control>(std::in_place, tbb::global_control::max_allowed_parallelism,
                                              static_cast<std::size_t>(state.range(0)));
}

template <typename Frame>
void RunFrames(benchmark::State& state, CDemoLoad& load, Frame frame)
{
    for (int warm = 0; warm < 20; ++warm) frame();
    for (auto _ : state) frame();
    state.counters["particles"] = static_cast<double>(load.ParticleCount());
}

void ParallelFrame(benchmark::State& state)
{
    const auto cap = CapParallelism(state);
    CDemoLoad load;
    RunFrames(state, load, [&] { load.ThreadedFrame(); });
}

void DirectParallelFrame(benchmark::State& state)
{
    const auto cap = CapParallelism(state);
    CDemoLoad load;
    RunFrames(state, load, [&] { load.DirectFrame(); });
}

void SerialFrame(benchmark::State& state)
{
    tbb::task_arena one(1);
    CDemoLoad load;
    RunFrames(state, load, [&] { one.execute([&] { load.DirectFrame(); }); });
}

}  // namespace

BENCHMARK(SerialFrame)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(ParallelFrame)->Arg(0)->Arg(2)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(DirectParallelFrame)->Arg(0)->Arg(2)->Unit(benchmark::kMicrosecond)->UseRealTime();

BENCHMARK_MAIN();
