// ocre-data icon FILE.spr SIZE OUT.png
//
// Draws the first frame of a sprite frame file as a square icon: the
// visible part, enlarged by the largest whole factor that fits, centred,
// with the transparent pixels of the frame left transparent. The package's
// desktop icon is the dragon drawn this way.

#include <algorithm>
#include <cstdlib>

#include "data/FrameSet.h"
#include "tools/data/Command.h"
#include "tools/data/HeadlessVideo.h"
#include "tools/data/PngFile.h"
#include "tools/data/ServerLoad.h"

namespace ocre {

namespace {

constexpr long kSmallestSide = 16;
constexpr long kLargestSide = 1024;

}  // namespace

int runIcon(const std::vector<std::string>& arguments) {
    const Command& self = commandNamed("icon");
    if (arguments.size() != 3) return badUsage(self, "expected a sprite frame file, a size and an output file");
    const std::string& input = arguments[0];
    const std::string& output = arguments[2];
    char* end = nullptr;
    const long side = std::strtol(arguments[1].c_str(), &end, 10);
    if (arguments[1].empty() || *end != 0 || side < kSmallestSide || side > kLargestSide)
        return badUsage(self, "the size must be a whole number of pixels from " + std::to_string(kSmallestSide) +
                                  " to " + std::to_string(kLargestSide));
    FrameSet frames;
    if (auto refusal = loadFrameSet(input, frames)) return failWith("cannot draw " + input + ": " + *refusal);
    PixelBox visible;
    const PixelImage frame = frames.frames.empty() || !frames.frames[0] ? PixelImage() : imageOfSurface(*frames.frames[0]);
    if (!frame.visibleBounds(visible)) return failWith("cannot draw " + input + ": its first frame holds no pixel");
    const int width = visible.right - visible.left + 1;
    const int height = visible.bottom - visible.top + 1;
    const int factor = static_cast<int>(side) / std::max(width, height);
    if (factor < 1)
        return failWith("cannot draw " + input + ": its first frame is larger than " + std::to_string(side) +
                        " pixels");

    PixelImage icon(static_cast<int>(side), static_cast<int>(side), kTransparent);
    const int left = (static_cast<int>(side) - width * factor) / 2;
    const int top = (static_cast<int>(side) - height * factor) / 2;
    for (int y = 0; y < height * factor; ++y)
        for (int x = 0; x < width * factor; ++x)
            icon.set(left + x, top + y, frame.at(visible.left + x / factor, visible.top + y / factor));
    std::string error;
    if (!writePng(output, icon, error, PngBlack::Transparent)) return failWith(error);
    return 0;
}

}  // namespace ocre
