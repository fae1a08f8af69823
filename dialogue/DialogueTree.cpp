#include "dialogue/DialogueTree.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "core/Fatal.h"
#include "dialogue/DialogueFileFormat.h"
#include "gfx/Display.h"
#include "gfx/ScreenSize.h"

namespace ocre {

namespace {

constexpr const char* kOpenFailed = "erreur d'ouverture du fichier %s";
constexpr const char* kCorrupt = "fichier %s corrompu!\n";

// The rows of the plain (portrait-less) drawing.
constexpr int32_t kRowsTop = 100;
constexpr int32_t kRowStep = 10;
constexpr int32_t kMarkColumn = 90;
constexpr int32_t kTextColumn = 100;
constexpr const char* kMarkText = "*";

// Reads like fgets into a kDialogueLineBufferSize buffer, except that a carriage
// return right before a line feed is dropped: files saved with CR LF line
// ends then load exactly like files with bare line feeds.
bool readChunk(std::FILE* file, std::string& chunk) {
    chunk.clear();
    while (chunk.size() < kDialogueLineBufferSize - 1) {
        int c = std::getc(file);
        if (c == EOF) break;
        if (c == '\r') {
            int next = std::getc(file);
            if (next == '\n') {
                c = '\n';
            } else if (next != EOF) {
                std::ungetc(next, file);
            }
        }
        chunk.push_back(static_cast<char>(c));
        if (c == '\n') break;
    }
    return !chunk.empty();
}

// Fields as strtok cuts them: runs of separators count as one, leading and
// trailing separators give no field.
std::vector<std::string> splitFields(const std::string& line) {
    std::vector<std::string> fields;
    size_t at = 0;
    while (at < line.size()) {
        if (line[at] == kDialogueFieldSeparator) {
            ++at;
            continue;
        }
        size_t end = line.find(kDialogueFieldSeparator, at);
        if (end == std::string::npos) end = line.size();
        fields.push_back(line.substr(at, end - at));
        at = end;
    }
    return fields;
}

// A field read as "%d" would read it. A field that is not a number reads as
// 0, and one beyond the 32-bit range is held at the range's edge.
int32_t readNumber(const std::string& field) {
    size_t at = 0;
    while (at < field.size() && std::isspace(static_cast<unsigned char>(field[at]))) ++at;
    bool negative = false;
    if (at < field.size() && (field[at] == '+' || field[at] == '-')) {
        negative = field[at] == '-';
        ++at;
    }
    constexpr int64_t kLimit = int64_t{1} << 31;
    int64_t value = 0;
    while (at < field.size() && std::isdigit(static_cast<unsigned char>(field[at]))) {
        value = value * 10 + (field[at] - '0');
        if (value > kLimit) value = kLimit;
        ++at;
    }
    if (negative) value = -value;
    if (value > INT32_MAX) value = INT32_MAX;
    return static_cast<int32_t>(value);
}

// A dialogue file is loaded whole or not at all.
[[noreturn]] void refuseCorrupt(std::FILE* file, const char* fileName) {
    std::fclose(file);
    fatalf(stderr, kCorrupt, fileName);
}

}  // namespace

DialogueTree::DialogueTree(const char* fileName) { load(fileName); }

DialogueTree::~DialogueTree() = default;

DialogueNode* DialogueTree::newNode(const char* text) {
    nodes_.push_back(std::unique_ptr<DialogueNode>(new DialogueNode(text)));
    return nodes_.back().get();
}

void DialogueTree::load(const char* fileName) {
    std::FILE* file = std::fopen(fileName, "r");
    if (file == nullptr) fatalf(stdout, kOpenFailed, fileName);

    // Present even when no line addresses it (an empty file gives a bare
    // root), so the current choices never hold a missing node.
    root_ = newNode(kDialogueRootText);

    std::string line;
    while (readChunk(file, line)) {
        // Lines are C strings: a zero byte ends one early.
        line.resize(std::strlen(line.c_str()));
        for (char& c : line) {
            if (c == '\n') c = ' ';
        }
        const std::vector<std::string> fields = splitFields(line);
        if (fields.size() < kDialogueMinFields) refuseCorrupt(file, fileName);

        // First field unused, then the path, the kind and the text.
        const size_t kindField = fields.size() - 2;
        const int32_t kind = readNumber(fields[kindField]);
        std::vector<int32_t> path;
        for (size_t f = 1; f < kindField; ++f) path.push_back(readNumber(fields[f]));

        DialogueNode* addressed = createPath(path);
        if (addressed == nullptr) refuseCorrupt(file, fileName);
        addressed->text_ = fields.back();
        addressed->kind_ = kind;
    }

    currentChoices_.append(root_);
    finished_ = 0;
    std::fclose(file);
}

DialogueNode* DialogueTree::createPath(const std::vector<int32_t>& path) {
    DialogueNode* node = root_;
    for (int32_t p : path) {
        if (p == kDialoguePathEnd) break;
        if (p < kDialoguePathEnd) return nullptr;
        if (p == kDialogueEndingMark) {
            node->ending_ = 1;
            continue;
        }
        // Refused before any of the missing children is made: a file asking
        // for too many is refused anyway.
        const int32_t missing = p - node->children_.count();
        if (missing > 0 && static_cast<size_t>(missing) > kDialogueMostNodes - nodes_.size()) return nullptr;
        while (node->children_.count() < p) node->children_.append(newNode(kDialogueFillerText));
        node = node->children_.at(p - 1);
    }
    return node;
}

void DialogueTree::reset() {
    finished_ = 0;
    for (DialogueNode* choice : currentChoices_) choice->marked_ = 0;
    currentChoices_.clear();
    for (DialogueNode* child : root_->children_) currentChoices_.append(child);
}

void DialogueTree::highlight(int32_t index) {
    const int32_t count = currentChoices_.count();
    if (count == 0) return;
    if (index < 0) index = 0;
    if (index > count - 1) index = count - 1;
    for (DialogueNode* choice : currentChoices_) choice->marked_ = 0;
    currentChoices_.at(index)->marked_ = 1;
}

void DialogueTree::validate() {
    int32_t index = 0;
    while (index < currentChoices_.count() && !currentChoices_.at(index)->isMarked()) ++index;
    if (index == currentChoices_.count()) return;

    DialogueNode* chosen = currentChoices_.at(index);
    // Whatever happens to it, the chosen line stops being the highlighted
    // one; a dropped leaf keeping its mark would come back marked at the
    // next conversation.
    chosen->marked_ = 0;
    if (chosen->isEnding()) {
        finished_ = 1;
        return;
    }
    currentChoices_.removeAt(index);
    for (DialogueNode* child : chosen->children_) currentChoices_.insertAt(index++, child);
}

void DialogueTree::draw(int32_t x, int32_t y, int32_t viewWidth, int32_t viewHeight, Display& display,
                        const GlyphSource& font) const {
    for (int32_t i = 0; i < currentChoices_.count(); ++i) {
        const DialogueNode* choice = currentChoices_.at(i);
        const int32_t row = y + kRowsTop + kRowStep * i;
        if (choice->isMarked()) {
            display.drawText(x + kMarkColumn, row, kMarkText, font, viewWidth, viewHeight, kScreenWidth,
                             kScreenHeight);
        }
        display.drawText(x + kTextColumn, row, choice->text().c_str(), font, viewWidth, viewHeight, kScreenWidth,
                         kScreenHeight);
    }
}

}  // namespace ocre
