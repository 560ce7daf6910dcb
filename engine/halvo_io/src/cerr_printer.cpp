#include <halvo_io/cerr_printer.h>

#include <iostream>
#include <mutex>

#include <halvo_io/IO_RESULT.h>

namespace hlv_io {

std::uint32_t CCerrPrinter::Print(const std::string& text)
{
    std::lock_guard<boost::mutex> lock(ResourceMutex());
    std::cerr << text;
    return IOR_OK;
}

std::uint32_t CCerrPrinter::PrintLine(const std::string& text)
{
    std::lock_guard<boost::mutex> lock(ResourceMutex());
    std::cerr << text << std::endl;
    return IOR_OK;
}

}  // namespace hlv_io
