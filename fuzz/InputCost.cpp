#include "fuzz/InputCost.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "core/LittleEndian.h"
#include "data/Map.h"
#include "dialogue/DialogueFileFormat.h"

namespace ocre::fuzz {

namespace {

constexpr size_t kMapColsOffset = 0;
constexpr size_t kMapRowsOffset = 4;
constexpr size_t kWordBytes = 4;
// Larger child numbers count as this one: far above every cap.
constexpr int64_t kLargestCounted = int64_t{1} << 31;

bool wholeInputs = false;

uint32_t wordAt(const uint8_t* data, size_t size, size_t offset) {
    return size >= offset + kWordBytes ? decodeU32(data + offset) : 0;
}

// A field as "%d" reads it (0 for none), held within the 32-bit range.
int64_t childNumber(const std::string& field) {
    size_t at = 0;
    while (at < field.size() && std::isspace(static_cast<unsigned char>(field[at]))) ++at;
    const bool negative = at < field.size() && field[at] == '-';
    if (at < field.size() && (field[at] == '-' || field[at] == '+')) ++at;
    int64_t value = 0;
    for (; at < field.size() && std::isdigit(static_cast<unsigned char>(field[at])); ++at)
        value = std::min<int64_t>(value * 10 + (field[at] - '0'), kLargestCounted);
    return negative ? -value : value;
}

// The loader's tree as far as its size goes: how many children each node
// reached so far has, by its path of child numbers from the root, and how
// many nodes there are.
struct TreeShape {
    std::map<std::vector<int64_t>, int64_t> children;
    uint64_t nodes = 1;
};

// Follows one line's path as the loader does, making the missing children;
// false where the loader refuses the file.
bool followLine(const std::string& line, TreeShape& tree) {
    std::vector<std::string> fields;
    size_t at = 0;
    while (at < line.size()) {
        const size_t end = std::min(line.find(kDialogueFieldSeparator, at), line.size());
        if (end > at) fields.push_back(line.substr(at, end - at));
        at = end + 1;
    }
    if (fields.size() < kDialogueMinFields) return false;
    // The first field is unused; the path runs up to the kind.
    std::vector<int64_t> node;
    for (size_t f = 1; f + 2 < fields.size(); ++f) {
        const int64_t number = childNumber(fields[f]);
        if (number == kDialoguePathEnd) break;
        if (number < kDialoguePathEnd) return false;
        if (number == kDialogueEndingMark) continue;
        int64_t& children = tree.children[node];
        if (number > children) {
            const auto missing = static_cast<uint64_t>(number - children);
            if (missing > kDialogueMostNodes - tree.nodes) return false;
            tree.nodes += missing;
            children = number;
        }
        node.push_back(number);
    }
    return true;
}

}  // namespace

void runEveryInputWhole() { wholeInputs = true; }

bool leftOut(uint64_t declared, uint64_t cap) { return !wholeInputs && declared > cap; }

uint64_t mapCellsMade(const uint8_t* data, size_t size) {
    const uint64_t cells = uint64_t{wordAt(data, size, kMapColsOffset)} * wordAt(data, size, kMapRowsOffset);
    return cells <= kMaxMapCells ? cells : 0;
}

DialogueDeclared dialogueDeclared(const uint8_t* data, size_t size) {
    DialogueDeclared declared;
    TreeShape tree;
    size_t at = 0;
    while (at < size) {
        // Cut as the loader reads: up to a line feed (a carriage return
        // before it dropped) or a full buffer; a zero byte ends the text.
        std::string line;
        bool ended = false;
        while (at < size && line.size() < kDialogueLineBufferSize - 1 && !ended) {
            char c = static_cast<char>(data[at++]);
            if (c == '\r' && at < size && data[at] == '\n') c = static_cast<char>(data[at++]);
            line.push_back(c);
            ended = c == '\n';
        }
        line.resize(line.find('\0') == std::string::npos ? line.size() : line.find('\0'));
        ++declared.lines;
        if (!followLine(line, tree)) break;
    }
    declared.nodes = tree.nodes;
    return declared;
}

}  // namespace ocre::fuzz
