#pragma once
// One pool per command class of a front end, built together in list order.
#include <tuple>

#include <halvo_gfx/command_pool.h>

namespace hlv_gfx {

// Marks the start of a generated class list, so that a list macro can emit
// ", class" for every entry: TCommandPools<CommandListStart, a, b, c>.
struct CommandListStart {};

template <class... Commands>
class TCommandPools;

template <class... Commands>
class TCommandPools<CommandListStart, Commands...> {
public:
    static constexpr std::size_t kCount = sizeof...(Commands);

    template <class Command>
    CommandPool<Command>& Get()
    {
        return std::get<CommandPool<Command>>(m_pools);
    }

private:
    std::tuple<CommandPool<Commands>...> m_pools;
};

}  // namespace hlv_gfx
