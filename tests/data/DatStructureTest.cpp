#include "data/DatStructure.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/data/DataFiles.h"

namespace ocre {
namespace {

class DatStructureTest : public ::testing::Test {
protected:
    test::OpenDisplay screen;
    test::TempDir dir;

    // A sprite file in the temporary folder; its frame count tells which
    // file an animation came from.
    std::string sprite(const std::string& name, uint16_t frames) {
        test::writeFile(dir.file(name), test::plainSprite(frames, 2, 2).data());
        return dir.file(name);
    }
    std::string dat(const std::string& text) {
        test::writeFile(dir.file("list.dat"), text);
        return dir.file("list.dat");
    }
};

TEST_F(DatStructureTest, NamesOverSeveralLinesGiveAnimationsInOrder) {
    const std::string a = sprite("a.spr", 1), b = sprite("b.spr", 2), c = sprite("c.spr", 3);
    const std::string path = dat(a + " \t" + b + "\r\n" + c + "\r\n");
    DatStructure structure;
    structure.load(path.c_str());
    ASSERT_EQ(structure.count, 3);
    ASSERT_EQ(structure.records.size(), 3u);
    EXPECT_EQ(structure.records[0].frameCount, 1u);
    EXPECT_EQ(structure.records[1].frameCount, 2u);
    EXPECT_EQ(structure.records[2].frameCount, 3u);
}

TEST_F(DatStructureTest, EmptyOrBlankFileGivesNoAnimations) {
    for (const std::string text : {"", " \t\r\n\r\n  \n", "\n"}) {
        DatStructure structure;
        structure.load(dat(text).c_str());
        EXPECT_EQ(structure.count, 0);
        EXPECT_TRUE(structure.records.empty());
    }
}

TEST_F(DatStructureTest, SameFileNamedTwiceIsLoadedTwice) {
    const std::string a = sprite("a.spr", 2);
    DatStructure structure;
    structure.load(dat(a + "\n" + a).c_str());
    ASSERT_EQ(structure.count, 2);
    EXPECT_EQ(structure.records[1].frameCount, 2u);
    EXPECT_NE(structure.records[0].frames[0].get(), structure.records[1].frames[0].get());
    EXPECT_NE(structure.records[0].boxes[0].get(), structure.records[1].boxes[0].get());
}

TEST_F(DatStructureTest, NameOfThirtyFiveCharactersIsAccepted) {
    const std::string name = std::string(35 - 4, 'n') + ".spr";
    sprite(name, 1);
    // Named without its folder, which would make it too long.
    const auto result = test::runInChild([&] {
        if (chdir(dir.path().c_str()) != 0) _exit(3);
        test::writeFile("list.dat", name + "\n");
        DatStructure structure;
        structure.load("list.dat");
        _exit(structure.count == 1 ? 0 : 4);
    });
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 0) << result.out;
}

TEST_F(DatStructureTest, NameLongerThanThirtyFiveCharactersRefusesTheFile) {
    const std::string good = sprite("a.spr", 1);
    const std::string path = dat(good + "\n" + std::string(36, 'x') + "\n");
    const auto result = test::runInChild([&] { DatStructure().load(path.c_str()); });
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "nom de fichier trop long dans " + path);
}

TEST_F(DatStructureTest, VeryLongRunOfTextIsRefusedWithoutOverrun) {
    const std::string path = dat(std::string(100000, 'q'));
    const auto result = test::runInChild([&] { DatStructure().load(path.c_str()); });
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "nom de fichier trop long dans " + path);
}

TEST_F(DatStructureTest, MissingListOrMissingSpriteIsFatalWithTheName) {
    const std::string absentDat = dir.file("absent.dat");
    auto result = test::runInChild([&] { DatStructure().load(absentDat.c_str()); });
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "erreur d'ouverture du fichier " + absentDat);

    const std::string absentSprite = dir.file("absent.spr");
    const std::string path = dat(sprite("a.spr", 1) + " " + absentSprite);
    result = test::runInChild([&] { DatStructure().load(path.c_str()); });
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "erreur d'ouverture du fichier " + absentSprite);
}

}  // namespace
}  // namespace ocre
