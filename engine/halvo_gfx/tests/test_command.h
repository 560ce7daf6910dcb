#pragma once
// A command type of the tests' own, for the pool and queue templates.
#include <atomic>
#include <cstdint>

#include <halvo_core/handle.h>
#include <halvo_core/resource.h>
#include <halvo_gfx/command_list.h>
#include <halvo_gfx/command_pool.h>

struct ResourceCounter {
    std::atomic<int> alive{0};
};

class CountedResource : public hlv_core::IResource {
public:
    explicit CountedResource(ResourceCounter& counter) : IResource("counted"), m_counter(counter)
    {
        m_counter.alive.fetch_add(1);
    }
    ~CountedResource() override { m_counter.alive.fetch_sub(1); }

private:
    ResourceCounter& m_counter;
};

struct TestCommand {
    hlv_gfx::CommandHook queue_hook;

    // Arguments.
    std::uint64_t value = 0;
    std::uint32_t* result = nullptr;
    hlv_core::CResourceHandle<CountedResource> resource;

    void AttachPool(hlv_gfx::CommandPool<TestCommand>* pool) { m_pool = pool; }
    hlv_gfx::CommandPool<TestCommand>* Pool() const { return m_pool; }

    // Writes the result word the way the front ends' commands do.
    void Execute(std::uint32_t code)
    {
        std::uint32_t discarded;
        *(result ? result : &discarded) = code;
    }

    void Release()
    {
        resource.Reset();
        result = nullptr;
        m_pool->Recycle(this);
    }

private:
    hlv_gfx::CommandPool<TestCommand>* m_pool = nullptr;
};
