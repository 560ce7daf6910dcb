#include <halvo_gfx/command_pool.h>

#include <iostream>

namespace hlv_gfx {

void ReportCommandPoolExhausted(const std::string& pool_name, std::size_t size)
{
    std::cerr << "CommandPool<" << pool_name << ">: all " << size
              << " commands are in use; calls that need one are refused (GFXR_MT_NO_COMMAND) "
                 "until the render thread has executed queued ones."
              << std::endl;
}

}  // namespace hlv_gfx
