#pragma once
// Text sinks that engine components report to.
//
// The printer interface belongs to the I/O layer's family of printers, but the
// graphics layer (below the I/O library) broadcasts to printers too, so the
// interface lives here where every library can reach it.
#include <cstdint>
#include <string>

#include <halvo_core/resource.h>

namespace hlv_io {

class IMessagePrinter : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(IMessagePrinter)

    // Writes the text as it is.
    virtual std::uint32_t Print(const std::string& text) = 0;
    // Writes the text followed by an end of line.
    virtual std::uint32_t PrintLine(const std::string& text) = 0;

protected:
    explicit IMessagePrinter(const std::string& name) : IResource(name) {}
};
HLV_DEFINE_RESOURCE_CLASS(IMessagePrinter, hlv_core::IResource)

}  // namespace hlv_io
