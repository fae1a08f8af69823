// ocre-data inspect [--tiles FILE.tle] FILE...
//
// Reads every file with the validating readers, so a bad file is
// described, never fatal. Exit status 0 when every file is sound, 1 when
// any has a problem or cannot be read.

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <map>

#include "tools/data/Command.h"
#include "tools/data/FileBytes.h"
#include "tools/defaultset/Cp1252.h"
#include "tools/data/DataChecks.h"
#include "tools/defaultset/DefaultDataSet.h"
#include "tools/data/DialogueOutline.h"

namespace ocre {
namespace {

// Sprite files with more frames than this get a summary instead of one
// line per frame.
constexpr uint32_t kFramesListed = 16;
constexpr size_t kWaypointsListed = 8;

namespace fs = std::filesystem;

std::string extensionOf(const std::string& path) {
    std::string ext = fs::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

std::string boxText(const PixelBox& b) {
    return "(" + std::to_string(b.left) + ", " + std::to_string(b.top) + ") - (" + std::to_string(b.right) + ", " +
           std::to_string(b.bottom) + ")";
}

bool reportProblems(const std::vector<std::string>& problems) {
    if (problems.empty()) {
        std::printf("  no problem found\n");
        return true;
    }
    for (const std::string& p : problems) std::printf("  problem: %s\n", p.c_str());
    return false;
}

bool inspectSprite(const std::vector<uint8_t>& bytes) {
    const SpriteFileSummary s = checkSpriteFile(bytes);
    if (s.headerComplete) {
        std::printf("  sprite frame file: %u frames of %u x %u pixels, frame delay %u, %llu bytes\n", s.frameCount,
                    s.width, s.height, s.frameDelay, static_cast<unsigned long long>(s.actualBytes));
        if (s.frameCount <= kFramesListed) {
            for (size_t f = 0; f < s.boxes.size(); ++f)
                std::printf("  frame %zu: box %s, visible pixels %s\n", f, boxText(s.boxes[f]).c_str(),
                            f < s.visible.size() ? (s.anyVisible[f] ? boxText(s.visible[f]).c_str() : "none")
                                                 : "missing");
        } else {
            const auto empty = std::count(s.anyVisible.begin(), s.anyVisible.end(), false);
            std::printf("  %zu frames complete, %lld of them fully transparent\n", s.visible.size(),
                        static_cast<long long>(empty));
        }
    }
    return reportProblems(s.problems);
}

bool inspectTiles(const std::vector<uint8_t>& bytes) {
    const TileFileSummary s = checkTileFile(bytes);
    size_t walkable = 0;
    for (const TileSummary& t : s.tiles) walkable += t.walkable() ? 1 : 0;
    std::printf("  tile file: %zu tiles, %zu walkable\n", s.tiles.size(), walkable);
    for (size_t i = 0; i < s.tiles.size(); ++i) {
        const TileSummary& t = s.tiles[i];
        std::printf("  tile %zu: %d x %d, %s, %s, flag bytes %u %u %u %u %u\n", i, t.width, t.height,
                    t.walkable() ? "walkable" : "blocking", t.transparent() ? "black transparent" : "opaque",
                    t.flags[0], t.flags[1], t.flags[2], t.flags[3], t.flags[4]);
    }
    return reportProblems(s.problems);
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

bool inspectMap(const std::string& path, const std::vector<uint8_t>& bytes, const std::string& tilesGiven) {
    std::vector<std::string> extraProblems;
    const std::string tilePath = findTileFile(path, tilesGiven);
    TileFileSummary tiles;
    int64_t tileCount = -1;
    if (!tilePath.empty()) {
        std::vector<uint8_t> tileBytes;
        if (readFileBytes(tilePath, tileBytes)) {
            tiles = checkTileFile(tileBytes);
            tileCount = static_cast<int64_t>(tiles.tiles.size());
        } else {
            extraProblems.push_back("cannot read the tile file " + tilePath);
        }
    }
    const MapFileSummary s = checkMapFile(bytes, tileCount);
    if (s.headerComplete) {
        std::printf("  map file: %u x %u cells of %u x %u pixels (%llu x %llu pixels)\n", s.cols, s.rows, s.tileWidth,
                    s.tileHeight, static_cast<unsigned long long>(s.cols) * s.tileWidth,
                    static_cast<unsigned long long>(s.rows) * s.tileHeight);
        std::printf("  header bytes A B C = %u %u %u, word D = %u, byte E = %u\n", s.headerA, s.headerB, s.headerC,
                    s.headerD, s.headerE);
        std::map<uint16_t, size_t> uses;
        for (uint16_t index : s.cells) ++uses[index];
        std::printf("  tiles used:");
        for (const auto& [index, count] : uses) std::printf(" %u (x%zu)", index, count);
        std::printf("\n");
        if (tileCount >= 0) {
            size_t walkable = 0;
            for (uint16_t index : s.cells)
                if (index < tiles.tiles.size() && tiles.tiles[index].walkable()) ++walkable;
            std::printf("  tiles from %s: %lld tiles; %zu of %zu cells walkable\n", tilePath.c_str(),
                        static_cast<long long>(tileCount), walkable, s.cells.size());
        } else {
            std::printf("  no tile file found (give one with --tiles): indices not checked\n");
        }
    }
    std::vector<std::string> problems = s.problems;
    problems.insert(problems.end(), extraProblems.begin(), extraProblems.end());
    return reportProblems(problems);
}

bool inspectPath(const std::vector<uint8_t>& bytes) {
    const PathFileSummary s = checkPathFile(bytes);
    if (s.headerComplete) {
        std::printf("  path file: %u waypoints, %s (loop byte %u)\n", s.count,
                    s.loopFlag ? "loops back to the first" : "stops at the last", s.loopFlag);
        if (!s.xs.empty()) {
            const auto [minX, maxX] = std::minmax_element(s.xs.begin(), s.xs.end());
            const auto [minY, maxY] = std::minmax_element(s.ys.begin(), s.ys.end());
            int64_t longest = 0;
            for (size_t i = 1; i < s.xs.size(); ++i)
                longest = std::max<int64_t>(longest, std::max(std::llabs(static_cast<int64_t>(s.xs[i]) - s.xs[i - 1]),
                                                              std::llabs(static_cast<int64_t>(s.ys[i]) - s.ys[i - 1])));
            std::printf("  x from %d to %d, y from %d to %d, longest step %lld pixels\n", *minX, *maxX, *minY, *maxY,
                        static_cast<long long>(longest));
            for (size_t i = 0; i < s.xs.size() && i < kWaypointsListed; ++i)
                std::printf("  waypoint %zu: (%d, %d, %d)\n", i, s.xs[i], s.ys[i], s.zs[i]);
            if (s.xs.size() > kWaypointsListed) std::printf("  ... %zu more\n", s.xs.size() - kWaypointsListed);
        }
    }
    return reportProblems(s.problems);
}

bool inspectDat(const std::string& path, const std::vector<uint8_t>& bytes) {
    DatFileSummary s = checkDatFile(bytes);
    std::printf("  DAT file: %zu animations\n", s.names.size());
    const fs::path folder = fs::path(path).parent_path();
    for (size_t i = 0; i < s.names.size(); ++i) {
        const fs::path sprite = folder / s.names[i];
        std::vector<uint8_t> spriteBytes;
        std::string detail;
        if (!readFileBytes(sprite.string(), spriteBytes)) {
            detail = "missing";
            s.problems.push_back("animation " + std::to_string(i) + ": " + sprite.string() + " cannot be read");
        } else {
            const SpriteFileSummary sheet = checkSpriteFile(spriteBytes);
            detail = sheet.headerComplete ? std::to_string(sheet.frameCount) +
                                                (sheet.frameCount == 1 ? " frame of " : " frames of ") +
                                                std::to_string(sheet.width) + " x " + std::to_string(sheet.height)
                                          : "unreadable header";
            if (!sheet.problems.empty()) {
                detail += ", with problems";
                s.problems.push_back("animation " + std::to_string(i) + ": " + s.names[i] + ": " +
                                     sheet.problems.front());
            }
        }
        std::printf("  animation %zu: %s (%s)\n", i, cp1252ToUtf8(s.names[i]).c_str(), detail.c_str());
    }
    return reportProblems(s.problems);
}

std::string kindLabel(int32_t kind) {
    if (kind == 1) return "person";
    if (kind == kPlayerKind) return "player";
    return "kind " + std::to_string(kind);
}

void printOutline(const DialogueOutline& outline, const std::vector<std::string>& labels, int node, int depth) {
    const OutlineNode& n = outline.nodes[static_cast<size_t>(node)];
    std::printf("  %*s%s%s[%s%s] \"%s\"\n", 2 * depth, "", labels[static_cast<size_t>(node)].c_str(),
                node == 0 ? "root " : " ", kindLabel(n.kind).c_str(), n.ending ? ", ending" : "",
                cp1252ToUtf8(n.text).c_str());
    for (int child : n.children) printOutline(outline, labels, child, depth + 1);
}

bool inspectDialogue(const std::vector<uint8_t>& bytes) {
    const DialogueOutline outline = readDialogueOutline(bytes);
    std::vector<std::string> problems = outline.problems;
    if (outline.refused) return reportProblems(problems);
    const std::vector<std::string> labels = nodeLabels(outline);
    size_t endings = 0, choices = 0;
    for (const OutlineNode& n : outline.nodes) {
        endings += n.ending ? 1 : 0;
        choices += n.kind == kPlayerKind ? 1 : 0;
    }
    std::printf("  dialogue tree: %zu nodes below the root, %zu player choices, %zu endings\n",
                outline.nodes.size() - 1, choices, endings);
    printOutline(outline, labels, 0, 0);
    const ClickWalk walk = walkByClicks(outline);
    if (walk.reachesEnding)
        std::printf("  clicking through: an ending is reached in %d clicks at the fewest\n", walk.fewestClicks);
    else
        problems.push_back("no way of clicking through the conversation reaches an ending");
    if (walk.canGetStuck) {
        std::string via;
        for (int node : walk.stuckAfter) via += (via.empty() ? "" : ", ") + labels[static_cast<size_t>(node)];
        problems.push_back("the conversation can run out of lines without an ending and never finish (after " +
                           (via.empty() ? std::string("opening it") : "validating " + via) + ")");
    }
    if (!walk.complete) std::printf("  (too many ways of clicking through to try them all)\n");
    for (const std::string& note : outline.notes) std::printf("  note: %s\n", note.c_str());
    return reportProblems(problems);
}

bool inspectFile(const std::string& path, const std::string& tilesGiven) {
    std::printf("%s\n", path.c_str());
    std::vector<uint8_t> bytes;
    if (!readFileBytes(path, bytes)) {
        std::printf("  problem: cannot be read\n");
        return false;
    }
    const std::string ext = extensionOf(path);
    if (ext == ".spr") return inspectSprite(bytes);
    if (ext == ".tle") return inspectTiles(bytes);
    if (ext == ".map") return inspectMap(path, bytes, tilesGiven);
    if (ext == ".pat") return inspectPath(bytes);
    if (ext == ".dat") return inspectDat(path, bytes);
    if (ext == ".dlg") return inspectDialogue(bytes);
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
    bool allSound = true;
    for (const std::string& file : files) allSound = inspectFile(file, tiles) && allSound;
    return allSound ? 0 : kStatusFailed;
}

}  // namespace ocre
