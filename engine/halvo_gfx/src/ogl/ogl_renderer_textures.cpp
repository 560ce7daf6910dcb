// Texture binding and upload of the OpenGL renderer: the four LoadTexture
// overloads, their parameter step, texture units and texture matrices.
//
// A texture is bound to the active unit whenever it is used; its image goes
// to GL when GL reports it not resident or it is marked changed. The changed
// flag is cleared before the image is read and set again when the upload
// fails, so a change made during an upload is never lost.
#include "ogl/gl_tables.h"
#include "ogl/ogl_error_check.h"
#include "ogl/ogl_texture_tables.h"

#include <halvo_gfx/ogl/ogl_renderer.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/cube_map_texture.h>
#include <halvo_gfx/depth_texture.h>
#include <halvo_gfx/ogl/api_objects.h>
#include <halvo_gfx/texture_buffer.h>

namespace hlv_gfx {

namespace {

constexpr char kBindTextureFailed[] = "COglRenderer::LoadTexture: Failed bind Texture.";
constexpr char kBindDepthTextureFailed[] = "COglRenderer::LoadTexture: Failed to bind texture.";
constexpr char kBindCubeMapFailed[] = "COglRenderer::LoadTexture : Couldnt bind cube map texture.";
constexpr char kResidentFailed[] = "COglRenderer::LoadTexture: Texture resident failure.";
constexpr char kTexImageFailed[] = "COglRenderer::LoadTexture: Failed to call glTexImage.";
constexpr char kTexImage2DFailed[] = "COglRenderer::LoadTexture: Failed to call glTexImage2D.";

// Rows of an image are packed tightly (a 24-bit image of odd width has rows
// that are no multiple of 4 bytes); GL's default unpack alignment is 4.
class CTightUnpacking {
public:
    CTightUnpacking()
    {
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &m_saved);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    }
    ~CTightUnpacking() { glPixelStorei(GL_UNPACK_ALIGNMENT, m_saved); }
    CTightUnpacking(const CTightUnpacking&) = delete;
    CTightUnpacking& operator=(const CTightUnpacking&) = delete;

private:
    GLint m_saved = 4;
};

// What one image upload hands to GL.
struct IMAGE_SOURCE {
    GLenum pixelFormat = 0;
    GLenum dataType = 0;
    const void* pixels = nullptr;
};

bool ToSize(std::uint64_t value, GLsizei& out)
{
    if (value > static_cast<std::uint64_t>(std::numeric_limits<GLsizei>::max())) return false;
    out = static_cast<GLsizei>(value);
    return true;
}

// The pixel format, data type and pixels of an image for a width x rows
// upload. Fails for formats and types GL has no value for, and for pixels
// that do not cover the upload (GL would read past them). An image without
// pixels uploads none: GL then only makes the storage.
bool GetImageSource(const CImage& image, std::uint64_t width, std::uint64_t rows, IMAGE_SOURCE& source)
{
    if (ogl::PIXEL_FORMAT.Get(image.GetFormat(), source.pixelFormat) != GFXR_OK) return false;
    if (ogl::DATA_TYPE.Get(image.GetType(), source.dataType) != GFXR_OK || source.dataType == 0) return false;
    const auto pixelBuffer = image.GetPixelBuffer();
    if (!pixelBuffer || !pixelBuffer->GetData()) {
        source.pixels = nullptr;
        return true;
    }
    const std::uint64_t stride = pixelBuffer->GetAnyLayout()->GetStride();
    if (stride != 0 && rows != 0 && width > std::numeric_limits<std::uint64_t>::max() / stride / rows) return false;
    if (pixelBuffer->GetDataSize() < width * rows * stride) return false;
    source.pixels = pixelBuffer->GetData();
    return true;
}

// Rows GL reads for an image of the texture type: one for 1D, none for 3D
// (the texture has no depth, so GL makes empty storage).
std::uint64_t RowsOf(std::uint32_t textureType, std::uint64_t height)
{
    switch (textureType) {
    case TT_TEXTURE_1D: return 1;
    case TT_TEXTURE_3D: return 0;
    default: return height;
    }
}

// The common start of the image-based loads: checks, bind, residency. On
// GFXR_OK, upload tells whether the image must go to GL.
struct TEXTURE_BINDING {
    GLenum target = 0;
    GLuint name = 0;
    hlv_core::CResourceHandle<CImage> image;
    bool upload = false;
};

// Binds the texture and decides whether it needs an upload; the changed flag
// is cleared when it does.
std::uint32_t BindForLoad(const COglRenderer& renderer, CTexture& texture, const char* bindMessage,
                          TEXTURE_BINDING& binding)
{
    const auto* api = OglApiObject<oglCTexture_ApiSpecific>(texture.apiObject);
    if (!api || api->texture == 0) return GFXR_INVALID_ARGUMENT;
    binding.image = texture.GetImage();
    if (!binding.image) return GFXR_INVALID_ARGUMENT;
    if (ogl::TEXTURE_TARGET.Get(texture.textureType, binding.target) != GFXR_OK || binding.target == 0)
        return GFXR_INVALID_ARGUMENT;
    binding.name = api->texture;

    glBindTexture(binding.target, binding.name);
    if (ogl::GlFailed(renderer, bindMessage)) return GFXR_API_FAIL;
    GLint resident = GL_FALSE;
    glGetTexParameteriv(binding.target, GL_TEXTURE_RESIDENT, &resident);
    if (ogl::GlFailed(renderer, kResidentFailed)) return GFXR_API_FAIL;

    binding.upload = !resident || texture.IsChanged();
    if (binding.upload) {
        texture.SetChanged(false);
        if (!glIsTexture(binding.name)) glBindTexture(binding.target, binding.name);
    }
    return GFXR_OK;
}

// Binds the texture and, when it needs an upload, runs upload with the
// binding. From the upload on a failure marks the texture changed again, for
// a retry.
template <typename Upload>
std::uint32_t BindAndUpload(const COglRenderer& renderer, CTexture& texture, const char* bindMessage, Upload&& upload)
{
    TEXTURE_BINDING binding;
    if (const std::uint32_t r = BindForLoad(renderer, texture, bindMessage, binding); r != GFXR_OK) return r;
    if (!binding.upload) return GFXR_OK;
    const std::uint32_t result = upload(binding);
    if (result != GFXR_OK) texture.SetChanged(true);
    return result;
}

// Uploads the texture's one image in the pixel format given, or in the
// image's own when that is 0. A type without image call (a cube map's) is
// bound and left without image.
std::uint32_t UploadImage(const COglRenderer& renderer, const CTexture& texture, const TEXTURE_BINDING& binding,
                          GLint border, GLenum pixelFormat)
{
    GLenum internalFormat = 0;
    GLsizei width = 0, height = 0;
    IMAGE_SOURCE source;
    if (ogl::INTERNAL_FORMAT.Get(texture.textureFormat, internalFormat) != GFXR_OK || !ToSize(texture.width, width) ||
        !ToSize(texture.height, height) ||
        !GetImageSource(*binding.image, texture.width, RowsOf(texture.textureType, texture.height), source))
        return GFXR_INVALID_ARGUMENT;
    CTightUnpacking unpacking;
    ogl::TexImageByType(texture.textureType, binding.target, static_cast<GLint>(internalFormat), width, height, border,
                        pixelFormat != 0 ? pixelFormat : source.pixelFormat, source.dataType, source.pixels);
    return ogl::GlFailed(renderer, kTexImageFailed) ? GFXR_API_FAIL : GFXR_OK;
}

}  // namespace

void COglRenderer::ReadTextureLimits()
{
    GLint units = 0, coordinates = 0;
    glGetIntegerv(GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS, &units);
    glGetIntegerv(GL_MAX_TEXTURE_COORDS, &coordinates);
    m_textureImageUnits = static_cast<std::uint64_t>(std::max(units, 1));
    m_textureCoordUnits = static_cast<std::uint64_t>(std::max(coordinates, 0));
}

std::uint32_t COglRenderer::ActivateTextureUnit(std::uint64_t unit, const char* message)
{
    if (m_textureImageUnits == 0) ReadTextureLimits();
    if (unit >= m_textureImageUnits) return GFXR_INVALID_ARGUMENT;
    glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + unit));
    return CheckGlError(message) ? GFXR_API_FAIL : GFXR_OK;
}

void COglRenderer::LoadTextureMatrix(std::uint64_t index, std::uint64_t unit)
{
    if (m_textureImageUnits == 0) ReadTextureLimits();
    if (index >= kTextureMatrixCount || unit >= m_textureCoordUnits) return;
    GLint mode = GL_MODELVIEW;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glLoadTransposeMatrixf(m_textureMatrices[index].data());
    glMatrixMode(static_cast<GLenum>(mode));
}

std::uint32_t COglRenderer::UseTexture(const Handle<CTexture>& texture, std::uint64_t unit)
{
    if (!texture) return GFXR_INVALID_ARGUMENT;
    const auto* api = OglApiObject<oglCTexture_ApiSpecific>(texture->apiObject);
    if (!api || api->texture == 0) return GFXR_INVALID_ARGUMENT;
    return ActivateTextureUnit(unit, "COglRenderer::UseTexture: Texture unit activation failed.");
}

std::uint32_t COglRenderer::SetTextureMatrix(const float* matrix, std::uint64_t index)
{
    if (index >= kTextureMatrixCount) return GFXR_FAIL;
    if (!matrix) return GFXR_INVALID_ARGUMENT;
    std::copy(matrix, matrix + 16, m_textureMatrices[index].begin());
    return GFXR_OK;
}

std::uint32_t COglRenderer::LoadTextureParameter(std::uint32_t target, const CTexture& texture)
{
    std::uint32_t coordinates = 0;
    GLenum wrapModes[3] = {};
    GLenum magnification = 0, minification = 0;
    if (ogl::WRAP_COORDINATES.Get(texture.textureType, coordinates) != GFXR_OK ||
        ogl::FILTER.Get(texture.magFilter, magnification) != GFXR_OK ||
        ogl::FILTER.Get(texture.minFilter, minification) != GFXR_OK)
        return GFXR_INVALID_ARGUMENT;
    for (std::uint32_t k = 0; k < coordinates; ++k)
        if (ogl::WRAP_MODE.Get(texture.wrap[k], wrapModes[k]) != GFXR_OK) return GFXR_INVALID_ARGUMENT;

    for (std::uint32_t k = 0; k < coordinates; ++k)
        glTexParameteri(target, ogl::WRAP_PARAMETER.entries[k], static_cast<GLint>(wrapModes[k]));
    if (CheckGlError("COglRenderer::LoadTextureParameter:Failed to set wrap mode")) return GFXR_API_FAIL;
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(magnification));
    if (CheckGlError("COglRenderer::LoadTextureParameter: Failed to set mag filter.")) return GFXR_API_FAIL;
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(minification));
    if (CheckGlError("COglRenderer::LoadTextureParameter:Failed to set min filter.")) return GFXR_API_FAIL;
    glTexParameterfv(target, GL_TEXTURE_BORDER_COLOR, texture.borderColor.data());
    if (CheckGlError("COglRenderer::LoadTextureParameter: Failed to set texture border color.")) return GFXR_API_FAIL;
    return GFXR_OK;
}

std::uint32_t COglRenderer::LoadTexture(Handle<CTexture> texture)
{
    if (!texture) return GFXR_INVALID_ARGUMENT;
    return LoadTexture2D(*texture);
}

std::uint32_t COglRenderer::LoadTexture2D(CTexture& texture)
{
    return BindAndUpload(*this, texture, kBindTextureFailed, [&](const TEXTURE_BINDING& binding) -> std::uint32_t {
        if (LoadTextureParameter(binding.target, texture) != GFXR_OK) return GFXR_FAIL;
        return UploadImage(*this, texture, binding, static_cast<GLint>(texture.border & 0xFF), 0);
    });
}

std::uint32_t COglRenderer::LoadTexture(Handle<CDepthTexture> texture)
{
    if (!texture) return GFXR_INVALID_ARGUMENT;
    return LoadDepthTexture(*texture);
}

std::uint32_t COglRenderer::LoadDepthTexture(CDepthTexture& texture)
{
    return BindAndUpload(*this, texture, kBindDepthTextureFailed, [&](const TEXTURE_BINDING& binding) -> std::uint32_t {
        if (LoadTextureParameter(binding.target, texture) != GFXR_OK) return GFXR_FAIL;
        glTexParameteri(binding.target, GL_DEPTH_TEXTURE_MODE, GL_INTENSITY);
        glTexParameteri(binding.target, GL_TEXTURE_COMPARE_MODE, GL_NONE);
        return UploadImage(*this, texture, binding, 0, GL_DEPTH_COMPONENT);
    });
}

std::uint32_t COglRenderer::LoadTexture(Handle<CCubeMapTexture> texture)
{
    if (!texture) return GFXR_INVALID_ARGUMENT;
    return LoadCubeMapTexture(*texture);
}

std::uint32_t COglRenderer::LoadCubeMapTexture(CCubeMapTexture& texture)
{
    return BindAndUpload(*this, texture, kBindCubeMapFailed, [&](const TEXTURE_BINDING& binding) -> std::uint32_t {
        if (LoadTextureParameter(binding.target, texture) != GFXR_OK) return GFXR_FAIL;
        GLenum internalFormat = 0;
        GLsizei width = 0, height = 0;
        if (ogl::INTERNAL_FORMAT.Get(texture.sizedFormat, internalFormat) != GFXR_OK || !ToSize(texture.width, width) ||
            !ToSize(texture.height, height))
            return GFXR_INVALID_ARGUMENT;
        // Every face needs its image; check them all before the first upload.
        IMAGE_SOURCE sources[CUBE_FACE_COUNT];
        for (std::size_t face = 0; face < CUBE_FACE_COUNT; ++face) {
            const auto image = texture.faces[face];
            if (!image || !GetImageSource(*image, texture.width, texture.height, sources[face]))
                return GFXR_INVALID_ARGUMENT;
        }
        CTightUnpacking unpacking;
        for (std::size_t face = 0; face < CUBE_FACE_COUNT; ++face) {
            glTexImage2D(ogl::CUBE_FACE_TARGET.entries[face], 0, static_cast<GLint>(internalFormat), width, height, 0,
                         sources[face].pixelFormat, sources[face].dataType, sources[face].pixels);
            if (CheckGlError(kTexImage2DFailed)) return GFXR_API_FAIL;
        }
        return GFXR_OK;
    });
}

std::uint32_t COglRenderer::LoadTexture(Handle<CTextureBuffer> buffer)
{
    if (!buffer) return GFXR_INVALID_ARGUMENT;
    return LoadTextureBuffer(*buffer);
}

std::uint32_t COglRenderer::LoadTextureBuffer(CTextureBuffer& buffer)
{
    const auto* bufferApi = OglApiObject<oglCBuffer_ApiSpecific>(buffer.bufferApiObject);
    const auto* textureApi = OglApiObject<oglCTexture_ApiSpecific>(buffer.textureApiObject);
    if (!bufferApi || !textureApi || bufferApi->buffer == 0 || textureApi->texture == 0 || !buffer.GetMemory())
        return GFXR_INVALID_ARGUMENT;
    if (!buffer.IsChanged()) return GFXR_OK;

    GLenum format = 0, usage = 0;
    if (ogl::TEXTURE_BUFFER_FORMAT.Get(buffer.GetTexelFormat(), format) != GFXR_OK || format == 0 ||
        ogl::BUFFER_USAGE.Get(buffer.GetMemoryHint(), usage) != GFXR_OK || usage == 0)
        return GFXR_INVALID_ARGUMENT;
    // While mapped the memory is GL's own; it goes back on UnmapBuffer.
    if (bufferApi->mapped) return GFXR_MAPPING_FAILED;

    const GLuint bufferName = bufferApi->buffer;
    const GLuint textureName = textureApi->texture;
    // Under the buffer's lock: the flag is cleared before the texels are read.
    return buffer.UploadIfChanged([&](const CBuffer& memory) -> std::uint32_t {
        glBindBuffer(GL_TEXTURE_BUFFER, bufferName);
        glBufferData(GL_TEXTURE_BUFFER, static_cast<GLsizeiptr>(memory.GetDataSize()), memory.GetData(), usage);
        if (CheckGlError("COglRenderer::LoadTexture: Failed to load texture buffer data.")) return GFXR_API_FAIL;
        glBindBuffer(GL_TEXTURE_BUFFER, 0);
        glBindTexture(GL_TEXTURE_BUFFER, textureName);
        glTexBuffer(GL_TEXTURE_BUFFER, format, bufferName);
        if (CheckGlError("COglRenderer::LoadTexture: Failed to load texture buffer.")) return GFXR_API_FAIL;
        return GFXR_OK;
    });
}

}  // namespace hlv_gfx
