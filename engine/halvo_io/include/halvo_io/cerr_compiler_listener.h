#pragma once
// Compile logs to a printer, one line per log line.
#include <cstdint>
#include <list>
#include <string>

#include <halvo_gfx/compiler_listener.h>
#include <halvo_io/printer_listener.h>

namespace hlv_io {

class CCerrCompilerListener : public CPrinterListener<hlv_gfx::ICompilerListener> {
public:
    HLV_RESOURCE_CLASS(CCerrCompilerListener)

    explicit CCerrCompilerListener(const std::string& name) : CPrinterListener(name) {}

    // PrintLine for each line in order.
    std::uint32_t HandleCompilerMessages(const std::list<std::string>& messages) override;
};
HLV_DEFINE_RESOURCE_CLASS(CCerrCompilerListener, hlv_gfx::ICompilerListener)

}  // namespace hlv_io
