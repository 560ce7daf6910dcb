// The request/wait handshake of the particle systems' update threads, and
// destruction while a step runs, under a watchdog. The frames of step, copy
// and wait and the create/destroy rounds are in the copy-stage stress test.
#include <halvo_ptl/limited_particle_system.h>
#include <halvo_ptl/oneshot_particle_system.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include <hlv_testing/watchdog.h>

#include "test_particles.h"

using namespace hlv_ptl;
using namespace ptl_test;
using namespace std::chrono_literals;
using hlv_testing::CWatchdog;

namespace {

// A one-shot system of mortal particles with a very long life: each served
// step ages them by exactly its delta, so the age counts the served steps.
std::unique_ptr<OneShotSystem> AgeCountingSystem(std::uint64_t particles, Filter* preFilter = nullptr)
{
    auto system = std::make_unique<OneShotSystem>(particles);
    system->SetEmitter(new PointEmitter(MortalTemplate(1u << 30)));
    system->InitializeParticles();
    system->SetIntegrationMode(ptl_cpu::IM_FILTER_ONLY);
    if (preFilter != nullptr) system->SetPreFilter(preFilter, true);
    return system;
}

}  // namespace

TEST(UpdateHandshake, PollAndWaitReportPendingAndFinished)
{
    CWatchdog watchdog(60s, "poll and wait");
    CGate gate;
    auto system = AgeCountingSystem(16, new CGateFilter(gate));
    EXPECT_EQ(system->WaitForUpdate(true), PTLR_THREAD_FINISHED);  // idle: at once
    EXPECT_EQ(system->WaitForUpdate(false), PTLR_THREAD_FINISHED);

    system->RequestUpdate(Step(1, 1));
    gate.WaitForArrival();
    EXPECT_EQ(system->WaitForUpdate(false), PTLR_THREAD_RUNNING);
    auto* other = new PointEmitter();
    EXPECT_EQ(system->SetEmitter(other), PTLR_THREAD_RUNNING);
    EXPECT_EQ(system->SetPreFilter(nullptr, false), PTLR_THREAD_RUNNING);
    delete other;
    gate.Open();
    EXPECT_EQ(system->WaitForUpdate(true), PTLR_THREAD_FINISHED);
    EXPECT_EQ(system->WaitForUpdate(false), PTLR_THREAD_FINISHED);
    EXPECT_EQ(system->GetParticles()[0].age, 1u);
}

TEST(UpdateHandshake, RequestsDuringAStepAreServedByTheNextStep)
{
    CWatchdog watchdog(60s, "request during a step");
    CGate gate;
    auto system = AgeCountingSystem(16, new CGateFilter(gate));
    system->RequestUpdate(Step(1, 1));
    gate.WaitForArrival();  // the first step runs and is held
    // A double request while it runs: the second overwrites the first.
    system->RequestUpdate(Step(11, 10));
    system->RequestUpdate(Step(111, 100));
    gate.Open();
    EXPECT_EQ(system->WaitForUpdate(true), PTLR_THREAD_FINISHED);
    // The wait ended only after the step of the last request.
    for (const Particle& p : system->GetParticles()) EXPECT_EQ(p.age, 101u);
}

// The step is held in the middle of its births while the system is
// destroyed: the destructor must wait for it before anything the step uses
// goes (the address sanitizer sees it otherwise), and must still free the
// emitter and the filter.
TEST(SystemLifetime, DestroyWhileAStepRuns)
{
    CWatchdog watchdog(60s, "destroy while a step runs");
    std::atomic<int> destroyed{0};
    CGate gate;
    gate.Open();
    auto limited = std::make_unique<LimitedSystem>(500);
    limited->SetEmitter(new CGateEmitter(gate, destroyed, MortalTemplate(10)));
    limited->SetPreFilter(new CCountedFilter(destroyed), true);
    limited->SetIntegrationMode(ptl_cpu::IM_PREFILTER_THEN_SOLVER);
    limited->SetTargetCount(500);
    limited->InitializeParticles();
    gate.Close();
    limited->RequestUpdate(Step(16, 16));  // all die of age and are born again
    gate.WaitForArrival();
    std::thread opener([&] {
        std::this_thread::sleep_for(20ms);
        gate.Open();
    });
    limited.reset();
    opener.join();
    EXPECT_EQ(destroyed.load(), 2);
}
