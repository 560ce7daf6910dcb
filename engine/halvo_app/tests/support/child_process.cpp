#include "child_process.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <sstream>

extern char** environ;

namespace hlv_app_test {

namespace {
std::int64_t Now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
// The inherited environment without the variables setup unsets or sets,
// then those it sets.
std::vector<std::string> ChildEnvironment(const CHILD_SETUP& setup)
{
    auto named = [](const std::string& entry, const std::string& name) {
        return entry.size() > name.size() && entry.compare(0, name.size(), name) == 0 && entry[name.size()] == '=';
    };
    std::vector<std::string> removed = setup.unset;
    for (const auto& entry : setup.set) removed.push_back(entry.substr(0, entry.find('=')));
    std::vector<std::string> environment;
    for (char** variable = environ; *variable; ++variable) {
        const std::string entry(*variable);
        bool keep = true;
        for (const auto& name : removed) keep = keep && !named(entry, name);
        if (keep) environment.push_back(entry);
    }
    environment.insert(environment.end(), setup.set.begin(), setup.set.end());
    return environment;
}

}  // namespace

CHILD_RESULT RunChild(const std::string& program, const std::vector<std::string>& arguments,
                      std::chrono::milliseconds limit)
{
    return RunChild(program, arguments, limit, CHILD_SETUP{});
}

CHILD_RESULT RunChild(const std::string& program, const std::vector<std::string>& arguments,
                      std::chrono::milliseconds limit, const CHILD_SETUP& setup)
{
    CHILD_RESULT result;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return result;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    if (setup.captureErrors) posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<std::string> environment = ChildEnvironment(setup);
    std::vector<char*> envp;
    for (auto& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);

    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        return result;
    }
    result.started = true;

    const std::int64_t deadline = Now() + std::chrono::nanoseconds(limit).count();
    char buffer[4096];
    for (;;) {
        const std::int64_t left = (deadline - Now()) / 1000000;
        if (left <= 0) {
            result.timedOut = true;
            kill(pid, SIGKILL);
            break;
        }
        pollfd descriptor{pipeEnds[0], POLLIN, 0};
        const int ready = poll(&descriptor, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) continue;
        const ssize_t count = read(pipeEnds[0], buffer, sizeof buffer);
        if (count <= 0) break;  // the child closed its output (it ended)
        result.output.append(buffer, static_cast<std::size_t>(count));
    }
    close(pipeEnds[0]);

    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.endNanoseconds = Now();
    result.exited = WIFEXITED(status);
    if (result.exited) result.status = WEXITSTATUS(status);
    return result;
}

std::int64_t FindValue(const std::string& text, const std::string& key)
{
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind(key + " ", 0) == 0) return std::stoll(line.substr(key.size() + 1));
    }
    return -1;
}

}  // namespace hlv_app_test
