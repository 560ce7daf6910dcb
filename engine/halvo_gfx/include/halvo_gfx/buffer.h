#pragma once
// Elements of one layout in 64-byte aligned main-memory storage.
#include <cstddef>
#include <cstdint>

#include <halvo_core/handle.h>
#include <halvo_core/resource.h>
#include <halvo_gfx/buffer_layout.h>

namespace hlv_gfx {

// A buffer owns aligned storage for a number of elements of its layout, or -
// while the renderer has the buffer's API memory mapped - points at memory it
// does not own. It never shrinks, and it does not reallocate while the storage
// it holds is large enough.
class CBuffer : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(CBuffer)

    // The alignment of the storage.
    static constexpr std::size_t kAlignment = 64;

    // The layout is NULL_LAYOUT, or the given one; no storage.
    explicit CBuffer(const std::string& name);
    CBuffer(const std::string& name, const hlv_core::CResourceHandle<CBufferLayout>& layout);
    ~CBuffer() override;

    // Makes room for count elements of layout. Returns GFXR_INVALID_ARGUMENT
    // for a layout without stride; GFXR_OK without any change when the storage
    // held already suffices; GFXR_INVALID_SIZE when the size does not fit in
    // memory; GFXR_FAIL when the allocation fails; GFXR_MAPPING_FAILED while
    // mapped memory is attached (it belongs to the graphics API and is neither
    // freed nor replaced). Otherwise the new storage keeps the old contents, the
    // buffer takes the layout and count, and GFXR_OK is returned.
    std::uint32_t Allocate(const hlv_core::CResourceHandle<CBufferLayout>& layout, std::uint64_t count);

    // The layout when it is exactly a CBufferLayout, else NULL_LAYOUT.
    hlv_core::CResourceHandle<CBufferLayout> GetLayout() const;
    // The layout whatever its class (never empty).
    hlv_core::CResourceHandle<CBufferLayout> GetAnyLayout() const { return m_layout; }

    std::uint64_t GetElementCount() const { return m_elementCount; }
    // Bytes of the elements: element count times the layout's current stride,
    // never more than the storage the buffer owns (a layout changed in place
    // without a new Allocate cannot make readers run past the storage).
    std::uint64_t GetDataSize() const;
    // Bytes of the storage the buffer owns (0 while it owns none).
    std::uint64_t GetStorageSize() const { return m_storageSize; }
    std::uint8_t GetStatus() const { return m_status; }
    bool OwnsStorage() const { return m_ownsStorage; }

    // The storage, the mapped memory, or null.
    std::byte* GetData() { return m_data; }
    const std::byte* GetData() const { return m_data; }

    // The renderer hands the buffer the API memory it mapped. Refused (false)
    // while the buffer holds any data pointer, so its own storage never leaks.
    bool AttachMappedMemory(void* memory);
    // After unmapping: forgets the mapped memory (owned storage is untouched).
    void DetachMappedMemory();

protected:
    // Replaces the layout handle without touching the storage or the count
    // (the derived buffers' own layouts).
    void ReplaceLayout(const hlv_core::CResourceHandle<CBufferLayout>& layout) { m_layout = layout; }

private:
    void FreeStorage();

    hlv_core::CResourceHandle<CBufferLayout> m_layout;
    std::uint64_t m_elementCount = 0;
    std::uint8_t m_status = 0;
    bool m_ownsStorage = true;
    std::byte* m_data = nullptr;
    std::uint64_t m_storageSize = 0;
};
HLV_DEFINE_RESOURCE_CLASS(CBuffer, hlv_core::IResource)

}  // namespace hlv_gfx
