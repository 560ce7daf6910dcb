#pragma once
// Run-time class records of resource classes.
#include <cstddef>
#include <string>

namespace hlv_core {

class IResource;

// One static record per resource class: its unqualified name, its parent's
// record (null only for IResource) and the size of its objects.
struct CResourceClassInfo {
    std::string class_name;
    const CResourceClassInfo* parent;
    std::size_t size;
};

// The object's class record is exactly the given one.
bool IsExactly(const IResource* object, const CResourceClassInfo& info);
// The object's class record is the given one or descends from it.
bool IsKindOf(const IResource* object, const CResourceClassInfo& info);

template <typename T>
bool IsExactly(const IResource* object)
{
    return IsExactly(object, T::s_classInfo);
}

template <typename T>
bool IsKindOf(const IResource* object)
{
    return IsKindOf(object, T::s_classInfo);
}

}  // namespace hlv_core

// Inside the class body of a resource class (public section): declares the
// record and returns it from GetClassInfo.
#define HLV_RESOURCE_CLASS(Class)                            \
public:                                                      \
    static const ::hlv_core::CResourceClassInfo s_classInfo; \
    const ::hlv_core::CResourceClassInfo* GetClassInfo() const override { return &s_classInfo; }

// At namespace scope after the class (header or source): defines the record,
// naming the class record given as parent. Records may name a parent other
// than the C++ base where the class hierarchy says so.
#define HLV_DEFINE_RESOURCE_CLASS(Class, Parent) \
    inline const ::hlv_core::CResourceClassInfo Class::s_classInfo{#Class, &Parent::s_classInfo, sizeof(Class)};
