#include <tidal_knots/asset_lists.h>

#include <utility>

namespace dmo_nimra {

const char* const kTrackFileName = "Vellomarch-1stdemo-preliminaryfinal-5.mp3";

std::vector<TextureDescription> DemoTextureList(const std::string& dataDirectory)
{
    static const std::pair<const char*, const char*> kFiles[] = {
        {"Background 1", "background1.png"},
        {"Background 2", "background2.jpg"},
        {"Background 3", "background3.jpg"},
        {"Background 4", "background4.png"},
        {"Alpha Particle 1", "alpha1.jpg"},
        {"Overlay 1", "overlay1.jpg"},
        {"Overlay 4", "overlay4.png"},
        {"Overlay 6", "overlay6.png"},
        {"IntroOutroMasks", "masks.png"},
        {"Logo", "l.png"},
        {"DemoName", "demo.png"},
        {"GroupName", "gn.png"},
        {"Code", "code.png"},
        {"Music", "music.png"},
        {"vOB", "vOB2011.png"},
    };
    std::vector<TextureDescription> list;
    for (const auto& [name, file] : kFiles) {
        TextureDescription description;
        description.name = name;
        description.filePath = dataDirectory + file;
        list.push_back(std::move(description));
    }
    return list;
}

std::vector<EffectDescription> DemoEffectList(const std::string& shaderDirectory)
{
    struct Entry {
        const char* key;
        const char* vertex;
        const char* pixel;
    };
    static const Entry kEffects[] = {
        {"GlidingParticlesEffect", "Scene2/gliding_particles.vs.glsl", "Scene2/gliding_particles.ps.glsl"},
        {"PressureCubeParticlesEffect1", "Scene2/pressure_cube.vs.glsl", "Scene2/pressure_cube.ps.glsl"},
        {"PressureCubeParticlesEffect2", "Scene2/pressure_cube.vs.glsl", "Scene2/pressure_cube.ps.glsl"},
        {"MiddleCubesParticleEffect", "Scene2/middle_cubes.vs.glsl", "Scene2/middle_cubes.ps.glsl"},
        {"BackgroundTightCubeEffect", "Scene 2 Background/background_tight_cube.vs.glsl",
         "Scene 2 Background/background_tight_cube.ps.glsl"},
        {"MiddleCubeEffect", "Scene2/pressured_cube.vs.glsl", "Scene2/pressured_cube.ps.glsl"},
        {"MapScaledBackgroundScene2", "Scene 2 Background/map_scaled_background_scene2.vs.glsl",
         "Scene 2 Background/map_scaled_background_scene2.ps.glsl"},
        {"MapBackgroundIntro", "Scene 2 Intro/map_background_intro.vs.glsl",
         "Scene 2 Intro/map_background_intro.ps.glsl"},
        {"MapBackgroundOutro", "Scene 2 Outro/map_background_outro.vs.glsl",
         "Scene 2 Outro/map_background_outro.ps.glsl"},
        {"OverlayScene2", "Post Process/overlay_scene2.vs.glsl", "Post Process/overlay_scene2.ps.glsl"},
        {"SceneToScreen", "Post Process/map_scene_to_screen.vs.glsl", "Post Process/map_scene_to_screen.ps.glsl"},
        {"Blur", "Scene 2 Background/background_gauss2d.vs.glsl", "Scene 2 Background/background_gauss2d.ps.glsl"},
        {"PostDownsample1", "Post Process/map_quad.vs.glsl", "Post Process/post_downsample.ps.glsl"},
        {"PostSSAO1", "Post Process/map_quad.vs.glsl", "Post Process/post_ssao.ps.glsl"},
        {"PostDepthToA", "Post Process/map_quad.vs.glsl", "Post Process/post_depth_to_a.ps.glsl"},
        {"TextLogo", "Scene 2 Intro/text_quad_log.vs.glsl", "Scene 2 Intro/text_intro_log.ps.glsl"},
        {"TextDemo", "Scene 2 Intro/text_quad_dn.vs.glsl", "Scene 2 Intro/text_intro_dn.ps.glsl"},
        {"TextLogoOutro", "Scene 2 Outro/text_quad_outro_log.vs.glsl", "Scene 2 Outro/text_outro_log.ps.glsl"},
        {"TextDemoGroupOutro", "Scene 2 Outro/text_quad_outro_dn_gn.vs.glsl", "Scene 2 Outro/text_outro_dn_gn.ps.glsl"},
        {"TextCodeOutro", "Scene 2 Outro/text_quad_outro_code.vs.glsl", "Scene 2 Outro/text_outro_code.ps.glsl"},
        {"TextMusicOutro", "Scene 2 Outro/text_quad_outro_music.vs.glsl", "Scene 2 Outro/text_outro_music.ps.glsl"},
        {"TextGreetingsOutro", "Scene 2 Outro/text_quad_outro_greetings.vs.glsl",
         "Scene 2 Outro/text_outro_greetings.ps.glsl"},
    };
    std::vector<EffectDescription> list;
    for (const Entry& entry : kEffects) {
        EffectDescription description;
        description.key = entry.key;
        description.vertexShader = shaderDirectory + entry.vertex;
        description.pixelShader = shaderDirectory + entry.pixel;
        list.push_back(std::move(description));
    }
    return list;
}

const std::vector<std::string>& DemoKeyframeFileList()
{
    static const std::vector<std::string> kFiles = {
        "keyframe_sequence_bassdrumloop.xml",
        "bassdrumloop_background.xml",
        "keyframe_sequence_main.xml",
        "keyframe_sequence_t1.xml",
        "keyframe_sequence_t2.xml",
        "keyframe_sequence_t3.xml",
        "keyframe_sequence_t4.xml",
        "keyframe_sequence_t5.xml",
        "keyframe_sequence_t6.xml",
        "keyframe_sequence_finalfade.xml",
        "keyframe_sequence_firstfade.xml",
        "keyframe_sequence_secondfade.xml",
        "Camera/main_camera_position.xml",
        "Camera/main_camera_lookat.xml",
        "Camera/background_camera_lookat.xml",
        "Camera/background_camera_position.xml",
    };
    return kFiles;
}

const std::vector<std::string>& DemoCameraFileList()
{
    static const std::vector<std::string> kFiles(DemoKeyframeFileList().end() - 4, DemoKeyframeFileList().end());
    return kFiles;
}

}  // namespace dmo_nimra
