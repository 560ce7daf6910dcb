#pragma once
// The error a malformed keyframe-sequence file is reported with.
#include <stdexcept>
#include <string>

namespace hlv_io {

class KeyframeFormatError : public std::runtime_error {
public:
    // element: the path of the offending element from the root, for example
    // "keyframe_sequence/timing/start" (empty when the file could not be read
    // as XML); line: its line in the file, 0 when unknown.
    KeyframeFormatError(std::string file, std::string element, std::string reason, int line);

    const std::string& File() const { return m_file; }
    const std::string& Element() const { return m_element; }
    // The reason alone, for example "Unsupported time unit.".
    const std::string& Reason() const { return m_reason; }
    int Line() const { return m_line; }

private:
    std::string m_file;
    std::string m_element;
    std::string m_reason;
    int m_line;
};

}  // namespace hlv_io
