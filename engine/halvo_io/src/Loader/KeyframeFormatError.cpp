#include <halvo_io/Loader/KeyframeFormatError.h>

#include <utility>

namespace hlv_io {

namespace {

std::string Describe(const std::string& file, const std::string& element, const std::string& reason, int line)
{
    std::string text = reason + " [file \"" + file + "\"";
    if (!element.empty()) text += ", element \"" + element + "\"";
    if (line > 0) text += ", line " + std::to_string(line);
    return text + "]";
}

}  // namespace

KeyframeFormatError::KeyframeFormatError(std::string file, std::string element, std::string reason, int line)
    : std::runtime_error(Describe(file, element, reason, line)),
      m_file(std::move(file)),
      m_element(std::move(element)),
      m_reason(std::move(reason)),
      m_line(line)
{
}

}  // namespace hlv_io
