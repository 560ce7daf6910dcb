#pragma once
// A particle-system node whose step only counts itself and keeps the time it
// was given.
#include <cstdint>

#include <halvo_sg/RESULT.h>
#include <halvo_sg/frame_time_record.h>
#include <halvo_sg/particle_system_node.h>

namespace hlv_sg_test {

class CTestParticleNode : public hlv_sg::AParticleSystemNode {
public:
    using hlv_sg::AParticleSystemNode::AParticleSystemNode;
    std::uint32_t UpdateParticleSystem(const hlv_sg::frame_time_record& time) override
    {
        ++steps;
        lastMilliseconds = time.milliseconds;
        return hlv_sg::MSGR_OK;
    }
    int steps = 0;
    std::uint64_t lastMilliseconds = 0;
};

}  // namespace hlv_sg_test
