#pragma once
// Reader of keyframe-sequence XML files.
//
//   <keyframe_sequence>
//     <properties>
//       <name>Fade</name>                                (any text, empty too)
//       <time_unit>ms</time_unit> <value_type>float</value_type>
//       <value_structure>scalar|vec3</value_structure>   (optional, "scalar")
//       <play_type>single|loop</play_type>               (optional, "single")
//       <interpolation>linear</interpolation>
//     </properties>
//     <timing><start>0</start><duration></duration></timing>   (empty: 0 / unbounded)
//     <keyframes>
//       <keyframe><time>0</time><value>1.5</value></keyframe>  (vec3: "1; 2; 3")
//     </keyframes>
//   </keyframe_sequence>
#include <cstdint>
#include <optional>
#include <string>

#include <halvo_io/Loader/KeyframeFormatError.h>
#include <halvo_io/Loader/KeyframeSequenceRecord.h>
#include <plovdane/math_types.h>

namespace hlv_io {

class KeyframeSequenceLoader {
public:
    // Limits of the files read. The demo's largest keyframe file has 34 KB
    // (566 keys); the format nests four levels deep and has no attributes.
    static constexpr std::uint64_t kMaxFileBytes = std::uint64_t(4) << 20;
    static constexpr int kMaxNesting = 32;
    static constexpr int kMaxAttributes = 16;

    // Reads the file into the record and returns true. A file that cannot be
    // read or breaks the format throws KeyframeFormatError naming the file and
    // the element, and leaves the record as it was; so does a file beyond the
    // limits above, or one that holds a NUL byte, before it is parsed.
    static bool Load(const std::string& path, KeyframeSequenceRecord& record);

    // The first three ";"-separated pieces of a vector value, each trimmed of
    // blanks; further pieces are ignored. Empty when there are fewer than
    // three pieces or a piece is not a finite number.
    static std::optional<pld_math::vector<float, 3>> ParseVec3(const std::string& text);
};

}  // namespace hlv_io
