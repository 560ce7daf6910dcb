#pragma once
// Numbers in data files, read the same whatever the process locale.
#include <cstdint>
#include <string_view>

namespace hlv_io {

enum class NumberStatus { Ok, Malformed, Negative, OutOfRange, NotFinite };

// A decimal unsigned 64-bit number: digits only, one leading "+" allowed.
NumberStatus ParseUnsigned64(std::string_view text, std::uint64_t& value);

// A finite float in decimal or exponent notation, one leading "+" allowed.
NumberStatus ParseFloat(std::string_view text, float& value);

// The reason text for a failed status, naming the text that failed.
std::string_view DescribeNumberStatus(NumberStatus status);

}  // namespace hlv_io
