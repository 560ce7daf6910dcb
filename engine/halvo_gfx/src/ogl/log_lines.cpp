#include "ogl/log_lines.h"

namespace hlv_gfx::ogl {
namespace {

template <typename Keep>
void AppendLines(std::string_view log, std::list<std::string>& lines, Keep keep)
{
    std::size_t start = 0;
    while (start < log.size()) {
        const std::size_t end = log.find('\n', start);
        if (end == std::string_view::npos) {
            lines.emplace_back(log.substr(start));
            return;
        }
        const std::string_view line = log.substr(start, end - start);
        if (keep(line)) lines.emplace_back(line);
        start = end + 1;
    }
}

}  // namespace

void AppendCompileLogLines(std::string_view log, std::list<std::string>& lines)
{
    AppendLines(log, lines, [](std::string_view line) { return !line.empty(); });
}

void AppendLinkLogLines(std::string_view log, std::list<std::string>& lines)
{
    AppendLines(log, lines, [](std::string_view) { return true; });
}

}  // namespace hlv_gfx::ogl
