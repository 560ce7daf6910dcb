#pragma once
// Reference-counting handle to an IResource-derived object.
//
// A handle owns exactly one reference to the object it points to; an empty
// handle is the invalid value. Every handle carries its own mutex guarding its
// pointer. Copying locks only the source while the new reference is added,
// then swaps the pointer in under the target's lock; the old object is
// released outside any lock. So one handle may be copied on some threads while
// it is reassigned on another, and an assignment from a handle that lives
// inside the old object is safe.
#include <atomic>
#include <mutex>
#include <type_traits>
#include <utility>

#include <halvo_core/spin_lock.h>

namespace hlv_core {

template <typename T>
class CResourceHandle {
public:
    using element_type = T;

    CResourceHandle() noexcept = default;

    // Adds a reference to p.
    explicit CResourceHandle(T* p) : m_ptr(p)
    {
        if (p) p->AddRef();
    }

    // With take_over true, the handle takes over the caller's reference (the
    // creation reference of a new object); otherwise it adds one.
    CResourceHandle(T* p, bool take_over) : m_ptr(p)
    {
        if (p && !take_over) p->AddRef();
    }

    CResourceHandle(const CResourceHandle& other) : m_ptr(other.AcquireReference()) {}

    template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    CResourceHandle(const CResourceHandle<U>& other) : m_ptr(other.AcquireReference())
    {
    }

    CResourceHandle(CResourceHandle&& other) noexcept : m_ptr(other.TakeReference()) {}

    template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    CResourceHandle(CResourceHandle<U>&& other) noexcept : m_ptr(other.TakeReference())
    {
    }

    ~CResourceHandle() { Reset(); }

    CResourceHandle& operator=(const CResourceHandle& other)
    {
        if (other.get() != get()) Store(other.AcquireReference());
        return *this;
    }

    template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    CResourceHandle& operator=(const CResourceHandle<U>& other)
    {
        if (static_cast<T*>(other.get()) != get()) Store(other.AcquireReference());
        return *this;
    }

    CResourceHandle& operator=(CResourceHandle&& other) noexcept
    {
        if (&other != this) Store(other.TakeReference());
        return *this;
    }

    template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    CResourceHandle& operator=(CResourceHandle<U>&& other) noexcept
    {
        Store(other.TakeReference());
        return *this;
    }

    // Drops the reference; the handle becomes empty.
    void Reset() noexcept { Store(static_cast<T*>(nullptr)); }

    bool IsValid() const noexcept { return get() != nullptr; }
    explicit operator bool() const noexcept { return IsValid(); }

    T* get() const noexcept { return m_ptr.load(std::memory_order_acquire); }
    T* operator->() const noexcept { return get(); }
    T& operator*() const noexcept { return *get(); }

    template <typename U>
    bool operator==(const CResourceHandle<U>& other) const noexcept
    {
        return get() == other.get();
    }

private:
    template <typename U>
    friend class CResourceHandle;

    // A new reference to the current object, taken under this handle's lock
    // so that no concurrent reassignment can release the object in between.
    T* AcquireReference() const
    {
        std::lock_guard<CSpinLock> lock(m_lock);
        T* p = m_ptr.load(std::memory_order_relaxed);
        if (p) p->AddRef();
        return p;
    }

    // Moves this handle's reference out, leaving it empty.
    T* TakeReference() noexcept
    {
        std::lock_guard<CSpinLock> lock(m_lock);
        T* p = m_ptr.load(std::memory_order_relaxed);
        m_ptr.store(nullptr, std::memory_order_release);
        return p;
    }

    // Installs a reference already owned by the caller; releases the old
    // object after the lock is dropped.
    void Store(T* p) noexcept
    {
        T* old;
        {
            std::lock_guard<CSpinLock> lock(m_lock);
            old = m_ptr.load(std::memory_order_relaxed);
            m_ptr.store(p, std::memory_order_release);
        }
        if (old) old->Release();
    }

    std::atomic<T*> m_ptr{nullptr};
    // Writers of m_ptr hold the lock; readers of the pointer alone do not.
    mutable CSpinLock m_lock;
};

// Wraps a newly created object, taking over its creation reference.
template <typename T>
CResourceHandle<T> Adopt(T* p)
{
    return CResourceHandle<T>(p, true);
}

}  // namespace hlv_core
