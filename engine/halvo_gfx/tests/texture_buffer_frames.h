#pragma once
// Writes whole frames into a texture buffer the way the particle write-back
// does, so that a reader can tell one frame's values from another's.
#include <cstdint>

#include <gtest/gtest.h>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/texture_buffer.h>

namespace hlv_gfx_test {

// Makes room for at least texels texels (the memory never shrinks) and fills
// every float it holds with value.
inline void WriteFrame(hlv_gfx::CTextureBuffer& buffer, std::uint64_t texels, float value)
{
    buffer.WriteData([&](hlv_gfx::CBuffer& memory) {
        ASSERT_EQ(memory.Allocate(memory.GetLayout(), texels), hlv_gfx::GFXR_OK);
        auto* floats = reinterpret_cast<float*>(memory.GetData());
        for (std::uint64_t i = 0; i < memory.GetDataSize() / sizeof(float); ++i) floats[i] = value;
    });
}

}  // namespace hlv_gfx_test
