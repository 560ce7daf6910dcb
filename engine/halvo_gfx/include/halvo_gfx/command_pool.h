#pragma once
// Preallocated pool of one command class.
//
// The front ends never allocate a command while the program runs: each keeps
// one pool per command class. A producer takes a command from the front of the
// free ring, fills it and queues it; after the render thread has executed it,
// the command's Release resets its arguments and hands it back to the back of
// the ring, so the objects are reused in turn (first in, first out).
//
// A command class T provides:
//   T()                               arguments empty or zero
//   void AttachPool(CommandPool<T>*)  remembers the pool it returns to
//   kCommandName (optional)           its name, for the default constructor
// and calls Recycle(this) on that pool when it is released.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include <boost/circular_buffer.hpp>

#include <halvo_core/fatal.h>
#include <halvo_core/spin_lock.h>

namespace hlv_gfx {

// Writes the one diagnostic of a pool that ran out of commands.
void ReportCommandPoolExhausted(const std::string& pool_name, std::size_t size);

template <class T>
class CommandPool {
public:
    static constexpr std::size_t kSize = 200;

    // `name` is the command class's name, used in the exhaustion diagnostic.
    explicit CommandPool(std::string name)
        : m_free(kSize), m_commands(new T[kSize]), m_size(kSize), m_name(std::move(name))
    {
        for (std::size_t i = 0; i < kSize; ++i) {
            m_commands[i].AttachPool(this);
            m_free.push_back(&m_commands[i]);
        }
    }

    // A pool named after its command class.
    CommandPool() requires requires { T::kCommandName; } : CommandPool(std::string(T::kCommandName))
    {
    }

    CommandPool(const CommandPool&) = delete;
    CommandPool& operator=(const CommandPool&) = delete;

    // Commands still queued somewhere are destroyed with the array (their
    // handles are released) and never executed.
    ~CommandPool() = default;

    // The free command that was returned earliest, or null when all are in
    // use. The first time the pool runs dry it says so on the standard error
    // stream.
    T* Acquire()
    {
        {
            std::lock_guard<hlv_core::CSpinLock> lock(m_lock);
            if (!m_free.empty()) {
                T* command = m_free.front();
                m_free.pop_front();
                return command;
            }
        }
        if (!m_exhaustionReported.exchange(true, std::memory_order_relaxed)) ReportCommandPoolExhausted(m_name, m_size);
        return nullptr;
    }

    // Gives a command back; called by the command's Release after it has
    // dropped its arguments.
    void Recycle(T* command)
    {
        HLV_FATAL_CHECK(command >= m_commands.get() && command < m_commands.get() + kSize,
                        "CommandPool::Recycle: the command does not belong to this pool");
        std::lock_guard<hlv_core::CSpinLock> lock(m_lock);
        HLV_FATAL_CHECK(!m_free.full(), "CommandPool::Recycle: a command was released twice");
        m_free.push_back(command);
    }

    std::uint64_t size() const { return m_size; }
    const std::string& Name() const { return m_name; }

    std::size_t FreeCount() const
    {
        std::lock_guard<hlv_core::CSpinLock> lock(m_lock);
        return m_free.size();
    }

private:
    // Guards the free ring only: a push or a pop, so producers taking
    // commands and the render thread giving them back never sleep on it.
    mutable hlv_core::CSpinLock m_lock;
    boost::circular_buffer<T*> m_free;
    std::unique_ptr<T[]> m_commands;
    std::uint64_t m_size;
    std::string m_name;
    std::atomic<bool> m_exhaustionReported{false};
};

}  // namespace hlv_gfx
