#include "dialogue/DialogueTree.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/dialogue/DialogueTestSupport.h"
#include "tests/support/TestFiles.h"

namespace ocre {
namespace {

using test::ChildResult;
using test::TempDir;

class DialogueFile {
public:
    explicit DialogueFile(const std::string& contents) : path_(dir_.file("test.dlg")) {
        test::writeFile(path_, contents);
    }
    const std::string& path() const { return path_; }
    std::unique_ptr<DialogueTree> load() const { return std::make_unique<DialogueTree>(path_.c_str()); }

private:
    TempDir dir_;
    std::string path_;
};

std::unique_ptr<DialogueTree> loadTree(const std::string& contents) { return DialogueFile(contents).load(); }

std::vector<std::string> texts(const PointerList<DialogueNode>& nodes) {
    std::vector<std::string> result;
    for (const DialogueNode* node : nodes) result.push_back(node->text());
    return result;
}

std::vector<std::string> markedTexts(const DialogueTree& tree) {
    std::vector<std::string> result;
    for (const DialogueNode* node : tree.currentChoices()) {
        if (node->isMarked()) result.push_back(node->text());
    }
    return result;
}

void expectRefused(const std::string& contents) {
    DialogueFile file(contents);
    ChildResult result = test::runInChild([&] { file.load(); });
    EXPECT_TRUE(result.exited) << "for contents: " << contents;
    EXPECT_EQ(result.exitStatus, 255) << "for contents: " << contents;
    EXPECT_EQ(result.err, "fichier " + file.path() + " corrompu!\n") << "for contents: " << contents;
    EXPECT_EQ(result.out, "");
}

TEST(DialogueTreeLoad, CreatesFillersUpToTheAddressedChild) {
    auto tree = loadTree("0|2|1|Oui\n");
    const DialogueNode& root = tree->root();
    EXPECT_EQ(root.text(), "racine");
    EXPECT_EQ(root.kind(), 1);
    ASSERT_EQ(root.children().count(), 2);
    EXPECT_EQ(root.children().at(0)->text(), "fils");
    EXPECT_EQ(root.children().at(0)->kind(), 1);
    EXPECT_EQ(root.children().at(1)->text(), "Oui ");
    EXPECT_EQ(root.children().at(1)->kind(), 1);
    EXPECT_FALSE(root.children().at(1)->isEnding());
}

TEST(DialogueTreeLoad, ZeroMarksTheNodeReachedSoFarWithoutMoving) {
    auto tree = loadTree("x|1|0|2|Au revoir\n");
    const DialogueNode& root = tree->root();
    EXPECT_FALSE(root.isEnding());
    ASSERT_EQ(root.children().count(), 1);
    const DialogueNode* child = root.children().at(0);
    EXPECT_TRUE(child->isEnding());
    EXPECT_EQ(child->text(), "Au revoir ");
    EXPECT_EQ(child->kind(), 2);
    EXPECT_EQ(child->children().count(), 0);
}

TEST(DialogueTreeLoad, FollowsDeepPathsCreatingFillersAtEveryLevel) {
    auto tree = loadTree("x|3|2|Trois\n1|1|2|3|4|Loin\n");
    const DialogueNode& root = tree->root();
    EXPECT_EQ(texts(root.children()), (std::vector<std::string>{"fils", "fils", "Trois "}));
    EXPECT_EQ(root.children().at(2)->kind(), 2);
    const DialogueNode* first = root.children().at(0);
    ASSERT_EQ(first->children().count(), 2);
    const DialogueNode* second = first->children().at(1);
    EXPECT_EQ(texts(second->children()), (std::vector<std::string>{"fils", "fils", "Loin "}));
    EXPECT_EQ(second->children().at(2)->kind(), 4);
}

TEST(DialogueTreeLoad, ThreeFieldLineSetsTheRootAndMinusOneEndsThePath) {
    auto tree = loadTree("1|1|Salut\n1|2|-1|5|2|Court\n");
    const DialogueNode& root = tree->root();
    EXPECT_EQ(root.text(), "Salut ");
    ASSERT_EQ(root.children().count(), 2);
    const DialogueNode* addressed = root.children().at(1);
    EXPECT_EQ(addressed->text(), "Court ");
    EXPECT_EQ(addressed->kind(), 2);
    EXPECT_EQ(addressed->children().count(), 0);
}

TEST(DialogueTreeLoad, LastLineWinsButTheEndingMarkStays) {
    auto tree = loadTree("1|1|2|Premier\n1|1|0|3|Second\n1|1|1|Dernier\n");
    const DialogueNode* child = tree->root().children().at(0);
    EXPECT_EQ(tree->root().children().count(), 1);
    EXPECT_EQ(child->text(), "Dernier ");
    EXPECT_EQ(child->kind(), 1);
    EXPECT_TRUE(child->isEnding());
}

TEST(DialogueTreeLoad, SeparatorRunsCountAsOneAndTrailingOnesAreDropped) {
    auto tree = loadTree("||1||1|||2|Deux||");
    const DialogueNode* child = tree->root().children().at(0);
    EXPECT_EQ(child->text(), "Deux");
    EXPECT_EQ(child->kind(), 2);
}

TEST(DialogueTreeLoad, FieldsThatAreNotNumbersReadAsZero) {
    // As a kind, 0 puts the line in the third band; as a path value it marks
    // the node reached so far as an ending.
    auto tree = loadTree("1|1|deux|Texte\n1|zz|3|Racine\n");
    EXPECT_EQ(tree->root().children().at(0)->kind(), 0);
    EXPECT_EQ(tree->root().children().at(0)->text(), "Texte ");
    EXPECT_TRUE(tree->root().isEnding());
    EXPECT_EQ(tree->root().kind(), 3);
    EXPECT_EQ(tree->root().text(), "Racine ");

    // Read as "%d" reads: blanks and a sign before the digits, anything after.
    auto scanned = loadTree("1| +2|  7xyz|A\n");
    ASSERT_EQ(scanned->root().children().count(), 2);
    EXPECT_EQ(scanned->root().children().at(1)->kind(), 7);
}

TEST(DialogueTreeLoad, StartsWithTheRootAsOnlyChoiceAndNotFinished) {
    auto tree = loadTree("1|1|1|A\n1|2|1|B\n");
    EXPECT_EQ(texts(tree->currentChoices()), std::vector<std::string>{"racine"});
    EXPECT_FALSE(tree->finished());
}

TEST(DialogueTreeLoad, EmptyFileGivesABareRoot) {
    auto tree = loadTree("");
    EXPECT_EQ(tree->root().text(), "racine");
    EXPECT_EQ(tree->root().children().count(), 0);
    EXPECT_EQ(texts(tree->currentChoices()), std::vector<std::string>{"racine"});
    tree->reset();
    EXPECT_EQ(tree->currentChoices().count(), 0);
}

TEST(DialogueTreeLoad, CarriageReturnLineEndsReadLikeLineFeeds) {
    const std::string longText(991, 'a');
    // The second line is 997 characters before its CR LF: the CR falls on
    // the last place of a read, which must not leave the LF as a line alone.
    auto tree = loadTree("1|1|1|Oui\r\n1|2|2|" + longText + "\r\n1|3|3|Un\rDeux\n");
    const PointerList<DialogueNode>& children = tree->root().children();
    ASSERT_EQ(children.count(), 3);
    EXPECT_EQ(children.at(0)->text(), "Oui ");
    EXPECT_EQ(children.at(1)->text(), longText + " ");
    EXPECT_EQ(children.at(2)->text(), "Un\rDeux ");
}

TEST(DialogueTreeLoad, LongLinesAreReadInPiecesOf998Characters) {
    const std::string head = "1|1|2|";
    const std::string filler(998 - head.size(), 'a');
    auto tree = loadTree(head + filler + "1|2|2|Suite\n");
    const PointerList<DialogueNode>& children = tree->root().children();
    ASSERT_EQ(children.count(), 2);
    EXPECT_EQ(children.at(0)->text(), filler);
    EXPECT_EQ(children.at(1)->text(), "Suite ");
}

TEST(DialogueTreeLoad, LargeButReasonableChildNumbersLoad) {
    auto tree = loadTree("1|1000|2|Mille\n");
    ASSERT_EQ(tree->root().children().count(), 1000);
    EXPECT_EQ(tree->root().children().at(999)->text(), "Mille ");
}

TEST(DialogueTreeLoad, StopsAtAZeroByteInALine) {
    auto tree = loadTree(std::string("1|1|2|Avant\0|9|9|Apres\n", 23));
    ASSERT_EQ(tree->root().children().count(), 1);
    EXPECT_EQ(tree->root().children().at(0)->text(), "Avant");
}

TEST(DialogueTreeRefusal, LinesWithFewerThanThreeFields) {
    expectRefused("\n");
    expectRefused("|\n");
    expectRefused("1|2\n");
    expectRefused("1|1|2|A\n\n1|2|2|B\n");
    expectRefused(std::string("\0|1|2|A\n", 8));
}

TEST(DialogueTreeRefusal, AnExactly998CharacterLineLeavesItsLineFeedAlone) {
    const std::string head = "1|1|2|";
    expectRefused(head + std::string(998 - head.size(), 'a') + "\n");
}

TEST(DialogueTreeRefusal, PathValuesBelowMinusOne) {
    expectRefused("1|-2|2|Negatif\n");
    expectRefused("1|1|2|A\n1|1|-7|2|B\n");
}

TEST(DialogueTreeRefusal, ChildNumbersThatWouldExhaustMemory) {
    expectRefused("1|99999999999|2|Enorme\n");
    expectRefused("1|15000|15000|2|Trop\n");
}

TEST(DialogueTreeRefusal, MissingFileIsAnOpeningError) {
    TempDir dir;
    const std::string path = dir.file("absent.dlg");
    ChildResult result = test::runInChild([&] { DialogueTree tree(path.c_str()); });
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "erreur d'ouverture du fichier " + path);
    EXPECT_EQ(result.err, "");
}

// Root children: A (leaf), B (inner: B1, B2), C (ending), D (leaf).
constexpr const char* kConversation =
    "1|1|Bonjour\n"
    "1|1|2|A\n"
    "1|2|2|B\n"
    "1|2|1|1|B1\n"
    "1|2|2|1|B2\n"
    "1|3|0|2|C\n"
    "1|4|2|D\n";

TEST(DialogueTreeConversation, ResetOffersTheRootChildrenInOrder) {
    auto tree = loadTree(kConversation);
    tree->reset();
    EXPECT_EQ(texts(tree->currentChoices()), (std::vector<std::string>{"A ", "B ", "C ", "D "}));
    EXPECT_FALSE(tree->finished());
    EXPECT_TRUE(markedTexts(*tree).empty());
}

TEST(DialogueTreeConversation, HighlightClampsAndMarksExactlyOneChoice) {
    auto tree = loadTree(kConversation);
    tree->reset();
    tree->highlight(1);
    EXPECT_EQ(markedTexts(*tree), std::vector<std::string>{"B "});
    tree->highlight(7);
    EXPECT_EQ(markedTexts(*tree), std::vector<std::string>{"D "});
    tree->highlight(-4);
    EXPECT_EQ(markedTexts(*tree), std::vector<std::string>{"A "});
}

TEST(DialogueTreeConversation, HighlightWithoutChoicesDoesNothing) {
    auto tree = loadTree("");
    tree->reset();
    tree->highlight(0);
    tree->validate();
    EXPECT_EQ(tree->currentChoices().count(), 0);
    EXPECT_FALSE(tree->finished());
}

TEST(DialogueTreeConversation, ValidatingAnInnerChoiceOpensItInPlace) {
    auto tree = loadTree(kConversation);
    tree->reset();
    tree->highlight(1);
    tree->validate();
    EXPECT_EQ(texts(tree->currentChoices()), (std::vector<std::string>{"A ", "B1 ", "B2 ", "C ", "D "}));
    EXPECT_TRUE(markedTexts(*tree).empty());
    EXPECT_FALSE(tree->finished());
}

TEST(DialogueTreeConversation, ValidatingALeafRemovesIt) {
    auto tree = loadTree(kConversation);
    tree->reset();
    tree->highlight(0);
    tree->validate();
    EXPECT_EQ(texts(tree->currentChoices()), (std::vector<std::string>{"B ", "C ", "D "}));
    EXPECT_FALSE(tree->finished());
}

TEST(DialogueTreeConversation, ValidatingAnEndingFinishesAndKeepsTheList) {
    auto tree = loadTree(kConversation);
    tree->reset();
    tree->highlight(2);
    tree->validate();
    EXPECT_TRUE(tree->finished());
    EXPECT_EQ(texts(tree->currentChoices()), (std::vector<std::string>{"A ", "B ", "C ", "D "}));
    EXPECT_TRUE(markedTexts(*tree).empty());
    tree->reset();
    EXPECT_FALSE(tree->finished());
}

TEST(DialogueTreeConversation, ValidateWithoutAMarkDoesNothing) {
    auto tree = loadTree(kConversation);
    tree->reset();
    tree->validate();
    EXPECT_EQ(texts(tree->currentChoices()), (std::vector<std::string>{"A ", "B ", "C ", "D "}));
    tree->highlight(1);
    tree->validate();
    tree->validate();
    EXPECT_EQ(texts(tree->currentChoices()), (std::vector<std::string>{"A ", "B1 ", "B2 ", "C ", "D "}));
}

TEST(DialogueTreeConversation, ARemovedLeafComesBackUnmarkedInTheNextConversation) {
    auto tree = loadTree(kConversation);
    tree->reset();
    tree->highlight(0);
    tree->validate();
    tree->reset();
    EXPECT_TRUE(markedTexts(*tree).empty());
}

TEST(DialogueTreeConversation, OpeningManyChildrenGrowsTheListAndKeepsOrder) {
    std::string contents = "1|1|2|Premier\n1|3|2|Dernier\n";
    for (int i = 1; i <= 12; ++i) contents += "1|2|" + std::to_string(i) + "|2|c" + std::to_string(i) + "\n";
    auto tree = loadTree(contents);
    tree->reset();
    tree->highlight(1);
    tree->validate();
    std::vector<std::string> expected{"Premier "};
    for (int i = 1; i <= 12; ++i) expected.push_back("c" + std::to_string(i) + " ");
    expected.push_back("Dernier ");
    EXPECT_EQ(texts(tree->currentChoices()), expected);
    EXPECT_EQ(tree->currentChoices().capacity(), 15);
}

TEST(DialogueTreeDraw, RowsOfTextWithAStarBeforeTheMarkedChoice) {
    auto tree = loadTree(kConversation);
    tree->reset();
    tree->highlight(1);
    test::RecordingDisplay display;
    test::FixedGlyphs font(16, 16);
    tree->draw(5, 7, 300, 200, display, font);
    const std::vector<test::TextCall> expected{
        {105, 107, "A ", 300, 200, 640, 480}, {95, 117, "*", 300, 200, 640, 480},
        {105, 117, "B ", 300, 200, 640, 480}, {105, 127, "C ", 300, 200, 640, 480},
        {105, 137, "D ", 300, 200, 640, 480}};
    EXPECT_EQ(display.texts, expected);
    EXPECT_TRUE(display.surfaces.empty());
}

}  // namespace
}  // namespace ocre
