#include "tests/tools/program_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

extern char** environ;

namespace zarn::test {

namespace {

struct Spawned {
    pid_t pid;
    int outFd;
    int errFd;
};

Spawned Spawn(const std::vector<std::string>& arguments,
              const std::map<std::string, std::string>& environment) {
    int out[2];
    int err[2];
    if (pipe(out) != 0 || pipe(err) != 0) {
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, err[0]);

    std::vector<std::string> words = {ZARNREL_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string entry = *variable;
        if (environment.count(entry.substr(0, entry.find('='))) == 0) {
            variables.push_back(entry);
        }
    }
    for (const auto& [name, value] : environment) {
        variables.push_back(name + "=" + value);
    }
    std::vector<char*> envp;
    for (std::string& variable : variables) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);

    pid_t pid = -1;
    const int failure = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    if (failure != 0) {
        close(out[0]);
        close(err[0]);
        throw std::runtime_error(std::string("cannot start zarnrel: ") + std::strerror(failure));
    }
    return {pid, out[0], err[0]};
}

// Reads from both descriptors until both are closed or the deadline passes; false on timeout.
bool Drain(int outFd, int errFd, std::string& out, std::string& err,
           std::chrono::steady_clock::time_point deadline) {
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    std::string* sinks[2] = {&out, &err};
    while (fds[0].fd >= 0 || fds[1].fd >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        if (poll(fds, 2, static_cast<int>(left.count())) < 0) {
            return false;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd >= 0 && (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
                char buffer[4096];
                const ssize_t count = read(fds[i].fd, buffer, sizeof buffer);
                if (count <= 0) {
                    close(fds[i].fd);
                    fds[i].fd = -1;
                } else {
                    sinks[i]->append(buffer, static_cast<std::size_t>(count));
                }
            }
        }
    }
    return true;
}

int WaitForExit(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

ProgramResult RunZarnrel(const std::vector<std::string>& arguments,
                         const std::map<std::string, std::string>& environment,
                         std::chrono::seconds limit) {
    const Spawned spawned = Spawn(arguments, environment);
    ProgramResult result;
    if (!Drain(spawned.outFd, spawned.errFd, result.out, result.err,
               std::chrono::steady_clock::now() + limit)) {
        kill(spawned.pid, SIGKILL);
        result.err += "\n[killed: no exit within the time limit]";
    }
    result.exitCode = WaitForExit(spawned.pid);
    return result;
}

BackgroundZarnrel::BackgroundZarnrel(const std::vector<std::string>& arguments) {
    const Spawned spawned = Spawn(arguments, {});
    pid_ = spawned.pid;
    outFd_ = spawned.outFd;
    errFd_ = spawned.errFd;
}

BackgroundZarnrel::~BackgroundZarnrel() {
    if (pid_ > 0) {
        Stop(SIGKILL);
    }
}

std::string BackgroundZarnrel::ReadLine(std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (pending_.find('\n') == std::string::npos && outFd_ >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd fd = {outFd_, POLLIN, 0};
        if (left.count() <= 0 || poll(&fd, 1, static_cast<int>(left.count())) <= 0) {
            return {};
        }
        char buffer[4096];
        const ssize_t count = read(outFd_, buffer, sizeof buffer);
        if (count <= 0) {
            close(outFd_);
            outFd_ = -1;
        } else {
            pending_.append(buffer, static_cast<std::size_t>(count));
        }
    }
    const auto end = pending_.find('\n');
    if (end == std::string::npos) {
        return {};
    }
    std::string line = pending_.substr(0, end);
    pending_.erase(0, end + 1);
    return line;
}

ProgramResult BackgroundZarnrel::Stop(int signal) {
    ProgramResult result;
    kill(pid_, signal);
    if (!Drain(outFd_ >= 0 ? outFd_ : -1, errFd_, result.out, result.err,
               std::chrono::steady_clock::now() + std::chrono::seconds(30))) {
        kill(pid_, SIGKILL);
    }
    result.out = pending_ + result.out;
    result.exitCode = WaitForExit(pid_);
    pid_ = -1;
    outFd_ = -1;
    errFd_ = -1;
    return result;
}

}  // namespace zarn::test
