#pragma once
// Engine objects of one kind found by name.
#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace hlv_app {

// Neither owns nor counts its objects: whoever registers a resource hands the
// registry a reference of its own (AddRef), which stays with the object for
// the rest of the run. Missing and duplicate names give npos (-1).
template <typename T>
class CNamedObjectRegistry {
public:
    using object_type = T;
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    // Stores the pointer in the first empty place, or appends it.
    std::size_t Add(T* object)
    {
        for (std::size_t i = 0; i < m_objects.size(); ++i) {
            if (!m_objects[i]) {
                m_objects[i] = object;
                return i;
            }
        }
        m_objects.push_back(object);
        return m_objects.size() - 1;
    }

    // Index of the name, or npos.
    std::size_t Find(const std::string& name) const
    {
        auto it = m_names.find(name);
        return it == m_names.end() ? npos : it->second;
    }

    // Stores object under name and returns its index. A name that is already
    // registered, or a null object, gives npos and changes nothing.
    std::size_t Register(const std::string& name, T* object)
    {
        if (!object || m_names.count(name)) return npos;
        const std::size_t index = Add(object);
        m_names.emplace(name, index);
        return index;
    }

    // The object at index; null for an empty place or an index out of range.
    T* Get(std::size_t index) const { return index < m_objects.size() ? m_objects[index] : nullptr; }
    // The object registered under name, or null.
    T* Get(const std::string& name) const { return Get(Find(name)); }

    std::size_t size() const { return m_objects.size(); }

private:
    std::vector<T*> m_objects;
    std::map<std::string, std::size_t> m_names;
};

}  // namespace hlv_app
