#pragma once
// The hand-over of commands from any number of producer threads to the one
// thread that executes them.
//
// Everything a waiter tests (the batches of every lane, the stay flag and the
// shut-down flag) is kept under one mutex, and each change is announced after
// it is made, so no flush can be lost between a waiter's test and its wait.
//
// A queue has `kLanes` lanes (independent command streams). Process serves
// waiting batches in lane order, lowest lane first, one batch at a time, and
// executes each without holding the mutex, so producers keep recording while
// a batch runs.
//
// Process returns
//   - after it has executed a batch whose flush ended a frame,
//   - when no batch is waiting and the stay flag is clear,
//   - when the queue is shut down (at once; batches still waiting stay
//     unexecuted).
// Otherwise it waits for the next flush.
#include <array>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>

#include <halvo_gfx/command_batches.h>

namespace hlv_gfx {

// What a flush does to the stay flag.
enum class StayChange { Keep, Set, Clear };

template <class Command, std::size_t kLanes = 1>
class CCommandQueue {
public:
    using List = CommandList<Command>;

    explicit CCommandQueue(bool stay) : m_stay(stay) {}
    CCommandQueue(const CCommandQueue&) = delete;
    CCommandQueue& operator=(const CCommandQueue&) = delete;

    ~CCommandQueue()
    {
        for (auto& lane : m_lanes) lane.Clear();
    }

    // Appends a command to a lane. It runs after a later flush of that lane.
    void Enqueue(std::size_t lane, Command& command)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lanes[lane].Append(command);
    }

    // Seals what the lane has recorded since its last flush; `end_of_frame`
    // marks the batch so that Process returns once it has run it.
    // A flush that changes nothing (nothing recorded, no mark, the stay flag
    // as it was) wakes nobody.
    void Flush(std::size_t lane, bool end_of_frame, StayChange stay = StayChange::Keep)
    {
        bool changed;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            changed = m_lanes[lane].Seal(end_of_frame);
            const bool wasStaying = m_stay;
            if (stay == StayChange::Set) m_stay = true;
            if (stay == StayChange::Clear) m_stay = false;
            changed = changed || m_stay != wasStaying;
        }
        if (changed) m_posted.notify_one();
    }

    // Consumer only. `execute(Command&)` runs one command and hands it back
    // to its pool; the command is already unlinked when it is called.
    // Returns false when the queue was shut down.
    template <class Execute>
    bool Process(Execute&& execute)
    {
        for (;;) {
            List batch;
            std::size_t lane = 0;
            bool end_of_frame = false;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_posted.wait(lock, [&] { return m_shutDown || AnySealed() || !m_stay; });
                if (m_shutDown) return false;
                if (!AnySealed()) return true;
                while (!m_lanes[lane].HasSealed()) ++lane;
                end_of_frame = m_lanes[lane].TakeBatch(batch);
            }
            std::uint64_t count = 0;
            while (!batch.empty()) {
                Command& command = batch.front();
                batch.pop_front();
                execute(command);
                ++count;
            }
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_lanes[lane].MarkExecuted(count);
            }
            m_drained.notify_all();
            if (end_of_frame) return true;
        }
    }

    // Blocks until every command appended to the lane before the call has
    // run. Commands appended later are not waited for. Commands that are not
    // flushed yet are waited for: flush first. Returns false when the queue
    // was shut down before they ran.
    bool WaitUntilDrained(std::size_t lane)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        const std::uint64_t target = m_lanes[lane].Appended();
        m_drained.wait(lock, [&] { return m_shutDown || m_lanes[lane].Executed() >= target; });
        return m_lanes[lane].Executed() >= target;
    }

    // The same with a time limit; returns false as well when the limit
    // passes, or at once while the queue is marked paused.
    bool WaitUntilDrainedFor(std::size_t lane, std::chrono::milliseconds limit)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        const std::uint64_t target = m_lanes[lane].Appended();
        m_drained.wait_for(lock, limit, [&] { return m_shutDown || m_paused || m_lanes[lane].Executed() >= target; });
        // While paused nothing more comes back, even when the lane happens to
        // be empty: the waiter is told to give up either way.
        return !m_paused && m_lanes[lane].Executed() >= target;
    }

    // Marks that the consumer does not execute this queue for now (or does
    // again); timed drain waits give up while it is set.
    void SetPaused(bool paused)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_paused = paused;
        }
        m_drained.notify_all();
    }

    bool IsPaused() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_paused;
    }

    // Releases every waiter for good: Process returns at once from now on,
    // and so do WaitUntilDrained calls.
    void Shutdown()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_shutDown = true;
        }
        m_posted.notify_all();
        m_drained.notify_all();
    }

    bool IsShutDown() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_shutDown;
    }

    bool Stays() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_stay;
    }

    // Commands appended to the lane and not yet run.
    std::uint64_t Pending(std::size_t lane) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_lanes[lane].Appended() - m_lanes[lane].Executed();
    }

private:
    bool AnySealed() const
    {
        for (const auto& lane : m_lanes)
            if (lane.HasSealed()) return true;
        return false;
    }

    mutable std::mutex m_mutex;
    std::condition_variable m_posted;
    std::condition_variable m_drained;
    std::array<CCommandBatches<Command>, kLanes> m_lanes;
    bool m_stay;
    bool m_shutDown = false;
    bool m_paused = false;
};

}  // namespace hlv_gfx
