#pragma once
// The contexts of an application, created and found by name.
#include <cstddef>
#include <deque>
#include <map>
#include <string>

#include <halvo_app/Context/CManagedContext.h>

namespace hlv_app {

class CManagedContextModule {
public:
    // A context id is the context's index in creation order.
    using context_id = std::size_t;
    static constexpr context_id CID_INVALID = static_cast<context_id>(-1);

    CManagedContextModule() = default;
    CManagedContextModule(const CManagedContextModule&) = delete;
    CManagedContextModule& operator=(const CManagedContextModule&) = delete;
    virtual ~CManagedContextModule() = default;

    // Creates an empty context under name and returns its id; CID_INVALID when
    // the name exists.
    context_id CreateContext(const std::string& name);
    // The id of the name, or CID_INVALID.
    context_id GetContextId(const std::string& name) const;
    // The context of id, or null for an id that names no context.
    CManagedContext* GetContext(context_id id);
    const CManagedContext* GetContext(context_id id) const;

    std::size_t GetContextCount() const { return m_contexts.size(); }

private:
    // A deque keeps every context at its place while more are created.
    std::deque<CManagedContext> m_contexts;
    std::map<std::string, context_id> m_names;
};

}  // namespace hlv_app
