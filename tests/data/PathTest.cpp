#include "data/Path.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/data/DataFiles.h"

namespace ocre {
namespace {

using test::Waypoint;

class PathTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string write(const test::Bytes& bytes) {
        test::writeFile(dir.file("route.pat"), bytes.data());
        return dir.file("route.pat");
    }
    // The waypoint produced by each of `calls` advances; a false answer is
    // recorded as "end".
    static std::vector<std::string> walk(Path& path, int calls) {
        std::vector<std::string> seen;
        for (int i = 0; i < calls; ++i)
            seen.push_back(path.advance() ? std::to_string(path.currentX) + "," + std::to_string(path.currentY)
                                          : "end");
        return seen;
    }
};

TEST_F(PathTest, LoadsTheThreeArraysStoredOneAfterTheOther) {
    Path path(write(test::pathFile(0, {{1, 2, 3}, {-4, 5, 6}, {7, -8, 9}})).c_str());
    EXPECT_EQ(path.waypointCount(), 3u);
    EXPECT_FALSE(path.loops());
    EXPECT_EQ(path.cursor(), 0u);
    EXPECT_EQ(path.xs(), (std::vector<int32_t>{1, -4, 7}));
    EXPECT_EQ(path.ys(), (std::vector<int32_t>{2, 5, -8}));
    EXPECT_EQ(path.zs(), (std::vector<int32_t>{3, 6, 9}));
    EXPECT_EQ(path.previousX, 0);
    EXPECT_EQ(path.currentX, 0);
}

TEST_F(PathTest, LoopingRouteProducesTheFirstWaypointTwiceOnEveryLap) {
    Path path(write(test::pathFile(1, {{10, 11, 0}, {20, 21, 0}})).c_str());
    EXPECT_EQ(walk(path, 8),
              (std::vector<std::string>{"10,11", "20,21", "10,11", "10,11", "20,21", "10,11", "10,11", "20,21"}));
}

TEST_F(PathTest, AnyNonZeroLoopFlagLoops) {
    Path path(write(test::pathFile(7, {{10, 11, 0}})).c_str());
    EXPECT_TRUE(path.loops());
    EXPECT_EQ(walk(path, 3), (std::vector<std::string>{"10,11", "10,11", "10,11"}));
}

TEST_F(PathTest, RouteWithoutLoopEndsAndStaysOnItsLastWaypoint) {
    Path path(write(test::pathFile(0, {{10, 11, 12}, {20, 21, 22}})).c_str());
    EXPECT_EQ(walk(path, 5), (std::vector<std::string>{"10,11", "20,21", "end", "end", "end"}));
    EXPECT_EQ(path.currentX, 20);
    EXPECT_EQ(path.currentY, 21);
    EXPECT_EQ(path.currentZ, 22);
    EXPECT_EQ(path.previousX, 10);
}

TEST_F(PathTest, FirstStepStartsFromTheOrigin) {
    Path path(write(test::pathFile(0, {{-3, 4, 5}})).c_str());
    ASSERT_TRUE(path.advance());
    EXPECT_EQ(path.previousX, 0);
    EXPECT_EQ(path.previousY, 0);
    EXPECT_EQ(path.previousZ, 0);
    EXPECT_EQ(path.currentZ, 5);
    EXPECT_EQ(path.stepDown(), 4);
    EXPECT_EQ(path.stepLeft(), 3);
    EXPECT_EQ(path.stepRight(), 0);
    EXPECT_TRUE(path.mostlyDown());
}

TEST_F(PathTest, EmptyRouteNeverAdvances) {
    for (uint8_t loop : {uint8_t{0}, uint8_t{1}}) {
        Path path(write(test::pathFile(loop, {})).c_str());
        EXPECT_EQ(path.waypointCount(), 0u);
        EXPECT_FALSE(path.advance());
        EXPECT_FALSE(path.advance());
        EXPECT_EQ(path.currentX, 0);
    }
    Path fromArrays(std::vector<int32_t>{}, std::vector<int32_t>{});
    EXPECT_FALSE(fromArrays.advance());
}

TEST_F(PathTest, RouteFromArraysHasNoLoopAndKeepsZ) {
    Path path(std::vector<int32_t>{5, 6}, std::vector<int32_t>{7, 8});
    path.currentZ = 42;
    EXPECT_EQ(path.waypointCount(), 2u);
    EXPECT_FALSE(path.loops());
    EXPECT_TRUE(path.zs().empty());
    EXPECT_EQ(walk(path, 3), (std::vector<std::string>{"5,7", "6,8", "end"}));
    EXPECT_EQ(path.currentZ, 42);
}

TEST_F(PathTest, RouteFromArraysOfUnequalLengthsUsesTheShorter) {
    Path path(std::vector<int32_t>{1, 2, 3}, std::vector<int32_t>{4});
    EXPECT_EQ(path.waypointCount(), 1u);
    EXPECT_EQ(walk(path, 2), (std::vector<std::string>{"1,4", "end"}));
}

TEST_F(PathTest, FileShorterThanItsCountSaysIsRefused) {
    const std::vector<uint8_t> valid = test::pathFile(1, {{1, 2, 3}, {4, 5, 6}}).data();
    for (size_t length : {size_t{0}, size_t{3}, size_t{4}, size_t{5}, size_t{13}, valid.size() - 1}) {
        SCOPED_TRACE(length);
        const std::string path = dir.file("cut.pat");
        test::writeFile(path, std::vector<uint8_t>(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(length)));
        const auto result = test::runInChild([&] { Path route(path.c_str()); });
        EXPECT_TRUE(result.exited);
        EXPECT_EQ(result.exitStatus, 255);
        EXPECT_EQ(result.out, "fichier trop court " + path);
    }
}

TEST_F(PathTest, HugeCountInATinyFileIsRefusedBeforeAllocating) {
    test::Bytes bytes;
    bytes.u32(0xFFFFFFFFu).u8(1).i32(1).i32(2).i32(3);
    const std::string path = write(bytes);
    const auto result = test::runInChild([&] { Path route(path.c_str()); }, 5000);
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "fichier trop court " + path);
}

TEST_F(PathTest, MissingFileIsFatalWithItsName) {
    const std::string path = dir.file("absent.pat");
    const auto result = test::runInChild([&] { Path route(path.c_str()); });
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "erreur d'ouverture du fichier " + path);
}

}  // namespace
}  // namespace ocre
