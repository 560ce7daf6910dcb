#include <halvo_gfx/gfx_system.h>

#include <fstream>

#include <halvo_gfx/GFX_RESULT.h>

namespace hlv_gfx {

void IGfxSystem::BroadcastMessage(const std::string& text) const
{
    for (hlv_io::IMessagePrinter* printer : m_messagePrinters)
        if (printer) printer->Print(text);
}

void IGfxSystem::BroadcastLinkerMessage(const std::string& text) const
{
    for (ILinkerListener* listener : m_linkerListeners)
        if (listener) listener->OnMessage(text);
}

void IGfxSystem::BroadcastLinkerMessages(const std::list<std::string>& log) const
{
    for (ILinkerListener* listener : m_linkerListeners)
        if (listener) listener->OnMessages(log);
}

void IGfxSystem::BroadcastCompilerMessages(const std::list<std::string>& log) const
{
    for (ICompilerListener* listener : m_compilerListeners)
        if (listener) listener->OnMessages(log);
}

std::uint32_t IGfxSystem::ReadTextFile(const std::string& path, std::list<std::string>& lines)
{
    std::ifstream file(path);
    if (!file) return GFXR_FILE_NOT_FOUND;
    // Read into a list of our own first, so a failure part-way leaves the
    // caller's list as it was.
    std::list<std::string> read;
    std::string line;
    do {
        std::getline(file, line);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line.push_back('\n');
        read.push_back(std::move(line));
        line.clear();
    } while (!file.eof() && !file.bad());
    if (file.bad()) return GFXR_FILE_NOT_FOUND;
    lines.splice(lines.end(), read);
    return GFXR_OK;
}

}  // namespace hlv_gfx
