// libFuzzer target: a keyframe file of any bytes is read or refused with a
// KeyframeFormatError; a crash, a sanitizer report, a hang or any other
// exception is a finding.
#include <halvo_io/Loader/KeyframeSequenceLoader.h>

#include "scratch_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& path = hlv_io_fuzz::ScratchPath(".xml");
    hlv_io_fuzz::WriteScratchFile(path, data, size);
    hlv_io::KeyframeSequenceRecord record;
    try {
        hlv_io::KeyframeSequenceLoader::Load(path, record);
    } catch (const hlv_io::KeyframeFormatError& error) {
        // A refusal names the file and leaves the record as it was.
        if (error.File() != path || record.value_type != hlv_io::KVT_NONE || record.keys) __builtin_trap();
    }
    return 0;
}
