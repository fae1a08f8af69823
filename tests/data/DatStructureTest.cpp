#include "data/DatStructure.h"

#include <gtest/gtest.h>

#include "tests/data/LoaderTest.h"

namespace ocre {
namespace {

using DatStructureTest = test::LoaderTest;

TEST_F(DatStructureTest, NamesOverCrLfLinesGiveAnimationsInOrderEachLoadedAnew) {
    // The frame count tells which file an animation came from.
    const std::string a = write("a.spr", test::plainSprite(1, 2, 2)), b = write("b.spr", test::plainSprite(2, 2, 2)),
                      c = write("c.spr", test::plainSprite(3, 2, 2));
    DatStructure structure;
    structure.load(write("list.dat", a + " \t" + b + "\r\n" + c + "\r\n" + a + "\r\n").c_str());
    ASSERT_EQ(structure.count, 4);
    std::vector<uint32_t> frameCounts;
    for (const FrameSet& set : structure.records) frameCounts.push_back(set.frameCount);
    EXPECT_EQ(frameCounts, (std::vector<uint32_t>{1, 2, 3, 1}));
    EXPECT_NE(structure.records[0].frames[0].get(), structure.records[3].frames[0].get());

    for (const char* blank : {"", " \t\r\n\r\n  \n"}) {
        structure.load(write("blank.dat", std::string(blank)).c_str());
        EXPECT_TRUE(structure.count == 0 && structure.records.empty());
    }
}

TEST_F(DatStructureTest, NameLongerThanThirtyFiveCharactersOrMissingFileIsFatalNamingTheFile) {
    // With its folder, 35 characters in all.
    const std::string longest = write(std::string(30 - dir.path().size(), 'n') + ".spr", test::plainSprite(1, 2, 2));
    ASSERT_EQ(longest.size(), 35u);
    DatStructure structure;
    structure.load(write("fits.dat", longest).c_str());
    EXPECT_EQ(structure.count, 1);

    const auto loadInChild = [](const std::string& list) { return [list] { DatStructure().load(list.c_str()); }; };
    const std::string tooLong = write("long.dat", longest + "\n" + longest + "x");
    EXPECT_TRUE(test::diesWith(loadInChild(tooLong), "nom de fichier trop long dans " + tooLong));
    const std::string absent = dir.file("absent.spr"), gap = write("gap.dat", longest + " " + absent);
    EXPECT_TRUE(test::diesWith(loadInChild(gap), "erreur d'ouverture du fichier " + absent));
}

}  // namespace
}  // namespace ocre
