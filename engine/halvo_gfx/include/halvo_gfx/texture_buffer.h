#pragma once
// Texels in main memory that shaders read as a buffer texture.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <utility>

#include <boost/thread/mutex.hpp>

#include <halvo_core/handle.h>
#include <halvo_core/resource.h>
#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/api_specific.h>
#include <halvo_gfx/buffer.h>

namespace hlv_gfx {

// A texture buffer wraps a CBuffer ("Texture Memory") whose elements are
// texels. Producers (the particle write-back) fill it on their own thread and
// the render thread uploads it, so the data and the changed flag are guarded:
//
//   writer:  WriteData([&](CBuffer& memory) { ...Allocate, write texels... });
//            - under the buffer's data mutex: write, then set the changed flag.
//   upload:  UploadIfChanged([&](const CBuffer& memory) { ...upload...; return r; });
//            - under the same mutex: test and clear the flag, then read the data;
//              a failed upload (non-zero result) sets the flag again, so the
//              next use retries.
//
// The flag is atomic, so IsChanged may be asked without the mutex. Everything
// that reads or writes the memory's contents, pointer or size after the buffer
// has been handed to the renderer goes through these operations (or AccessData).
class CTextureBuffer : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(CTextureBuffer)

    // Texel format 0, changed flag set, memory hint MH_DYNAMIC_DRAW; the
    // memory's layout is a new "Buffer Layout" with one placeholder element.
    explicit CTextureBuffer(const std::string& name);

    // Makes the texel format TMF_RGBA32F (16-byte texels): rewrites the first
    // layout element and reallocates for the current count. GFXR_OK at once
    // when the format is already set; GFXR_FAIL (format unchanged) when the
    // storage cannot be made. Takes the data mutex.
    std::uint32_t SetTexelFormat();

    // Runs write(CBuffer&) under the data mutex, then sets the changed flag.
    template <typename Write>
    decltype(auto) WriteData(Write&& write)
    {
        std::lock_guard<boost::mutex> lock(m_dataMutex);
        struct MarkOnExit {
            std::atomic<bool>& flag;
            ~MarkOnExit() { flag.store(true, std::memory_order_release); }
        } mark{m_changed};
        return std::forward<Write>(write)(*m_memory);
    }

    // Under the data mutex: when the changed flag is set, clears it and runs
    // upload(const CBuffer&), which returns a HALVO_GFX_RESULT; a non-zero
    // result sets the flag again. Returns GFXR_OK without calling upload when
    // the data has not changed.
    template <typename Upload>
    std::uint32_t UploadIfChanged(Upload&& upload)
    {
        std::lock_guard<boost::mutex> lock(m_dataMutex);
        if (!m_changed.exchange(false, std::memory_order_acq_rel)) return GFXR_OK;
        const std::uint32_t result = std::forward<Upload>(upload)(std::as_const(*m_memory));
        if (result != GFXR_OK) m_changed.store(true, std::memory_order_release);
        return result;
    }

    // Runs access(CBuffer&) under the data mutex and leaves the changed flag
    // as it is: partial uploads of the contents and the renderer's mapping of
    // the memory, which change nothing that a later upload must send.
    template <typename Access>
    decltype(auto) AccessData(Access&& access)
    {
        std::lock_guard<boost::mutex> lock(m_dataMutex);
        return std::forward<Access>(access)(*m_memory);
    }

    bool IsChanged() const { return m_changed.load(std::memory_order_acquire); }
    // Sets the changed flag alone (new contents written while the caller held
    // the data through WriteData, or a forced re-upload).
    void MarkChanged() { m_changed.store(true, std::memory_order_release); }

    std::uint32_t GetTexelFormat() const { return m_texelFormat; }
    std::uint32_t GetMemoryHint() const { return m_memoryHint; }
    void SetMemoryHint(std::uint32_t hint) { m_memoryHint = hint; }

    // The memory handle itself; its contents are reached through WriteData and
    // UploadIfChanged once the renderer may read them.
    const hlv_core::CResourceHandle<CBuffer>& GetMemory() const { return m_memory; }

    // API objects of the texture and of the buffer, made by the graphics system.
    hlv_core::CResourceHandle<IApiSpecific> textureApiObject;
    hlv_core::CResourceHandle<IApiSpecific> bufferApiObject;

private:
    std::uint32_t m_texelFormat = 0;
    hlv_core::CResourceHandle<CBuffer> m_memory;
    std::atomic<bool> m_changed{true};
    std::uint32_t m_memoryHint;
    boost::mutex m_dataMutex;
};
HLV_DEFINE_RESOURCE_CLASS(CTextureBuffer, hlv_core::IResource)

}  // namespace hlv_gfx
