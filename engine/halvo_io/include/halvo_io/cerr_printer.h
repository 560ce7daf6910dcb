#pragma once
// A printer that writes to the standard error stream.
#include <cstdint>
#include <string>

#include <halvo_core/message_printer.h>

namespace hlv_io {

// Writes are serialised with the printer's mutex, so the texts of two threads
// never interleave within one call.
class CCerrPrinter : public IMessagePrinter {
public:
    HLV_RESOURCE_CLASS(CCerrPrinter)

    explicit CCerrPrinter(const std::string& name) : IMessagePrinter(name) {}

    std::uint32_t Print(const std::string& text) override;
    std::uint32_t PrintLine(const std::string& text) override;
};
HLV_DEFINE_RESOURCE_CLASS(CCerrPrinter, IMessagePrinter)

}  // namespace hlv_io
