#pragma once
// The map tiles of the default data set, 32 x 32, drawn procedurally with
// a fixed pseudo-random texture (the same bytes at every build).

#include <cstdint>
#include <vector>

#include "tools/defaultset/DataFileWriters.h"

namespace ocre {

constexpr int kTileSide = 32;

// Tile-table indices of the default set.
enum TileIndex : uint16_t {
    kGrassTile = 0,
    kGrassTuftTile,
    kFlowerTile,
    kPathTile,
    kWaterTile,
    kWallTile,
    kBridgeTile,
    kTreeTile,
    kMeadowTile,
    kTileIndexCount
};

// Index i is the tile of TileIndex i; water, walls and trees block.
std::vector<TileArtwork> defaultTiles();

// A fixed hash of a position, for textures that do not repeat visibly.
uint32_t textureNoise(int x, int y, uint32_t seed);

}  // namespace ocre
