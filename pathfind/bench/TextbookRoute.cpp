// The yardstick for `ocre-data route` as a whole process: the same command
// line, queries and answers, done the textbook way (plain stdio, the tile
// file read for its walkable bytes only, and a grid A* with per-cell
// arrays and a binary heap for every query). Benchmark builds only.
//   textbook-route MAP TILES < queries
#include <cstdint>
#include <cstdio>
#include <vector>

#include "pathfind/bench/GridAStar.h"

namespace {

uint32_t u32At(const unsigned char* bytes) {
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

std::vector<uint8_t> readTileWalkability(const char* path) {
    std::vector<uint8_t> walkable;
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return walkable;
    unsigned char header[13];
    while (std::fread(header, 1, sizeof header, file) == sizeof header) {
        const auto width = static_cast<int32_t>(u32At(header));
        const auto height = static_cast<int32_t>(u32At(header + 4));
        if (width <= 0 || height <= 0) break;
        walkable.push_back(header[12] == 1);
        std::fseek(file, static_cast<long>(width) * height * 4, SEEK_CUR);
    }
    std::fclose(file);
    return walkable;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: textbook-route MAP TILES < queries\n");
        return 2;
    }
    const std::vector<uint8_t> tileWalkable = readTileWalkability(argv[2]);
    std::FILE* mapFile = std::fopen(argv[1], "rb");
    unsigned char header[24];
    if (mapFile == nullptr || std::fread(header, 1, sizeof header, mapFile) != sizeof header) {
        std::fprintf(stderr, "textbook-route: cannot read %s\n", argv[1]);
        return 1;
    }
    const int cols = static_cast<int>(u32At(header));
    const int rows = static_cast<int>(u32At(header + 4));
    const int tileWidth = static_cast<int>(u32At(header + 8));
    const int tileHeight = static_cast<int>(u32At(header + 12));
    std::vector<uint8_t> walkable(static_cast<size_t>(cols) * rows, 0);
    for (uint8_t& cell : walkable) {
        unsigned char index[2] = {0, 0};
        if (std::fread(index, 1, 2, mapFile) != 2) break;
        const size_t tile = index[0] | index[1] << 8;
        cell = tile < tileWalkable.size() && tileWalkable[tile];
    }
    std::fclose(mapFile);

    char line[256];
    while (std::fgets(line, sizeof line, stdin) != nullptr) {
        ocre::CellPosition start, goal;
        if (std::sscanf(line, "%d %d %d %d", &start.col, &start.row, &goal.col, &goal.row) != 4) continue;
        const std::vector<ocre::CellPosition> route = ocre::gridAStar(start, goal, cols, rows, walkable);
        std::printf("%zu", route.size());
        for (const ocre::CellPosition& cell : route)
            std::printf(" %d,%d", tileWidth / 2 + cell.col * tileWidth, cell.row * tileHeight - tileHeight / 2);
        std::printf("\n");
    }
    return 0;
}
