#pragma once
// The output and input slots of render-target textures: besides the texture
// handle they carry the viewport that was drawn into it and the texture scale,
// the part of the texture that holds the image.
#include <cstdint>

#include <halvo_core/handle.h>
#include <halvo_gfx/viewport.h>
#include <halvo_slot/CGenericSlot.h>

namespace hlv_slot {

// Fraction of the texture's width and height covered by the viewport.
struct TextureScale {
    float x = 1.0f;
    float y = 1.0f;

    friend bool operator==(const TextureScale&, const TextureScale&) = default;
};

// x = min(1, viewport width / texture width), y likewise with the heights.
// A texture side of 0 texels gives 1 for that side.
TextureScale ComputeTextureScale(const hlv_gfx::VIEWPORT& viewport, std::uint64_t textureWidth,
                                 std::uint64_t textureHeight);

template <typename In, typename Out, typename Tex>
class CScaledTextureInputSlot;

// Tex is hlv_gfx::CTexture or hlv_gfx::CDepthTexture (anything with width and
// height fields).
template <typename Out, typename In, typename Tex>
class CScaledTextureOutputSlot : public CGenericOutputSlot<Out, In, hlv_core::CResourceHandle<Tex>> {
    using Base = CGenericOutputSlot<Out, In, hlv_core::CResourceHandle<Tex>>;

public:
    using handle_type = hlv_core::CResourceHandle<Tex>;

    CScaledTextureOutputSlot() = default;
    // Holds texture from the start; the scale is computed by the first
    // SetValue or SetViewport.
    explicit CScaledTextureOutputSlot(const handle_type& texture) : Base(texture) {}

    // Stores the viewport, recomputes the texture scale and hands both to
    // every connected input (no notification: the texture is unchanged).
    void SetViewport(const hlv_gfx::VIEWPORT& viewport)
    {
        m_viewport = viewport;
        UpdateTextureScale();
        for (std::size_t i = 0; i < this->GetInputCount(); ++i) {
            if (In* input = this->GetInput(i)) input->TakeViewport(m_viewport, m_scale);
        }
    }

    // Recomputes the scale from the texture and the viewport; with an empty
    // handle the scale keeps its last value.
    void UpdateTextureScale()
    {
        const Tex* texture = this->m_value.get();
        if (!texture) return;
        m_scale = ComputeTextureScale(m_viewport, texture->width, texture->height);
    }

    const hlv_gfx::VIEWPORT& GetViewport() const { return m_viewport; }
    const TextureScale& GetTextureScale() const { return m_scale; }

protected:
    void OnValueChanged(const handle_type&) override { UpdateTextureScale(); }

private:
    hlv_gfx::VIEWPORT m_viewport{};
    TextureScale m_scale{};
};

template <typename In, typename Out, typename Tex>
class CScaledTextureInputSlot : public CGenericInputSlot<In, Out, hlv_core::CResourceHandle<Tex>> {
public:
    const hlv_gfx::VIEWPORT& GetViewport() const { return m_viewport; }
    // The scale to sample this input's texture with.
    const TextureScale& GetTextureScale() const { return m_scale; }

protected:
    // The texture came with the value; viewport and scale follow it.
    void OnOutputValue(Out* output) override { TakeViewport(output->GetViewport(), output->GetTextureScale()); }
    // A disconnected input holds no texture.
    void OnDisconnected() override { this->m_value.Reset(); }

private:
    friend class CScaledTextureOutputSlot<Out, In, Tex>;

    void TakeViewport(const hlv_gfx::VIEWPORT& viewport, const TextureScale& scale)
    {
        m_viewport = viewport;
        m_scale = scale;
    }

    hlv_gfx::VIEWPORT m_viewport{};
    TextureScale m_scale{};
};

}  // namespace hlv_slot
