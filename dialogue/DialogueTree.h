#pragma once
// A conversation read from a ".dlg" text file: a tree of lines, the list of
// choices currently offered, and whether the conversation has finished.
// Loading failures end the process with the system's own messages.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/PointerList.h"
#include "dialogue/DialogueFileFormat.h"

namespace ocre {

class Display;
class GlyphSource;

class DialogueNode {
public:
    const std::string& text() const { return text_; }
    bool isEnding() const { return ending_ != 0; }
    bool isMarked() const { return marked_ != 0; }
    // 1: a line of the person spoken to, 2: a choice of the player.
    int32_t kind() const { return kind_; }
    const PointerList<DialogueNode>& children() const { return children_; }

private:
    friend class DialogueTree;
    explicit DialogueNode(const char* text) : text_(text) {}

    std::string text_;
    uint8_t ending_ = 0;
    uint8_t marked_ = 0;
    PointerList<DialogueNode> children_;
    int32_t kind_ = kSpeakerKind;
};

class DialogueTree {
public:
    // Loads the whole file, or ends the process.
    explicit DialogueTree(const char* fileName);
    virtual ~DialogueTree();
    DialogueTree(const DialogueTree&) = delete;
    DialogueTree& operator=(const DialogueTree&) = delete;

    // The current choices as rows of text, "*" before the marked one.
    virtual void draw(int32_t x, int32_t y, int32_t viewWidth, int32_t viewHeight, Display& display,
                      const GlyphSource& font) const;

    // A new conversation: the root's children are offered.
    void reset();
    // Marks one current choice, the index clamped to the list.
    void highlight(int32_t index);
    // Finishes on an ending choice, drops a leaf, or opens an inner choice.
    void validate();

    bool finished() const { return finished_ != 0; }
    const PointerList<DialogueNode>& currentChoices() const { return currentChoices_; }
    const DialogueNode& root() const { return *root_; }

private:
    void load(const char* fileName);
    DialogueNode* newNode(const char* text);
    // Marks the endings met, creates the missing children and gives the
    // node the path addresses; null for a path no sound file holds.
    DialogueNode* createPath(const std::vector<int32_t>& path);

    PointerList<DialogueNode> currentChoices_;
    DialogueNode* root_ = nullptr;
    uint8_t finished_ = 0;
    std::vector<std::unique_ptr<DialogueNode>> nodes_;
};

}  // namespace ocre
