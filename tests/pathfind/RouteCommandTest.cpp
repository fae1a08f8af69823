#include "tools/RouteCommand.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/TestFiles.h"

namespace ocre {
namespace {

using test::Bytes;

constexpr uint16_t kFloor = 0;
constexpr uint16_t kWall = 1;

class RouteCommand : public testing::Test {
protected:
    void SetUp() override {
        Bytes tiles;
        for (uint8_t walkable : {1, 0}) tiles.i32(1).i32(1).u8(0).u8(0).u8(0).u8(0).u8(walkable).u32(0);
        test::writeFile(dir.file("t.tle"), tiles.data());
    }

    void writeMap(uint32_t cols, uint32_t rows, const std::vector<uint16_t>& cells) {
        Bytes map;
        map.u32(cols).u32(rows).u32(32).u32(32).u8(0).u8(0).u8(0).u32(0).u8(0);
        for (uint16_t cell : cells) map.u16(cell);
        test::writeFile(dir.file("t.map"), map.data());
    }

    test::ChildResult run(std::vector<std::string> args, const std::string& input = "") {
        test::writeFile(dir.file("queries"), input);
        args.insert(args.begin(), "route");
        return test::runInChild([&] {
            if (std::freopen(dir.file("queries").c_str(), "r", stdin) == nullptr) _exit(99);
            std::vector<char*> argv;
            for (std::string& a : args) argv.push_back(a.data());
            const int status = runRouteCommand(static_cast<int>(argv.size()), argv.data());
            std::fflush(stdout);
            std::fflush(stderr);
            _exit(status);
        });
    }

    test::ChildResult runOnMap(const std::string& input) {
        return run({dir.file("t.map"), dir.file("t.tle")}, input);
    }

    static int lineCount(const std::string& text) {
        int lines = 0;
        for (char c : text) lines += c == '\n' ? 1 : 0;
        return lines;
    }

    test::TempDir dir;
};

TEST_F(RouteCommand, AnswersEachQueryOnOneLine) {
    writeMap(3, 3, std::vector<uint16_t>(9, kFloor));
    const test::ChildResult r = runOnMap("0 0 2 2\n0 0 0 0\n\n  2 2  0 0 \r\n1 1 7 7\n");
    ASSERT_TRUE(r.exited);
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.out, "3 16,-16 48,16 80,48\n1 16,-16\n3 80,48 48,16 16,-16\n0\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(RouteCommand, FindsTheSameRouteAsTheGameAroundWalls) {
    writeMap(3, 3, {kFloor, kWall, kFloor, kFloor, kFloor, kFloor, kFloor, kFloor, kFloor});
    const test::ChildResult r = runOnMap("0 0 1 1\n0 0 1 0\n");
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.out, "3 16,-16 16,16 48,16\n0\n");
}

TEST_F(RouteCommand, StopsAtAMalformedQuery) {
    writeMap(2, 1, {kFloor, kFloor});
    for (const char* bad : {"0 0 1 x\n", "0 0 1\n", "0 0 1 0 5\n", "0 0 1 2147483648\n", "0,0 1 0\n"}) {
        const test::ChildResult r = runOnMap(std::string("0 0 1 0\n") + bad + "0 0 0 0\n");
        EXPECT_EQ(r.exitStatus, 1) << bad;
        EXPECT_EQ(r.out, "2 16,-16 48,-16\n") << bad;
        EXPECT_NE(r.err.find("line 2"), std::string::npos) << bad;
        EXPECT_EQ(lineCount(r.err), 1) << r.err;
    }
}

TEST_F(RouteCommand, AcceptsTheWholeSigned32BitRange) {
    writeMap(2, 1, {kFloor, kFloor});
    const test::ChildResult r = runOnMap("-2147483648 2147483647 0 0\n");
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.out, "0\n");
}

TEST_F(RouteCommand, BadUsageIsOneLineOnStandardError) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {dir.file("t.map")}, {dir.file("t.map"), dir.file("t.tle"), "extra"}}) {
        const test::ChildResult r = run(args);
        EXPECT_EQ(r.exitStatus, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(lineCount(r.err), 1) << r.err;
        EXPECT_NE(r.err.find("usage: ocre-data route MAP TILES"), std::string::npos);
    }
    const test::ChildResult help = run({"--help"});
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_NE(help.out.find("usage: ocre-data route MAP TILES"), std::string::npos);
}

TEST_F(RouteCommand, UnreadableFilesAreNamed) {
    const test::ChildResult r = run({dir.file("none.map"), dir.file("t.tle")});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("cannot open " + dir.file("none.map")), std::string::npos);
    EXPECT_EQ(lineCount(r.err), 1) << r.err;
}

TEST_F(RouteCommand, MapTheLoaderRefusesLeavesStandardOutputEmpty) {
    writeMap(2, 1, {kFloor, 7});
    const test::ChildResult r = runOnMap("0 0 1 0\n");
    ASSERT_TRUE(r.exited);
    EXPECT_NE(r.exitStatus, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("fichier non conforme"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace ocre
