#pragma once
// A resource that counts its constructions and destructions.
#include <atomic>

#include <halvo_core/handle.h>
#include <halvo_core/resource.h>

struct DestructionCounter {
    std::atomic<int> created{0};
    std::atomic<int> destroyed{0};
};

class CountingResource : public hlv_core::IResource {
public:
    CountingResource(DestructionCounter& counter, int initial_value = 0)
        : IResource("counting"), m_counter(counter), value(initial_value)
    {
        m_counter.created.fetch_add(1);
    }
    ~CountingResource() override { m_counter.destroyed.fetch_add(1); }

    hlv_core::CResourceHandle<CountingResource> inner;

private:
    DestructionCounter& m_counter;

public:
    int value;
};
