// ocre-data inspect [--tiles FILE.tle] FILE...
//
// Loads every file with the server's own loader, so that a file is
// accepted exactly when the server would accept it, and a refused one is
// named with the server's own message. An accepted file is then described
// from what the loader made, with warnings for what the server accepts but
// is probably not meant. Exit status 0 when the server accepts every file,
// 1 when it would refuse one, or one cannot be read.

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <queue>
#include <set>

#include "core/Fatal.h"
#include "data/DatStructure.h"
#include "data/FrameSet.h"
#include "data/Map.h"
#include "data/Path.h"
#include "dialogue/DialogueTree.h"
#include "dialogue/MouseChoiceRule.h"
#include "tools/data/Command.h"
#include "tools/data/HeadlessVideo.h"
#include "tools/data/ServerLoad.h"
#include "tools/defaultset/Cp1252.h"
#include "tools/defaultset/DefaultDataSet.h"

namespace ocre {
namespace {

namespace fs = std::filesystem;

// Sprite files with more frames than this get a summary instead of one
// line per frame; longer lists of one kind of warning are cut short too.
constexpr uint32_t kFramesListed = 16;
constexpr size_t kWaypointsListed = 8;
constexpr size_t kWarningsListed = 8;
// The exploration of every way of clicking through a conversation stops
// after this many distinct lists of choices, or once it has made lists of
// this many choices in all: a few long lists (a line can have thousands of
// children) cost as much as many short ones.
constexpr size_t kMostClickStates = 200000;
constexpr size_t kMostClickWork = 8000000;
// A map inspected without its tile file is loaded against this many
// stand-in tiles, so that no index can be refused.
constexpr uint32_t kStandInTiles = 65536;

std::string extensionOf(const std::string& path) {
    std::string ext = fs::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

uint64_t sizeOf(const std::string& path) {
    std::error_code error;
    const auto size = fs::file_size(path, error);
    return error ? 0 : static_cast<uint64_t>(size);
}

std::string bytesText(uint64_t n) { return std::to_string(n) + (n == 1 ? " byte" : " bytes"); }

std::string boxText(const PixelBox& b) {
    return "(" + std::to_string(b.left) + ", " + std::to_string(b.top) + ") - (" + std::to_string(b.right) + ", " +
           std::to_string(b.bottom) + ")";
}

// The verdict on one file: accepted (perhaps with warnings) or refused.
class Report {
public:
    void warn(const std::string& text) {
        if (++warnings_ <= kWarningsListed) std::printf("  warning: %s\n", text.c_str());
    }
    bool refuse(const std::string& text) {
        std::printf("  problem: %s\n", text.c_str());
        return false;
    }
    bool accept() {
        if (warnings_ > kWarningsListed) std::printf("  (%zu more warnings)\n", warnings_ - kWarningsListed);
        std::printf("  the server accepts it\n");
        return true;
    }

private:
    size_t warnings_ = 0;
};

// The extra bytes at the end of a file that the loader never reads.
void warnIgnoredTail(Report& report, uint64_t fileSize, uint64_t used, const char* after) {
    if (fileSize > used) report.warn(bytesText(fileSize - used) + " after the " + after + " are ignored");
}

bool inspectSprite(const std::string& path) {
    Report report;
    FrameSet frames;
    if (auto refusal = loadFrameSet(path, frames)) return report.refuse(*refusal);
    std::printf("  sprite frame file: %u frames of %u x %u pixels, frame delay %u\n", frames.frameCount, frames.width,
                frames.height, frames.frameDelay);
    size_t transparent = 0;
    for (uint32_t f = 0; f < frames.frameCount && f < frames.frames.size() && f < frames.boxes.size(); ++f) {
        PixelBox visible;
        const bool anyVisible = frames.frames[f] && imageOfSurface(*frames.frames[f]).visibleBounds(visible);
        transparent += anyVisible ? 0 : 1;
        PixelBox box;
        if (frames.boxes[f]) box = {frames.boxes[f]->left, frames.boxes[f]->top, frames.boxes[f]->right,
                                    frames.boxes[f]->bottom};
        if (frames.frameCount <= kFramesListed)
            std::printf("  frame %u: box %s, visible pixels %s\n", f, boxText(box).c_str(),
                        anyVisible ? boxText(visible).c_str() : "none");
        const bool inside = box.left >= 0 && box.top >= 0 && box.left <= box.right && box.top <= box.bottom &&
                            static_cast<uint32_t>(box.right) < frames.width &&
                            static_cast<uint32_t>(box.bottom) < frames.height;
        const bool fits = !anyVisible || box == visible;
        if (inside && fits) continue;
        std::string text = "the box of frame " + std::to_string(f) + " is " + boxText(box);
        if (!inside) text += ", not inside the frame";
        if (!fits) text += "; its visible pixels span " + boxText(visible);
        report.warn(text);
    }
    if (frames.frameCount > kFramesListed)
        std::printf("  %zu of them fully transparent\n", transparent);
    warnIgnoredTail(report, sizeOf(path), spriteFileBytes(frames.frameCount, frames.width, frames.height), "last box");
    return report.accept();
}

// The tile file given with --tiles, else the .tle of the same name, else
// the data set's tile file, in the map's folder.
std::string findTileFile(const std::string& mapPath, const std::string& given) {
    if (!given.empty()) return given;
    fs::path sameName = fs::path(mapPath).replace_extension(".tle");
    if (fs::exists(sameName)) return sameName.string();
    fs::path usual = fs::path(mapPath).parent_path() / dataset::kTileFile;
    if (fs::exists(usual)) return usual.string();
    return "";
}

bool inspectTiles(const std::string& path) {
    Report report;
    std::unique_ptr<Map> tiles;
    if (auto refusal = refusalOf([&] { tiles = std::make_unique<Map>(path.c_str(), &toolDisplay()); }))
        return report.refuse(refusalText(*refusal));
    uint64_t used = 0;
    size_t walkable = 0;
    for (uint32_t i = 0; i < tiles->tileCount(); ++i) {
        const Tile& t = *tiles->tile(i);
        used += static_cast<uint64_t>(kTileHeaderBytes) + uint64_t{kTileBytesPerPixel} *
                                                               static_cast<uint64_t>(std::max(t.width, 0)) *
                                                               static_cast<uint64_t>(std::max(t.height, 0));
        walkable += t.walkable == 1 ? 1 : 0;
    }
    std::printf("  tile file: %u tiles, %zu walkable\n", tiles->tileCount(), walkable);
    for (uint32_t i = 0; i < tiles->tileCount(); ++i) {
        const Tile& t = *tiles->tile(i);
        std::printf("  tile %u: %d x %d, %s, %s, flag bytes %u %u %u %u %u\n", i, t.width, t.height,
                    t.walkable == 1 ? "walkable" : "blocking", t.transparent == 1 ? "black transparent" : "opaque",
                    t.spare1, t.transparent, t.spare2, t.spare3, t.walkable);
    }
    if (tiles->tileCount() == 0) report.warn("no complete tile record: the server refuses every map cell");
    warnIgnoredTail(report, sizeOf(path), used, "last complete record");
    return report.accept();
}

bool inspectMap(const std::string& path, const std::string& tilesGiven) {
    Report report;
    const std::string tilePath = findTileFile(path, tilesGiven);
    std::unique_ptr<Map> map;
    if (tilePath.empty()) {
        std::vector<std::unique_ptr<Tile>> standIns(kStandInTiles);
        for (auto& tile : standIns) tile = std::make_unique<Tile>();
        map = std::make_unique<Map>(std::move(standIns));
    } else if (auto refusal = refusalOf([&] { map = std::make_unique<Map>(tilePath.c_str(), &toolDisplay()); })) {
        return report.refuse("its tile file " + tilePath + ": " + refusalText(*refusal));
    }
    if (auto refusal = refusalOf([&] { map->load(path.c_str()); })) return report.refuse(refusalText(*refusal));

    std::printf("  map file: %u x %u cells of %u x %u pixels (%u x %u pixels)\n", map->cols(), map->rows(),
                map->tileWidth(), map->tileHeight(), map->pixelWidth(), map->pixelHeight());
    std::printf("  header bytes A B C = %u %u %u, word D = %u, byte E = %u\n", map->headerA(), map->headerB(),
                map->headerC(), map->headerD(), map->headerE());
    std::map<const Tile*, uint32_t> indexOf;
    for (uint32_t i = 0; i < map->tileCount(); ++i) indexOf[map->tile(i)] = i;
    std::map<uint32_t, size_t> uses;
    size_t walkable = 0;
    // Counted by runs of cells showing the same tile, and not row by row
    // when there is no column: a short file whose header declares millions
    // of cells, or of empty rows, is described at once.
    const Tile* runTile = nullptr;
    size_t runLength = 0;
    const auto countRun = [&] {
        if (runLength == 0) return;
        uses[indexOf[runTile]] += runLength;
        walkable += runTile != nullptr && runTile->walkable == 1 ? runLength : 0;
    };
    for (uint32_t row = 0; map->cols() > 0 && row < map->rows(); ++row)
        for (uint32_t col = 0; col < map->cols(); ++col) {
            const Tile* tile = map->cell(col, row);
            if (tile != runTile) {
                countRun();
                runTile = tile;
                runLength = 0;
            }
            ++runLength;
        }
    countRun();
    std::printf("  tiles used:");
    for (const auto& [index, count] : uses) std::printf(" %u (x%zu)", index, count);
    std::printf("\n");
    const uint64_t cells = static_cast<uint64_t>(map->cols()) * map->rows();
    if (tilePath.empty())
        std::printf("  no tile file found (give one with --tiles): indices not checked\n");
    else
        std::printf("  tiles from %s: %u tiles; %zu of %llu cells walkable\n", tilePath.c_str(), map->tileCount(),
                    walkable, static_cast<unsigned long long>(cells));
    const uint64_t size = sizeOf(path);
    const uint64_t present = size > kMapHeaderBytes ? std::min<uint64_t>(cells, (size - kMapHeaderBytes) / kMapCellBytes) : 0;
    if (present < cells)
        report.warn(std::to_string(cells - present) + " of the " + std::to_string(cells) +
                    " cell indices are missing (the server shows tile 0 there)");
    warnIgnoredTail(report, size, kMapHeaderBytes + kMapCellBytes * cells, "last cell index");
    return report.accept();
}

bool inspectPath(const std::string& path) {
    Report report;
    std::unique_ptr<Path> route;
    if (auto refusal = refusalOf([&] { route = std::make_unique<Path>(path.c_str()); }))
        return report.refuse(refusalText(*refusal));
    const auto& xs = route->xs();
    const auto& ys = route->ys();
    const auto& zs = route->zs();
    std::printf("  path file: %u waypoints, %s\n", route->waypointCount(),
                route->loops() ? "loops back to the first" : "stops at the last");
    if (!xs.empty()) {
        const auto [minX, maxX] = std::minmax_element(xs.begin(), xs.end());
        const auto [minY, maxY] = std::minmax_element(ys.begin(), ys.end());
        int64_t longest = 0;
        for (size_t i = 1; i < xs.size(); ++i)
            longest = std::max<int64_t>(longest, std::max(std::llabs(static_cast<int64_t>(xs[i]) - xs[i - 1]),
                                                          std::llabs(static_cast<int64_t>(ys[i]) - ys[i - 1])));
        std::printf("  x from %d to %d, y from %d to %d, longest step %lld pixels\n", *minX, *maxX, *minY, *maxY,
                    static_cast<long long>(longest));
        for (size_t i = 0; i < xs.size() && i < kWaypointsListed; ++i)
            std::printf("  waypoint %zu: (%d, %d, %d)\n", i, xs[i], ys[i], zs[i]);
        if (xs.size() > kWaypointsListed) std::printf("  ... %zu more\n", xs.size() - kWaypointsListed);
    } else {
        report.warn("the path has no waypoint: an actor on it never moves");
    }
    warnIgnoredTail(report, sizeOf(path), kPathHeaderBytes + kPathWaypointBytes * route->waypointCount(), "last z value");
    return report.accept();
}

// The server opens the sprite files a list names from its working
// directory, which is the data set's folder: the list is loaded from there.
class InFolderOf {
public:
    explicit InFolderOf(const std::string& file) {
        std::error_code error;
        previous_ = fs::current_path(error);
        const fs::path folder = fs::path(file).parent_path();
        moved_ = !error && !folder.empty() && chdir(folder.c_str()) == 0;
    }
    ~InFolderOf() {
        if (moved_ && chdir(previous_.c_str()) != 0) std::perror(kToolName);
    }
    InFolderOf(const InFolderOf&) = delete;
    InFolderOf& operator=(const InFolderOf&) = delete;

private:
    fs::path previous_;
    bool moved_ = false;
};

bool inspectDat(const std::string& path) {
    Report report;
    DatStructure dat;
    {
        InFolderOf folder(path);
        const std::string name = fs::path(path).filename().string();
        if (auto refusal = refusalOf([&] {
                toolDisplay();
                dat.load(name.c_str());
            }))
            return report.refuse(refusalText(*refusal));
    }
    std::printf("  DAT file: %d animations\n", dat.count);
    for (size_t i = 0; i < dat.records.size(); ++i) {
        const FrameSet& frames = dat.records[i];
        std::printf("  animation %zu: %s (%u %s of %u x %u)\n", i, cp1252ToUtf8(dat.names[i]).c_str(),
                    frames.frameCount, frames.frameCount == 1 ? "frame" : "frames", frames.width, frames.height);
        if (frames.frameCount == 0) report.warn("animation " + std::to_string(i) + " has no frame");
    }
    if (dat.count == 0) report.warn("no sprite frame file is named: the actor would have no animation");
    return report.accept();
}

// The dialogue tree as the loader built it, with each node's child numbers
// from the root ("1.2.1") as its label.
class Outline {
public:
    explicit Outline(const DialogueTree& tree) { add(&tree.root(), ""); }

    const std::vector<const DialogueNode*>& nodes() const { return nodes_; }
    const std::string& label(const DialogueNode* node) const { return labels_.at(node); }

    void print(const DialogueNode* node, int depth) const {
        std::printf("  %*s%s%s[%s%s] \"%s\"\n", 2 * depth, "", label(node).c_str(), depth == 0 ? "root " : " ",
                    kindLabel(node->kind()).c_str(), node->isEnding() ? ", ending" : "",
                    cp1252ToUtf8(node->text()).c_str());
        for (const DialogueNode* child : node->children()) print(child, depth + 1);
    }

private:
    static std::string kindLabel(int32_t kind) {
        if (kind == kSpeakerKind) return "person";
        if (kind == kPlayerKind) return "player";
        return "kind " + std::to_string(kind);
    }
    void add(const DialogueNode* node, const std::string& label) {
        nodes_.push_back(node);
        labels_[node] = label;
        int32_t number = 0;
        for (const DialogueNode* child : node->children())
            add(child, (label.empty() ? "" : label + ".") + std::to_string(++number));
    }

    std::vector<const DialogueNode*> nodes_;
    std::map<const DialogueNode*, std::string> labels_;
};

struct ClickWalk {
    bool complete = true;  // false when the exploration hit its size limit
    bool reachesEnding = false;
    int fewestClicks = -1;
    bool canGetStuck = false;  // a reachable list with no line left: it never finishes
    std::vector<const DialogueNode*> stuckAfter;
};

using Choices = std::vector<const DialogueNode*>;

// The choices a click can pick: every player choice a press can take, and
// what a press on none of them takes.
std::set<int> possiblePicks(const Choices& choices) {
    const PressOutcomes outcomes = pressOutcomes(choices);
    std::set<int> picks;
    for (int32_t i = 0; i < outcomes.pressableUntil; ++i)
        if (choices[static_cast<size_t>(i)]->kind() == kPlayerKind) picks.insert(i);
    if (outcomes.otherwise >= 0) picks.insert(outcomes.otherwise);
    return picks;
}

// Plays every way of clicking through the conversation, from the root's
// children, validating as the tree does.
ClickWalk walkByClicks(const DialogueTree& tree) {
    ClickWalk walk;
    struct Visit {
        int clicks;
        std::vector<const DialogueNode*> validated;
    };
    std::map<Choices, Visit> seen;
    std::queue<Choices> pending;
    size_t work = 0;
    const Choices start(tree.root().children().begin(), tree.root().children().end());
    seen[start] = Visit{0, {}};
    pending.push(start);
    while (!pending.empty()) {
        const Choices choices = pending.front();
        pending.pop();
        const Visit visit = seen[choices];
        if (choices.empty()) {
            if (!walk.canGetStuck) walk.stuckAfter = visit.validated;
            walk.canGetStuck = true;
            continue;
        }
        for (int c : possiblePicks(choices)) {
            const DialogueNode* chosen = choices[static_cast<size_t>(c)];
            if (chosen->isEnding()) {
                if (!walk.reachesEnding || visit.clicks + 1 < walk.fewestClicks) walk.fewestClicks = visit.clicks + 1;
                walk.reachesEnding = true;
                continue;
            }
            work += choices.size() + static_cast<size_t>(chosen->children().count());
            if (work > kMostClickWork) {
                walk.complete = false;
                return walk;
            }
            Choices next(choices.begin(), choices.begin() + c);
            next.insert(next.end(), chosen->children().begin(), chosen->children().end());
            next.insert(next.end(), choices.begin() + c + 1, choices.end());
            if (seen.count(next)) continue;
            if (seen.size() >= kMostClickStates) {
                walk.complete = false;
                continue;
            }
            Visit after{visit.clicks + 1, visit.validated};
            after.validated.push_back(chosen);
            seen[next] = after;
            pending.push(next);
        }
    }
    return walk;
}

bool inspectDialogue(const std::string& path) {
    Report report;
    std::unique_ptr<DialogueTree> tree;
    if (auto refusal = refusalOf([&] { tree = std::make_unique<DialogueTree>(path.c_str()); }))
        return report.refuse(refusalText(*refusal));
    const Outline outline(*tree);
    size_t endings = 0, choices = 0;
    for (const DialogueNode* node : outline.nodes()) {
        endings += node->isEnding() ? 1 : 0;
        choices += node->kind() == kPlayerKind ? 1 : 0;
    }
    std::printf("  dialogue tree: %zu nodes below the root, %zu player choices, %zu endings\n",
                outline.nodes().size() - 1, choices, endings);
    outline.print(&tree->root(), 0);
    if (outline.nodes().size() == 1) report.warn("the file holds no line: the conversation is empty");
    for (const DialogueNode* node : outline.nodes()) {
        if (node == &tree->root()) continue;
        if (node->text() == kDialogueFillerText)
            report.warn("node " + outline.label(node) + " is never given a text and shows \"" +
                        kDialogueFillerText + "\"");
        if (node->text().find('\r') != std::string::npos)
            report.warn("the text of node " + outline.label(node) + " holds a lone carriage return");
    }
    const ClickWalk walk = walkByClicks(*tree);
    if (walk.reachesEnding)
        std::printf("  clicking through: an ending is reached in %d clicks at the fewest\n", walk.fewestClicks);
    else
        report.warn("no way of clicking through the conversation reaches an ending");
    if (walk.canGetStuck) {
        std::string via;
        for (const DialogueNode* node : walk.stuckAfter) via += (via.empty() ? "" : ", ") + outline.label(node);
        report.warn("the conversation can run out of lines without an ending and never finish (after " +
                    (via.empty() ? std::string("opening it") : "validating " + via) + ")");
    }
    if (!walk.complete) std::printf("  (too many ways of clicking through to try them all)\n");
    return report.accept();
}

bool inspectFile(const std::string& path, const std::string& tilesGiven) {
    std::printf("%s\n", path.c_str());
    // A missing file is left to the loader, which refuses it in its own words.
    std::error_code error;
    if (fs::exists(path, error) && !fs::is_regular_file(path, error)) {
        std::printf("  problem: not a file\n");
        return false;
    }
    const std::string ext = extensionOf(path);
    if (ext == ".spr") return inspectSprite(path);
    if (ext == ".tle") return inspectTiles(path);
    if (ext == ".map") return inspectMap(path, tilesGiven);
    if (ext == ".pat") return inspectPath(path);
    if (ext == ".dat") return inspectDat(path);
    if (ext == ".dlg") return inspectDialogue(path);
    std::printf("  problem: unknown kind of file (expected .spr .tle .map .pat .dat or .dlg)\n");
    return false;
}

}  // namespace

int runInspect(const std::vector<std::string>& arguments) {
    const Command& self = commandNamed("inspect");
    std::string tiles;
    std::vector<std::string> files;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--tiles") {
            if (i + 1 == arguments.size()) return badUsage(self, "--tiles needs a file");
            tiles = arguments[++i];
        } else if (!arguments[i].empty() && arguments[i][0] == '-') {
            return badUsage(self, "unknown option " + arguments[i]);
        } else {
            files.push_back(arguments[i]);
        }
    }
    if (files.empty()) return badUsage(self, "no file to inspect");
    bool allAccepted = true;
    for (const std::string& file : files) {
        allAccepted = inspectFile(file, tiles) && allAccepted;
        std::fflush(stdout);
    }
    return allAccepted ? 0 : kStatusFailed;
}

}  // namespace ocre
