#include "last_error.h"

#include <sound/fmod_check.h>

#include <utility>

namespace sound {
namespace {
thread_local std::string t_lastDetail;
}

FMOD_RESULT Fail(FMOD_RESULT result, std::string detail)
{
    t_lastDetail = std::move(detail);
    return result;
}

std::string LastErrorDetail() { return t_lastDetail; }

}  // namespace sound
