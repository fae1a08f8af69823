#include "tests/e2e/ServerProcess.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace ocre::test {

namespace {

using Clock = std::chrono::steady_clock;

int remainingMs(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

ServerProcess::ServerProcess(const std::string& dir, const std::vector<std::string>& args,
                             const std::map<std::string, std::string>& env)
    : ServerProcess(Program{OCRE_SERVER_BINARY}, dir, args, env) {}

ServerProcess::ServerProcess(Program program, const std::string& dir, const std::vector<std::string>& args,
                             const std::map<std::string, std::string>& env) {
    int outPipe[2], errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0) throw std::runtime_error("pipe failed");
    pid_ = fork();
    if (pid_ == 0) {
        dup2(outPipe[1], 1);
        dup2(errPipe[1], 2);
        close(outPipe[0]);
        close(errPipe[0]);
        if (chdir(dir.c_str()) != 0) _exit(120);
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        unsetenv("DISPLAY");
        for (const auto& [name, value] : env) {
            if (value.empty()) unsetenv(name.c_str());
            else setenv(name.c_str(), value.c_str(), 1);
        }
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.path));
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.path, argv.data());
        _exit(121);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    outFd_ = outPipe[0];
    errFd_ = errPipe[0];
}

ServerProcess::~ServerProcess() {
    if (!reaped_ && pid_ > 0) {
        kill(pid_, SIGKILL);
        waitForExit(5000);
    }
    if (outFd_ >= 0) close(outFd_);
    if (errFd_ >= 0) close(errFd_);
}

void ServerProcess::pump(int timeoutMs) {
    pollfd fds[2] = {{outFd_, POLLIN, 0}, {errFd_, POLLIN, 0}};
    if (poll(fds, 2, timeoutMs) <= 0) return;
    char buffer[4096];
    if (fds[0].revents & (POLLIN | POLLHUP)) {
        ssize_t n = read(outFd_, buffer, sizeof buffer);
        if (n > 0) out_.append(buffer, static_cast<size_t>(n));
        else { close(outFd_); outFd_ = -1; }
    }
    if (fds[1].revents & (POLLIN | POLLHUP)) {
        ssize_t n = read(errFd_, buffer, sizeof buffer);
        if (n > 0) err_.append(buffer, static_cast<size_t>(n));
        else { close(errFd_); errFd_ = -1; }
    }
}

bool ServerProcess::waitForOutput(const std::string& text, int timeoutMs) {
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (out_.find(text) == std::string::npos) {
        if (outFd_ < 0 && errFd_ < 0) return false;
        if (remainingMs(deadline) == 0) return false;
        pump(std::min(remainingMs(deadline), 50));
    }
    return true;
}

void ServerProcess::signal(int signalNumber) {
    if (!reaped_) kill(pid_, signalNumber);
}

bool ServerProcess::waitForExit(int timeoutMs) {
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!reaped_) {
        int status = 0;
        pid_t r = waitpid(pid_, &status, WNOHANG);
        if (r == pid_) {
            reaped_ = true;
            if (WIFEXITED(status)) {
                exited_ = true;
                exitStatus_ = WEXITSTATUS(status);
            } else if (WIFSIGNALED(status)) {
                termSignal_ = WTERMSIG(status);
            }
            break;
        }
        if (remainingMs(deadline) == 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            reaped_ = true;
            termSignal_ = SIGKILL;
            return false;
        }
        pump(20);
    }
    while (outFd_ >= 0 || errFd_ >= 0) pump(100);
    return true;
}

const std::string& ServerProcess::out() {
    pump(0);
    return out_;
}

const std::string& ServerProcess::err() {
    pump(0);
    return err_;
}

std::string connectionRequest(const std::string& login, const UdpPeer& peer, const std::string& password) {
    return "from CLIENT to SERVEUR connection_request " + login + " " + password + " 127.0.0.1 " +
           std::to_string(peer.port());
}

std::vector<Pass> collectPasses(UdpPeer& peer, int milliseconds, std::vector<std::string>* others) {
    std::vector<Pass> passes;
    const auto until = Clock::now() + std::chrono::milliseconds(milliseconds);
    std::vector<uint8_t> datagram;
    while (Clock::now() < until) {
        if (!peer.receive(datagram, 50)) continue;
        EXPECT_EQ(datagram.size(), kDatagramSize);
        const std::string text = datagramText(datagram);
        for (size_t i = text.size(); i < datagram.size(); ++i) EXPECT_EQ(datagram[i], 0) << text;
        unsigned number, a, b, c, d;
        if (std::sscanf(text.c_str(), "from SERVEUR to CLIENT %u affiche (%u,%u,%u,%u)", &number, &a, &b, &c, &d) ==
            5) {
            EXPECT_EQ(c, 0u);
            EXPECT_EQ(d, 0u);
            passes.push_back(Pass{number, a, b, {}});
        } else if (std::sscanf(text.c_str(), "from SERVEUR to CLIENT %u sprite (%u,%u,%u,%u)", &number, &a, &b, &c,
                               &d) == 5) {
            if (passes.empty()) continue;  // the tail of a pass that began before we listened
            EXPECT_EQ(number, passes.back().client);
            passes.back().actors.push_back({a, b, c, d});
        } else if (others) {
            others->push_back(text);
        }
    }
    if (!passes.empty()) passes.pop_back();
    return passes;
}

}  // namespace ocre::test
