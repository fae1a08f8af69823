// ocre-data render DIR OUT.png
//
// Loads the tiles and the map of the data set in DIR with the server's own
// loaders, draws every cell as the server's window drawing would, and the
// sheep path over it. Files the loaders would refuse (or that would make
// them read outside the grid) are refused first with a one-line reason.

#include <cstdio>
#include <map>

#include "data/Map.h"
#include "data/Path.h"
#include "tools/data/Command.h"
#include "tools/data/FileBytes.h"
#include "tools/data/DataChecks.h"
#include "tools/defaultset/DefaultDataSet.h"
#include "tools/data/HeadlessVideo.h"
#include "tools/data/PngFile.h"

namespace ocre {
namespace {

// Larger pictures would take more memory than a picture of a map is worth.
constexpr uint64_t kLargestSide = 16384;
constexpr Rgb kRouteShadow{40, 24, 16};
constexpr Rgb kRoute{255, 226, 64};
constexpr Rgb kRouteStart{230, 40, 40};

// The reason the map cannot be drawn, or "" when it can.
std::string mapRefusal(const MapFileSummary& map, size_t tileCount) {
    if (!map.headerComplete) return map.problems.front();
    if (map.tileWidth == 0 || map.tileHeight == 0 || map.cols == 0 || map.rows == 0) return map.problems.front();
    if (static_cast<uint64_t>(map.cols) * map.rows > kMaxMapCells ||
        static_cast<uint64_t>(map.cols) * map.tileWidth > kLargestSide ||
        static_cast<uint64_t>(map.rows) * map.tileHeight > kLargestSide)
        return "the map has more than " + std::to_string(kMaxMapCells) + " cells or is more than " +
               std::to_string(kLargestSide) + " pixels wide or high";
    for (uint16_t index : map.cells)
        if (index >= tileCount)
            return "a cell uses tile " + std::to_string(index) + " but there are only " + std::to_string(tileCount) +
                   " tiles";
    return "";
}

void thickLine(PixelImage& image, int x0, int y0, int x1, int y1) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) image.line(x0 + dx, y0 + dy, x1 + dx, y1 + dy, kRouteShadow);
    image.line(x0, y0, x1, y1, kRoute);
}

// Through the middle of a tile-sized sprite standing at each waypoint.
void drawRoute(PixelImage& image, const Path& path, int offsetX, int offsetY) {
    const auto& xs = path.xs();
    const auto& ys = path.ys();
    const size_t n = xs.size();
    for (size_t i = 0; i + 1 < n; ++i)
        thickLine(image, xs[i] + offsetX, ys[i] + offsetY, xs[i + 1] + offsetX, ys[i + 1] + offsetY);
    if (path.loops() && n > 1) thickLine(image, xs[n - 1] + offsetX, ys[n - 1] + offsetY, xs[0] + offsetX, ys[0] + offsetY);
    if (n > 0) {
        image.fillEllipse(xs[0] + offsetX, ys[0] + offsetY, 5, 5, kRouteShadow);
        image.fillEllipse(xs[0] + offsetX, ys[0] + offsetY, 4, 4, kRouteStart);
    }
}

}  // namespace

int runRender(const std::vector<std::string>& arguments) {
    const Command& self = commandNamed("render");
    if (arguments.size() != 2) return badUsage(self, "expected a directory and an output file");
    for (const std::string& a : arguments)
        if (!a.empty() && a[0] == '-') return badUsage(self, "unknown option " + a);
    const std::string& directory = arguments[0];
    const std::string& output = arguments[1];
    const std::string tilePath = directory + "/" + dataset::kTileFile;
    const std::string mapPath = directory + "/" + dataset::kMapFile;
    const std::string routePath = directory + "/" + dataset::kSheepPathFile;

    std::vector<uint8_t> bytes;
    if (!readFileBytes(tilePath, bytes)) return failWith("cannot read " + tilePath);
    const TileFileSummary tiles = checkTileFile(bytes);
    if (tiles.tiles.empty()) return failWith("cannot render " + tilePath + ": " + tiles.problems.back());
    if (!readFileBytes(mapPath, bytes)) return failWith("cannot read " + mapPath);
    const MapFileSummary mapCheck = checkMapFile(bytes, static_cast<int64_t>(tiles.tiles.size()));
    const std::string refusal = mapRefusal(mapCheck, tiles.tiles.size());
    if (!refusal.empty()) return failWith("cannot render " + mapPath + ": " + refusal);
    bool drawSheepRoute = readFileBytes(routePath, bytes);
    if (drawSheepRoute) {
        const PathFileSummary routeCheck = checkPathFile(bytes);
        drawSheepRoute = routeCheck.headerComplete && routeCheck.xs.size() == routeCheck.count;
    }
    if (!drawSheepRoute) std::fprintf(stderr, "%s: %s is missing or cut short; drawing the map alone\n", kToolName, routePath.c_str());

    HeadlessVideo video;
    Map map(tilePath.c_str(), &video.display());
    map.load(mapPath.c_str());
    std::map<const Tile*, PixelImage> tileImages;
    PixelImage picture(static_cast<int>(map.pixelWidth()), static_cast<int>(map.pixelHeight()));
    for (uint32_t row = 0; row < map.rows(); ++row)
        for (uint32_t col = 0; col < map.cols(); ++col) {
            const Tile* tile = map.cell(col, row);
            if (!tile || !tile->surface) continue;
            auto found = tileImages.find(tile);
            if (found == tileImages.end()) found = tileImages.emplace(tile, imageOfSurface(*tile->surface)).first;
            picture.paste(found->second, static_cast<int>(col * map.tileWidth()), static_cast<int>(row * map.tileHeight()));
        }
    if (drawSheepRoute) {
        const Path route(routePath.c_str());
        drawRoute(picture, route, static_cast<int>(map.tileWidth() / 2), static_cast<int>(map.tileHeight() / 2));
    }
    std::string error;
    if (!writePng(output, picture, error)) return failWith(error);
    std::printf("wrote %s: %u x %u cells, %d x %d pixels\n", output.c_str(), map.cols(), map.rows(), picture.width(),
                picture.height());
    return 0;
}

}  // namespace ocre
