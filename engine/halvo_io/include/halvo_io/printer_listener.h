#pragma once
// What the standard-error compiler and linker listeners share: the printer
// they pass messages to.
#include <cstdint>
#include <string>

#include <halvo_core/handle.h>
#include <halvo_core/message_printer.h>
#include <halvo_io/IO_RESULT.h>

namespace hlv_io {

// Listener is ICompilerListener or ILinkerListener. Without a printer every
// handling call answers IOR_INVALID_ARGUMENT and prints nothing.
template <typename Listener>
class CPrinterListener : public Listener {
public:
    void SetPrinter(const hlv_core::CResourceHandle<IMessagePrinter>& printer) { m_printer = printer; }
    hlv_core::CResourceHandle<IMessagePrinter> GetPrinter() const { return m_printer; }

    std::uint32_t IsValid() const override { return m_printer ? IOR_OK : IOR_INVALID_ARGUMENT; }

    std::uint32_t HandleLinkerMessage(const std::string& message) override
    {
        const auto printer = m_printer;
        if (!printer) return IOR_INVALID_ARGUMENT;
        printer->Print(message);
        return IOR_OK;
    }

protected:
    explicit CPrinterListener(const std::string& name) : Listener(name) {}

    hlv_core::CResourceHandle<IMessagePrinter> m_printer;
};

}  // namespace hlv_io
