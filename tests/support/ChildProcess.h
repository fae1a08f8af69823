#pragma once
// A process a test starts and watches: a piece of the test's own code run in
// a fork, or one of the project's programs. Its standard output and error
// are captured, every wait is bounded, and a child still running when its
// watcher goes is killed, so that no test hangs or leaves a process behind.

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace ocre::test {

struct ChildResult {
    bool exited = false;  // ended through exit/_exit
    int exitStatus = -1;  // 0..255 when exited
    int signal = 0;       // the signal that ended it, if any
    std::string out;      // everything written to standard output
    std::string err;      // everything written to standard error
};

class ChildProcess {
public:
    // Runs body in a forked child, which ends with status 0 if body returns.
    explicit ChildProcess(const std::function<void()>& body);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Waits until standard output contains text; false on timeout or exit.
    bool waitForOutput(const std::string& text, int timeoutMs);
    void signal(int signalNumber);
    // Waits for the end and reads the output to its end; false on timeout
    // (then the child is killed).
    bool waitForExit(int timeoutMs);

    // What it has written so far.
    const std::string& out() { pump(0); return result_.out; }
    const std::string& err() { pump(0); return result_.err; }
    bool exited() const { return result_.exited; }
    int exitStatus() const { return result_.exitStatus; }
    // After waitForExit.
    const ChildResult& result() const { return result_; }

private:
    void pump(int timeoutMs);

    pid_t pid_ = -1;
    int outFd_ = -1;
    int errFd_ = -1;
    bool reaped_ = false;
    ChildResult result_;
};

// Runs body in a child to its end, giving up and killing it after timeoutMs.
ChildResult runInChild(const std::function<void()>& body, int timeoutMs = 20000);

// In a child: becomes the program, with these arguments (status 127 if it
// cannot be run).
[[noreturn]] void execProgram(const std::string& path, const std::vector<std::string>& arguments);

// Runs the program with these arguments to its end.
ChildResult runProgram(const std::string& path, const std::vector<std::string>& arguments, int timeoutMs = 60000);

}  // namespace ocre::test
