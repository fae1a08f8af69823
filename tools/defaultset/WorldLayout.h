#pragma once
// The default world: a 40 x 30 map of 32-pixel cells (a walled courtyard,
// a river with a bridge, a pond, a wood, roads, and a meadow ringed by a
// path) and the sheep's looping walk around that meadow.

#include <vector>

#include "tools/defaultset/DataFileWriters.h"

namespace ocre {

MapGrid defaultMap();

// Top-left corners of a 32 x 32 sprite, 4 pixels apart, clockwise along
// the path around the meadow; the whole sprite stays on walkable cells.
std::vector<Waypoint> sheepLoop();

}  // namespace ocre
