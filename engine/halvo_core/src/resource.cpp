#include <halvo_core/resource.h>

namespace hlv_core {

namespace {
std::atomic<std::uint32_t> g_resourceIdCounter{0};
}

IResource::IResource(const std::string& name)
    : m_name(name), m_refCount(1), m_id(g_resourceIdCounter.fetch_add(1, std::memory_order_relaxed) + 1)
{
}

IResource::~IResource() = default;

void IResource::AddRef() { m_refCount.fetch_add(1, std::memory_order_relaxed); }

unsigned int IResource::Release()
{
    if (m_refCount.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
    return 0;
}

bool IsExactly(const IResource* object, const CResourceClassInfo& info) { return object->GetClassInfo() == &info; }

bool IsKindOf(const IResource* object, const CResourceClassInfo& info)
{
    for (const CResourceClassInfo* record = object->GetClassInfo(); record; record = record->parent)
        if (record == &info) return true;
    return false;
}

}  // namespace hlv_core
