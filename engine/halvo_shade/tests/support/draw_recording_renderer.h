#pragma once
// A recording renderer that also keeps, for every draw, the values of the
// default matrices in the effect values it was given for that draw, and every
// matrix handed to SetTransformation and SetTextureMatrix in full.
#include <array>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include <recording_renderer.h>

namespace hlv_shade_test {

using Matrix = std::array<float, 16>;

struct DrawValues {
    Matrix world{};
    Matrix view{};
    Matrix projection{};
};

class CDrawRecordingRenderer : public hlv_gfx_test::CRecordingRenderer {
public:
    CDrawRecordingRenderer() : CRecordingRenderer("draw recording renderer") {}

    std::vector<DrawValues> Draws() const
    {
        std::lock_guard<std::mutex> lock(m_drawMutex);
        return m_draws;
    }
    std::vector<Matrix> Transformations() const
    {
        std::lock_guard<std::mutex> lock(m_drawMutex);
        return m_transformations;
    }
    std::vector<Matrix> TextureMatrices() const
    {
        std::lock_guard<std::mutex> lock(m_drawMutex);
        return m_textureMatrices;
    }

    std::uint32_t SetTransformation(const float* m) override
    {
        Keep(m_transformations, m);
        return CRecordingRenderer::SetTransformation(m);
    }
    std::uint32_t SetTextureMatrix(const float* m, std::uint64_t index) override
    {
        Keep(m_textureMatrices, m);
        return CRecordingRenderer::SetTextureMatrix(m, index);
    }
    std::uint32_t RenderEffect(std::uint32_t p, const Handle<hlv_gfx::CVertexBuffer>& v,
                               const Handle<hlv_gfx::CIndexBuffer>& i) override
    {
        KeepDraw();
        return CRecordingRenderer::RenderEffect(p, v, i);
    }
    std::uint32_t RenderEffectInstanced(std::uint32_t p, const Handle<hlv_gfx::CVertexBuffer>& v,
                                        const Handle<hlv_gfx::CIndexBuffer>& i, std::uint64_t n) override
    {
        KeepDraw();
        return CRecordingRenderer::RenderEffectInstanced(p, v, i, n);
    }

private:
    void Keep(std::vector<Matrix>& list, const float* m)
    {
        Matrix copy;
        std::memcpy(copy.data(), m, sizeof copy);
        std::lock_guard<std::mutex> lock(m_drawMutex);
        list.push_back(copy);
    }

    // Pass 0 of the values the last UseEffect handed over.
    void KeepDraw()
    {
        DrawValues draw;
        if (currentEffectValues.GetPassCount() > 0) {
            const hlv_gfx::CRenderPassSnapshot& pass = currentEffectValues.GetPassValues(0);
            for (std::size_t i = 0; i < pass.GetValueCount(); ++i) {
                const auto& entry = pass.GetValueEntry(i);
                const std::byte* data = pass.GetValueData(i);
                if (!entry.variable || !data || entry.size < sizeof(Matrix)) continue;
                const std::string& name = entry.variable->GetName();
                Matrix* target = name == "mat_world"  ? &draw.world
                                 : name == "mat_view" ? &draw.view
                                 : name == "mat_proj" ? &draw.projection
                                                      : nullptr;
                if (target) std::memcpy(target->data(), data, sizeof(Matrix));
            }
        }
        std::lock_guard<std::mutex> lock(m_drawMutex);
        m_draws.push_back(draw);
    }

    mutable std::mutex m_drawMutex;
    std::vector<DrawValues> m_draws;
    std::vector<Matrix> m_transformations;
    std::vector<Matrix> m_textureMatrices;
};

}  // namespace hlv_shade_test
