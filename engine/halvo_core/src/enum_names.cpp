#include <halvo_core/RESULT.h>
#include <halvo_core/property/PropertyTypes.h>

namespace hlv_core {

const std::string& EmptyEnumName()
{
    static const std::string empty;
    return empty;
}

HLV_DEFINE_ENUM_NAMES(HALVO_CORE_RESULT, HLV_CORE_RESULT_LIST)
HLV_DEFINE_ENUM_NAMES(PROPERTY_TYPE, HLV_PROPERTY_TYPE_LIST)
HLV_DEFINE_ENUM_NAMES(PROPERTY_ACCESS_TYPE, HLV_PROPERTY_ACCESS_TYPE_LIST)
HLV_DEFINE_ENUM_NAMES(VALUE_TYPE, HLV_VALUE_TYPE_LIST)
HLV_DEFINE_ENUM_NAMES(VALUE_STRUCTURE, HLV_VALUE_STRUCTURE_LIST)

}  // namespace hlv_core
