// The OpenGL graphics system: shader variables, the discovery of a linked
// program's uniforms and their merge into the render pass.
#include <GL/glew.h>

#include <halvo_gfx/ogl/ogl_system.h>

#include <cstring>
#include <vector>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/ogl/api_objects.h>

#include "ogl/gl_errors.h"
#include "ogl/gl_tables.h"

namespace hlv_gfx {
namespace {

// Copies count floats into the variable's storage when the variable has
// exactly the type and room for them.
std::uint32_t WriteFloats(CShaderVariable* variable, std::uint32_t type, const float* values, std::size_t count)
{
    if (!variable || !values || variable->GetType() != type) return GFXR_INVALID_ARGUMENT;
    const std::size_t bytes = count * sizeof(float);
    if (!variable->GetValue() || variable->GetValueSize() < bytes) return GFXR_INVALID_ARGUMENT;
    std::memcpy(variable->GetValue(), values, bytes);
    return GFXR_OK;
}

bool IsBuiltInUniform(const std::string& name) { return name.rfind("gl_", 0) == 0; }

}  // namespace

std::uint32_t COglSystem::CreateShaderVariable(const std::string& name, std::uint32_t type,
                                               Handle<CShaderVariable>& variable)
{
    const std::uint32_t size = ShaderVariableTypeSize(type);
    if (size == 0) return GFXR_INVALID_ARGUMENT;
    if (!variable)
        variable = hlv_core::Adopt(new CShaderVariable(name));
    else
        ReleaseShaderVariable(variable);
    if (const auto r = variable->AllocateValue(size)) return r;
    variable->SetType(type);
    return GFXR_OK;
}

std::uint32_t COglSystem::ReleaseShaderVariable(Handle<CShaderVariable>& variable)
{
    if (!variable) return GFXR_INVALID_ARGUMENT;
    variable->ReleaseValue();
    return GFXR_OK;
}

std::uint32_t COglSystem::ReleaseShaderVariables(Handle<CRenderPass>& pass)
{
    if (!pass) return GFXR_INVALID_ARGUMENT;
    for (Handle<CShaderVariable>& variable : pass->GetVariables()) ReleaseShaderVariable(variable);
    return GFXR_OK;
}

std::uint32_t COglSystem::SetShaderVariableFloat(Handle<CShaderVariable>& variable, float value)
{
    return WriteFloats(variable.get(), SVT_FLOAT, &value, 1);
}

std::uint32_t COglSystem::SetShaderVariableVec3(Handle<CShaderVariable>& variable, const float* values)
{
    return WriteFloats(variable.get(), SVT_FLOAT_VEC3, values, 3);
}

std::uint32_t COglSystem::SetShaderVariableVec4(Handle<CShaderVariable>& variable, const float* values)
{
    return WriteFloats(variable.get(), SVT_FLOAT_VEC4, values, 4);
}

std::uint32_t COglSystem::GetActiveShaderVariableList(Handle<CRenderPass>& pass, ShaderVariableList* variables)
{
    if (!pass || !variables) return GFXR_INVALID_ARGUMENT;
    const Handle<IApiSpecific> keep = pass->apiObject;
    const auto* apiObject = OglApiObject<CGLSL_RenderPass_ApiSpecific>(keep);
    if (!apiObject) return GFXR_INVALID_API_SPECIFIC;
    const GLuint program = apiObject->program;

    GLint count = 0;
    ogl::DiscardPendingGlErrors();
    glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &count);
    if (const auto r = CheckGlError("COglSystem::GetActiveShaderVariableList: Failed to get number of active uniforms.",
                                    GFXR_FAIL))
        return r;
    if (count <= 0) {
        BroadcastMessage(
            "COglSystem::GetActiveShaderVariableList: No shader variables? Is the render pass linked before?"
            "Or doesn't the variables contribute to the shader output variables?");
        return GFXR_OK;
    }

    GLint maxLength = 0;
    glGetProgramiv(program, GL_ACTIVE_UNIFORM_MAX_LENGTH, &maxLength);
    if (const auto r = CheckGlError(
            "COglSystem::GetActiveShaderVariableList: Failed to get max active uniforms name length.", GFXR_FAIL))
        return r;
    std::vector<GLchar> nameBuffer(static_cast<std::size_t>(maxLength > 0 ? maxLength : 1), '\0');

    for (GLint index = 0; index < count; ++index) {
        GLsizei length = 0;
        GLint size = 0;
        GLenum glType = 0;
        glGetActiveUniform(program, static_cast<GLuint>(index), static_cast<GLsizei>(nameBuffer.size()), &length, &size,
                           &glType, nameBuffer.data());
        if (const auto r = CheckGlError(
                "COglSystem::GetActiveShaderVariableList: Failed to get active uniforms name parameters.", GFXR_FAIL))
            return r;
        const std::string name(nameBuffer.data(), static_cast<std::size_t>(length));
        if (IsBuiltInUniform(name)) continue;

        // A uniform of a type the engine does not map is left out; the
        // program's other uniforms still become variables.
        const std::uint32_t type = ogl::ShaderVariableTypeOfUniform(glType);
        if (type == SVT_UNDEFINED) {
            BroadcastMessage("COglSystem::GetActiveShaderVariableList: Skipped the uniform \"" + name +
                             "\" of an OpenGL type the engine does not map (" + std::to_string(glType) + ").");
            continue;
        }

        Handle<CShaderVariable> variable;
        if (const auto r = CreateShaderVariable(name, type, variable)) {
            BroadcastMessage("COglSystem::GetActiveShaderVariableList: Shader variable creatation interrupted.");
            return r;
        }
        auto location = hlv_core::Adopt(new CGLSL_ShaderVariable_ApiSpecific(""));
        location->location = glGetUniformLocation(program, name.c_str());
        variable->apiObject = std::move(location);
        variables->push_back(std::move(variable));
    }
    return GFXR_OK;
}

std::uint32_t COglSystem::UpdateShaderVariable(Handle<CRenderPass>& pass, Handle<CShaderVariable>& variable)
{
    if (!pass || !variable) return GFXR_INVALID_ARGUMENT;
    const Handle<CShaderVariable> existing = pass->FindVariable(variable->GetName());
    if (!existing) {
        pass->GetVariables().push_back(variable);
        return GFXR_OK;
    }
    if (existing.get() == variable.get()) return GFXR_OK;

    const Handle<IApiSpecific> targetObject = existing->apiObject;
    const Handle<IApiSpecific> sourceObject = variable->apiObject;
    auto* target = OglApiObject<CGLSL_ShaderVariable_ApiSpecific>(targetObject);
    const auto* source = OglApiObject<CGLSL_ShaderVariable_ApiSpecific>(sourceObject);
    if (!target || !source) return GFXR_INVALID_API_SPECIFIC;
    // Only the location moves: the pass's variable keeps its type and the
    // value written into it.
    target->location = source->location;
    return GFXR_OK;
}

std::uint32_t COglSystem::UpdateShaderVariableList(Handle<CRenderPass>& pass, ShaderVariableList* variables)
{
    if (!pass) return GFXR_INVALID_ARGUMENT;
    if (variables)
        for (Handle<CShaderVariable>& variable : *variables) UpdateShaderVariable(pass, variable);
    pass->ResolveDefaultVariables();
    return GFXR_OK;
}

std::uint32_t COglSystem::UpdateShaderVariables(Handle<CRenderPass>& pass)
{
    if (!pass) return GFXR_INVALID_ARGUMENT;
    ShaderVariableList variables;
    if (const auto r = GetActiveShaderVariableList(pass, &variables)) return r;
    return UpdateShaderVariableList(pass, &variables);
}

}  // namespace hlv_gfx
