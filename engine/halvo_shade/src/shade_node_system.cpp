#include <halvo_shade/shade_node_system.h>

namespace hlv_shade {

CShadeNodeSystem::CShadeNodeSystem(const std::string& name)
    : IResource(name), m_shaderLibrary(hlv_core::Adopt(new CShaderLibrary("The Default Shader Library")))
{
}

}  // namespace hlv_shade
