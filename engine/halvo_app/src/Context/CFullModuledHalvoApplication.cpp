#include <halvo_app/Context/CFullModuledHalvoApplication.h>

namespace hlv_app {

std::size_t CFullModuledHalvoApplication::AddModule(IModule* module)
{
    m_modules.push_back(module);
    return m_modules.size() - 1;
}

void CFullModuledHalvoApplication::BindModule(std::size_t module, context_id context)
{
    m_moduleBindings[module] = context;
}

bool CFullModuledHalvoApplication::InitModules(AHalvoApplication* application)
{
    for (const auto& [module, context] : m_moduleBindings) {
        if (module < m_modules.size() && m_modules[module] && !m_contextModule.GetContext(context)) {
            return false;
        }
    }
    for (const auto& [module, context] : m_moduleBindings) {
        if (module >= m_modules.size() || !m_modules[module]) continue;
        IModule* m = m_modules[module];
        CManagedContext& c = *m_contextModule.GetContext(context);
        m->SetContext(c);
        m->Initialize(application, c);
        m->PostInitialize(application, c);
    }
    return true;
}

}  // namespace hlv_app
