#include "tools/data/RouteCommand.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/DataFiles.h"

namespace ocre {
namespace {

// t.map is 3x3 with a wall at (1,0); bad.map names a tile that does not exist.
class RouteCommand : public testing::Test {
protected:
    void SetUp() override {
        test::writeFile(dir.file("t.tle"), test::tileFile(1, 1, {1, 0}));
        test::writeFile(dir.file("t.map"), test::mapFile(3, 3, 32, 32, {0, 1, 0, 0, 0, 0, 0, 0, 0}));
        test::writeFile(dir.file("bad.map"), test::mapFile(3, 3, 32, 32, {0, 7, 0, 0, 0, 0, 0, 0, 0}));
    }

    // As ocre-data runs it: the arguments after "route", queries on stdin.
    test::ChildResult run(const std::vector<std::string>& args, const std::string& input) {
        test::writeFile(dir.file("queries"), input);
        return test::runInChild([&] {
            if (std::freopen(dir.file("queries").c_str(), "r", stdin) == nullptr) _exit(99);
            const int status = runRoute(args);
            std::fflush(stdout);
            _exit(status);
        });
    }

    test::TempDir dir;
};

// Answers go to standard output, one line per query; anything wrong stops
// the command with one line on standard error and no further answers.
TEST_F(RouteCommand, AnswersQueriesAndRefusesBadInput) {
    const std::string usage =
        "usage: ocre-data route MAP TILES  (queries \"sc sr gc gr\", one a line, on standard input)";
    const std::string wrongCount = "ocre-data route: expected a map file and a tile file (" + usage + ")\n";
    const std::vector<std::string> files = {dir.file("t.map"), dir.file("t.tle")};
    const std::string firstAnswer = "3 16,-16 16,16 48,16\n";
    struct Row { std::vector<std::string> args; std::string input; int status; std::string out, err; };
    std::vector<Row> rows = {
        {files, "0 0 1 1\n0 0 1 0\n\n0 0 0 0\n  2 2  0 0 \r\n-2147483648 2147483647 0 0\n", 0,
         firstAnswer + "0\n1 16,-16\n4 80,48 48,16 16,16 16,-16\n0\n", ""},
        {{"--help"}, "", 0, usage + "\n", ""},
        {{}, "", 2, "", wrongCount},
        {{files[0], files[1], "x"}, "", 2, "", wrongCount},
        {{dir.file("none.map"), files[1]}, "", 1, "",
         "ocre-data route: cannot open " + dir.file("none.map") + ": No such file or directory\n"},
        {{dir.file("bad.map"), files[1]}, "0 0 1 1\n", 255, "", "fichier non conforme"},
    };
    for (const std::string bad : {"0 0 1 x", "0 0 1", "0 0 1 0 5", "0 0 1 2147483648", "0,0 1 0"}) {
        const std::string message = "line 2: expected \"sc sr gc gr\", four whole numbers, not \"" + bad + "\"\n";
        rows.push_back({files, "0 0 1 1\n" + bad + "\n0 0 0 0\n", 1, firstAnswer, "ocre-data route: " + message});
    }
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.args) + " " + testing::PrintToString(row.input));
        const test::ChildResult r = run(row.args, row.input);
        EXPECT_EQ(r.exitStatus, row.status);
        EXPECT_EQ(r.out, row.out);
        EXPECT_EQ(r.err, row.err);
    }
}

// A caller that sends one query and waits for its answer gets it: answers
// are not held back while the command waits for more input.
TEST_F(RouteCommand, AnswersEachQueryBeforeWaitingForTheNext) {
    int queries[2], answers[2];
    ASSERT_EQ(pipe(queries), 0);
    ASSERT_EQ(pipe(answers), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(queries[0], STDIN_FILENO);
        dup2(answers[1], STDOUT_FILENO);
        close(queries[1]);
        close(answers[0]);
        _exit(runRoute({dir.file("t.map"), dir.file("t.tle")}));
    }
    close(queries[0]);
    close(answers[1]);
    auto answerTo = [&](const std::string& query) {
        if (write(queries[1], query.data(), query.size()) != static_cast<ssize_t>(query.size())) return std::string();
        std::string line;
        pollfd ready{answers[0], POLLIN, 0};
        char c = 0;
        while (line.find('\n') == std::string::npos && poll(&ready, 1, 10000) == 1 && read(answers[0], &c, 1) == 1)
            line += c;
        return line;
    };
    EXPECT_EQ(answerTo("0 0 1 1\n"), "3 16,-16 16,16 48,16\n");
    EXPECT_EQ(answerTo("0 0 0 0\n"), "1 16,-16\n");
    close(queries[1]);
    int status = 0;
    waitpid(child, &status, 0);
    close(answers[0]);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
}  // namespace ocre
