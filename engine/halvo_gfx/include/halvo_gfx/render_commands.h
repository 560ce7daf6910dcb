#pragma once
// The render commands: each carries one IRenderer call from a producer
// thread to the render thread (see mt_renderer.h).
#include <array>
#include <concepts>
#include <cstdint>
#include <functional>
#include <tuple>
#include <type_traits>
#include <vector>

#include <halvo_gfx/command_operation.h>
#include <halvo_gfx/effect_snapshot.h>
#include <halvo_gfx/pooled_command.h>
#include <halvo_gfx/render_pass_snapshot.h>
#include <halvo_gfx/renderer.h>

namespace hlv_gfx {

// Base of every render command.
using renderer_command = TQueuedCommand<IRenderer>;

// 16 floats, row-major, copied by value into the command.
using Matrix4x4 = std::array<float, 16>;

// Recycled snapshots drop their handles and keep their storage.
inline void ResetArgument(CEffectSnapshot& values) { values.Clear(); }
inline void ResetArgument(CRenderPassSnapshot& values) { values.Clear(); }

// The commands whose call depends on a flag.
inline std::uint32_t ApplyBlendFunction(IRenderer& r, bool separate, std::uint32_t colour, std::uint32_t alpha)
{
    return separate ? r.SetRenderState(BLEND_EQUATION{colour}, BLEND_EQUATION{alpha})
                    : r.SetRenderState(BLEND_EQUATION{colour});
}

inline std::uint32_t ApplyBlendFactor(IRenderer& r, bool separate, std::uint32_t sourceColour,
                                      std::uint32_t destinationColour, std::uint32_t sourceAlpha,
                                      std::uint32_t destinationAlpha)
{
    return separate ? r.SetRenderState(BLEND_FACTOR{sourceColour}, BLEND_FACTOR{destinationColour},
                                       BLEND_FACTOR{sourceAlpha}, BLEND_FACTOR{destinationAlpha})
                    : r.SetRenderState(BLEND_FACTOR{sourceColour}, BLEND_FACTOR{destinationColour});
}

inline std::uint32_t ApplyRenderState(IRenderer& r, bool enable, std::uint32_t state)
{
    return enable ? r.EnableRenderState(state) : r.DisableRenderState(state);
}

// One overload of a renderer operation, picked by its signature.
template <class Signature>
constexpr Signature IRenderer::*Overload(Signature IRenderer::*operation)
{
    return operation;
}

// How a command keeps the argument for one parameter of its operation: a copy
// of the value (handles hold a reference while queued); a matrix, which the
// operation takes as a pointer, as its 16 floats.
template <class Parameter>
struct TStoredArgument {
    using type = std::remove_cvref_t<Parameter>;
};
template <>
struct TStoredArgument<const float*> {
    using type = Matrix4x4;
};

template <class Parameters>
struct TStoredArguments;
template <class... Parameters>
struct TStoredArguments<TTypeList<Parameters...>> {
    using type = TTypeList<typename TStoredArgument<Parameters>::type...>;
};

// The arguments a command of the operation stores, derived from its
// parameters.
template <auto kOperation>
struct TCommandArguments {
    using type = typename TStoredArguments<OperationParameters<kOperation>>::type;
};

// comr_render_instanced keeps its instance count as an unsigned 64-bit value,
// the width producers count instances in; the renderer draws at most 2^32 - 1
// instances at once. A larger count is refused when it is queued.
template <>
struct TCommandArguments<&IRenderer::RenderInstanced> {
    using type = TTypeList<std::uint32_t, HandleOf<CVertexBuffer>, HandleOf<CIndexBuffer>, std::uint64_t>;
};

// A stored argument is what its parameter stores, or an integer of the same
// signedness stored wider than the parameter takes it.
// clang-format off
template <class Stored, class Parameter>
concept StoresArgumentFor =
    std::same_as<Stored, typename TStoredArgument<Parameter>::type> ||
    (StandardInteger<Stored> && StandardInteger<std::remove_cvref_t<Parameter>> &&
     std::is_signed_v<Stored> == std::is_signed_v<std::remove_cvref_t<Parameter>> &&
     sizeof(Stored) > sizeof(std::remove_cvref_t<Parameter>));
// clang-format on

// A stored argument as its parameter takes it: a matrix as a pointer to its
// floats, a wider integer converted (its value fits, see Call), anything else
// as it is stored.
template <class Parameter, class Stored>
decltype(auto) PassArgument(Stored& stored)
{
    using Type = std::remove_cvref_t<Parameter>;
    if constexpr (std::same_as<Stored, Matrix4x4>)
        return static_cast<const float*>(stored.data());
    else if constexpr (StandardInteger<Stored> && !std::same_as<Stored, Type>)
        return static_cast<Type>(stored);
    else
        return (stored);
}

template <class Derived, auto kOperation, class Parameters = OperationParameters<kOperation>,
          class Arguments = typename TCommandArguments<kOperation>::type>
class TRenderCommand;

// A render command that calls kOperation on the renderer with its stored
// arguments. Integer values are checked against the operation's own
// parameter types: when queued (Accepts) and again when executed, where an
// argument that does not fit gives GFXR_INVALID_ARGUMENT and the renderer is
// not called.
template <class Derived, auto kOperation, class... Parameters, class... Arguments>
class TRenderCommand<Derived, kOperation, TTypeList<Parameters...>, TTypeList<Arguments...>>
    : public TPooledCommand<Derived, renderer_command, Arguments...> {
    static_assert(sizeof...(Parameters) == sizeof...(Arguments), "one stored argument per parameter");
    static_assert((StoresArgumentFor<Arguments, Parameters> && ...),
                  "a command stores what its operation takes, or an integer wider than it takes");

public:
    template <class... Values>
    static bool Accepts(const Values&... values)
    {
        static_assert(sizeof...(Values) == sizeof...(Parameters), "one value per argument");
        return (FitsIn<Parameters>(values) && ...);
    }

    std::uint32_t Call(IRenderer& renderer)
    {
        return std::apply(
            [&renderer](Arguments&... argument) -> std::uint32_t {
                if (!(FitsIn<Parameters>(argument) && ...)) return GFXR_INVALID_ARGUMENT;
                return std::invoke(kOperation, renderer, PassArgument<Parameters>(argument)...);
            },
            this->m_arguments);
    }

protected:
    TRenderCommand() = default;
    ~TRenderCommand() = default;
};

// One line per render command, in pool order:
//   X(class, the renderer operation its Execute calls)
// Each command stores one argument per parameter of the operation (see
// TCommandArguments). The two commands that select shader values store a
// snapshot beside the handle; the front end captures it when the command is
// queued.
// clang-format off
#define HLV_RENDER_COMMAND_LIST(X)                                                                         \
    X(comr_push_attrib, &IRenderer::PushAttrib)                                                            \
    X(comr_pop_attrib, &IRenderer::PopAttrib)                                                              \
    X(comr_rs_clear_color, &IRenderer::SetClearColor)                                                      \
    X(comr_rs_clear, &IRenderer::Clear)                                                                    \
    X(comr_rs_fill_mode, &IRenderer::SetFillMode)                                                          \
    X(comr_rs_cull_mode, &IRenderer::SetCullMode)                                                          \
    X(comr_rs_front_face, &IRenderer::SetFrontFace)                                                        \
    X(comr_set_matrix_mode, &IRenderer::SetMatrixMode)                                                     \
    X(comr_set_transformation, &IRenderer::SetTransformation)                                              \
    X(comr_set_viewport,                                                                                   \
      Overload<std::uint32_t(std::uint64_t, std::uint64_t, std::uint64_t, std::uint64_t)>(                 \
          &IRenderer::SetViewport))                                                                        \
    X(comr_push_matrix, &IRenderer::PushMatrix)                                                            \
    X(comr_pop_matrix, &IRenderer::PopMatrix)                                                              \
    X(comr_set_texture_matrix, &IRenderer::SetTextureMatrix)                                               \
    X(comr_use_effect, &IRenderer::UseEffect)                                                              \
    X(comr_use_render_pass, &IRenderer::UseRenderPass)                                                     \
    X(comr_use_framebuffer, &IRenderer::UseFramebuffer)                                                    \
    X(comr_switch_render_target,                                                                           \
      Overload<std::uint32_t(const std::vector<unsigned>&, std::uint64_t)>(&IRenderer::SwitchRenderTarget)) \
    X(comr_load_vertex_buffer,                                                                             \
      Overload<std::uint32_t(const HandleOf<CVertexBuffer>&, std::uint32_t)>(&IRenderer::LoadBufferData))  \
    X(comr_load_index_buffer,                                                                              \
      Overload<std::uint32_t(const HandleOf<CIndexBuffer>&, std::uint32_t)>(&IRenderer::LoadBufferData))   \
    X(comr_load_texture_buffer, Overload<std::uint32_t(HandleOf<CTextureBuffer>)>(&IRenderer::LoadTexture)) \
    X(comr_render, &IRenderer::Render)                                                                     \
    X(comr_render_instanced, &IRenderer::RenderInstanced)                                                  \
    X(comr_udpate_texture_buffer,                                                                          \
      Overload<std::uint32_t(const HandleOf<CTextureBuffer>&, std::int32_t, std::int32_t)>(                \
          &IRenderer::UpdateBufferData))                                                                   \
    X(comr_render_effect, &IRenderer::RenderEffect)                                                        \
    X(comr_render_quad, &IRenderer::RenderQuad)                                                            \
    X(comr_render_effect_instanced, &IRenderer::RenderEffectInstanced)                                     \
    X(comr_blend_func, &ApplyBlendFunction)                                                                \
    X(comr_blend_fac, &ApplyBlendFactor)                                                                   \
    X(comr_render_state, &ApplyRenderState)
// clang-format on

#define HLV_DECLARE_RENDER_COMMAND(name, operation)                        \
    class name final : public ::hlv_gfx::TRenderCommand<name, operation> { \
    public:                                                                \
        static constexpr const char* kCommandName = #name;                 \
    };
HLV_RENDER_COMMAND_LIST(HLV_DECLARE_RENDER_COMMAND)
#undef HLV_DECLARE_RENDER_COMMAND

}  // namespace hlv_gfx
