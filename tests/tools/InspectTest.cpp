// ocre-data inspect: readable summaries, the server's verdict on every kind
// of file, and never dying on a bad one.

#include <gtest/gtest.h>

#include "tests/support/DataFiles.h"
#include "tests/support/DefaultDataSet.h"
#include "tests/tools/ToolRunner.h"

namespace ocre {
namespace {

using test::Bytes;
using test::ChildResult;
using test::TempDir;
using test::runDataTool;
using test::writeFile;

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(Inspect, TheBuiltDataSetIsSoundAndDescribed) {
    TempDir dir;
    ASSERT_TRUE(test::copyDefaultDataSet(dir.path()));
    const ChildResult r = runDataTool({"inspect", dir.file("fonte.spr"), dir.file("test2.map"), dir.file("mouton3.pat"),
                                       dir.file("mouton.dat"), dir.file("mairpawn.dlg"), dir.file("test2.tle")});
    EXPECT_EQ(r.exitStatus, 0) << r.out;
    EXPECT_FALSE(has(r.out, "problem:") || has(r.out, "warning:")) << r.out;
    EXPECT_TRUE(has(r.out, "256 frames of 20 x 22 pixels"));
    EXPECT_TRUE(has(r.out, "40 x 30 cells of 32 x 32 pixels"));
    EXPECT_TRUE(has(r.out, "tiles from " + dir.file("test2.tle")));
    EXPECT_TRUE(has(r.out, "loops back to the first"));
    EXPECT_TRUE(has(r.out, "DAT file: 8 animations"));
    // The dialogue outline: one line per node, indented by depth, texts
    // shown in UTF-8.
    EXPECT_TRUE(has(r.out, "\n      1.1 [player] \"Qui \xC3\xAAtes-vous ? \"\n"));
    EXPECT_TRUE(has(r.out, "\n        1.3.1 [person, ending] \"\xC3\x80 bient\xC3\xB4t, voyageur. \"\n"));
    EXPECT_TRUE(has(r.out, "an ending is reached in 3 clicks at the fewest"));
}

// Every verdict is the server's loader's: a refused file is named with its
// very message; what the server accepts passes, with a warning where it is
// probably not meant.
TEST(Inspect, RefusalsAreTheServersOwnAndAcceptedOddsAreWarnings) {
    TempDir dir;
    Bytes cut;
    cut.u16(2).u16(0).u16(4).u16(4);  // two frames announced, one present
    for (int i = 0; i < 16; ++i) cut.u8(90).u8(90).u8(90).u8(0);
    writeFile(dir.file("cut.spr"), cut.data());
    writeFile(dir.file("loose.spr"), test::spriteFile(1, 0, 4, 4, test::File(64, 90), {0, 0, 9, 3}));
    writeFile(dir.file("tiles.tle"), test::tileFile(32, 32, {1, 0}));
    writeFile(dir.file("tiles.map"), test::mapFile(2, 2, 32, 32, {0, 2, 1, 0}));
    writeFile(dir.file("few.map"), test::mapFile(3, 2, 32, 32, {0, 0}));
    // No column and as many one-pixel rows as the server takes, in 24 bytes.
    writeFile(dir.file("rows.map"), Bytes().u32(0).u32(INT32_MAX).u32(1).u32(1).u8(0).u8(0).u8(0).u32(0).u8(0).data());
    writeFile(dir.file("cut.pat"), Bytes().u32(3).u8(1).i32(10).i32(20).i32(30).i32(5).data());
    writeFile(dir.file("a.spr"), test::plainSprite(1, 2, 2));
    writeFile(dir.file("long.dat"), "a.spr\r\n" + std::string(36, 'n') + "\n");
    writeFile(dir.file("missing.dat"), std::string("a.spr nowhere.spr"));
    // The server refuses a path number below -1 where a lenient reader
    // would skip the line.
    writeFile(dir.file("odd.dlg"), std::string("1|2|-7|1|Hop\n"));
    writeFile(dir.file("stuck.dlg"), std::string("1|1|1|Bonjour\n2|1|1|2|Oui\n"));
    // Thousands of lines of the person spoken to, validated one by one: the
    // walk through the conversation stops after a bounded amount of work.
    writeFile(dir.file("long.dlg"), std::string("1|19999|1|Fin\n"));
    writeFile(dir.file("notes.txt"), std::string("hello"));

    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"cut.spr"}, "problem: the server refuses it: \"fichier trop court " + dir.file("cut.spr") + "\""},
        {{"--tiles", dir.file("tiles.tle"), "tiles.map"}, "problem: the server refuses it: \"fichier non conforme\""},
        {{"cut.pat"}, "problem: the server refuses it: \"fichier trop court " + dir.file("cut.pat") + "\""},
        {{"long.dat"}, "problem: the server refuses it: \"nom de fichier trop long dans long.dat\""},
        {{"missing.dat"}, "problem: the server refuses it: \"erreur d'ouverture du fichier nowhere.spr\""},
        {{"odd.dlg"}, "problem: the server refuses it: \"fichier " + dir.file("odd.dlg") + " corrompu!\""},
        {{"absent.spr"}, "problem: the server refuses it: \"erreur d'ouverture du fichier " + dir.file("absent.spr")},
        {{"notes.txt"}, "problem: unknown kind of file"},
        {{"loose.spr"}, "warning: the box of frame 0 is (0, 0) - (9, 3), not inside the frame; its visible pixels "
                        "span (0, 0) - (3, 3)"},
        {{"few.map"}, "warning: 4 of the 6 cell indices are missing (the server shows tile 0 there)"},
        {{"--tiles", dir.file("tiles.tle"), "rows.map"}, "0 of 0 cells walkable"},
        {{"long.dlg"}, "(too many ways of clicking through to try them all)"},
        {{"stuck.dlg"}, "warning: the conversation can run out of lines without an ending and never finish "
                        "(after validating 1, 1.1)"},
    };
    for (const auto& [words, expected] : cases) {
        std::vector<std::string> arguments = {"inspect"};
        for (const std::string& w : words) arguments.push_back(w.rfind("--", 0) == 0 || w[0] == '/' ? w : dir.file(w));
        const ChildResult r = runDataTool(arguments);
        const bool refused = expected.rfind("problem:", 0) == 0;
        EXPECT_EQ(r.exitStatus, refused ? 1 : 0) << words.back() << "\n" << r.out;
        EXPECT_TRUE(has(r.out, expected)) << words.back() << "\n" << r.out;
        EXPECT_EQ(has(r.out, "the server accepts it"), !refused) << r.out;
    }
}

}  // namespace
}  // namespace ocre
