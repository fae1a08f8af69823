#include "tools/data/DataChecks.h"

#include "data/DatStructure.h"
#include "data/Map.h"
#include "tools/defaultset/ByteReader.h"

namespace ocre {
namespace {

constexpr uint64_t kSpriteHeaderBytes = 8;
constexpr uint64_t kBytesPerPixel = 4;
constexpr uint64_t kBoxBytes = 16;
constexpr uint64_t kMapHeaderBytes = 24;
constexpr uint64_t kPathHeaderBytes = 5;
constexpr uint64_t kWaypointBytes = 12;  // x, y and z, four bytes each
// Problems of one kind beyond this many are counted, not listed.
constexpr size_t kListedProblems = 5;

std::string sizeText(uint64_t bytes) { return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes"); }

std::string boxText(const PixelBox& b) {
    return "(" + std::to_string(b.left) + ", " + std::to_string(b.top) + ") - (" + std::to_string(b.right) + ", " +
           std::to_string(b.bottom) + ")";
}

bool isDatSpace(uint8_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

SpriteFileSummary checkSpriteFile(const std::vector<uint8_t>& bytes) {
    SpriteFileSummary s;
    s.actualBytes = bytes.size();
    ByteReader in(bytes);
    if (!in.u16(s.frameCount) || !in.u16(s.frameDelay) || !in.u16(s.width) || !in.u16(s.height)) {
        s.problems.push_back("the 8-byte header is cut short (" + sizeText(bytes.size()) + ")");
        return s;
    }
    s.headerComplete = true;
    const uint64_t frameBytes = kBytesPerPixel * s.width * s.height;
    s.expectedBytes = kSpriteHeaderBytes + (frameBytes + kBoxBytes) * s.frameCount;
    if (s.frameCount > 0 && (s.width == 0 || s.height == 0))
        s.problems.push_back("frames of " + std::to_string(s.width) + " x " + std::to_string(s.height) +
                             " pixels cannot be made into surfaces");
    if (s.actualBytes < s.expectedBytes)
        s.problems.push_back(std::to_string(s.frameCount) + " frames of " + std::to_string(s.width) + " x " +
                             std::to_string(s.height) + " need " + sizeText(s.expectedBytes) + ", the file has " +
                             sizeText(s.actualBytes));
    else if (s.actualBytes > s.expectedBytes)
        s.problems.push_back(sizeText(s.actualBytes - s.expectedBytes) + " after the last box are ignored");

    for (uint32_t f = 0; f < s.frameCount; ++f) {
        const uint64_t start = kSpriteHeaderBytes + frameBytes * f;
        if (start + frameBytes > bytes.size()) break;
        PixelImage frame(s.width, s.height);
        for (uint32_t y = 0; y < s.height; ++y)
            for (uint32_t x = 0; x < s.width; ++x) {
                const size_t p = static_cast<size_t>(start + kBytesPerPixel * (y * s.width + x));
                frame.set(static_cast<int>(x), static_cast<int>(y), Rgb{bytes[p], bytes[p + 1], bytes[p + 2]});
            }
        PixelBox box;
        s.anyVisible.push_back(frame.visibleBounds(box));
        s.visible.push_back(box);
    }
    ByteReader boxes(bytes, static_cast<size_t>(kSpriteHeaderBytes + frameBytes * s.frameCount));
    if (kSpriteHeaderBytes + frameBytes * s.frameCount <= bytes.size()) {
        for (uint32_t f = 0; f < s.frameCount; ++f) {
            PixelBox b;
            if (!boxes.i32(b.left) || !boxes.i32(b.top) || !boxes.i32(b.right) || !boxes.i32(b.bottom)) break;
            s.boxes.push_back(b);
        }
    }
    size_t misfits = 0;
    for (size_t f = 0; f < s.boxes.size() && f < s.visible.size(); ++f) {
        const PixelBox& b = s.boxes[f];
        const bool fits = s.anyVisible[f] ? b == s.visible[f] : true;
        const bool inside = b.left >= 0 && b.top >= 0 && b.left <= b.right && b.top <= b.bottom &&
                            b.right < s.width && b.bottom < s.height;
        if (fits && inside) continue;
        if (++misfits > kListedProblems) continue;
        std::string text = "the box of frame " + std::to_string(f) + " is " + boxText(b);
        if (!inside) text += ", not inside the frame";
        if (s.anyVisible[f] && !fits) text += "; its visible pixels span " + boxText(s.visible[f]);
        s.problems.push_back(text);
    }
    if (misfits > kListedProblems)
        s.problems.push_back(std::to_string(misfits - kListedProblems) + " more frames have such a box");
    return s;
}

TileFileSummary checkTileFile(const std::vector<uint8_t>& bytes) {
    TileFileSummary s;
    ByteReader in(bytes);
    for (;;) {
        const size_t recordStart = in.offset();
        TileSummary t;
        bool headerRead = in.i32(t.width) && in.i32(t.height);
        for (int i = 0; headerRead && i < 5; ++i) headerRead = in.u8(t.flags[i]);
        if (!headerRead) {
            s.ignoredBytes = bytes.size() - recordStart;
            if (s.ignoredBytes > 0)
                s.problems.push_back("record " + std::to_string(s.tiles.size()) + " is cut inside its " +
                                     std::to_string(kTileHeaderBytes) + "-byte header; the last " +
                                     sizeText(s.ignoredBytes) + " are ignored");
            break;
        }
        if (t.width <= 0 || t.height <= 0) {
            s.ignoredBytes = bytes.size() - recordStart;
            s.problems.push_back("record " + std::to_string(s.tiles.size()) + " has a size of " +
                                 std::to_string(t.width) + " x " + std::to_string(t.height) +
                                 ", which ends the tile list; the last " + sizeText(s.ignoredBytes) +
                                 " are ignored");
            break;
        }
        const uint64_t pixelBytes = kBytesPerPixel * static_cast<uint64_t>(t.width) * static_cast<uint64_t>(t.height);
        if (!in.skip(pixelBytes)) {
            s.ignoredBytes = bytes.size() - recordStart;
            s.problems.push_back("record " + std::to_string(s.tiles.size()) + " (" + std::to_string(t.width) + " x " +
                                 std::to_string(t.height) + ") is cut inside its pixel block; the last " +
                                 sizeText(s.ignoredBytes) + " are ignored");
            break;
        }
        for (int i : {1, 4})
            if (t.flags[i] > 1)
                s.problems.push_back("tile " + std::to_string(s.tiles.size()) + " has " +
                                     (i == 1 ? "transparent" : "walkable") + " byte " + std::to_string(t.flags[i]) +
                                     ", which counts as not set");
        s.tiles.push_back(t);
    }
    if (s.tiles.empty()) s.problems.push_back("no complete tile record: every map cell would be refused");
    return s;
}

MapFileSummary checkMapFile(const std::vector<uint8_t>& bytes, int64_t tileCount) {
    MapFileSummary s;
    ByteReader in(bytes);
    s.headerComplete = in.u32(s.cols) && in.u32(s.rows) && in.u32(s.tileWidth) && in.u32(s.tileHeight) &&
                       in.u8(s.headerA) && in.u8(s.headerB) && in.u8(s.headerC) && in.u32(s.headerD) &&
                       in.u8(s.headerE);
    if (!s.headerComplete) {
        s.problems.push_back("the " + std::to_string(kMapHeaderBytes) + "-byte header is cut short (" +
                             sizeText(bytes.size()) + ")");
        return s;
    }
    if (s.tileWidth == 0 || s.tileHeight == 0)
        s.problems.push_back("a tile size of " + std::to_string(s.tileWidth) + " x " + std::to_string(s.tileHeight) +
                             " pixels makes every cell lookup divide by zero");
    if (s.cols == 0 || s.rows == 0) s.problems.push_back("the grid has no cell");
    const uint64_t cellCount = static_cast<uint64_t>(s.cols) * s.rows;
    if (cellCount > kMaxMapCells)
        s.problems.push_back(std::to_string(cellCount) + " cells are more than the server accepts (" +
                             std::to_string(kMaxMapCells) + ")");
    const uint64_t present = (bytes.size() - kMapHeaderBytes) / 2;
    const uint64_t readable = present < cellCount ? present : cellCount;
    for (uint64_t i = 0; i < readable; ++i) {
        uint16_t index = 0;
        in.u16(index);
        s.cells.push_back(index);
    }
    s.missingCells = cellCount - readable;
    if (s.missingCells > 0)
        s.problems.push_back(std::to_string(s.missingCells) + " of the " + std::to_string(cellCount) +
                             " cell indices are missing (the server shows tile 0 there)");
    const uint64_t extra = bytes.size() - kMapHeaderBytes - 2 * readable;
    if (s.missingCells == 0 && extra > 0)
        s.problems.push_back(sizeText(extra) + " after the last cell index are ignored");
    if (tileCount >= 0) {
        size_t bad = 0;
        for (size_t i = 0; i < s.cells.size(); ++i) {
            if (s.cells[i] < tileCount) continue;
            if (++bad > kListedProblems) continue;
            s.problems.push_back("cell (" + std::to_string(i % s.cols) + ", " + std::to_string(i / s.cols) +
                                 ") uses tile " + std::to_string(s.cells[i]) + " but there are only " +
                                 std::to_string(tileCount) + " tiles (the server refuses the map)");
        }
        if (bad > kListedProblems)
            s.problems.push_back(std::to_string(bad - kListedProblems) + " more cells use a tile that does not exist");
    }
    return s;
}

PathFileSummary checkPathFile(const std::vector<uint8_t>& bytes) {
    PathFileSummary s;
    ByteReader in(bytes);
    s.headerComplete = in.u32(s.count) && in.u8(s.loopFlag);
    if (!s.headerComplete) {
        s.problems.push_back("the " + std::to_string(kPathHeaderBytes) + "-byte header is cut short (" +
                             sizeText(bytes.size()) + ")");
        return s;
    }
    const uint64_t expected = kPathHeaderBytes + kWaypointBytes * s.count;
    if (bytes.size() < expected) {
        s.problems.push_back(std::to_string(s.count) + " waypoints need " + sizeText(expected) + ", the file has " +
                             sizeText(bytes.size()));
        return s;
    }
    if (bytes.size() > expected)
        s.problems.push_back(sizeText(bytes.size() - expected) + " after the last z value are ignored");
    if (s.count == 0) s.problems.push_back("the path has no waypoint");
    for (auto* values : {&s.xs, &s.ys, &s.zs})
        for (uint32_t i = 0; i < s.count; ++i) {
            int32_t v = 0;
            in.i32(v);
            values->push_back(v);
        }
    return s;
}

DatFileSummary checkDatFile(const std::vector<uint8_t>& bytes) {
    DatFileSummary s;
    size_t i = 0;
    while (i < bytes.size()) {
        if (isDatSpace(bytes[i])) {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < bytes.size() && !isDatSpace(bytes[i])) ++i;
        s.names.emplace_back(bytes.begin() + static_cast<long>(start), bytes.begin() + static_cast<long>(i));
        const std::string& name = s.names.back();
        if (name.size() > static_cast<size_t>(kMaxDatNameLength))
            s.problems.push_back("name " + std::to_string(s.names.size() - 1) + " is " + std::to_string(name.size()) +
                                 " characters long, more than " + std::to_string(kMaxDatNameLength));
        for (unsigned char c : name)
            if (c < 0x20 || c == 0x7F) {
                s.problems.push_back("name " + std::to_string(s.names.size() - 1) + " holds a control character");
                break;
            }
    }
    if (s.names.empty()) s.problems.push_back("no sprite frame file is named: the actor would have no animation");
    return s;
}

}  // namespace ocre
