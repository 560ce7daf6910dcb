#pragma once
// The shape shared by every creation and render command.
//
// TQueuedCommand<Target> is the base the front ends queue and execute:
// Execute (slot 0) runs the command's one call on the target and writes the
// call's result code through the result pointer; Release (slot 1) drops the
// command's resource references and gives the command back to its pool.
//
// TPooledCommand<Derived, Base, Args...> stores the arguments (copies, so a
// queued handle keeps its resource alive until the command is recycled) and
// implements both; the derived class only says which call it makes (Call).
// Integer values are stored only when they fit the argument's type: the front
// ends ask Accepts first and refuse what it does not accept.
#include <cstdint>
#include <tuple>
#include <utility>

#include <halvo_core/handle.h>
#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/command_list.h>
#include <halvo_gfx/command_operation.h>
#include <halvo_gfx/command_pool.h>

namespace hlv_gfx {

template <class T>
using HandleOf = hlv_core::CResourceHandle<T>;

template <class TargetType>
class TQueuedCommand {
public:
    using Target = TargetType;

    // Runs the call on the target; with no target the result is
    // GFXR_INVALID_HANDLE and nothing runs.
    virtual void Execute(Target* target) = 0;
    // Resets the arguments and returns the command to its pool.
    virtual void Release() = 0;

    // Where Execute writes the result code; null discards it.
    void SetResult(std::uint32_t* result) { m_result = result; }
    std::uint32_t* GetResult() const { return m_result; }

    CommandHook queue_hook;

protected:
    TQueuedCommand() = default;
    ~TQueuedCommand() = default;
    TQueuedCommand(const TQueuedCommand&) = delete;
    TQueuedCommand& operator=(const TQueuedCommand&) = delete;

    // A command without a result pointer writes into a word of its own, so
    // no two commands (or front ends) ever share a discarded result.
    void WriteResult(std::uint32_t code) { *(m_result ? m_result : &m_discarded) = code; }

private:
    std::uint32_t* m_result = nullptr;
    std::uint32_t m_discarded = 0;
};

// Recycling an argument: handles let go of their resource; other values keep
// their contents (and capacity) until the command is filled again. Types that
// hold handles of their own add an overload in their namespace.
template <class T>
void ResetArgument(T&)
{
}

template <class T>
void ResetArgument(hlv_core::CResourceHandle<T>& handle)
{
    handle.Reset();
}

template <class Derived, class Base, class... Args>
class TPooledCommand : public Base {
public:
    using Arguments = std::tuple<Args...>;
    using Target = typename Base::Target;

    void AttachPool(CommandPool<Derived>* pool) { m_pool = pool; }

    Arguments& GetArguments() { return m_arguments; }
    const Arguments& GetArguments() const { return m_arguments; }

    // Whether Fill can store the values without changing any: an integer
    // must fit the type of its argument. A derived class may check against
    // the types of the call's parameters instead.
    template <class... Values>
    static bool Accepts(const Values&... values)
    {
        static_assert(sizeof...(Values) == sizeof...(Args), "one value per argument");
        return (FitsIn<Args>(values) && ...);
    }

    // Assigns the arguments in order, element by element, so strings and
    // vectors reuse the storage of the command's earlier uses. The values are
    // ones Accepts accepts.
    template <class... Values>
    void Fill(Values&&... values)
    {
        static_assert(sizeof...(Values) == sizeof...(Args), "one value per argument");
        std::apply([&](Args&... argument) { ((argument = ConvertedTo<Args>(std::forward<Values>(values))), ...); },
                   m_arguments);
    }

    void Execute(Target* target) final
    {
        if (!target) {
            this->WriteResult(GFXR_INVALID_HANDLE);
            return;
        }
        this->WriteResult(static_cast<Derived*>(this)->Call(*target));
    }

    void Release() final
    {
        std::apply([](auto&... argument) { (ResetArgument(argument), ...); }, m_arguments);
        this->SetResult(nullptr);
        m_pool->Recycle(static_cast<Derived*>(this));
    }

protected:
    TPooledCommand() = default;
    ~TPooledCommand() = default;

    Arguments m_arguments;

private:
    CommandPool<Derived>* m_pool = nullptr;
};

}  // namespace hlv_gfx

// Declares one command class of a front end's list:
//   name      the class
//   Base      its queued-command base
//   target    the name the call gives the target (a reference)
//   call      the call, on `target`, with the arguments as the pack `a`
//   ...       the argument types, in the order stored and passed
#define HLV_DECLARE_POOLED_COMMAND(name, Base, target, call, ...)                                          \
    class name final : public ::hlv_gfx::TPooledCommand<name, Base __VA_OPT__(, ) __VA_ARGS__> {           \
    public:                                                                                                \
        static constexpr const char* kCommandName = #name;                                                 \
        std::uint32_t Call(typename Base::Target& target)                                                  \
        {                                                                                                  \
            return std::apply([&target](auto&... a) -> std::uint32_t { return call; }, this->m_arguments); \
        }                                                                                                  \
    };
