#include <halvo_io/IO_RESULT.h>
#include <halvo_io/cerr_compiler_listener.h>
#include <halvo_io/cerr_linker_listener.h>

namespace hlv_io {

std::uint32_t CCerrCompilerListener::HandleCompilerMessages(const std::list<std::string>& messages)
{
    const auto printer = m_printer;
    if (!printer) return IOR_INVALID_ARGUMENT;
    for (const std::string& line : messages) printer->PrintLine(line);
    return IOR_OK;
}

std::uint32_t CCerrLinkerListener::HandleLinkerMessages(const std::list<std::string>& messages)
{
    const auto printer = m_printer;
    if (!printer) return IOR_INVALID_ARGUMENT;
    for (const std::string& line : messages) printer->Print(line);
    return IOR_OK;
}

}  // namespace hlv_io
