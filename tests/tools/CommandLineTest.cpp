// ocre-data's command line: help, bad usage, and the picture commands.

#include <gtest/gtest.h>

#include "tests/support/DefaultDataSet.h"
#include "tests/support/PngPicture.h"
#include "tests/tools/ToolRunner.h"

namespace ocre {
namespace {

using test::ChildResult;
using test::isOneLine;
using test::runDataTool;
using test::TempDir;

test::PngPicture readPng(const std::string& path, bool alpha = false) {
    return test::decodePng(test::readFile(path), alpha);
}

TEST(CommandLine, HelpListsEveryCommand) {
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"--help"}, {"-h"}}) {
        const ChildResult r = runDataTool(arguments);
        EXPECT_EQ(r.exitStatus, 0);
        for (const char* command : {"build DIR", "inspect ", "render DIR OUT.png", "sheet FILE.spr OUT.png"})
            EXPECT_NE(r.out.find(command), std::string::npos) << command;
    }
    const ChildResult one = runDataTool({"render", "--help"});
    EXPECT_EQ(one.exitStatus, 0);
    EXPECT_EQ(one.out.rfind("usage: ocre-data render DIR OUT.png\n", 0), 0u) << one.out;
}

// Bad usage: status 2 and nothing on standard output; a file that cannot be
// read or written: status 1.
TEST(CommandLine, BadUsageAndFailuresToReadOrWriteAreOneLineOnStandardError) {
    TempDir dir;
    test::writeFile(dir.file("cut.spr"), test::Bytes().u16(3).u16(0).u16(8).u16(8).data());
    const std::vector<std::pair<std::vector<std::string>, int>> rows = {
        {{}, 2}, {{"frobnicate"}, 2}, {{"build"}, 2}, {{"build", "a", "--font"}, 2},
        {{"inspect", "--colour", "x.spr"}, 2}, {{"icon", "a.spr", "big", "b.png"}, 2},
        {{"build", dir.file("set"), "--font", dir.file("no-such-font.psf.gz")}, 1},
        {{"render", dir.path(), dir.file("map.png")}, 1},
        {{"sheet", dir.file("cut.spr"), dir.file("cut.png")}, 1},
        {{"sheet", dir.file("absent.spr"), dir.file("absent.png")}, 1},
    };
    for (const auto& [arguments, status] : rows) {
        const ChildResult r = runDataTool(arguments);
        SCOPED_TRACE(testing::PrintToString(arguments));
        EXPECT_TRUE(r.exited);
        EXPECT_EQ(r.exitStatus, status);
        EXPECT_TRUE(isOneLine(r.err)) << r.err;
        if (status != 2) continue;
        EXPECT_EQ(r.err.rfind("ocre-data", 0), 0u) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
}

TEST(Pictures, RenderDrawsTheMapWithTheSheepPathOrRefusesMissingTilesAndSheetLaysFramesOut) {
    TempDir set, out;
    ASSERT_TRUE(test::copyDefaultDataSet(set.path()));
    ChildResult r = runDataTool({"render", set.path(), out.file("map.png")});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    test::PngPicture picture = readPng(out.file("map.png"));
    ASSERT_EQ(std::make_pair(picture.width, picture.height), std::make_pair(40 * 32, 30 * 32));
    // The sheep path starts at the meadow ring's top-left cell (12, 3):
    // its start mark sits in the middle of the sheep standing there.
    const uint8_t* start = picture.at(12 * 32 + 16, 3 * 32 + 16);
    EXPECT_TRUE(start[0] > 200 && start[1] < 80);
    // Away from the path, a wall cell of the border shows stone grey.
    const uint8_t* wall = picture.at(5, 5);
    EXPECT_TRUE(wall[0] == wall[1] && wall[0] > 60);

    // The top-left pixel of a sheep frame is transparent: checkerboard grey.
    r = runDataTool({"sheet", set.file("mouton-marche-droite.spr"), out.file("walk.png")});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    picture = readPng(out.file("walk.png"));
    ASSERT_EQ(std::make_pair(picture.width, picture.height), std::make_pair(2 + 4 * (32 + 2), 2 + 32 + 2));
    const uint8_t* corner = picture.at(2, 2);
    EXPECT_TRUE(corner[0] == corner[1] && corner[0] > 100);

    // The icon: the dragon enlarged on a transparent square, or refused
    // where it does not fit.
    const std::string dragon = set.file("dragourou-debout-bas.spr");
    r = runDataTool({"icon", dragon, "96", out.file("icon.png")});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    picture = readPng(out.file("icon.png"), true);
    ASSERT_EQ(std::make_pair(picture.width, picture.height), std::make_pair(96, 96));
    EXPECT_EQ(picture.at(0, 0)[3], 0) << "corner";
    EXPECT_EQ(picture.at(48, 48)[3], 255) << "centre";
    r = runDataTool({"icon", dragon, "32", out.file("icon.png")});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_TRUE(isOneLine(r.err)) << r.err;

    std::vector<uint8_t> map = test::readFile(set.file("test2.map"));
    map[24] = 99;  // first cell: a tile the table does not have
    test::writeFile(set.file("test2.map"), map);
    r = runDataTool({"render", set.path(), out.file("map.png")});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_TRUE(isOneLine(r.err)) << r.err;
    EXPECT_NE(r.err.find("the server refuses it: \"fichier non conforme\""), std::string::npos) << r.err;
}

}  // namespace
}  // namespace ocre
