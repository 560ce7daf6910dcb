#include "ogl/gl_extensions.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace hlv_gfx::ogl {

namespace {

struct GL_VERSION_NUMBER {
    int major = 0;
    int minor = 0;
};

bool AtLeast(GL_VERSION_NUMBER have, GL_VERSION_NUMBER need)
{
    return have.major > need.major || (have.major == need.major && have.minor >= need.minor);
}

// The leading "<major>.<minor>" of a GL_VERSION or GL_SHADING_LANGUAGE_VERSION
// text ("4.5 (Compatibility Profile) Mesa ...", "1.50"); 0.0 when there is none.
GL_VERSION_NUMBER ParseVersion(const GLubyte* text)
{
    GL_VERSION_NUMBER version;
    if (text && std::sscanf(reinterpret_cast<const char*>(text), "%d.%d", &version.major, &version.minor) != 2)
        version = {};
    return version;
}

std::string GlString(GLenum name)
{
    const GLubyte* text = glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "";
}

// A feature of OpenGL the renderer uses. The renderer calls each entry point
// by the name GLEW loads it under: the core names of the OpenGL version that
// introduced it, or the names of the ARB extension that GLEW loads them with
// (vertex array and framebuffer objects) only when the driver lists it.
struct GL_FEATURE {
    const char* name;
    GL_VERSION_NUMBER core;       // 0.0: no core version provides it
    const char* extension;        // null: no extension provides it
    bool (*entryPointsLoaded)();  // every entry point the renderer calls is there
};

bool NoEntryPoints() { return true; }

const GL_FEATURE kRendererFeatures[] = {
    {"buffer objects",
     {1, 5},
     nullptr,
     [] {
         return glGenBuffers && glBindBuffer && glBufferData && glBufferSubData && glMapBuffer && glUnmapBuffer &&
                glDeleteBuffers;
     }},
    {"shader programs",
     {2, 0},
     nullptr,
     [] {
         return glCreateShader && glShaderSource && glCompileShader && glCreateProgram && glAttachShader &&
                glLinkProgram && glUseProgram && glGetUniformLocation && glUniformMatrix4fv && glDrawBuffers &&
                glBlendEquationSeparate;
     }},
    {"vertex array objects",
     {},
     "GL_ARB_vertex_array_object",
     [] { return glGenVertexArrays && glBindVertexArray && glDeleteVertexArrays; }},
    {"framebuffer objects",
     {},
     "GL_ARB_framebuffer_object",
     [] {
         return glGenFramebuffers && glBindFramebuffer && glFramebufferTexture2D && glCheckFramebufferStatus &&
                glDeleteFramebuffers;
     }},
    {"float textures", {3, 0}, "GL_ARB_texture_float", NoEntryPoints},
    {"texture buffer objects", {3, 1}, nullptr, [] { return glTexBuffer != nullptr; }},
    {"instanced drawing", {3, 1}, nullptr, [] { return glDrawElementsInstanced != nullptr; }},
    {"64-bit buffer size queries", {3, 2}, nullptr, [] { return glGetBufferParameteri64v != nullptr; }},
};

// Every shader the renderer compiles declares "#version 150 compatibility".
constexpr GL_VERSION_NUMBER kShadingLanguage{1, 50};

bool HasFeature(const GL_FEATURE& feature, GL_VERSION_NUMBER version)
{
    const bool offered = (feature.core.major > 0 && AtLeast(version, feature.core)) ||
                         (feature.extension && HasGlExtension(feature.extension));
    return offered && feature.entryPointsLoaded();
}

// "OpenGL 3.1", "GL_ARB_vertex_array_object", "OpenGL 3.0 or GL_ARB_texture_float".
std::string Providers(const GL_FEATURE& feature)
{
    std::string text;
    if (feature.core.major > 0)
        text = "OpenGL " + std::to_string(feature.core.major) + "." + std::to_string(feature.core.minor);
    if (feature.extension) text += (text.empty() ? "" : " or ") + std::string(feature.extension);
    return text;
}

}  // namespace

bool HasGlExtension(const char* name)
{
    // glGetStringi is OpenGL 3.0: an older context lists its extensions in one
    // string, separated by blanks.
    if (glGetStringi == nullptr) {
        const auto* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
        if (!list) return false;
        const std::string_view wanted(name);
        for (std::string_view rest(list); !rest.empty();) {
            const std::size_t end = std::min(rest.find(' '), rest.size());
            if (rest.substr(0, end) == wanted) return true;
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
        return false;
    }
    GLint count = 0;
    glGetIntegerv(GL_NUM_EXTENSIONS, &count);
    for (GLint i = 0; i < count; ++i) {
        const auto* extension = reinterpret_cast<const char*>(glGetStringi(GL_EXTENSIONS, static_cast<GLuint>(i)));
        if (extension && std::strcmp(extension, name) == 0) return true;
    }
    return false;
}

std::vector<std::string> MissingGlFeatures()
{
    const std::string context = "OpenGL " + GlString(GL_VERSION);
    const GL_VERSION_NUMBER version = ParseVersion(glGetString(GL_VERSION));
    std::vector<std::string> missing;
    for (const GL_FEATURE& feature : kRendererFeatures) {
        if (!HasFeature(feature, version))
            missing.push_back(context + " lacks " + feature.name + " (" + Providers(feature) + ")");
    }
    // Asked only of a context with shaders: an older one refuses the name.
    const GLubyte* shadingText = glCreateShader ? glGetString(GL_SHADING_LANGUAGE_VERSION) : nullptr;
    if (!AtLeast(ParseVersion(shadingText), kShadingLanguage)) {
        missing.push_back(context + " lacks GLSL 1.50 (it has " +
                          (shadingText ? reinterpret_cast<const char*>(shadingText) : "none") + ")");
    }
    return missing;
}

}  // namespace hlv_gfx::ogl
