#pragma once
// The demo's compiled-in asset lists: the textures it loads from image files
// and the effects it builds from shader files.
#include <cstdint>
#include <string>
#include <vector>

namespace dmo_nimra {

struct TextureDescription {
    std::string name;           // key under which the texture is published; name of texture and image
    std::string filePath;       // data directory + file name
    std::uint32_t format = 34;  // TEXTURE_FORMAT, TF_RGBA
    std::uint32_t minFilter = 1;
    std::uint32_t magFilter = 1;
    std::uint32_t wrapS = 1;
    std::uint32_t wrapT = 1;
    bool topDown = false;
};

struct EffectDescription {
    std::string key;  // the effect's resource name
    std::string vertexShader;
    std::string pixelShader;
    std::string hullShader;  // empty: no tessellation stage
    std::string domainShader;
    std::uint32_t primitiveOverride = 0;
};

// The fifteen textures, files under dataDirectory ("LocalData/").
std::vector<TextureDescription> DemoTextureList(const std::string& dataDirectory);
// The twenty-two effects, shader files under shaderDirectory ("LocalShader/").
std::vector<EffectDescription> DemoEffectList(const std::string& shaderDirectory);
// The track's file name under the data directory.
extern const char* const kTrackFileName;
// The sixteen keyframe files relative to the keyframe directory, in load
// order; the last four are the camera files that F5 reloads.
const std::vector<std::string>& DemoKeyframeFileList();
// The camera files in the order F5 reloads them.
const std::vector<std::string>& DemoCameraFileList();

}  // namespace dmo_nimra
