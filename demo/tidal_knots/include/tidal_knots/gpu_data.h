#pragma once
// The demo's GPU objects that come from no file: the render-target
// framebuffers of the scenes and of the post-processing chain, the random
// vectors of the ambient-occlusion pass, the unit cube and the particle quad.
// Each is built in main memory, queued on the creation front end and
// published in the named context under its key.
#include <array>
#include <cstdint>
#include <string>

namespace hlv_app {
class CManagedContext;
}
namespace hlv_gfx {
class MTGfxSystem;
}

namespace dmo_nimra {

// Six faces of four vertices (positions and the face normal), two triangles
// each, counter-clockwise seen from inside.
struct CubeMesh {
    float size = 0.0f;
    std::array<std::array<float, 3>, 24> positions{};
    std::array<std::array<float, 3>, 24> normals{};
    std::array<std::uint32_t, 36> indices{};

    void Build(float edge);
};

// Makes every object in order (sizes from the viewport slot "Backplane
// Viewport"). False, with the reason on the standard error stream, when the
// context has no backplane viewport, a framebuffer is not valid, or the
// render thread stopped.
bool CreateAllData(hlv_gfx::MTGfxSystem& gfxSystem, hlv_app::CManagedContext& context);

}  // namespace dmo_nimra
