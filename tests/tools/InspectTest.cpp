// ocre-data inspect: readable summaries, and what is wrong with bad files
// of every kind, without ever dying on them.

#include <gtest/gtest.h>

#include <array>

#include "tests/tools/ToolRunner.h"

namespace ocre {
namespace {

using test::Bytes;
using test::ChildResult;
using test::TempDir;
using test::runDataTool;
using test::writeFile;

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A sprite file of n frames of w x h, every pixel the given grey, boxes as given.
Bytes spriteFile(uint32_t n, uint32_t w, uint32_t h, uint8_t grey, const std::vector<std::array<int32_t, 4>>& boxes) {
    Bytes b;
    b.u16(n).u16(0).u16(w).u16(h);
    for (uint32_t i = 0; i < n * w * h; ++i) b.u8(grey).u8(grey).u8(grey).u8(0);
    for (const auto& box : boxes) b.i32(box[0]).i32(box[1]).i32(box[2]).i32(box[3]);
    return b;
}

Bytes tileRecord(int32_t w, int32_t h, uint8_t walkable) {
    Bytes b;
    b.i32(w).i32(h).u8(0).u8(0).u8(0).u8(0).u8(walkable);
    for (int32_t i = 0; i < w * h; ++i) b.u8(10).u8(200).u8(10).u8(0);
    return b;
}

Bytes mapFile(uint32_t cols, uint32_t rows, const std::vector<uint16_t>& cells) {
    Bytes b;
    b.u32(cols).u32(rows).u32(32).u32(32).u8(0).u8(0).u8(0).u32(0).u8(0);
    for (uint16_t c : cells) b.u16(c);
    return b;
}

TEST(Inspect, TheBuiltDataSetIsSoundAndDescribed) {
    TempDir dir;
    ASSERT_EQ(runDataTool({"build", dir.path()}).exitStatus, 0);
    const ChildResult r = runDataTool({"inspect", dir.file("fonte.spr"), dir.file("test2.map"), dir.file("mouton3.pat"),
                                       dir.file("mouton.dat"), dir.file("mairpawn.dlg"), dir.file("test2.tle")});
    EXPECT_EQ(r.exitStatus, 0) << r.out;
    EXPECT_FALSE(has(r.out, "problem:")) << r.out;
    EXPECT_TRUE(has(r.out, "256 frames of 20 x 22 pixels"));
    EXPECT_TRUE(has(r.out, "40 x 30 cells of 32 x 32 pixels"));
    EXPECT_TRUE(has(r.out, "tiles from " + dir.file("test2.tle")));
    EXPECT_TRUE(has(r.out, "loops back to the first (loop byte 1)"));
    EXPECT_TRUE(has(r.out, "DAT file: 8 animations"));
    // The dialogue outline: one line per node, indented by depth, texts
    // shown in UTF-8.
    EXPECT_TRUE(has(r.out, "\n      1.1 [player] \"Qui \xC3\xAAtes-vous ? \"\n"));
    EXPECT_TRUE(has(r.out, "\n        1.3.1 [person, ending] \"\xC3\x80 bient\xC3\xB4t, voyageur. \"\n"));
    EXPECT_TRUE(has(r.out, "an ending is reached in 3 clicks at the fewest"));
}

TEST(Inspect, SpriteFilesCutShortOrWithLooseBoxes) {
    TempDir dir;
    Bytes cut;
    cut.u16(2).u16(0).u16(4).u16(4);  // two frames announced, one present
    for (int i = 0; i < 16; ++i) cut.u8(90).u8(90).u8(90).u8(0);
    writeFile(dir.file("cut.spr"), cut.data());
    writeFile(dir.file("loose.spr"), spriteFile(1, 4, 4, 90, {{0, 0, 9, 3}}).data());
    const ChildResult r = runDataTool({"inspect", dir.file("cut.spr"), dir.file("loose.spr")});
    EXPECT_TRUE(r.exited);
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_TRUE(has(r.out, "problem: 2 frames of 4 x 4 need 168 bytes, the file has 72 bytes")) << r.out;
    EXPECT_TRUE(has(r.out, "problem: the box of frame 0 is (0, 0) - (9, 3), not inside the frame; its visible pixels "
                           "span (0, 0) - (3, 3)"))
        << r.out;
}

TEST(Inspect, TileFilesWithACutRecordOrNoTileAtAll) {
    TempDir dir;
    Bytes tiles = tileRecord(2, 1, 1);
    std::vector<uint8_t> bytes = tiles.raw(tileRecord(2, 1, 7).data()).data();
    bytes.pop_back();
    writeFile(dir.file("cut.tle"), bytes);
    writeFile(dir.file("empty.tle"), tileRecord(3, 0, 1).data());
    const ChildResult r = runDataTool({"inspect", dir.file("cut.tle"), dir.file("empty.tle")});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_TRUE(has(r.out, "tile file: 1 tiles, 1 walkable")) << r.out;
    EXPECT_TRUE(has(r.out, "problem: record 1 (2 x 1) is cut inside its pixel block; the last 20 bytes are ignored"))
        << r.out;
    EXPECT_TRUE(has(r.out, "problem: record 0 has a size of 3 x 0, which ends the tile list")) << r.out;
    EXPECT_TRUE(has(r.out, "problem: no complete tile record")) << r.out;
}

TEST(Inspect, MapIndicesAreCheckedAgainstTheTileFileGivenOrFound) {
    TempDir dir;
    writeFile(dir.file("tiles.tle"), tileRecord(32, 32, 1).raw(tileRecord(32, 32, 0).data()).data());
    writeFile(dir.file("world.map"), mapFile(2, 2, {0, 2, 1, 0}).data());
    ChildResult r = runDataTool({"inspect", "--tiles", dir.file("tiles.tle"), dir.file("world.map")});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_TRUE(has(r.out, "problem: cell (1, 0) uses tile 2 but there are only 2 tiles")) << r.out;

    // Without --tiles, the .tle of the same name is used; with none, the
    // indices are not checked and the report says so.
    writeFile(dir.file("world.tle"), tileRecord(32, 32, 1).raw(tileRecord(32, 32, 0).data()).raw(tileRecord(32, 32, 0).data()).data());
    r = runDataTool({"inspect", dir.file("world.map")});
    EXPECT_EQ(r.exitStatus, 0) << r.out;
    EXPECT_TRUE(has(r.out, "3 tiles; 2 of 4 cells walkable")) << r.out;
    TempDir alone;
    writeFile(alone.file("world.map"), mapFile(2, 2, {0, 2, 1, 0}).data());
    r = runDataTool({"inspect", alone.file("world.map")});
    EXPECT_TRUE(has(r.out, "indices not checked")) << r.out;
}

TEST(Inspect, MapsWithAShortHeaderMissingCellsOrZeroTileSize) {
    TempDir dir;
    writeFile(dir.file("short.map"), Bytes().u32(40).u32(30).data());
    Bytes zero;
    zero.u32(1).u32(1).u32(0).u32(32).u8(0).u8(0).u8(0).u32(0).u8(0).u16(0);
    writeFile(dir.file("zero.map"), zero.data());
    writeFile(dir.file("few.map"), mapFile(3, 2, {0, 0}).data());
    const ChildResult r = runDataTool({"inspect", dir.file("short.map"), dir.file("zero.map"), dir.file("few.map")});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_TRUE(has(r.out, "problem: the 24-byte header is cut short (8 bytes)")) << r.out;
    EXPECT_TRUE(has(r.out, "problem: a tile size of 0 x 32 pixels makes every cell lookup divide by zero")) << r.out;
    EXPECT_TRUE(has(r.out, "problem: 4 of the 6 cell indices are missing (the server shows tile 0 there)")) << r.out;
}

TEST(Inspect, PathFilesCutShort) {
    TempDir dir;
    writeFile(dir.file("cut.pat"), Bytes().u32(3).u8(1).i32(10).i32(20).i32(30).i32(5).data());
    writeFile(dir.file("header.pat"), Bytes().u32(3).data());
    const ChildResult r = runDataTool({"inspect", dir.file("cut.pat"), dir.file("header.pat")});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_TRUE(has(r.out, "problem: 3 waypoints need 41 bytes, the file has 21 bytes")) << r.out;
    EXPECT_TRUE(has(r.out, "problem: the 5-byte header is cut short (4 bytes)")) << r.out;
}

TEST(Inspect, DatListsWithLongOrMissingNames) {
    TempDir dir;
    writeFile(dir.file("a.spr"), spriteFile(1, 2, 2, 50, {{0, 0, 1, 1}}).data());
    const std::string longName(36, 'n');
    writeFile(dir.file("actor.dat"), "a.spr\r\nnowhere.spr " + longName + "\n");
    writeFile(dir.file("empty.dat"), std::string(" \n\t"));
    const ChildResult r = runDataTool({"inspect", dir.file("actor.dat"), dir.file("empty.dat")});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_TRUE(has(r.out, "DAT file: 3 animations")) << r.out;
    EXPECT_TRUE(has(r.out, "animation 0: a.spr (1 frame of 2 x 2)")) << r.out;
    EXPECT_TRUE(has(r.out, "problem: name 2 is 36 characters long, more than 35")) << r.out;
    EXPECT_TRUE(has(r.out, "problem: animation 1: " + dir.file("nowhere.spr") + " cannot be read")) << r.out;
    EXPECT_TRUE(has(r.out, "problem: no sprite frame file is named")) << r.out;
}

TEST(Inspect, DialogueFilesTheServerRefusesOrThatNeverFinish) {
    TempDir dir;
    writeFile(dir.file("refused.dlg"), std::string("1|1|1|Bonjour\n2|Salut\n"));
    // The only choice is a leaf that is not an ending: validating it empties
    // the list and the conversation can never finish.
    writeFile(dir.file("stuck.dlg"), std::string("1|1|1|Bonjour\n2|1|1|2|Oui\n"));
    writeFile(dir.file("odd.dlg"), std::string("1|2|-7|1|Hop\n1|3|1|Tr\rois\r\n1|3|1|Encore\r\n"));
    const ChildResult r = runDataTool({"inspect", dir.file("refused.dlg"), dir.file("stuck.dlg"), dir.file("odd.dlg")});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_TRUE(has(r.out, "problem: line 2: fewer than three fields: the server refuses the whole file")) << r.out;
    EXPECT_TRUE(has(r.out, "problem: no way of clicking through the conversation reaches an ending")) << r.out;
    EXPECT_TRUE(has(r.out, "problem: the conversation can run out of lines without an ending and never finish "
                           "(after validating 1, 1.1)"))
        << r.out;
    EXPECT_TRUE(has(r.out, "problem: line 1: the child number -7 is out of range; the line is skipped")) << r.out;
    EXPECT_TRUE(has(r.out, "problem: line 2: a lone carriage return is kept as part of the text")) << r.out;
    EXPECT_FALSE(has(r.out, "line 3: a lone carriage return")) << r.out;
    EXPECT_TRUE(has(r.out, "note: node 1 is never given a text and shows \"fils\"")) << r.out;
}

TEST(Inspect, UnknownKindsAndUnreadableFilesAreReportedNotFatal) {
    TempDir dir;
    writeFile(dir.file("notes.txt"), std::string("hello"));
    const ChildResult r = runDataTool({"inspect", dir.file("notes.txt"), dir.file("absent.spr"), dir.path() + "/"});
    EXPECT_TRUE(r.exited);
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_TRUE(has(r.out, "problem: unknown kind of file")) << r.out;
    EXPECT_TRUE(has(r.out, dir.file("absent.spr") + "\n  problem: cannot be read")) << r.out;
}

TEST(Inspect, ArbitraryBytesNeverCrashIt) {
    TempDir dir;
    std::vector<std::string> files;
    uint32_t seed = 12345;
    for (const char* ext : {".spr", ".tle", ".map", ".pat", ".dat", ".dlg"})
        for (int n = 0; n < 6; ++n) {
            std::vector<uint8_t> bytes(static_cast<size_t>(n * n * 7));
            for (uint8_t& b : bytes) {
                seed = seed * 1103515245u + 12345u;
                b = static_cast<uint8_t>(seed >> 16);
            }
            files.push_back(dir.file("junk" + std::to_string(n) + ext));
            writeFile(files.back(), bytes);
        }
    std::vector<std::string> arguments = {"inspect"};
    arguments.insert(arguments.end(), files.begin(), files.end());
    const ChildResult r = runDataTool(arguments);
    EXPECT_TRUE(r.exited) << "signal " << r.signal;
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_TRUE(r.err.empty()) << r.err;
}

}  // namespace
}  // namespace ocre
