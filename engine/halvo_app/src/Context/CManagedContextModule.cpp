#include <halvo_app/Context/CManagedContextModule.h>

namespace hlv_app {

CManagedContextModule::context_id CManagedContextModule::CreateContext(const std::string& name)
{
    if (m_names.count(name)) return CID_INVALID;
    m_contexts.emplace_back();
    const context_id id = m_contexts.size() - 1;
    m_names.emplace(name, id);
    return id;
}

CManagedContextModule::context_id CManagedContextModule::GetContextId(const std::string& name) const
{
    auto it = m_names.find(name);
    return it == m_names.end() ? CID_INVALID : it->second;
}

CManagedContext* CManagedContextModule::GetContext(context_id id)
{
    return id < m_contexts.size() ? &m_contexts[id] : nullptr;
}

const CManagedContext* CManagedContextModule::GetContext(context_id id) const
{
    return id < m_contexts.size() ? &m_contexts[id] : nullptr;
}

}  // namespace hlv_app
