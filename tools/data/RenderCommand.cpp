// ocre-data render DIR OUT.png
//
// Loads the tiles and the map of the data set in DIR with the server's own
// loaders, draws every cell as the server's window drawing would, and the
// sheep path over it. Files the loaders refuse are refused with the
// server's own message.

#include <cstdio>
#include <map>
#include <memory>

#include "core/Fatal.h"

#include "data/Map.h"
#include "data/Path.h"
#include "tools/data/Command.h"
#include "tools/defaultset/DefaultDataSet.h"
#include "tools/data/HeadlessVideo.h"
#include "tools/data/ServerLoad.h"
#include "tools/data/PngFile.h"

namespace ocre {
namespace {

// Larger pictures would take more memory than a picture of a map is worth.
constexpr uint64_t kLargestSide = 16384;
constexpr Rgb kRouteShadow{40, 24, 16};
constexpr Rgb kRoute{255, 226, 64};
constexpr Rgb kRouteStart{230, 40, 40};

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

    std::unique_ptr<Map> map;
    if (auto refusal = refusalOf([&] { map = std::make_unique<Map>(tilePath.c_str(), &toolDisplay()); }))
        return failWith("cannot render " + tilePath + ": " + refusalText(*refusal));
    if (map->tileCount() == 0) return failWith("cannot render " + tilePath + ": it holds no complete tile record");
    if (auto refusal = refusalOf([&] { map->load(mapPath.c_str()); }))
        return failWith("cannot render " + mapPath + ": " + refusalText(*refusal));
    if (map->pixelWidth() > kLargestSide || map->pixelHeight() > kLargestSide)
        return failWith("cannot render " + mapPath + ": the map is more than " + std::to_string(kLargestSide) +
                        " pixels wide or high");
    std::unique_ptr<Path> route;
    if (auto refusal = refusalOf([&] { route = std::make_unique<Path>(routePath.c_str()); }))
        std::fprintf(stderr, "%s: %s: %s; drawing the map alone\n", kToolName, routePath.c_str(),
                     refusalText(*refusal).c_str());

    std::map<const Tile*, PixelImage> tileImages;
    PixelImage picture(static_cast<int>(map->pixelWidth()), static_cast<int>(map->pixelHeight()));
    for (uint32_t row = 0; row < map->rows(); ++row)
        for (uint32_t col = 0; col < map->cols(); ++col) {
            const Tile* tile = map->cell(col, row);
            if (!tile || !tile->surface) continue;
            auto found = tileImages.find(tile);
            if (found == tileImages.end()) found = tileImages.emplace(tile, imageOfSurface(*tile->surface)).first;
            picture.paste(found->second, static_cast<int>(col * map->tileWidth()), static_cast<int>(row * map->tileHeight()));
        }
    if (route) {
        drawRoute(picture, *route, static_cast<int>(map->tileWidth() / 2), static_cast<int>(map->tileHeight() / 2));
    }
    std::string error;
    if (!writePng(output, picture, error)) return failWith(error);
    std::printf("wrote %s: %u x %u cells, %d x %d pixels\n", output.c_str(), map->cols(), map->rows(), picture.width(),
                picture.height());
    return 0;
}

}  // namespace ocre
