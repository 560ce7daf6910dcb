#pragma once
// Flags of the builds that run several times slower than an optimised one:
// stress tests scale their iteration counts and deadlines by them.

namespace hlv_testing {

#if defined(__SANITIZE_THREAD__)
#define HLV_TESTING_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define HLV_TESTING_TSAN 1
#endif
#endif

#if defined(__SANITIZE_ADDRESS__)
#define HLV_TESTING_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define HLV_TESTING_ASAN 1
#endif
#endif

// True in builds instrumented by the thread sanitizer.
#if defined(HLV_TESTING_TSAN)
inline constexpr bool kThreadSanitizer = true;
#else
inline constexpr bool kThreadSanitizer = false;
#endif

// True in builds instrumented by a sanitizer or built without optimisation.
#if defined(HLV_TESTING_TSAN) || defined(HLV_TESTING_ASAN) || !defined(__OPTIMIZE__)
inline constexpr bool kSlowBuild = true;
#else
inline constexpr bool kSlowBuild = false;
#endif

#undef HLV_TESTING_TSAN
#undef HLV_TESTING_ASAN

}  // namespace hlv_testing
