#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/compiler_listener.h>
#include <halvo_gfx/linker_listener.h>

namespace hlv_gfx {

std::uint32_t ICompilerListener::OnMessages(const std::list<std::string>& messages)
{
    HandleCompilerMessages(messages);
    return GFXR_OK;
}

std::uint32_t ICompilerListener::OnMessage(const std::string& message)
{
    return HandleLinkerMessage(message) == GFXR_OK ? GFXR_OK : GFXR_FAIL;
}

std::uint32_t ILinkerListener::OnMessages(const std::list<std::string>& messages)
{
    HandleLinkerMessages(messages);
    return GFXR_OK;
}

std::uint32_t ILinkerListener::OnMessage(const std::string& message)
{
    return HandleLinkerMessage(message) == GFXR_OK ? GFXR_OK : GFXR_FAIL;
}

}  // namespace hlv_gfx
