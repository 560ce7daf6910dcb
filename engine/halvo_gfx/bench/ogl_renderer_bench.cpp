// The OpenGL renderer on llvmpipe, each case against a hand-written raw-GL
// loop that draws the same on the same context:
//   - 1 000 effect draws of a 36-index cube with 4 uniforms and 2 textures:
//     through the whole path (a producer thread records on the
//     multithreaded renderer, this thread executes the commands on the
//     OpenGL renderer, one frame ahead at most), and the OpenGL renderer
//     called directly with values captured per draw;
//   - one 1920x1080 full-screen pass reading 4 textures;
//   - upload and instanced draw of 7 750 particles.
// Every iteration ends with glFinish, so llvmpipe's rasterisation is counted.
// Run under xvfb-run; LP_NUM_THREADS (llvmpipe's thread count) is recorded.
#include <GL/glew.h>

#include <benchmark/benchmark.h>

#include <array>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <list>
#include <memory>
#include <random>
#include <thread>

#include <halvo_core/message_listener.h>
#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/effect_snapshot.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/mt_renderer.h>
#include <halvo_gfx/render_pass_snapshot.h>

#include "gl/gl_context.h"
#include "gl/gl_queries.h"
#include "ogl/gl_resource_builder.h"

namespace {

using namespace hlv_gfx;
using hlv_ogl_test::BufferNameOf;
using hlv_ogl_test::Handle;
using hlv_ogl_test::TextureNameOf;

constexpr int kCubeDraws = 1000;
constexpr int kParticles = 7750;

// Row-major 4x4 matrices for column vectors.
using Matrix = std::array<float, 16>;

Matrix Identity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

// Half-size cube turned about y by angle and about x by a fixed tilt, moved by x.
Matrix World(float angle, float x)
{
    const float c = std::cos(angle), s = std::sin(angle), ct = std::cos(0.5f), st = std::sin(0.5f);
    // Rx(tilt) * Ry(angle) * 0.5, then the translation.
    return {0.5f * c,
            0.0f,
            0.5f * s,
            x,  //
            0.5f * st * s,
            0.5f * ct,
            -0.5f * st * c,
            0,  //
            -0.5f * ct * s,
            0.5f * st,
            0.5f * ct * c,
            0,  //
            0,
            0,
            0,
            1};
}

// Where the draw-th cube of a frame stands: turned a little further each draw,
// in one of five columns.
Matrix CubeWorld(int draw)
{
    return World(0.01f * static_cast<float>(draw), static_cast<float>(draw % 5) * 0.2f - 0.4f);
}

std::vector<float> CubeVertices()
{
    std::vector<float> values;
    for (int axis = 0; axis < 3; ++axis)
        for (float side : {-1.0f, 1.0f}) {
            const int u = (axis + 1) % 3, v = (axis + 2) % 3;
            for (auto [a, b] : {std::pair{-1.0f, -1.0f}, {1.0f, -1.0f}, {1.0f, 1.0f}, {-1.0f, 1.0f}}) {
                float position[3], normal[3] = {0, 0, 0};
                position[axis] = side;
                position[u] = a * side;
                position[v] = b;
                normal[axis] = side;
                values.insert(values.end(), position, position + 3);
                values.insert(values.end(), normal, normal + 3);
            }
        }
    return values;
}

std::vector<std::uint32_t> CubeIndices()
{
    std::vector<std::uint32_t> indices;
    for (std::uint32_t face = 0; face < 6; ++face)
        for (std::uint32_t i : {0u, 1u, 2u, 0u, 2u, 3u}) indices.push_back(face * 4 + i);
    return indices;
}

std::vector<std::uint8_t> Noise(std::size_t bytes, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<std::uint8_t> values(bytes);
    for (auto& value : values) value = static_cast<std::uint8_t>(random());
    return values;
}

void WriteMatrix(CShaderVariable& variable, const Matrix& matrix)
{
    std::memcpy(variable.GetValue(), matrix.data(), sizeof matrix);
}

// Counts the renderer's error reports (commands executed for the front end
// have no caller to answer).
class CErrorCounter : public hlv_core::IMessageListener {
public:
    CErrorCounter() : IMessageListener("benchmark error counter") {}
    std::uint32_t OnMessages(const std::list<std::string>& messages) override
    {
        for (const auto& message : messages) OnMessage(message);
        return 0;
    }
    std::uint32_t OnMessage(const std::string& message) override
    {
        std::cerr << message << std::endl;
        ++errors;
        return 0;
    }
    std::atomic<int> errors{0};
};

// Everything the cases draw with, made once on the benchmark's context.
struct SCENE {
    Handle<CErrorCounter> errors = hlv_core::Adopt(new CErrorCounter());
    Handle<COglRenderer> renderer = hlv_core::Adopt(new COglRenderer("A OpenGL Renderer"));
    hlv_ogl_test::CGlResourceBuilder resources;

    Handle<CEffect> cube;
    Handle<CVertexBuffer> cubeVertices;
    Handle<CIndexBuffer> cubeIndices;
    Handle<CShaderVariable> world;

    Handle<CRenderPass> fullScreen;
    GLuint quadArray = 0, quadBuffer = 0;

    Handle<CEffect> particles;
    Handle<CTextureBuffer> particleData;
    Handle<CVertexBuffer> particleQuad;
    Handle<CIndexBuffer> particleQuadIndices;

    bool Build()
    {
        renderer->GetMessageListeners().push_back(errors);
        if (renderer->InitAPISpecific() != GFXR_OK) return false;

        auto cubePass = resources.MakePass("lit_cube.vs.glsl", "lit_cube.ps.glsl");
        cubeVertices = resources.MakeVertexBuffer({VBL_POSITION, VBL_NORMAL}, CubeVertices());
        cubeIndices = resources.MakeIndexBuffer(CubeIndices());
        if (!cubePass || !cubeVertices || !cubeIndices) return false;
        cubePass->SetTexture(
            resources.MakeTexture(TF_RGBA8, CT_RGBA, hlv_core::T_UCHAR, 256, 256, Noise(256 * 256 * 4, 1)),
            "tex_diffuse");
        cubePass->SetTexture(resources.MakeTexture(TF_RGBA8, CT_RGBA, hlv_core::T_UCHAR, 64, 64, Noise(64 * 64 * 4, 2)),
                             "tex_detail");
        WriteMatrix(*cubePass->GetDefaultVariable(DV_PROJECTION), Identity());
        WriteMatrix(*cubePass->GetDefaultVariable(DV_VIEW), Identity());
        const float camera[3] = {0.0f, 0.0f, 4.0f};
        std::memcpy(cubePass->GetDefaultVariable(DV_CAMERA_POSITION)->GetValue(), camera, sizeof camera);
        world = cubePass->GetDefaultVariable(DV_WORLD);
        cube = hlv_core::Adopt(new CEffect("cube"));
        cube->passes.push_back(cubePass);

        fullScreen = resources.MakePass("fullscreen_four.vs.glsl", "four_inputs.ps.glsl");
        if (!fullScreen) return false;
        for (const char* name : {"tex_a", "tex_b", "tex_c", "tex_d"})
            fullScreen->SetTexture(resources.MakeTexture(TF_RGBA8, CT_RGBA, hlv_core::T_UCHAR, 1920, 1080,
                                                         Noise(1920 * 1080 * 4, name[4])),
                                   name);

        auto particlePass = resources.MakePass("particles.vs.glsl", "vertex_color.ps.glsl");
        particleData = resources.MakeTextureBuffer(std::vector<float>(kParticles * 12, 0.0f));
        particleQuad = resources.MakeVertexBuffer({VBL_POSITION}, {-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0});
        particleQuadIndices = resources.MakeIndexBuffer({0, 1, 2, 0, 2, 3});
        if (!particlePass || !particleData) return false;
        particlePass->SetTextureBuffer(particleData, "particle_data_buffer");
        particles = hlv_core::Adopt(new CEffect("particles"));
        particles->passes.push_back(particlePass);

        // The raw-GL quad of the full-screen baseline.
        const float quad[] = {-1, -1, 0, 0, -1, 1, 0, 1, 1, 1, 1, 1, 1, -1, 1, 0};
        glGenVertexArrays(1, &quadArray);
        glGenBuffers(1, &quadBuffer);
        glBindVertexArray(quadArray);
        glBindBuffer(GL_ARRAY_BUFFER, quadBuffer);
        glBufferData(GL_ARRAY_BUFFER, sizeof quad, quad, GL_STATIC_DRAW);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glVertexPointer(2, GL_FLOAT, 16, nullptr);
        glTexCoordPointer(2, GL_FLOAT, 16, reinterpret_cast<const void*>(8));
        glBindVertexArray(0);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        return resources.errors.empty() && glGetError() == GL_NO_ERROR;
    }
};

SCENE* g_scene = nullptr;

GLuint ProgramOf(const CRenderPass& pass)
{
    return OglApiObject<CGLSL_RenderPass_ApiSpecific>(pass.apiObject)->program;
}

GLint LocationOf(const CRenderPass& pass, const char* name)
{
    return OglApiObject<CGLSL_ShaderVariable_ApiSpecific>(pass.FindVariable(name)->apiObject)->location;
}

void Fail(benchmark::State& state, const char* what)
{
    state.SkipWithError(what);
    hlv_gl_test::DrainGlErrors();
}

// Cube draws: the world matrix changes per draw, as for distinct nodes.
// The whole path: the producer records each frame's draws on the
// multithreaded renderer (handing them over every 10 draws, as the render
// visitor does) while this thread, the render thread, executes them.
void BM_CubeEffectDraws_FullPath(benchmark::State& state)
{
    hlv_gl_test::CTestFramebuffer target(static_cast<GLsizei>(state.range(0)), static_cast<GLsizei>(state.range(0)));
    auto front = hlv_core::Adopt(new MTRenderer("benchmark front end"));
    front->SetRenderer(Handle<IRenderer>(g_scene->renderer.get()));
    const int errorsBefore = g_scene->errors->errors.load();

    std::atomic<bool> stop{false};
    // A full pool frees up as the render thread executes; after the last
    // frame nothing executes any more.
    auto retry = [&stop](auto&& queue) {
        while (queue() == GFXR_MT_NO_COMMAND && !stop.load()) std::this_thread::yield();
    };
    std::thread producer([&] {
        for (std::uint64_t frame = 0; !stop.load(); ++frame) {
            if (frame > 0 && front->WaitForFrame(frame - 1) < frame) break;  // shut down
            retry([&] { return front->Clear(CLM_COLOR_BUFFER); });
            for (int i = 0; i < kCubeDraws && !stop.load(); ++i) {
                WriteMatrix(*g_scene->world, CubeWorld(i));
                retry([&] { return front->UseEffect(g_scene->cube); });
                retry([&] { return front->RenderEffect(PT_TRIANGLES, g_scene->cubeVertices, g_scene->cubeIndices); });
                if (i % 10 == 9) front->Flush(1);
            }
            front->Flush(0);
        }
    });

    for (auto _ : state) {
        front->ProcessCommands();
        glFinish();
        front->SignalFrameDone();
    }
    stop.store(true);
    front->Shutdown();
    producer.join();
    if (g_scene->errors->errors.load() != errorsBefore) return Fail(state, "the renderer reported GL errors");
    state.SetItemsProcessed(state.iterations() * kCubeDraws);
}
BENCHMARK(BM_CubeEffectDraws_FullPath)->Arg(64)->Arg(512)->Unit(benchmark::kMillisecond)->UseRealTime();

// The OpenGL renderer called directly, capturing the values per draw.
void BM_CubeEffectDraws_Renderer(benchmark::State& state)
{
    hlv_gl_test::CTestFramebuffer target(static_cast<GLsizei>(state.range(0)), static_cast<GLsizei>(state.range(0)));
    COglRenderer& renderer = *g_scene->renderer;
    CEffectSnapshot values;
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT);
        for (int i = 0; i < kCubeDraws; ++i) {
            WriteMatrix(*g_scene->world, CubeWorld(i));
            values.CaptureFrom(g_scene->cube);
            renderer.UseEffect(g_scene->cube, values);
            if (renderer.RenderEffect(PT_TRIANGLES, g_scene->cubeVertices, g_scene->cubeIndices) != GFXR_OK)
                return Fail(state, "RenderEffect failed");
        }
        glFinish();
    }
    state.SetItemsProcessed(state.iterations() * kCubeDraws);
}
BENCHMARK(BM_CubeEffectDraws_Renderer)->Arg(64)->Arg(512)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CubeEffectDraws_RawGl(benchmark::State& state)
{
    hlv_gl_test::CTestFramebuffer target(static_cast<GLsizei>(state.range(0)), static_cast<GLsizei>(state.range(0)));
    // The same GL objects the renderer draws with (uploaded by it once).
    CEffectSnapshot warm;
    warm.CaptureFrom(g_scene->cube);
    g_scene->renderer->UseEffect(g_scene->cube, warm);
    g_scene->renderer->RenderEffect(PT_TRIANGLES, g_scene->cubeVertices, g_scene->cubeIndices);
    const CRenderPass& pass = *g_scene->cube->passes[0];
    const GLuint program = ProgramOf(pass);
    const GLint proj = LocationOf(pass, "mat_proj"), view = LocationOf(pass, "mat_view");
    const GLint world = LocationOf(pass, "mat_world"), camera = LocationOf(pass, "vec_cam_pos_ws");
    const GLint diffuse = LocationOf(pass, "tex_diffuse"), detail = LocationOf(pass, "tex_detail");
    const GLuint diffuseTexture = TextureNameOf(pass.GetTexture(0)->apiObject);
    const GLuint detailTexture = TextureNameOf(pass.GetTexture(1)->apiObject);
    const GLuint vertices = BufferNameOf(g_scene->cubeVertices->apiObject);
    const GLuint indices = BufferNameOf(g_scene->cubeIndices->apiObject);
    const Matrix identity = Identity();
    const float cameraPosition[3] = {0.0f, 0.0f, 4.0f};

    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT);
        for (int i = 0; i < kCubeDraws; ++i) {
            const Matrix placement = CubeWorld(i);
            glUseProgram(program);
            glUniformMatrix4fv(proj, 1, GL_TRUE, identity.data());
            glUniformMatrix4fv(view, 1, GL_TRUE, identity.data());
            glUniformMatrix4fv(world, 1, GL_TRUE, placement.data());
            glUniform3fv(camera, 1, cameraPosition);
            glActiveTexture(GL_TEXTURE0);
            glBindTexture(GL_TEXTURE_2D, diffuseTexture);
            glUniform1i(diffuse, 0);
            glActiveTexture(GL_TEXTURE1);
            glBindTexture(GL_TEXTURE_2D, detailTexture);
            glUniform1i(detail, 1);
            glBindBuffer(GL_ARRAY_BUFFER, vertices);
            glEnableClientState(GL_VERTEX_ARRAY);
            glEnableClientState(GL_NORMAL_ARRAY);
            glVertexPointer(3, GL_FLOAT, 24, nullptr);
            glNormalPointer(GL_FLOAT, 24, reinterpret_cast<const void*>(12));
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices);
            glDrawElements(GL_TRIANGLES, 36, GL_UNSIGNED_INT, nullptr);
            glDisableClientState(GL_VERTEX_ARRAY);
            glDisableClientState(GL_NORMAL_ARRAY);
        }
        glFinish();
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glActiveTexture(GL_TEXTURE0);
    state.SetItemsProcessed(state.iterations() * kCubeDraws);
}
BENCHMARK(BM_CubeEffectDraws_RawGl)->Arg(64)->Arg(512)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FullScreenPass4Textures_Renderer(benchmark::State& state)
{
    hlv_gl_test::CTestFramebuffer target(1920, 1080);
    COglRenderer& renderer = *g_scene->renderer;
    CRenderPassSnapshot values;
    for (auto _ : state) {
        values.CaptureFrom(g_scene->fullScreen);
        if (renderer.UseRenderPass(g_scene->fullScreen, values) != GFXR_OK || renderer.RenderQuad() != GFXR_OK)
            return Fail(state, "full-screen pass failed");
        glFinish();
    }
}
BENCHMARK(BM_FullScreenPass4Textures_Renderer)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FullScreenPass4Textures_RawGl(benchmark::State& state)
{
    hlv_gl_test::CTestFramebuffer target(1920, 1080);
    const CRenderPass& pass = *g_scene->fullScreen;
    const GLuint program = ProgramOf(pass);
    GLuint textures[4];
    GLint samplers[4];
    for (std::size_t i = 0; i < 4; ++i) {
        textures[i] = TextureNameOf(pass.GetTexture(i)->apiObject);
        samplers[i] = LocationOf(pass, std::array{"tex_a", "tex_b", "tex_c", "tex_d"}[i]);
    }
    for (auto _ : state) {
        glUseProgram(program);
        for (GLint unit = 0; unit < 4; ++unit) {
            glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
            glBindTexture(GL_TEXTURE_2D, textures[unit]);
            glUniform1i(samplers[unit], unit);
        }
        glBindVertexArray(g_scene->quadArray);
        glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
        glBindVertexArray(0);
        glFinish();
    }
    glActiveTexture(GL_TEXTURE0);
}
BENCHMARK(BM_FullScreenPass4Textures_RawGl)->Unit(benchmark::kMillisecond)->UseRealTime();

// A step of the particles: every particle written anew (the write-back of a
// particle system), then uploaded and drawn as 4x4-pixel squares.
void WriteParticles(CTextureBuffer& buffer, int step)
{
    buffer.WriteData([&](CBuffer& memory) {
        auto* texels = reinterpret_cast<float*>(memory.GetData());
        for (int i = 0; i < kParticles; ++i) {
            const float angle = 0.001f * static_cast<float>(i * 37 + step);
            float* particle = texels + 12 * i;
            particle[0] = std::cos(angle) * static_cast<float>(i % 97) / 100.0f;
            particle[1] = std::sin(angle) * static_cast<float>(i % 89) / 100.0f;
            particle[2] = 0.0f;
            particle[3] = 2.0f / 1080.0f * 2.0f;
            particle[4] = 1.0f;
            particle[5] = static_cast<float>(i % 7) / 7.0f;
            particle[6] = 0.5f;
            particle[7] = 0.5f;
            particle[8] = particle[9] = particle[10] = 0.0f;
            particle[11] = 1.0f;
        }
    });
}

void BM_Particles7750_Renderer(benchmark::State& state)
{
    hlv_gl_test::CTestFramebuffer target(1920, 1080);
    COglRenderer& renderer = *g_scene->renderer;
    CEffectSnapshot values;
    int step = 0;
    for (auto _ : state) {
        WriteParticles(*g_scene->particleData, ++step);
        glClear(GL_COLOR_BUFFER_BIT);
        values.CaptureFrom(g_scene->particles);
        renderer.UseEffect(g_scene->particles, values);
        if (renderer.RenderEffectInstanced(PT_TRIANGLES, g_scene->particleQuad, g_scene->particleQuadIndices,
                                           kParticles) != GFXR_OK)
            return Fail(state, "particle draw failed");
        glFinish();
    }
    state.SetItemsProcessed(state.iterations() * kParticles);
}
BENCHMARK(BM_Particles7750_Renderer)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Particles7750_RawGl(benchmark::State& state)
{
    hlv_gl_test::CTestFramebuffer target(1920, 1080);
    const CRenderPass& pass = *g_scene->particles->passes[0];
    const GLuint program = ProgramOf(pass);
    const GLint sampler = LocationOf(pass, "particle_data_buffer");
    const GLuint texture = TextureNameOf(g_scene->particleData->textureApiObject);
    const GLuint buffer = BufferNameOf(g_scene->particleData->bufferApiObject);
    const GLuint vertices = BufferNameOf(g_scene->particleQuad->apiObject);
    const GLuint indices = BufferNameOf(g_scene->particleQuadIndices->apiObject);
    int step = 0;
    for (auto _ : state) {
        WriteParticles(*g_scene->particleData, ++step);
        glClear(GL_COLOR_BUFFER_BIT);
        g_scene->particleData->UploadIfChanged([&](const CBuffer& memory) -> std::uint32_t {
            glBindBuffer(GL_TEXTURE_BUFFER, buffer);
            glBufferData(GL_TEXTURE_BUFFER, static_cast<GLsizeiptr>(memory.GetDataSize()), memory.GetData(),
                         GL_DYNAMIC_DRAW);
            glBindBuffer(GL_TEXTURE_BUFFER, 0);
            return GFXR_OK;
        });
        glUseProgram(program);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_BUFFER, texture);
        glTexBuffer(GL_TEXTURE_BUFFER, GL_RGBA32F, buffer);
        glUniform1i(sampler, 0);
        glBindBuffer(GL_ARRAY_BUFFER, vertices);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 12, nullptr);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices);
        glDrawElementsInstanced(GL_TRIANGLES, 6, GL_UNSIGNED_INT, nullptr, kParticles);
        glDisableClientState(GL_VERTEX_ARRAY);
        glFinish();
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    state.SetItemsProcessed(state.iterations() * kParticles);
}
BENCHMARK(BM_Particles7750_RawGl)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const std::string error = hlv_gl_test::EnsureGlContext();
    if (!error.empty()) {
        std::cerr << "No GL context: " << error << std::endl;
        return 1;
    }
    const auto info = hlv_gl_test::GetGlContextInfo();
    const char* threads = std::getenv("LP_NUM_THREADS");
    benchmark::AddCustomContext("GL_RENDERER", info.renderer);
    benchmark::AddCustomContext("GL_VERSION", info.version);
    benchmark::AddCustomContext("LP_NUM_THREADS", threads ? threads : "unset (llvmpipe uses one per core)");

    auto scene = std::make_unique<SCENE>();
    g_scene = scene.get();
    if (!scene->Build()) {
        std::cerr << "The benchmark scene could not be built" << std::endl;
        for (const auto& what : scene->resources.errors) std::cerr << "  " << what << std::endl;
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    scene->renderer->ReleaseAPISpecific();
    glDeleteVertexArrays(1, &scene->quadArray);
    glDeleteBuffers(1, &scene->quadBuffer);
    g_scene = nullptr;
    return 0;
}
