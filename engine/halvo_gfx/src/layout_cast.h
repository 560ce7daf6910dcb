#pragma once
// Reading a layout handle as a derived layout class when the object is of
// exactly that class, and as a fallback handle otherwise.
#include <halvo_core/class_info.h>
#include <halvo_core/handle.h>

namespace hlv_gfx::detail {

template <typename To, typename From>
hlv_core::CResourceHandle<To> ExactOrFallback(const hlv_core::CResourceHandle<From>& source,
                                              const hlv_core::CResourceHandle<To>& fallback)
{
    // The copy holds a reference, so the object stays alive while it is
    // checked and wrapped again.
    const hlv_core::CResourceHandle<From> held = source;
    if (held && hlv_core::IsExactly<To>(held.get())) return hlv_core::CResourceHandle<To>(static_cast<To*>(held.get()));
    return fallback;
}

}  // namespace hlv_gfx::detail
