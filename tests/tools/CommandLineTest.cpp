// ocre-data's command line: help, bad usage, and the picture commands.

#include <gtest/gtest.h>
#include <png.h>

#include "tests/support/DefaultDataSet.h"
#include "tests/tools/ToolRunner.h"

namespace ocre {
namespace {

using test::ChildResult;
using test::isOneLine;
using test::runDataTool;
using test::TempDir;

struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    std::array<uint8_t, 3> at(int x, int y) const {
        const size_t i = 3 * (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x));
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
};

bool readPng(const std::string& path, Picture& picture) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr) != 0;
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

TEST(CommandLine, BadUsageIsOneLineOnStandardErrorAndAFailureStatus) {
    const std::vector<std::vector<std::string>> misuses = {
        {}, {"frobnicate"}, {"build"}, {"build", "a", "--font"}, {"inspect", "--colour", "x.spr"}, {"icon", "a.spr", "big", "b.png"},
    };
    for (const auto& arguments : misuses) {
        const ChildResult r = runDataTool(arguments);
        SCOPED_TRACE(arguments.empty() ? std::string("(none)") : arguments[0]);
        EXPECT_TRUE(r.exited);
        EXPECT_EQ(r.exitStatus, 2);
        EXPECT_TRUE(isOneLine(r.err)) << r.err;
        EXPECT_EQ(r.err.rfind("ocre-data", 0), 0u) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
}

TEST(CommandLine, FailuresToReadOrWriteAreOneLine) {
    TempDir dir;
    test::writeFile(dir.file("cut.spr"), test::Bytes().u16(3).u16(0).u16(8).u16(8).data());
    const std::vector<std::vector<std::string>> failures = {
        {"build", dir.file("set"), "--font", dir.file("no-such-font.psf.gz")},
        {"render", dir.path(), dir.file("map.png")},
        {"sheet", dir.file("cut.spr"), dir.file("cut.png")},
        {"sheet", dir.file("absent.spr"), dir.file("absent.png")},
    };
    for (const auto& arguments : failures) {
        const ChildResult r = runDataTool(arguments);
        SCOPED_TRACE(arguments[0] + " " + arguments[1]);
        EXPECT_TRUE(r.exited);
        EXPECT_EQ(r.exitStatus, 1);
        EXPECT_TRUE(isOneLine(r.err)) << r.err;
    }
}

TEST(Pictures, RenderDrawsTheMapWithTheSheepPathOrRefusesMissingTilesAndSheetLaysFramesOut) {
    TempDir set, out;
    ASSERT_TRUE(test::copyDefaultDataSet(set.path()));
    ChildResult r = runDataTool({"render", set.path(), out.file("map.png")});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    Picture picture;
    ASSERT_TRUE(readPng(out.file("map.png"), picture));
    EXPECT_EQ(std::make_pair(picture.width, picture.height), std::make_pair(40 * 32, 30 * 32));
    // The sheep path starts at the meadow ring's top-left cell (12, 3):
    // its start mark sits in the middle of the sheep standing there.
    const auto start = picture.at(12 * 32 + 16, 3 * 32 + 16);
    EXPECT_TRUE(start[0] > 200 && start[1] < 80);
    // Away from the path, a wall cell of the border shows stone grey.
    const auto wall = picture.at(5, 5);
    EXPECT_TRUE(wall[0] == wall[1] && wall[0] > 60);

    // The top-left pixel of a sheep frame is transparent: checkerboard grey.
    r = runDataTool({"sheet", set.file("mouton-marche-droite.spr"), out.file("walk.png")});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    ASSERT_TRUE(readPng(out.file("walk.png"), picture));
    EXPECT_EQ(std::make_pair(picture.width, picture.height), std::make_pair(2 + 4 * (32 + 2), 2 + 32 + 2));
    const auto corner = picture.at(2, 2);
    EXPECT_TRUE(corner[0] == corner[1] && corner[0] > 100);

    // The icon: the dragon enlarged on a transparent square, or refused
    // where it does not fit.
    const std::string dragon = set.file("dragourou-debout-bas.spr");
    r = runDataTool({"icon", dragon, "96", out.file("icon.png")});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    png_image icon{};
    icon.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&icon, out.file("icon.png").c_str()));
    icon.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> rgba(PNG_IMAGE_SIZE(icon));
    ASSERT_TRUE(png_image_finish_read(&icon, nullptr, rgba.data(), 0, nullptr));
    EXPECT_EQ(std::make_pair(icon.width, icon.height), std::make_pair(96u, 96u));
    EXPECT_EQ(rgba[3], 0) << "corner";
    EXPECT_EQ(rgba[(48 * 96 + 48) * 4 + 3], 255) << "centre";
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
