#pragma once
// Application base that holds the named contexts and the modules initialised
// against them.
#include <cstddef>
#include <map>
#include <vector>

#include <halvo_app/Context/CManagedContextModule.h>
#include <halvo_app/Context/IModule.h>

namespace hlv_app {

class AHalvoApplication;

class CFullModuledHalvoApplication {
public:
    using managed_context_module_t = CManagedContextModule;
    using context_id = managed_context_module_t::context_id;

    CFullModuledHalvoApplication() = default;
    CFullModuledHalvoApplication(const CFullModuledHalvoApplication&) = delete;
    CFullModuledHalvoApplication& operator=(const CFullModuledHalvoApplication&) = delete;
    // The contexts go first (with the slots their managers own), then the
    // module lists. Modules are not owned.
    virtual ~CFullModuledHalvoApplication() = default;

    managed_context_module_t& GetContextModule() { return m_contextModule; }
    const managed_context_module_t& GetContextModule() const { return m_contextModule; }

    // Appends a module and returns its index.
    std::size_t AddModule(IModule* module);
    // Binds the module at index module to the context id (replacing an
    // earlier binding of that module).
    void BindModule(std::size_t module, context_id context);

    // For each binding in ascending module order: SetContext, Initialize and
    // PostInitialize of the module with its context. Bindings of a module
    // index without a module are skipped. When a binding names no existing
    // context, no module is called and the result is false.
    bool InitModules(AHalvoApplication* application);

private:
    std::map<std::size_t, context_id> m_moduleBindings;
    std::vector<IModule*> m_modules;
    managed_context_module_t m_contextModule;
};

}  // namespace hlv_app
