#pragma once
// Runs a program as a child process and collects its standard output, its
// exit status and the monotonic time at which it ended.
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace hlv_app_test {

struct CHILD_RESULT {
    bool started = false;
    bool timedOut = false;            // killed after the limit
    bool exited = false;              // ended by exit (not by a signal)
    int status = -1;                  // exit status when exited
    std::string output;               // standard output
    std::int64_t endNanoseconds = 0;  // steady clock when the child had ended
};

// How the child's environment and streams differ from the test's.
struct CHILD_SETUP {
    std::vector<std::string> unset;  // variables taken out of the environment
    std::vector<std::string> set;    // "NAME=value", replacing an inherited NAME
    bool captureErrors = false;      // the standard error stream joins output
};

// Runs program with arguments; the child inherits the environment and the
// standard error stream. A child still running after limit is killed.
CHILD_RESULT RunChild(const std::string& program, const std::vector<std::string>& arguments,
                      std::chrono::milliseconds limit);
// The same with the environment and streams of setup.
CHILD_RESULT RunChild(const std::string& program, const std::vector<std::string>& arguments,
                      std::chrono::milliseconds limit, const CHILD_SETUP& setup);

// The number after "<key> " on a line of text, or -1 when there is none.
std::int64_t FindValue(const std::string& text, const std::string& key);

}  // namespace hlv_app_test
