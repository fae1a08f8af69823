// ocre-bot run as people run it, against a small server in the test that
// answers like the real one: replies and display updates of 100 bytes sent
// from another port than the one it listens on.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "protocol/ProtocolParsing.h"
#include "tests/support/TestFiles.h"

namespace ocre::test {
namespace {

constexpr size_t kDatagram = 100;

class FakeServer {
public:
    FakeServer() {
        listening_ = openOnLoopback();
        sending_ = openOnLoopback();
        sockaddr_in local{};
        socklen_t length = sizeof local;
        getsockname(listening_, reinterpret_cast<sockaddr*>(&local), &length);
        port_ = ntohs(local.sin_port);
    }
    ~FakeServer() {
        close(listening_);
        close(sending_);
    }
    uint16_t port() const { return port_; }

    // The next datagram's bytes and its source port; false after timeoutMs.
    bool receive(std::vector<uint8_t>& bytes, uint16_t& fromPort, int timeoutMs = 5000) {
        pollfd waiting{listening_, POLLIN, 0};
        if (poll(&waiting, 1, timeoutMs) <= 0) return false;
        uint8_t buffer[2048];
        sockaddr_in from{};
        socklen_t length = sizeof from;
        const ssize_t got = recvfrom(listening_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length);
        if (got < 0) return false;
        bytes.assign(buffer, buffer + got);
        fromPort = ntohs(from.sin_port);
        return true;
    }
    void send(uint16_t port, const std::string& text) {
        std::vector<uint8_t> bytes(kDatagram, 0);
        std::copy(text.begin(), text.end(), bytes.begin());
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        to.sin_port = htons(port);
        sendto(sending_, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    }

private:
    static int openOnLoopback() {
        const int fd = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local);
        return fd;
    }
    int listening_ = -1;
    int sending_ = -1;
    uint16_t port_ = 0;
};

ChildResult runBot(const std::vector<std::string>& args, int timeoutMs = 20000) {
    return runInChild(
        [&args] {
            std::vector<char*> argv;
            std::string program = OCRE_BOT_BINARY;
            argv.push_back(program.data());
            std::vector<std::string> copies(args);
            for (auto& arg : copies) argv.push_back(arg.data());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        },
        timeoutMs);
}

std::string text(const std::vector<uint8_t>& bytes) {
    const auto zero = std::find(bytes.begin(), bytes.end(), 0);
    return std::string(bytes.begin(), zero);
}

std::string camera(unsigned client, unsigned x, unsigned y) {
    return "from SERVEUR to CLIENT " + std::to_string(client) + " affiche (" + std::to_string(x) + "," +
           std::to_string(y) + ",0,0)";
}

std::string actor(unsigned client, unsigned index, unsigned x, unsigned y, unsigned animation) {
    return "from SERVEUR to CLIENT " + std::to_string(client) + " sprite (" + std::to_string(index) + "," +
           std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(animation) + ")";
}

struct SeenRequest {
    bool arrived = false;
    protocol::ConnectionRequest request;
    bool parsed = false;
    bool terminated = false;
    uint16_t fromPort = 0;
};

// Waits for one request and answers it with the reply, then the passes.
std::thread answerOnce(FakeServer& server, SeenRequest& seen, const std::string& reply,
                       const std::vector<std::string>& afterwards) {
    return std::thread([&server, &seen, reply, afterwards] {
        std::vector<uint8_t> bytes;
        if (!server.receive(bytes, seen.fromPort)) return;
        seen.arrived = true;
        seen.terminated = !bytes.empty() && bytes.back() == 0;
        seen.parsed = protocol::parseConnectionRequest(text(bytes), seen.request);
        server.send(static_cast<uint16_t>(seen.request.port), reply);
        for (const auto& message : afterwards) server.send(static_cast<uint16_t>(seen.request.port), message);
    });
}

TEST(OcreBotConnect, SendsItsRequestThenPrintsTheReplyAndEachPass) {
    FakeServer server;
    SeenRequest seen;
    std::thread answering =
        answerOnce(server, seen, "from SERVEUR to CLIENT connection_accepted hello",
                   {camera(0, 0, 0), actor(0, 0, 60, 100, 2), actor(0, 1, 50, 50, 4), camera(0, 16, 8),
                    actor(0, 0, 61, 100, 2), actor(0, 1, 80, 50, 6), camera(0, 16, 8)});
    const ChildResult result = runBot({"connect", "--host", "127.0.0.1", "--server-port",
                                       std::to_string(server.port()), "--login", "tester", "--passes", "2"});
    answering.join();

    ASSERT_TRUE(seen.arrived);
    EXPECT_TRUE(seen.terminated) << "the request is a zero-terminated text";
    ASSERT_TRUE(seen.parsed);
    EXPECT_EQ(seen.request.command, "connection_request");
    EXPECT_EQ(seen.request.login, "tester");
    EXPECT_EQ(seen.request.password, "ocre");
    EXPECT_EQ(seen.request.host, "127.0.0.1");
    EXPECT_EQ(seen.request.port, seen.fromPort) << "it asks for its own port";

    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out,
              "reply: from SERVEUR to CLIENT connection_accepted hello\n"
              "pass 1: client 0, camera (0,0), 2 actors: #0 (60,100) anim 2, #1 (50,50) anim 4\n"
              "pass 2: client 0, camera (16,8), 2 actors: #0 (61,100) anim 2, #1 (80,50) anim 6\n");
}

TEST(OcreBotConnect, UsesTheGivenPortLoginPasswordAndOwnHost) {
    FakeServer server;
    SeenRequest seen;
    std::thread answering = answerOnce(server, seen, "from SERVEUR to CLIENT connection_accepted hi", {});
    const ChildResult result =
        runBot({"connect", "--host", "127.0.0.1", "--server-port", std::to_string(server.port()), "--login", "ann",
                "--password", "pw", "--own-host", "localhost", "--timeout", "300"});
    answering.join();

    ASSERT_TRUE(seen.parsed);
    EXPECT_EQ(seen.request.login, "ann");
    EXPECT_EQ(seen.request.password, "pw");
    EXPECT_EQ(seen.request.host, "localhost");
    EXPECT_EQ(result.out, "reply: from SERVEUR to CLIENT connection_accepted hi\n");
    EXPECT_EQ(result.err, "ocre-bot: nothing received for 300 ms\n");
    EXPECT_EQ(result.exitStatus, 1);
}

TEST(OcreBotConnect, ARefusalIsPrintedAndEndsWithFailure) {
    FakeServer server;
    SeenRequest seen;
    std::thread answering =
        answerOnce(server, seen, "from SERVEUR to CLIENT connection_refused authentification failed", {});
    const ChildResult result = runBot({"connect", "--host", "127.0.0.1", "--server-port",
                                       std::to_string(server.port()), "--password", "wrong"});
    answering.join();

    EXPECT_EQ(result.out, "reply: from SERVEUR to CLIENT connection_refused authentification failed\n");
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 1);
}

TEST(OcreBotConnect, SilenceEndsWithAOneLineMessage) {
    FakeServer server;
    const ChildResult result = runBot(
        {"connect", "--host", "127.0.0.1", "--server-port", std::to_string(server.port()), "--timeout", "200"});
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "ocre-bot: no reply from 127.0.0.1 within 200 ms\n");
    EXPECT_EQ(result.exitStatus, 1);
}

TEST(OcreBotSend, SendsEachWordAsAZeroTerminatedCommandRoundAfterRound) {
    FakeServer server;
    const ChildResult result = runBot({"send", "--host", "127.0.0.1", "--server-port", std::to_string(server.port()),
                                       "--repeat", "2", "--every", "20", "go_right", "go_up"});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    std::vector<std::string> texts;
    std::vector<uint8_t> bytes;
    uint16_t from = 0;
    while (server.receive(bytes, from, 500)) {
        EXPECT_EQ(bytes.back(), 0);
        texts.push_back(text(bytes));
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"from CLIENT 1111 to SERVEUR go_right", "from CLIENT 1111 to SERVEUR go_up",
                                               "from CLIENT 1111 to SERVEUR go_right",
                                               "from CLIENT 1111 to SERVEUR go_up"}));
}

TEST(OcreBotLoad, TabulatesPassesGapsAndBytesPerBot) {
    FakeServer server;
    std::thread answering([&server] {
        for (int i = 0; i < 2; ++i) {
            std::vector<uint8_t> bytes;
            uint16_t from = 0;
            if (!server.receive(bytes, from)) return;
            protocol::ConnectionRequest request;
            if (!protocol::parseConnectionRequest(text(bytes), request)) return;
            const auto port = static_cast<uint16_t>(request.port);
            const unsigned number = request.login == "bot1" ? 0 : 1;
            server.send(port, "from SERVEUR to CLIENT connection_accepted hello");
            for (int pass = 0; pass < 4; ++pass) {
                server.send(port, camera(number, 0, 0));
                if (number == 1 && pass == 1) {
                    server.send(port, actor(number, 1, 5, 5, 0));
                } else if (number == 1 && pass == 2) {
                    server.send(port, actor(number, 1, 5, 5, 0));
                    server.send(port, actor(number, 0, 5, 5, 0));
                } else {
                    server.send(port, actor(number, 0, 5, 5, 0));
                    server.send(port, actor(number, 1, 5, 5, 0));
                }
            }
        }
    });
    const ChildResult result = runBot({"load", "--host", "127.0.0.1", "--server-port", std::to_string(server.port()),
                                       "--clients", "2", "--seconds", "1"});
    answering.join();

    EXPECT_EQ(result.exitStatus, 0) << result.err;
    std::istringstream lines(result.out);
    std::string header;
    std::getline(lines, header);
    EXPECT_EQ(header.find("bot"), 0u) << result.out;
    struct Row {
        std::string bot, login, number, reply;
        unsigned long long passes = 0;
        double rate = 0;
        unsigned long long missing = 0, incomplete = 0, disorder = 0, bytes = 0;
    };
    std::vector<Row> rows;
    Row row;
    while (lines >> row.bot >> row.login >> row.number >> row.reply >> row.passes >> row.rate >> row.missing >>
           row.incomplete >> row.disorder >> row.bytes)
        rows.push_back(row);
    ASSERT_EQ(rows.size(), 2u) << result.out;
    EXPECT_EQ(rows[0].login, "bot1");
    EXPECT_EQ(rows[0].number, "0");
    EXPECT_EQ(rows[0].reply, "accepted");
    EXPECT_EQ(rows[0].passes, 4u);
    EXPECT_EQ(rows[0].incomplete, 0u);
    EXPECT_EQ(rows[0].disorder, 0u);
    EXPECT_EQ(rows[0].bytes, 13u * kDatagram);
    EXPECT_GT(rows[0].missing, 0u) << "four passes at once fall far short of the pace over a second";

    EXPECT_EQ(rows[1].login, "bot2");
    EXPECT_EQ(rows[1].number, "1");
    EXPECT_EQ(rows[1].passes, 4u);
    EXPECT_EQ(rows[1].incomplete, 2u) << "the pass without #0, and the one in disorder";
    EXPECT_EQ(rows[1].disorder, 1u);
    EXPECT_EQ(rows[1].bytes, 12u * kDatagram);
}

TEST(OcreBotUsage, HelpGoesToStandardOutput) {
    const ChildResult result = runBot({"--help"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out.find("usage: ocre-bot"), 0u);
    EXPECT_NE(result.out.find("a pass is one camera message"), std::string::npos);
    EXPECT_EQ(runBot({"send", "--help"}).exitStatus, 0);
}

TEST(OcreBotUsage, BadUsageIsOneLineOnStandardErrorAndStatusTwo) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"dance"},
        {"connect", "--passes"},
        {"connect", "--passes", "many"},
        {"connect", "--port", "70000"},
        {"connect", "--repeat", "2"},
        {"connect", "stray"},
        {"send"},
        {"send", "--every", "-1", "go_up"},
        {"load", "--clients", "0"},
    };
    for (const auto& args : bad) {
        const ChildResult result = runBot(args);
        std::string shown;
        for (const auto& arg : args) shown += arg + " ";
        EXPECT_TRUE(result.exited) << shown;
        EXPECT_EQ(result.exitStatus, 2) << shown;
        EXPECT_EQ(result.out, "") << shown;
        EXPECT_EQ(result.err.rfind("ocre-bot: ", 0), 0u) << shown << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << shown << result.err;
    }
}

}  // namespace
}  // namespace ocre::test
