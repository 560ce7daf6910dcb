#pragma once
// Reference-counted engine objects.
#include <atomic>
#include <cstdint>
#include <string>

#include <boost/thread/mutex.hpp>

#include <halvo_core/class_info.h>

namespace hlv_core {

// Base of every shared engine object: a name, an intrusive reference count
// starting at 1 (the creator's reference), a process-wide id and a mutex.
// The object deletes itself when its last reference is released.
class IResource {
public:
    static const CResourceClassInfo s_classInfo;

    explicit IResource(const std::string& name);
    IResource(const IResource&) = delete;
    IResource& operator=(const IResource&) = delete;

    // The record of the most derived class that has one.
    virtual const CResourceClassInfo* GetClassInfo() const { return &s_classInfo; }
    virtual ~IResource();

    void AddRef();
    // Drops one reference; deletes the object when it was the last. Returns 0.
    unsigned int Release();

    const std::string& GetName() const { return m_name; }
    std::uint32_t GetId() const { return m_id; }
    std::uint32_t GetRefCount() const { return m_refCount.load(std::memory_order_acquire); }

protected:
    // The resource's own mutex, for classes that guard their state with it.
    boost::mutex& ResourceMutex() const { return m_mutex; }

private:
    std::string m_name;
    std::atomic<std::uint32_t> m_refCount;
    std::uint32_t m_id;
    mutable boost::mutex m_mutex;
};

inline const CResourceClassInfo IResource::s_classInfo{"IResource", nullptr, sizeof(IResource)};

}  // namespace hlv_core
