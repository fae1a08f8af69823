#include "tests/e2e/ServerProcess.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace ocre::test {

namespace {
using Clock = std::chrono::steady_clock;
}  // namespace

ServerProcess::ServerProcess(const std::string& dir, const std::vector<std::string>& args,
                             const std::map<std::string, std::string>& env)
    : ServerProcess(Program{OCRE_SERVER_BINARY}, dir, args, env) {}

ServerProcess::ServerProcess(Program program, const std::string& dir, const std::vector<std::string>& args,
                             const std::map<std::string, std::string>& env)
    : ChildProcess([&] {
          if (chdir(dir.c_str()) != 0) _exit(120);
          setenv("SDL_VIDEODRIVER", "dummy", 1);
          unsetenv("DISPLAY");
          for (const auto& [name, value] : env) value.empty() ? unsetenv(name.c_str()) : setenv(name.c_str(), value.c_str(), 1);
          execProgram(program.path, args);
      }) {}

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
            EXPECT_EQ(std::make_pair(c, d), std::make_pair(0u, 0u));
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
