#pragma once
// Allocation-free lists of queued commands.
//
// A command that can be queued carries a `queue_hook` member; the lists link
// the commands themselves, so appending, handing a whole list over and taking
// the next command never allocate.
#include <boost/intrusive/slist.hpp>

namespace hlv_gfx {

using CommandHook = boost::intrusive::slist_member_hook<boost::intrusive::link_mode<boost::intrusive::normal_link>>;

// First-in first-out list of commands; appending at the back is constant time.
template <class Command>
using CommandList =
    boost::intrusive::slist<Command, boost::intrusive::member_hook<Command, CommandHook, &Command::queue_hook>,
                            boost::intrusive::cache_last<true>, boost::intrusive::constant_time_size<false>>;

// Moves every command of `from` to the back of `to`, keeping their order.
template <class Command>
void AppendAll(CommandList<Command>& to, CommandList<Command>& from) noexcept
{
    to.splice_after(to.last(), from);
}

}  // namespace hlv_gfx
