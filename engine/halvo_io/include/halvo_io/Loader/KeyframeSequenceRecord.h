#pragma once
// What one keyframe-sequence file holds, as the loader reads it.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <plovdane/keyframe_sequence.h>
#include <plovdane/math_types.h>

namespace hlv_io {

// Codes of the sequence's properties; 0 means "not read".
enum KeyframeTimeUnit : std::uint32_t { KTU_NONE = 0, KTU_MILLISECONDS = 1 };
enum KeyframeValueType : std::uint32_t { KVT_NONE = 0, KVT_FLOAT = 1 };
enum KeyframeValueStructure : std::uint32_t { KVS_NONE = 0, KVS_SCALAR = 1, KVS_VEC3 = 2 };
enum KeyframePlayType : std::uint32_t { KPT_NONE = 0, KPT_SINGLE = 1, KPT_LOOP = 2 };
enum KeyframeInterpolation : std::uint32_t { KI_NONE = 0, KI_LINEAR = 1 };

// Keys in file order, each with its tag set to all ones.
using ScalarKeyList = std::vector<pld_ani::keyframe<float>>;
using Vec3KeyList = std::vector<pld_ani::keyframe<pld_math::vector<float, 3>>>;
using KeyframeKeyList = std::variant<ScalarKeyList, Vec3KeyList>;

struct KeyframeSequenceRecord {
    static constexpr std::uint64_t kUnboundedDuration = ~std::uint64_t(0);

    std::string name;
    std::uint32_t interpolation = KI_NONE;
    std::uint32_t time_unit = KTU_NONE;
    std::uint32_t value_type = KVT_NONE;
    std::uint32_t value_structure = KVS_NONE;
    std::uint32_t play_type = KPT_NONE;
    std::uint64_t start = 0;                      // ms
    std::uint64_t duration = kUnboundedDuration;  // ms; all ones: no limit
    // Absent when the file's keyframes element has no child node at all; an
    // (empty) list of the sequence's structure otherwise.
    std::optional<KeyframeKeyList> keys;

    // The key list when it is present and of that structure, else null.
    const ScalarKeyList* ScalarKeys() const { return keys ? std::get_if<ScalarKeyList>(&*keys) : nullptr; }
    const Vec3KeyList* Vec3Keys() const { return keys ? std::get_if<Vec3KeyList>(&*keys) : nullptr; }
};

}  // namespace hlv_io
