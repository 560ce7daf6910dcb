#pragma once
// Link logs to a printer as one run of text.
#include <cstdint>
#include <list>
#include <string>

#include <halvo_gfx/linker_listener.h>
#include <halvo_io/printer_listener.h>

namespace hlv_io {

class CCerrLinkerListener : public CPrinterListener<hlv_gfx::ILinkerListener> {
public:
    HLV_RESOURCE_CLASS(CCerrLinkerListener)

    explicit CCerrLinkerListener(const std::string& name) : CPrinterListener(name) {}

    // Print for each line in order, adding no line ends.
    std::uint32_t HandleLinkerMessages(const std::list<std::string>& messages) override;
};
HLV_DEFINE_RESOURCE_CLASS(CCerrLinkerListener, hlv_gfx::ILinkerListener)

}  // namespace hlv_io
