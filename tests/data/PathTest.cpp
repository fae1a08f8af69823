#include "data/Path.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/data/LoaderTest.h"

namespace ocre {
namespace {

using Seen = std::vector<std::string>;
using PathTest = test::LoaderTest;

// The point each of `calls` advances produces, "end" for a false answer.
Seen walk(Path&& path, int calls) {
    Seen seen;
    for (int i = 0; i < calls; ++i)
        seen.push_back(path.advance() ? std::to_string(path.currentX) + "," + std::to_string(path.currentY) + "," +
                                            std::to_string(path.currentZ)
                                      : "end");
    return seen;
}

TEST_F(PathTest, AdvanceWalksTheWaypointsOnceOrLoopingButNeverAnEmptyRoute) {
    const auto load = [this](uint8_t loop, const std::vector<std::array<int32_t, 3>>& waypoints) {
        return Path(write("route.pat", test::pathFile(loop, waypoints)).c_str());
    };
    EXPECT_EQ(walk(load(0, {{1, 2, 3}, {-4, 5, 6}, {7, -8, 9}}), 5), Seen({"1,2,3", "-4,5,6", "7,-8,9", "end", "end"}));
    EXPECT_EQ(walk(load(7, {{10, 11, 1}, {20, 21, 2}}), 7),
              Seen({"10,11,1", "20,21,2", "10,11,1", "10,11,1", "20,21,2", "10,11,1", "10,11,1"}));
    // A route that has ended keeps its last step.
    Path ended = load(0, {{1, 2, 3}, {-4, 5, 6}});
    ended.advance(), ended.advance(), ended.advance();
    EXPECT_EQ(std::make_pair(ended.previousX, ended.previousY), std::make_pair(1, 2));
    // Built from arrays: the shorter one's length, no loop, z left as it was.
    Path arrays({5, 6, 9}, {7, 8});
    arrays.currentZ = 42;
    EXPECT_EQ(walk(std::move(arrays), 3), Seen({"5,7,42", "6,8,42", "end"}));
    // Without waypoints, whatever the loop flag.
    EXPECT_EQ(walk(load(0, {}), 2), Seen({"end", "end"}));
    EXPECT_EQ(walk(load(1, {}), 2), Seen({"end", "end"}));
    EXPECT_EQ(walk(Path({}, {}), 1), Seen({"end"}));
}

TEST_F(PathTest, FileShorterThanItsCountSaysIsRefused) {
    const test::File valid = test::pathFile(1, {{1, 2, 3}, {4, 5, 6}});
    std::vector<test::File> versions;
    for (size_t length : {size_t{0}, size_t{4}, size_t{5}, size_t{13}, valid.size() - 1})
        versions.emplace_back(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(length));
    // Four billion waypoints claimed by a 17-byte file.
    versions.push_back(test::Bytes().u32(0xFFFFFFFFu).u8(1).i32(1).i32(2).i32(3).data());
    const std::string path = dir.file("cut.pat");
    for (const test::File& bytes : versions) {
        SCOPED_TRACE(bytes.size());
        test::writeFile(path, bytes);
        EXPECT_TRUE(test::diesWith([&] { Path route(path.c_str()); }, "fichier trop court " + path));
    }
}

}  // namespace
}  // namespace ocre
