#include "tests/support/ChildProcess.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>

namespace ocre::test {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kKillWaitMs = 5000;
constexpr int kPumpSliceMs = 50;

int remainingMs(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Appends what the pipe holds; closes it at its end.
void drain(int& fd, std::string& sink) {
    char buffer[4096];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) {
        sink.append(buffer, static_cast<size_t>(n));
    } else {
        close(fd);
        fd = -1;
    }
}

}  // namespace

ChildProcess::ChildProcess(const std::function<void()>& body) {
    int outPipe[2], errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0) throw std::runtime_error("pipe failed");
    // What the parent has buffered would otherwise be written twice.
    std::fflush(stdout);
    std::fflush(stderr);
    pid_ = fork();
    if (pid_ == 0) {
        dup2(outPipe[1], STDOUT_FILENO);
        dup2(errPipe[1], STDERR_FILENO);
        for (int fd : {outPipe[0], outPipe[1], errPipe[0], errPipe[1]}) close(fd);
        body();
        std::fflush(stdout);
        std::fflush(stderr);
        _exit(0);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    outFd_ = outPipe[0];
    errFd_ = errPipe[0];
}

ChildProcess::~ChildProcess() {
    if (!reaped_ && pid_ > 0) {
        kill(pid_, SIGKILL);
        waitForExit(kKillWaitMs);
    }
    if (outFd_ >= 0) close(outFd_);
    if (errFd_ >= 0) close(errFd_);
}

void ChildProcess::pump(int timeoutMs) {
    pollfd fds[2] = {{outFd_, POLLIN, 0}, {errFd_, POLLIN, 0}};
    if (poll(fds, 2, timeoutMs) <= 0) return;
    if (fds[0].revents & (POLLIN | POLLHUP)) drain(outFd_, result_.out);
    if (fds[1].revents & (POLLIN | POLLHUP)) drain(errFd_, result_.err);
}

bool ChildProcess::waitForOutput(const std::string& text, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (result_.out.find(text) == std::string::npos) {
        if ((outFd_ < 0 && errFd_ < 0) || remainingMs(deadline) == 0) return false;
        pump(std::min(remainingMs(deadline), kPumpSliceMs));
    }
    return true;
}

void ChildProcess::signal(int signalNumber) {
    if (!reaped_) kill(pid_, signalNumber);
}

bool ChildProcess::waitForExit(int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    bool inTime = true;
    while (!reaped_) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            reaped_ = true;
            if (WIFEXITED(status)) {
                result_.exited = true;
                result_.exitStatus = WEXITSTATUS(status);
            } else if (WIFSIGNALED(status)) {
                result_.signal = WTERMSIG(status);
            }
        } else if (remainingMs(deadline) == 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            reaped_ = true;
            result_.signal = SIGKILL;
            inTime = false;
        } else {
            pump(20);
        }
    }
    // A grandchild may still hold the pipes: read them for a bounded time.
    const auto drained = Clock::now() + std::chrono::milliseconds(kKillWaitMs);
    while ((outFd_ >= 0 || errFd_ >= 0) && remainingMs(drained) > 0) pump(100);
    return inTime;
}

ChildResult runInChild(const std::function<void()>& body, int timeoutMs) {
    ChildProcess child(body);
    child.waitForExit(timeoutMs);
    return child.result();
}

void execProgram(const std::string& path, const std::vector<std::string>& arguments) {
    std::vector<std::string> words = {path};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    execv(path.c_str(), argv.data());
    _exit(127);
}

ChildResult runProgram(const std::string& path, const std::vector<std::string>& arguments, int timeoutMs) {
    return runInChild([&] { execProgram(path, arguments); }, timeoutMs);
}

}  // namespace ocre::test
