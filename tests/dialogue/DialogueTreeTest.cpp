#include "dialogue/DialogueTree.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/RecordingDisplay.h"
#include "tests/support/TestFiles.h"

namespace ocre {
namespace {

using Choices = std::vector<std::string>;

std::unique_ptr<DialogueTree> loadTree(const std::string& contents) {
    test::TempDir dir;
    test::writeFile(dir.file("test.dlg"), contents);
    return std::make_unique<DialogueTree>(dir.file("test.dlg").c_str());
}

// A node as "text:kind", "!" for an ending, then its children in braces.
std::string dump(const DialogueNode& node) {
    std::string out = node.text() + ":" + std::to_string(node.kind()) + (node.isEnding() ? "!" : "");
    const PointerList<DialogueNode>& children = node.children();
    for (int32_t i = 0; i < children.count(); ++i) out += (i == 0 ? "{" : ",") + dump(*children.at(i));
    return children.count() == 0 ? out : out + "}";
}

// The current choices' texts, "*" before the marked ones.
Choices choices(const DialogueTree& tree) {
    Choices result;
    for (const DialogueNode* node : tree.currentChoices()) {
        result.push_back((node->isMarked() ? "*" : "") + node->text());
    }
    return result;
}

TEST(DialogueTreeLoad, BuildsTheTreeTheLinesDescribe) {
    const std::string piece(992, 'a');     // after "1|1|2|": one whole 998-character read
    const std::string longText(991, 'a');  // after "1|2|2|": the CR of CR LF is the last byte of a read
    std::string thousand;
    for (int i = 1; i < 1000; ++i) thousand += "fils:1,";
    const struct { std::string contents, tree; } rows[] = {
        {"", "racine:1"}, {"0|2|1|Oui\n", "racine:1{fils:1,Oui :1}"},
        {"x|3|2|Trois\n1|1|1|2|Deux\n", "racine:1{fils:1{Deux :2},fils:1,Trois :2}"},
        // 0 marks the node reached so far as an ending and does not move.
        {"x|1|0|2|Au revoir\n", "racine:1{Au revoir :2!}"},
        // Three fields address the root; -1 ends the path early.
        {"1|1|Salut\n1|2|-1|5|2|Court\n", "Salut :1{fils:1,Court :2}"},
        // The last line wins for text and kind; an ending mark stays.
        {"1|1|2|Premier\n1|1|0|3|Second\n1|1|1|Dernier\n", "racine:1{Dernier :1!}"},
        {"||1||1|||2|Deux||", "racine:1{Deux:2}"},
        // Fields read as "%d" reads them: not a number is 0; blanks and a
        // sign before the digits and anything after them are allowed.
        {"1|1|deux|Texte\n1|zz|3|Racine\n", "Racine :3!{Texte :0}"}, {"1| +2|  7xyz|A\n", "racine:1{fils:1,A :7}"},
        {std::string("1|1|2|Avant\0|9|9|Apres\n", 23), "racine:1{Avant:2}"},
        {"1|1000|2|Mille\n", "racine:1{" + thousand + "Mille :2}"},
        // The rest of a line longer than one read is a line of its own.
        {"1|1|2|" + piece + "1|2|2|Suite\n", "racine:1{" + piece + ":2,Suite :2}"},
        // CR LF ends a line like LF; a lone CR is text.
        {"1|1|1|Oui\r\n1|2|2|" + longText + "\r\n1|3|3|Un\rDeux\n", "racine:1{Oui :1," + longText + " :2,Un\rDeux :3}"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.contents.substr(0, 40));
        auto tree = loadTree(row.contents);
        EXPECT_EQ(dump(tree->root()), row.tree);
        EXPECT_EQ(choices(*tree), Choices{tree->root().text()});
        EXPECT_FALSE(tree->finished());
    }
}

TEST(DialogueTreeLoad, RefusesBrokenFilesWhole) {
    const std::string rows[] = {
        "\n", "|\n", "1|2\n", "1|1|2|A\n\n1|2|2|B\n", std::string("\0|1|2|A\n", 8),
        "1|1|2|" + std::string(992, 'a') + "\n",  // 998 characters fill a read: the line feed is left alone
        "1|-2|2|Negatif\n", "1|1|2|A\n1|1|-7|2|B\n",  // path values below -1
        // Child numbers the first walk stops creating: more nodes than any conversation holds.
        "1|99999999999|2|Enorme\n", "1|15000|15000|2|Trop\n"};
    for (const std::string& contents : rows) {
        SCOPED_TRACE(contents.substr(0, 40));
        test::TempDir dir;
        const std::string path = dir.file("test.dlg");
        test::writeFile(path, contents);
        const test::ChildResult result = test::runInChild([&] { DialogueTree tree(path.c_str()); });
        EXPECT_EQ(result.exitStatus, 255);
        EXPECT_EQ(result.err, "fichier " + path + " corrompu!\n");
        EXPECT_EQ(result.out, "");
    }
}

// Root children: A (leaf), B (inner: B1, B2), C (ending).
constexpr const char* kConversation = "1|1|Bonjour\n1|1|2|A\n1|2|2|B\n1|2|1|1|B1\n1|2|2|1|B2\n1|3|0|2|C\n";

TEST(DialogueTreeConversation, ResetHighlightAndValidateWalkTheChoices) {
    auto tree = loadTree(kConversation);
    tree->reset();
    tree->validate();  // nothing marked: nothing happens
    EXPECT_EQ(choices(*tree), (Choices{"A ", "B ", "C "}));
    tree->highlight(7);
    EXPECT_EQ(choices(*tree), (Choices{"A ", "B ", "*C "}));
    tree->highlight(-4);
    EXPECT_EQ(choices(*tree), (Choices{"*A ", "B ", "C "}));

    tree->highlight(1);
    tree->validate();  // an inner choice opens in place
    EXPECT_EQ(choices(*tree), (Choices{"A ", "B1 ", "B2 ", "C "}));
    tree->highlight(0);
    tree->validate();  // a leaf goes away
    EXPECT_EQ(choices(*tree), (Choices{"B1 ", "B2 ", "C "}));
    EXPECT_FALSE(tree->finished());
    tree->highlight(2);
    tree->validate();  // an ending finishes and leaves the list as it is
    EXPECT_TRUE(tree->finished());
    EXPECT_EQ(choices(*tree), (Choices{"B1 ", "B2 ", "C "}));

    // The next conversation starts afresh, no line kept marked from the last.
    tree->reset();
    EXPECT_FALSE(tree->finished());
    EXPECT_EQ(choices(*tree), (Choices{"A ", "B ", "C "}));

    auto empty = loadTree("");
    empty->reset();
    empty->highlight(0);
    empty->validate();
    EXPECT_TRUE(empty->currentChoices().count() == 0 && !empty->finished());
}

TEST(DialogueTreeDraw, RowsOfTextWithAStarBeforeTheMarkedChoice) {
    auto tree = loadTree(kConversation);
    tree->reset();
    tree->highlight(1);
    test::RecordingDisplay display;
    tree->draw(5, 7, 300, 200, display, test::FixedGlyphs(16, 16));
    const std::vector<test::TextCall> expected{
        {105, 107, "A ", 300, 200, 640, 480}, {95, 117, "*", 300, 200, 640, 480},
        {105, 117, "B ", 300, 200, 640, 480}, {105, 127, "C ", 300, 200, 640, 480}};
    EXPECT_EQ(display.texts, expected);
    EXPECT_TRUE(display.surfaces.empty());
}

}  // namespace
}  // namespace ocre
