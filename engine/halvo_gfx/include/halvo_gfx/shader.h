#pragma once
// Shader stages: source lines and the API object of the compiled shader.
// Vertex and pixel shaders are plain CShaders; hull, domain and geometry
// shaders have classes of their own.
#include <cstdint>
#include <list>
#include <string>

#include <halvo_core/handle.h>
#include <halvo_core/resource.h>
#include <halvo_gfx/api_specific.h>

namespace hlv_gfx {

class CShader : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(CShader)

    explicit CShader(const std::string& name) : IResource(name) {}

    // SHADER_TYPE; set by the graphics system when it creates the stage.
    std::uint32_t shaderType = 0;
    // Source lines; each ends with a line feed when it comes from a file.
    std::list<std::string> sourceLines;
    // Made by the graphics system; empty until then.
    hlv_core::CResourceHandle<IApiSpecific> apiObject;
};
HLV_DEFINE_RESOURCE_CLASS(CShader, hlv_core::IResource)

class CHullShader : public CShader {
public:
    HLV_RESOURCE_CLASS(CHullShader)
    explicit CHullShader(const std::string& name) : CShader(name) {}
};
HLV_DEFINE_RESOURCE_CLASS(CHullShader, CShader)

class CDomainShader : public CShader {
public:
    HLV_RESOURCE_CLASS(CDomainShader)
    explicit CDomainShader(const std::string& name) : CShader(name) {}
};
HLV_DEFINE_RESOURCE_CLASS(CDomainShader, CShader)

// Adds what linking passes to the program for a geometry stage.
class CGeometryShader : public CShader {
public:
    HLV_RESOURCE_CLASS(CGeometryShader)
    explicit CGeometryShader(const std::string& name) : CShader(name) {}

    std::uint32_t inputType = 0;   // SHADER_INPUT_TYPE
    std::uint32_t outputType = 0;  // SHADER_OUTPUT_TYPE
    std::uint32_t maxOutputVertices = 0;
};
HLV_DEFINE_RESOURCE_CLASS(CGeometryShader, CShader)

}  // namespace hlv_gfx
