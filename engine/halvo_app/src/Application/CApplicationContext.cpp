#include <halvo_app/Application/CApplicationContext.h>

namespace hlv_app {

CApplicationContext::CApplicationContext(AHalvoApplication* application) : m_application(application)
{
    HLV_FATAL_CHECK(application != nullptr, "Application pointer not valid.");
}

}  // namespace hlv_app
