#pragma once
// The commands of one queue, from recording to execution. Not locked: the
// queue that owns it guards it with its mutex.
//
// Producers append to the open list. A flush seals the open list as a batch
// at that moment, so commands recorded after a flush never run with the batch
// of that flush. A flush that ends a frame marks its batch; the consumer takes
// one batch and its mark together. Flushes that follow an unmarked batch that
// the consumer has not taken yet extend it, so the number of waiting batches
// stays at the number of frame ends not yet served, plus one.
#include <cstddef>
#include <cstdint>
#include <utility>

#include <boost/circular_buffer.hpp>

#include <halvo_gfx/command_list.h>

namespace hlv_gfx {

template <class Command>
class CCommandBatches {
public:
    using List = CommandList<Command>;

    CCommandBatches() : m_sealed(4) {}
    CCommandBatches(const CCommandBatches&) = delete;
    CCommandBatches& operator=(const CCommandBatches&) = delete;

    // Appends a command to the open list; returns its position in the order
    // of all commands ever appended (the first has position 1).
    std::uint64_t Append(Command& command)
    {
        m_open.push_back(command);
        return ++m_appended;
    }

    // Seals the open list. An unmarked seal of nothing changes nothing; a
    // marked one always leaves a batch to take, empty or not. Returns whether
    // anything changed.
    bool Seal(bool end_of_frame)
    {
        if (m_open.empty() && !end_of_frame) return false;
        if (m_sealed.empty() || m_sealed.back().end_of_frame) {
            if (m_sealed.full()) m_sealed.set_capacity(m_sealed.capacity() * 2);
            m_sealed.push_back(Batch{});
        }
        Batch& last = m_sealed.back();
        AppendAll(last.commands, m_open);
        last.end_of_frame = end_of_frame;
        return true;
    }

    bool HasSealed() const { return !m_sealed.empty(); }

    // Moves the oldest sealed batch into `out` (which must be empty) and
    // returns its mark. Requires HasSealed().
    bool TakeBatch(List& out)
    {
        Batch& first = m_sealed.front();
        out.swap(first.commands);
        const bool end_of_frame = first.end_of_frame;
        m_sealed.pop_front();
        return end_of_frame;
    }

    // Records that `count` taken commands have run.
    void MarkExecuted(std::uint64_t count) { m_executed += count; }

    std::uint64_t Appended() const { return m_appended; }
    std::uint64_t Executed() const { return m_executed; }

    // Drops every command without running it (the commands stay where they
    // are owned, in their pools).
    void Clear()
    {
        m_open.clear();
        m_sealed.clear();
    }

private:
    struct Batch {
        Batch() = default;
        Batch(Batch&& other) noexcept : end_of_frame(other.end_of_frame) { commands.swap(other.commands); }
        Batch& operator=(Batch&& other) noexcept
        {
            commands.swap(other.commands);
            end_of_frame = other.end_of_frame;
            return *this;
        }

        List commands;
        bool end_of_frame = false;
    };

    List m_open;
    boost::circular_buffer<Batch> m_sealed;
    std::uint64_t m_appended = 0;
    std::uint64_t m_executed = 0;
};

}  // namespace hlv_gfx
