#pragma once
// Moves the point the middle cubes crawl towards: whenever the count of whole
// seconds changes parity (once a second), the crawl filter's target direction
// d becomes -rotate(d, q), q the quarter turn about (d y, d x, -d z) / |d|.
#include <cstdint>

#include <halvo_sg/controller.h>

namespace dmo_nimra {

class CTranslateToPointOnSphereSurfaceParticleFilter;

class CMiddleCubesController : public hlv_sg::IController {
public:
    // The filter belongs to the middle cubes' system and outlives the
    // controller's use of it.
    explicit CMiddleCubesController(CTranslateToPointOnSphereSurfaceParticleFilter* filter) : m_filter(filter) {}

    std::uint32_t Update(const hlv_sg::frame_time_record& time) override;
    // Middle-cubes nodes only.
    bool AcceptsNode(hlv_sg::INode* node) override;

    // The parity of the whole seconds seen last (0 at construction).
    std::uint32_t GetParity() const { return m_parity; }

private:
    std::uint32_t m_parity = 0;
    CTranslateToPointOnSphereSurfaceParticleFilter* m_filter;
};

}  // namespace dmo_nimra
