#include "tools/defaultset/DataFileWriters.h"

#include "core/LittleEndian.h"
#include "data/FrameSet.h"
#include "data/Map.h"
#include "data/Path.h"
#include "gfx/Tile.h"
#include "tools/defaultset/ByteWriter.h"

namespace ocre {
namespace {

constexpr uint8_t kFlagClear = 0;
// The fourth byte of every stored pixel is ignored by the server.
constexpr uint8_t kUnusedPixelByte = 0;

void writePixels(ByteWriter& out, const PixelImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = image.at(x, y);
            out.u8(c.r).u8(c.g).u8(c.b).u8(kUnusedPixelByte);
        }
}

}  // namespace

PixelBox frameBox(const PixelImage& frame) {
    PixelBox box;
    if (!frame.visibleBounds(box)) box = PixelBox{};
    return box;
}

std::vector<uint8_t> encodeSpriteFile(const SpriteSheet& sheet) {
    const int width = sheet.frames.empty() ? 0 : sheet.frames.front().width();
    const int height = sheet.frames.empty() ? 0 : sheet.frames.front().height();
    ByteWriter out;
    out.u16(static_cast<uint16_t>(sheet.frames.size()))
        .u16(sheet.frameDelay)
        .u16(static_cast<uint16_t>(width))
        .u16(static_cast<uint16_t>(height));
    for (const PixelImage& frame : sheet.frames) writePixels(out, frame);
    for (const PixelImage& frame : sheet.frames) {
        const PixelBox box = frameBox(frame);
        out.i32(box.left).i32(box.top).i32(box.right).i32(box.bottom);
    }
    return out.take();
}

std::vector<uint8_t> encodeTileFile(const std::vector<TileArtwork>& tiles) {
    ByteWriter out;
    for (const TileArtwork& tile : tiles) {
        out.i32(tile.image.width()).i32(tile.image.height());
        out.u8(kFlagClear)
            .u8(tile.transparent ? kTileFlagSet : kFlagClear)
            .u8(kFlagClear)
            .u8(kFlagClear)
            .u8(tile.walkable ? kTileFlagSet : kFlagClear);
        writePixels(out, tile.image);
    }
    return out.take();
}

std::vector<uint8_t> encodeMapFile(const MapGrid& grid) {
    // Header bytes A, B, C, word D and byte E mean nothing to the server: 0.
    std::vector<uint8_t> bytes(kMapHeaderBytes + kMapCellBytes * grid.cells.size(), 0);
    encodeU32(grid.cols, &bytes[kMapColsOffset]);
    encodeU32(grid.rows, &bytes[kMapRowsOffset]);
    encodeU32(grid.tileWidth, &bytes[kMapTileWidthOffset]);
    encodeU32(grid.tileHeight, &bytes[kMapTileHeightOffset]);
    for (size_t i = 0; i < grid.cells.size(); ++i) encodeU16(grid.cells[i], &bytes[kMapHeaderBytes + kMapCellBytes * i]);
    return bytes;
}

std::vector<uint8_t> encodePathFile(const std::vector<Waypoint>& waypoints, bool loops) {
    ByteWriter out;
    out.u32(static_cast<uint32_t>(waypoints.size())).u8(loops ? kPathLoops : kFlagClear);
    for (const Waypoint& w : waypoints) out.i32(w.x);
    for (const Waypoint& w : waypoints) out.i32(w.y);
    for (const Waypoint& w : waypoints) out.i32(w.z);
    return out.take();
}

std::string encodeDatFile(const std::vector<std::string>& spriteFileNames) {
    std::string text;
    for (const std::string& name : spriteFileNames) text += name + "\n";
    return text;
}

}  // namespace ocre
