#include "Loader/NumberText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace hlv_io {

namespace {

// Drops one leading "+", which from_chars does not accept; a sign after it
// stays and makes the text malformed.
bool StripPlus(std::string_view& text)
{
    if (text.empty() || text.front() != '+') return true;
    text.remove_prefix(1);
    return !text.empty() && text.front() != '+' && text.front() != '-';
}

template <typename T, typename... Format>
NumberStatus Convert(std::string_view text, T& value, Format... format)
{
    T parsed{};
    const char* const last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, parsed, format...);
    if (error == std::errc::result_out_of_range && end == last) return NumberStatus::OutOfRange;
    if (error != std::errc() || end != last) return NumberStatus::Malformed;
    value = parsed;
    return NumberStatus::Ok;
}

}  // namespace

NumberStatus ParseUnsigned64(std::string_view text, std::uint64_t& value)
{
    if (!text.empty() && text.front() == '-') {
        std::uint64_t magnitude = 0;
        return Convert(text.substr(1), magnitude, 10) == NumberStatus::Malformed ? NumberStatus::Malformed
                                                                                 : NumberStatus::Negative;
    }
    if (!StripPlus(text)) return NumberStatus::Malformed;
    return Convert(text, value, 10);
}

NumberStatus ParseFloat(std::string_view text, float& value)
{
    if (!StripPlus(text)) return NumberStatus::Malformed;
    float parsed = 0.0f;
    const NumberStatus status = Convert(text, parsed, std::chars_format::general);
    if (status != NumberStatus::Ok) return status;
    if (!std::isfinite(parsed)) return NumberStatus::NotFinite;
    value = parsed;
    return NumberStatus::Ok;
}

std::string_view DescribeNumberStatus(NumberStatus status)
{
    switch (status) {
    case NumberStatus::Ok: return "";
    case NumberStatus::Malformed: return "Malformed number: ";
    case NumberStatus::Negative: return "Negative number where an unsigned one is expected: ";
    case NumberStatus::OutOfRange: return "Number out of range: ";
    case NumberStatus::NotFinite: return "Number is not finite: ";
    }
    return "";
}

}  // namespace hlv_io
