// Start-up loading of the demo application: textures, effects, the track and
// the keyframe files; the F5 reload of the camera files.
#include <tidal_knots/QtSampleApp.h>

#include <iostream>

#include <halvo_app/Context/CManagedContext.h>
#include <sound/fmod_api.h>
#include <sound/fmod_check.h>
#include <tidal_knots/asset_lists.h>
#include <tidal_knots/gpu_data.h>
#include <tidal_knots/load_functions.h>

namespace dmo_nimra {

bool QtSampleApp::LoadAllData()
{
    hlv_app::CManagedContext& context = *GetLocalContext();

    ShowMessage("Prepare Texture Data");
    if (!LoadTextures(DemoTextureList(m_localDataDirectory), *GetContext()->imageSystem, *getMTGfxSystem(),
                      *getMTRenderer(), context))
        return false;

    ShowMessage("Prepare Effect Data");
    if (!LoadEffects(DemoEffectList(m_localShaderDirectory), *getMTGfxSystem(), context)) return false;

    ShowMessage("Loading Track");
    const std::string track = m_localDataDirectory + kTrackFileName;
    FMOD_RESULT result = m_soundSystem->createSound(track.c_str(), FMOD_SOFTWARE, nullptr, &m_sound);
    if (result == FMOD_OK) result = m_soundSystem->playSound(FMOD_CHANNEL_FREE, m_sound, true, &m_channel);
    if (result != FMOD_OK) {
        std::cerr << "Fmod error." << '\n'
                  << "File name: " << track << " (" << sound::ResultName(result) << ' ' << sound::LastErrorDetail()
                  << ")" << std::endl;
        return false;
    }

    ShowMessage("Loading Keyframe Data");
    for (const std::string& file : DemoKeyframeFileList()) {
        if (!LoadKeyframeAnimation(m_keyframeDirectory + file, nullptr)) return false;
    }
    return true;
}

bool QtSampleApp::LoadKeyframeAnimation(const std::string& path, CSlotUpdateController* controller)
{
    return m_animations.Load(path, controller);
}

void QtSampleApp::ReloadCameraKeyframes()
{
    // A file that does not load is reported and its camera keeps its path.
    for (const std::string& file : DemoCameraFileList())
        LoadKeyframeAnimation(m_keyframeDirectory + file, m_slotUpdateController);
}

bool QtSampleApp::CreateAllData() { return dmo_nimra::CreateAllData(*getMTGfxSystem(), *GetLocalContext()); }

}  // namespace dmo_nimra
