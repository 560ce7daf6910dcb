#pragma once
// A copy stage writes the particles of one system into one texture buffer,
// on a thread of its own (the copy thread). A request names the source
// system; the copy thread waits until that system's pending step has
// finished, writes the particles back (Copy) and signals completion.
//
// Every concrete stage starts the thread at the end of its constructor and
// calls StopCopyThread first thing in its destructor. A stage must be
// destroyed before the systems it reads.
#include <algorithm>
#include <cstdint>

#include <boost/thread/condition_variable.hpp>
#include <boost/thread/locks.hpp>
#include <boost/thread/mutex.hpp>
#include <boost/thread/thread.hpp>

#include <halvo_ptl/PTL_RESULT.h>

namespace hlv_ptl::ptl_cpu {

template <typename System, typename RenderParticle, typename Buffer>
class TBaseParticleCopy {
public:
    using system_type = System;
    using render_particle_type = RenderParticle;
    using buffer_type = Buffer;

    // Bytes of one RGBA 32-bit float texel, the format the buffers are given.
    static constexpr std::uint64_t kTexelBytes = 16;
    static_assert(sizeof(RenderParticle) % kTexelBytes == 0, "render particles are whole texels");
    static constexpr std::uint64_t kTexelsPerParticle = sizeof(RenderParticle) / kTexelBytes;

    TBaseParticleCopy(const TBaseParticleCopy&) = delete;
    TBaseParticleCopy& operator=(const TBaseParticleCopy&) = delete;

    virtual ~TBaseParticleCopy() { StopCopyThread(); }

    // Writes the source's particles into the texture buffer.
    virtual void Copy() = 0;

    // Hands a copy of system to the copy thread and returns at once.
    // PTLR_INVALID_BUFFER without a texture buffer, PTLR_INVALID_ARGUMENT for
    // a null system, PTLR_THREAD_RUNNING while a copy is pending (the first
    // request keeps its source).
    PTL_RESULT RequestCopy(System* system)
    {
        if (m_buffer == nullptr) return PTLR_INVALID_BUFFER;
        if (system == nullptr) return PTLR_INVALID_ARGUMENT;
        {
            boost::lock_guard<boost::mutex> lock(m_state.lock);
            if (m_state.pending) return PTLR_THREAD_RUNNING;
            m_state.source = system;
            m_state.pending = true;
        }
        m_state.startCondition.notify_one();
        return PTLR_OK;
    }

    // wait false: PTLR_THREAD_RUNNING while a copy is pending, else
    // PTLR_THREAD_FINISHED. wait true: blocks until no copy is pending.
    PTL_RESULT WaitForCopy(bool wait)
    {
        boost::unique_lock<boost::mutex> lock(m_state.lock);
        if (!wait) return m_state.pending ? PTLR_THREAD_RUNNING : PTLR_THREAD_FINISHED;
        while (m_state.pending) m_state.doneCondition.wait(lock);
        return PTLR_THREAD_FINISHED;
    }
    PTL_RESULT WaitForCopy() { return WaitForCopy(true); }

    // Sizes the texture buffer for the capacity of the system's container and
    // then for its size: texel format RGBA 32-bit float, room for
    // kTexelsPerParticle texels per particle. The buffer never shrinks, so
    // the room for the capacity stays. PTLR_INVALID_PARTICLE_SYSTEM for a
    // null system, PTLR_INVALID_BUFFER without a buffer, PTLR_FAIL when the
    // buffer cannot be sized. The owner calls it while no step of the system
    // is pending.
    PTL_RESULT FitBufferToSystem(System* system)
    {
        if (system == nullptr) return PTLR_INVALID_PARTICLE_SYSTEM;
        if (m_buffer == nullptr) return PTLR_INVALID_BUFFER;
        const auto& particles = system->GetParticles();
        if (!SizeBuffer(particles.capacity()) || !SizeBuffer(particles.size())) return PTLR_FAIL;
        return PTLR_OK;
    }

    // The buffer to fill, set by the owner while no copy is pending.
    Buffer* GetTextureBuffer() const { return m_buffer; }
    void SetTextureBuffer(Buffer* buffer) { m_buffer = buffer; }

    // The particle count the buffer was last sized for.
    std::uint64_t GetFittedParticleCount() const { return m_fittedCount; }

protected:
    TBaseParticleCopy() = default;

    // The system of the pending copy; read by Copy on the copy thread.
    System* CurrentSource() const { return m_state.source; }

    // Starts the copy thread unless the group already holds one.
    void StartCopyThread()
    {
        if (m_threads.size() != 0) return;
        {
            boost::lock_guard<boost::mutex> lock(m_state.lock);
            m_state.running = true;
            m_state.pending = false;
            m_state.source = nullptr;
        }
        m_threads.create_thread(copy_thread(this, &m_state));
    }

    // Stops the copy thread and joins it. A copy whose source step is still
    // running waits for that step but is not written; every waiter is
    // released.
    void StopCopyThread()
    {
        {
            boost::lock_guard<boost::mutex> lock(m_state.lock);
            m_state.running = false;
        }
        m_state.startCondition.notify_all();
        m_state.doneCondition.notify_all();
        m_threads.join_all();
    }

private:
    struct CCopyState {
        System* source = nullptr;
        bool running = true;
        bool pending = false;
        boost::mutex lock;
        boost::condition_variable doneCondition;
        boost::condition_variable startCondition;
    };

    class copy_thread {
    public:
        copy_thread(TBaseParticleCopy* stage, CCopyState* state) : m_stage(stage), m_state(state) {}

        void operator()() const
        {
            CCopyState& state = *m_state;
            boost::unique_lock<boost::mutex> lock(state.lock);
            while (true) {
                while (!state.pending && state.running) state.startCondition.wait(lock);
                if (!state.running) break;
                System* source = state.source;
                lock.unlock();
                const bool stepped = source != nullptr && source->WaitForUpdate(true) == PTLR_THREAD_FINISHED;
                lock.lock();
                if (stepped && state.running) {
                    lock.unlock();
                    m_stage->Copy();
                    lock.lock();
                }
                // Source and pending change together, so a request that
                // follows the completion cannot lose its source.
                state.source = nullptr;
                state.pending = false;
                state.doneCondition.notify_all();
            }
            state.source = nullptr;
            state.pending = false;
            lock.unlock();
            state.doneCondition.notify_all();
        }

    private:
        TBaseParticleCopy* m_stage;
        CCopyState* m_state;
    };

    // Texel format, then room for count particles; remembers count.
    bool SizeBuffer(std::uint64_t count)
    {
        if (m_buffer->SetTexelFormat() != 0) return false;
        const std::uint64_t texels = count * kTexelsPerParticle;
        const auto allocated =
            m_buffer->WriteData([texels](auto& memory) { return memory.Allocate(memory.GetLayout(), texels); });
        if (allocated != 0) return false;
        m_fittedCount = count;
        return true;
    }

    Buffer* m_buffer = nullptr;
    boost::thread_group m_threads;
    CCopyState m_state;
    std::uint64_t m_fittedCount = 0;
};

}  // namespace hlv_ptl::ptl_cpu
