#pragma once
// Splitting the compile and link logs of OpenGL into lines for the listeners.
#include <list>
#include <string>
#include <string_view>

namespace hlv_gfx::ogl {

// A compile log: each line feed ends a line; only non-empty lines are
// appended, the last one also without a line feed.
void AppendCompileLogLines(std::string_view log, std::list<std::string>& lines);

// A link log: each line feed ends a line, empty lines included; text after
// the last line feed is appended as a last line.
void AppendLinkLogLines(std::string_view log, std::list<std::string>& lines);

}  // namespace hlv_gfx::ogl
