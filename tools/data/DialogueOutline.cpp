#include "tools/data/DialogueOutline.h"

#include <cstdlib>
#include <map>
#include <queue>
#include <set>

#include "dialogue/DialogueFileFormat.h"

namespace ocre {
namespace {

// The server reads lines in chunks of this many characters; the rest of a
// longer line comes as a line of its own.
constexpr size_t kLineChunk = kDialogueLineBufferSize - 1;
// A child number this large would make the server create as many nodes.
constexpr int32_t kMostChildren = 1000;
constexpr size_t kMostStates = 200000;

struct Field {
    std::string text;
    bool isNumber = false;
    int32_t value = 0;
};

// As scanf's "%d": optional blanks, an optional sign, then digits.
Field readField(const std::string& token) {
    Field f;
    f.text = token;
    const char* start = token.c_str();
    char* end = nullptr;
    const long value = std::strtol(start, &end, 10);
    f.isNumber = end != start;
    f.value = static_cast<int32_t>(value);
    return f;
}

std::vector<Field> splitLine(const std::string& line) {
    std::vector<Field> fields;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == kDialogueFieldSeparator) {
            ++i;
            continue;
        }
        const size_t next = line.find(kDialogueFieldSeparator, i);
        const size_t end = next == std::string::npos ? line.size() : next;
        fields.push_back(readField(line.substr(i, end - i)));
        i = end;
    }
    return fields;
}

std::string at(int line) { return "line " + std::to_string(line) + ": "; }

class TreeBuilder {
public:
    explicit TreeBuilder(DialogueOutline& outline) : out_(outline) {}

    void addLine(const std::string& rawLine, int lineNumber) {
        std::string line = rawLine;
        // The server drops a carriage return right before the line feed, as
        // files saved on other platforms have; any other one stays in the text.
        const size_t crlf = line.find("\r\n");
        if (crlf != std::string::npos) line.erase(crlf, 1);
        for (char& c : line)
            if (c == '\n') c = ' ';
        if (line.find('\r') != std::string::npos)
            out_.problems.push_back(at(lineNumber) + "a lone carriage return is kept as part of the text");
        const std::vector<Field> fields = splitLine(line);
        if (fields.size() < kDialogueMinFields) {
            out_.problems.push_back(at(lineNumber) + "fewer than three fields: the server refuses the whole file");
            out_.refused = true;
            return;
        }
        const Field& kindField = fields[fields.size() - 2];
        if (!kindField.isNumber) out_.problems.push_back(at(lineNumber) + "the kind \"" + kindField.text + "\" is not a number");
        if (out_.nodes.empty()) {
            out_.nodes.push_back(OutlineNode{kDialogueRootText, kSpeakerKind, false, 0, {}});
        }
        std::vector<int32_t> path;
        for (size_t i = 1; i + 2 < fields.size(); ++i) {
            const Field& f = fields[i];
            if (!f.isNumber) {
                out_.problems.push_back(at(lineNumber) + "the path value \"" + f.text +
                                        "\" is not a number; the line is skipped");
                return;
            }
            if (f.value == kDialoguePathEnd) break;
            if (f.value < kDialoguePathEnd || f.value > kMostChildren) {
                out_.problems.push_back(at(lineNumber) + "the child number " + std::to_string(f.value) +
                                        " is out of range; the line is skipped");
                return;
            }
            path.push_back(f.value);
        }
        int node = 0;
        for (int32_t p : path) {
            if (p == kDialogueEndingMark) {
                out_.nodes[static_cast<size_t>(node)].ending = true;
                continue;
            }
            while (static_cast<int32_t>(out_.nodes[static_cast<size_t>(node)].children.size()) < p) {
                out_.nodes.push_back(OutlineNode{kDialogueFillerText, kSpeakerKind, false, 0, {}});
                out_.nodes[static_cast<size_t>(node)].children.push_back(static_cast<int>(out_.nodes.size()) - 1);
            }
            node = out_.nodes[static_cast<size_t>(node)].children[static_cast<size_t>(p - 1)];
        }
        OutlineNode& target = out_.nodes[static_cast<size_t>(node)];
        if (target.addressedOnLine != 0)
            out_.notes.push_back(at(lineNumber) + "gives a new text to the node of line " +
                                 std::to_string(target.addressedOnLine) + " (the last line wins)");
        target.text = fields.back().text;
        target.kind = kindField.isNumber ? kindField.value : kSpeakerKind;
        target.addressedOnLine = lineNumber;
    }

private:
    DialogueOutline& out_;
};

void nameNodes(const DialogueOutline& outline, int node, const std::string& name, std::vector<std::string>& names) {
    names[static_cast<size_t>(node)] = name;
    const auto& children = outline.nodes[static_cast<size_t>(node)].children;
    for (size_t i = 0; i < children.size(); ++i)
        nameNodes(outline, children[i], (name.empty() ? "" : name + ".") + std::to_string(i + 1), names);
}

// The choice a click picks: a press on player choice `pressed` (or on
// nothing, -1), following the mouse-choice rule of the dialogue box.
int pick(const DialogueOutline& outline, const std::vector<int>& choices, int pressed) {
    for (size_t i = 0; i < choices.size(); ++i) {
        const OutlineNode& n = outline.nodes[static_cast<size_t>(choices[i])];
        if (n.kind == kPlayerKind) {
            if (static_cast<int>(i) == pressed) return static_cast<int>(i);
        } else if (n.ending) {
            return static_cast<int>(i);
        }
    }
    int best = -1;
    for (size_t i = 0; i < choices.size(); ++i) {
        const OutlineNode& n = outline.nodes[static_cast<size_t>(choices[i])];
        if (n.kind == kPlayerKind) continue;
        if (best < 0 || n.kind > outline.nodes[static_cast<size_t>(choices[static_cast<size_t>(best)])].kind)
            best = static_cast<int>(i);
    }
    return best;
}

}  // namespace

DialogueOutline readDialogueOutline(const std::vector<uint8_t>& bytes) {
    DialogueOutline outline;
    TreeBuilder builder(outline);
    int lineNumber = 0;
    size_t i = 0;
    while (i < bytes.size()) {
        std::string chunk;
        while (i < bytes.size() && chunk.size() < kLineChunk) {
            chunk += static_cast<char>(bytes[i++]);
            if (chunk.back() == '\n') break;
        }
        ++lineNumber;
        builder.addLine(chunk, lineNumber);
        if (outline.refused) break;
    }
    if (outline.nodes.empty() && !outline.refused) {
        outline.nodes.push_back(OutlineNode{kDialogueRootText, kSpeakerKind, false, 0, {}});
        outline.problems.push_back("the file holds no line: the conversation is empty");
    }
    if (outline.refused) return outline;
    const std::vector<std::string> names = nodeLabels(outline);
    for (size_t n = 1; n < outline.nodes.size(); ++n)
        if (outline.nodes[n].addressedOnLine == 0)
            outline.notes.push_back("node " + names[n] +
                                    " is never given a text and shows \"" + kDialogueFillerText + "\"");
    return outline;
}

std::vector<std::string> nodeLabels(const DialogueOutline& outline) {
    std::vector<std::string> names(outline.nodes.size());
    if (!outline.nodes.empty()) nameNodes(outline, 0, "", names);
    return names;
}

ClickWalk walkByClicks(const DialogueOutline& outline) {
    ClickWalk walk;
    if (outline.nodes.empty()) return walk;
    struct Visit {
        int clicks;
        std::vector<int> validated;
    };
    std::map<std::vector<int>, Visit> seen;
    std::queue<std::vector<int>> pending;
    const std::vector<int> start = outline.nodes[0].children;
    seen[start] = Visit{0, {}};
    pending.push(start);
    while (!pending.empty()) {
        const std::vector<int> choices = pending.front();
        pending.pop();
        const Visit visit = seen[choices];
        if (choices.empty()) {
            if (!walk.canGetStuck) walk.stuckAfter = visit.validated;
            walk.canGetStuck = true;
            continue;
        }
        std::set<int> picks;
        for (int pressed = -1; pressed < static_cast<int>(choices.size()); ++pressed) {
            const int c = pick(outline, choices, pressed);
            if (c >= 0) picks.insert(c);
        }
        for (int c : picks) {
            const int node = choices[static_cast<size_t>(c)];
            const OutlineNode& n = outline.nodes[static_cast<size_t>(node)];
            if (n.ending) {
                if (!walk.reachesEnding || visit.clicks + 1 < walk.fewestClicks) walk.fewestClicks = visit.clicks + 1;
                walk.reachesEnding = true;
                continue;
            }
            std::vector<int> next(choices.begin(), choices.begin() + c);
            next.insert(next.end(), n.children.begin(), n.children.end());
            next.insert(next.end(), choices.begin() + c + 1, choices.end());
            if (seen.count(next)) continue;
            if (seen.size() >= kMostStates) {
                walk.complete = false;
                continue;
            }
            Visit after{visit.clicks + 1, visit.validated};
            after.validated.push_back(node);
            seen[next] = after;
            pending.push(next);
        }
    }
    return walk;
}

}  // namespace ocre
