// Scene 2 and its background on a real OpenGL context (llvmpipe): their
// effects load from the demo's shader files through the loader the demo uses,
// with every uniform a controller drives live and no sampler the builders do
// not bind; and the scene the builders make draws lit cubes over a sky that
// turns coral in the climax.
//
// With DMO_SCENE2_IMAGES naming a folder, the frames are written there as
// PNG files.
#include <GL/glew.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <QImage>

#include "gl/gl_test.h"
#include "ogl/collecting_listener.h"
#include "ogl/gl_resource_builder.h"

#include <halvo_app/Context/CManagedContext.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/mt_gfx_system.h>
#include <halvo_gfx/mt_renderer.h>
#include <halvo_gfx/ogl/ogl_renderer.h>
#include <halvo_gfx/ogl/ogl_system.h>
#include <halvo_io/IOFreeImageSystem.h>
#include <halvo_io/cerr_compiler_listener.h>
#include <halvo_io/cerr_linker_listener.h>
#include <halvo_io/cerr_printer.h>
#include <halvo_sg/default_scene_graph.h>
#include <hlv_testing/watchdog.h>
#include <tidal_knots/SceneBuild.h>
#include <tidal_knots/asset_lists.h>
#include <tidal_knots/gpu_data.h>
#include <tidal_knots/load_functions.h>

namespace {

using hlv_core::Adopt;
using hlv_core::CResourceHandle;
using namespace std::chrono_literals;

const std::string kDemoFolder = DMO_DATA_DIR;

// The effects of Scene 2 and its background: the variables that the
// controllers and builders drive (they must be live in the linked program)
// and the complete set of samplers (each one is bound by a builder).
struct EFFECT_CONTRACT {
    std::map<std::string, std::uint32_t> driven;
    std::set<std::string> samplers;
};

const std::map<std::string, EFFECT_CONTRACT>& Contracts()
{
    using namespace hlv_gfx;
    const std::map<std::string, std::uint32_t> sky = {{"uni_beat", SVT_FLOAT},
                                                      {"uni_mix_color_1_2", SVT_FLOAT},
                                                      {"uni_bottom_color", SVT_FLOAT_VEC3},
                                                      {"uni_sky_color_1", SVT_FLOAT_VEC3},
                                                      {"uni_sky_color_2", SVT_FLOAT_VEC3}};
    auto withSampler = [](std::map<std::string, std::uint32_t> driven, std::set<std::string> samplers) {
        for (const auto& name : samplers)
            driven.emplace(name, name == "particle_data_buffer" ? SVT_SAMPLER_BUFFER : SVT_SAMPLER_2D);
        return EFFECT_CONTRACT{driven, samplers};
    };
    static const std::map<std::string, EFFECT_CONTRACT> contracts = {
        {"GlidingParticlesEffect", withSampler({}, {"particle_data_buffer", "smp_particle"})},
        {"PressureCubeParticlesEffect1", withSampler({}, {"particle_data_buffer"})},
        {"PressureCubeParticlesEffect2", withSampler({}, {"particle_data_buffer"})},
        {"MiddleCubesParticleEffect", withSampler({}, {"particle_data_buffer"})},
        {"BackgroundTightCubeEffect", withSampler(sky, {"particle_data_buffer"})},
        {"MiddleCubeEffect", withSampler({{"uni_bounce", SVT_FLOAT}}, {})},
        {"MapScaledBackgroundScene2", withSampler(sky, {"uni_smp_gb1", "uni_smp_gb2", "uni_smp_gb3", "uni_smp_gb4"})},
        {"Blur", withSampler({{"uni_f_recip_width", SVT_FLOAT}, {"uni_f_recip_height", SVT_FLOAT}}, {"uni_is_tex"})},
    };
    return contracts;
}

std::vector<dmo_nimra::EffectDescription> Scene2Effects()
{
    std::vector<dmo_nimra::EffectDescription> effects;
    for (const auto& effect : dmo_nimra::DemoEffectList(kDemoFolder + "/LocalShader/"))
        if (Contracts().count(effect.key)) effects.push_back(effect);
    return effects;
}

// Mean colour and coverage of an RGBA8 read-back, over the pixels a mask
// selects.
struct REGION {
    double share = 0.0;            // of all pixels
    std::array<double, 3> mean{};  // 0..255
    int colours = 0;               // distinct colours, 16 levels per channel
    double spread = 0.0;           // standard deviation of the luminance
};

REGION Measure(const std::vector<std::uint8_t>& pixels, const std::function<bool(std::size_t)>& selected)
{
    REGION region;
    std::set<int> colours;
    std::size_t count = 0;
    const std::size_t n = pixels.size() / 4;
    for (std::size_t i = 0; i < n; ++i) {
        if (!selected(i)) continue;
        ++count;
        for (int c = 0; c < 3; ++c) region.mean[c] += pixels[4 * i + c];
        colours.insert((pixels[4 * i] >> 4) << 8 | (pixels[4 * i + 1] >> 4) << 4 | pixels[4 * i + 2] >> 4);
    }
    if (count != 0) {
        for (double& m : region.mean) m /= static_cast<double>(count);
        double squares = 0.0;
        const double mean = 0.299 * region.mean[0] + 0.587 * region.mean[1] + 0.114 * region.mean[2];
        for (std::size_t i = 0; i < n; ++i) {
            if (!selected(i)) continue;
            const double luma = 0.299 * pixels[4 * i] + 0.587 * pixels[4 * i + 1] + 0.114 * pixels[4 * i + 2];
            squares += (luma - mean) * (luma - mean);
        }
        region.spread = std::sqrt(squares / static_cast<double>(count));
    }
    region.share = n != 0 ? static_cast<double>(count) / static_cast<double>(n) : 0.0;
    region.colours = static_cast<int>(colours.size());
    return region;
}

class Scene2OnGl : public hlv_gl_test::CGlTest {
protected:
    // Half the demo's backplane keeps the frames quick on llvmpipe.
    static constexpr std::uint64_t kWidth = 960;
    static constexpr std::uint64_t kHeight = 540;

    void SetUp() override
    {
        CGlTest::SetUp();
        if (HasFatalFailure()) return;
        // Compile and link logs go to the standard error stream.
        compileLog->SetPrinter(printer);
        linkLog->SetPrinter(printer);
        system->AddCompilerListener(compileLog.get());
        system->AddLinkerListener(linkLog.get());
        gfx->SetGfxSystem(CResourceHandle<hlv_gfx::IGfxSystem>(system));
        gl->GetMessageListeners().push_back(rendererLog);
        ASSERT_EQ(gl->InitAPISpecific(), hlv_gfx::GFXR_OK);
        renderer->SetRenderer(CResourceHandle<hlv_gfx::IRenderer>(gl));
        graph->SetRenderer(renderer);
        graph->SetGfxSystem(gfx);
    }

    void TearDown() override
    {
        if (gl) gl->ReleaseAPISpecific();
        EXPECT_EQ(rendererLog->texts, std::vector<std::string>{}) << "renderer errors";
        glUseProgram(0);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        CGlTest::TearDown();
    }

    // Runs load on a loading thread, as the application's main thread loads,
    // while this thread, which holds the context, executes the creation
    // commands as the render thread does until the loader ends the stay.
    bool Load(const std::function<bool()>& load)
    {
        hlv_testing::CWatchdog watchdog(120s, "loading Scene 2's assets");
        bool loaded = false;
        gfx->Flush(1);
        std::thread loader([&] {
            loaded = load();
            gfx->Flush(0);
        });
        gfx->ProcessCommands();
        loader.join();
        return loaded;
    }

    // The slots that the application's start-up and keyframe files provide.
    void AddApplicationSlots()
    {
        auto addViewport = [this](const char* name, std::uint64_t width, std::uint64_t height) {
            auto* slot = new hlv_slot::CViewportOutputSlot();
            context.viewportSlotManager.InsertSlot(name, slot);
            slot->SetValue(hlv_gfx::VIEWPORT{0, 0, width, height});
        };
        addViewport("Backplane Viewport", kWidth, kHeight);
        addViewport("Backplane Viewport Half", kWidth / 2, kHeight / 2);
        auto& floats = context.VariantSlots<float>();
        floats.AddSlot("Backplane Width Half Recip", 2.0f / kWidth);
        floats.AddSlot("Backplane Height Half Recip", 2.0f / kHeight);
        floats.AddSlot("Bass Drum loop", 0.0f);
        floats.AddSlot("Bass Drum loop Background", 0.0f);
        auto& vectors = context.VariantSlots<pld_math::vec3f>();
        vectors.AddSlot("Main Camera Position", {170.0f, 60.0f, -560.0f});
        vectors.AddSlot("Main Camera Lookat", {0.0f, 0.0f, 0.0f});
        vectors.AddSlot("Background Camera Position", {0.0f, 0.0f, -1000.0f});
        vectors.AddSlot("Background Camera Lookat", {0.0f, 0.0f, 2000.0f});
    }

    // Where the demo's camera files put both cameras at some moment.
    struct CAMERAS {
        pld_math::vec3f eye, target, backgroundEye, backgroundTarget;
    };
    void PlaceCameras(const CAMERAS& cameras)
    {
        auto& vectors = context.VariantSlots<pld_math::vec3f>();
        const std::pair<const char*, pld_math::vec3f> values[] = {
            {"Main Camera Position", cameras.eye},
            {"Main Camera Lookat", cameras.target},
            {"Background Camera Position", cameras.backgroundEye},
            {"Background Camera Lookat", cameras.backgroundTarget}};
        for (const auto& [name, value] : values) {
            auto* slot = vectors.FindSlot(name);
            slot->Value() = value;
            slot->NotifyInputs();
        }
    }

    // One frame at t: the scene graph records it, then this thread executes
    // it as the render thread would.
    void RenderFrame(std::uint64_t t)
    {
        hlv_sg::frame_time_record time;
        time.milliseconds = t;
        time.seconds = static_cast<double>(t) / 1000.0;
        time.absDeltaMilliseconds = t > m_lastTime ? t - m_lastTime : m_lastTime - t;
        time.deltaSeconds = static_cast<float>(time.absDeltaMilliseconds) / 1000.0f;
        time.backwards = t < m_lastTime ? 1 : 0;
        time.frameNumber = m_frames++;
        m_lastTime = t;
        graph->Update(&time);
        renderer->FlushSecondQueue();
        renderer->Flush(0);
        renderer->ProcessCommands();
    }

    std::vector<std::uint8_t> ReadTexture(const std::string& key)
    {
        const hlv_gfx::CTexture* texture = context.textures.Get(key);
        if (!texture) return {};
        return hlv_gl_test::ReadTextureRgba8(GL_TEXTURE_2D, hlv_ogl_test::TextureNameOf(texture->apiObject));
    }

    void Save(const std::vector<std::uint8_t>& pixels, const std::string& name)
    {
        const char* folder = std::getenv("DMO_SCENE2_IMAGES");
        if (!folder || pixels.size() != kWidth * kHeight * 4) return;
        // Rows come bottom first.
        QImage image(pixels.data(), kWidth, kHeight, QImage::Format_RGBA8888);
        image.mirrored().save(QString::fromStdString(std::string(folder) + "/" + name + ".png"));
    }

    CResourceHandle<hlv_io::IMessagePrinter> printer = Adopt(new hlv_io::CCerrPrinter("shader logs"));
    CResourceHandle<hlv_io::CCerrCompilerListener> compileLog = Adopt(new hlv_io::CCerrCompilerListener("compile log"));
    CResourceHandle<hlv_io::CCerrLinkerListener> linkLog = Adopt(new hlv_io::CCerrLinkerListener("link log"));
    CResourceHandle<hlv_ogl_test::CCollectingListener> rendererLog = Adopt(new hlv_ogl_test::CCollectingListener);
    CResourceHandle<hlv_gfx::COglSystem> system = Adopt(new hlv_gfx::COglSystem("OpenGL system"));
    CResourceHandle<hlv_gfx::MTGfxSystem> gfx = Adopt(new hlv_gfx::MTGfxSystem("The Multi Threaded Gfx System"));
    CResourceHandle<hlv_gfx::COglRenderer> gl = Adopt(new hlv_gfx::COglRenderer("OpenGL renderer"));
    CResourceHandle<hlv_gfx::MTRenderer> renderer = Adopt(new hlv_gfx::MTRenderer("The Multi Threaded Renderer"));
    CResourceHandle<hlv_sg::CDefaultSceneGraph> graph = Adopt(new hlv_sg::CDefaultSceneGraph("The Scene Graph"));
    hlv_app::CManagedContext context;
    dmo_nimra::CControllerStore controllers;

private:
    std::uint64_t m_lastTime = 0;
    std::uint64_t m_frames = 0;
};

TEST_F(Scene2OnGl, EffectsLinkWithTheirDrivenUniformsAndOnlyBoundSamplers)
{
    const auto effects = Scene2Effects();
    ASSERT_EQ(effects.size(), Contracts().size()) << "the effect list names every effect of Scene 2";
    ASSERT_TRUE(Load([&] { return dmo_nimra::LoadEffects(effects, *gfx, context); }));

    for (const auto& [key, contract] : Contracts()) {
        SCOPED_TRACE(key);
        const hlv_gfx::CEffect* effect = context.effects.Get(key);
        ASSERT_NE(effect, nullptr);
        ASSERT_EQ(effect->passes.size(), 1u);
        const auto pass = effect->GetRenderPass(0);
        for (const auto& [name, type] : contract.driven) {
            const auto variable = pass->FindVariable(name);
            ASSERT_TRUE(variable) << name << " is not live in the linked program";
            EXPECT_EQ(variable->GetType(), type) << name;
        }
        std::set<std::string> samplers;
        for (const auto& variable : pass->GetVariables())
            if (variable && hlv_gfx::IsSamplerType(variable->GetType())) samplers.insert(variable->GetName());
        EXPECT_EQ(samplers, contract.samplers);
    }
}

TEST_F(Scene2OnGl, CubesOverABlurredSkyThatTurnsInTheClimax)
{
    AddApplicationSlots();
    dmo_nimra::SceneBuildContext build{context, *graph, *gfx, controllers};
    auto imageSystem = Adopt(new hlv_io::IOFreeImageSystem("image system"));
    ASSERT_TRUE(Load([&] {
        std::vector<dmo_nimra::TextureDescription> textures;
        for (const auto& texture : dmo_nimra::DemoTextureList(kDemoFolder + "/LocalData/"))
            if (texture.name.rfind("Background", 0) == 0 || texture.name == "Alpha Particle 1")
                textures.push_back(texture);
        if (!dmo_nimra::LoadTextures(textures, *imageSystem, *gfx, *renderer, context)) return false;
        if (!dmo_nimra::LoadEffects(Scene2Effects(), *gfx, context)) return false;
        if (!dmo_nimra::CreateAllData(*gfx, context)) return false;
        dmo_nimra::BuildScene2(build);
        return true;
    }));

    hlv_testing::CWatchdog watchdog(60s, "rendering Scene 2");
    auto frameAt = [&](std::uint64_t t) {
        watchdog.Progress();
        RenderFrame(t);
    };
    // The particles settle for two seconds of frames, then the scene is
    // looked at in the middle of Scene 2 and in the climax.
    for (std::uint64_t t = 0; t <= 2000; t += 40) frameAt(t);
    PlaceCameras({{335, -16, -54}, {0, 3, 0}, {-480, 150, -1180}, {-900, 300, 1800}});
    for (std::uint64_t t = 40000; t <= 40200; t += 40) frameAt(t);
    const auto calmColour = ReadTexture("Main Frame Buffer Scene 2.Color 8uffer 1 Texture");
    const auto calmOption = ReadTexture("OptionBuffer");
    Save(ReadTexture("Scene 2 Background Framebuffer.Color 8uffer 1 Texture"), "scene2_background_40s");
    PlaceCameras({{-526, 93, -49}, {9, 49, -6}, {-200, 2, -1332}, {581, 659, 2334}});
    for (std::uint64_t t = 85000; t <= 85200; t += 40) frameAt(t);
    const auto climaxColour = ReadTexture("Main Frame Buffer Scene 2.Color 8uffer 1 Texture");
    const auto climaxOption = ReadTexture("OptionBuffer");
    Save(calmColour, "scene2_40s");
    Save(climaxColour, "scene2_85s");
    Save(ReadTexture("Scene 2 Background Framebuffer.Color 8uffer 1 Texture"), "scene2_background_85s");
    ASSERT_EQ(calmColour.size(), kWidth * kHeight * 4);
    ASSERT_EQ(calmOption.size(), calmColour.size());
    ASSERT_EQ(climaxOption.size(), calmColour.size());

    // The option target marks solid geometry: the cubes cover a clear share
    // of the frame, and the blurred sky shows around them.
    auto geometryIn = [](const std::vector<std::uint8_t>& option) {
        return [&option](std::size_t i) { return option[4 * i] > 127; };
    };
    auto skyIn = [](const std::vector<std::uint8_t>& option) {
        return [&option](std::size_t i) { return option[4 * i] <= 127; };
    };
    const REGION cubes = Measure(calmColour, geometryIn(calmOption));
    const REGION calmSky = Measure(calmColour, skyIn(calmOption));
    EXPECT_GT(cubes.share, 0.03);
    EXPECT_LT(cubes.share, 0.8);
    EXPECT_GT(cubes.colours, 20) << "lit cubes, not flat ones";

    // The sky is layered, not a flat fill, and it is the sea at night:
    // dark, with more blue than red.
    EXPECT_GT(calmSky.spread, 6.0);
    EXPECT_GT(calmSky.mean[2], calmSky.mean[0]);
    EXPECT_LT(calmSky.mean[0] + calmSky.mean[1] + calmSky.mean[2], 3 * 110.0);

    // In the climax the sky turns towards coral.
    const REGION climaxSky = Measure(climaxColour, skyIn(climaxOption));
    EXPECT_GT(climaxSky.mean[0], calmSky.mean[0] + 8.0);
    EXPECT_GT(climaxSky.mean[0] - climaxSky.mean[2], calmSky.mean[0] - calmSky.mean[2] + 8.0);
}

}  // namespace
