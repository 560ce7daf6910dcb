#include <halvo_gfx/render_state_set.h>

#include <algorithm>

namespace hlv_gfx {

CRenderStateSet::CRenderStateSet(const std::string& name) : IResource(name) { changedStates.reserve(30); }

void CRenderStateSet::AddState(std::uint32_t id)
{
    if (std::find(changedStates.begin(), changedStates.end(), id) != changedStates.end()) return;
    // A builder may have zeroed an entry: reuse it rather than grow the list.
    const auto freeEntry = std::find(changedStates.begin(), changedStates.end(), 0u);
    if (freeEntry != changedStates.end())
        *freeEntry = id;
    else
        changedStates.push_back(id);
}

}  // namespace hlv_gfx
