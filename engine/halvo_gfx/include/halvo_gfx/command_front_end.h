#pragma once
// What both multithreaded front ends are made of: the pools of their command
// classes and the queue that hands the commands to the render thread.
#include <cstddef>
#include <cstdint>
#include <tuple>
#include <utility>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/command_pools.h>
#include <halvo_gfx/command_queue.h>

namespace hlv_gfx {

template <class CommandBase, class Pools, std::size_t kLanes>
class TCommandFrontEnd {
public:
    using Queue = CCommandQueue<CommandBase, kLanes>;

    explicit TCommandFrontEnd(bool stay) : m_queue(stay) {}

    template <class Command>
    CommandPool<Command>& Pool()
    {
        return m_pools.template Get<Command>();
    }

    // Takes a command from its pool, lets `fill` set its arguments (called
    // with a reference to each, in order), sets the result pointer and
    // appends it to the lane. GFXR_MT_NO_COMMAND when the pool is empty:
    // then nothing is queued and `fill` is not called.
    template <class Command, class Fill>
    std::uint32_t QueueWith(std::size_t lane, std::uint32_t* result, Fill&& fill)
    {
        Command* command = Pool<Command>().Acquire();
        if (!command) return GFXR_MT_NO_COMMAND;
        std::apply(std::forward<Fill>(fill), command->GetArguments());
        command->SetResult(result);
        m_queue.Enqueue(lane, *command);
        return GFXR_OK;
    }

    // The same with the argument values given in order. A value the command
    // does not accept (an integer that does not fit, see Command::Accepts)
    // gives GFXR_INVALID_ARGUMENT before a command is taken.
    template <class Command, class... Values>
    std::uint32_t QueueValues(std::size_t lane, std::uint32_t* result, Values&&... values)
    {
        if (!Command::Accepts(values...)) return GFXR_INVALID_ARGUMENT;
        Command* command = Pool<Command>().Acquire();
        if (!command) return GFXR_MT_NO_COMMAND;
        command->Fill(std::forward<Values>(values)...);
        command->SetResult(result);
        m_queue.Enqueue(lane, *command);
        return GFXR_OK;
    }

    // Executes queued commands on `target` (null: each command's result is
    // GFXR_INVALID_HANDLE) and recycles them; see CCommandQueue::Process.
    bool Process(typename CommandBase::Target* target)
    {
        return m_queue.Process([target](CommandBase& command) {
            command.Execute(target);
            command.Release();
        });
    }

    Queue& GetQueue() { return m_queue; }
    const Queue& GetQueue() const { return m_queue; }

private:
    // The queue is declared after the pools so that it goes first: commands
    // still linked in it belong to the pools.
    Pools m_pools;
    Queue m_queue;
};

}  // namespace hlv_gfx
