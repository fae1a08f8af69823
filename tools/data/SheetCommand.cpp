// ocre-data sheet FILE.spr OUT.png
//
// Loads the sprite frame file with the server's loader and lays its frames
// out side by side, sixteen to a row, transparent pixels as a checkerboard.

#include <cstdio>

#include "data/FrameSet.h"
#include "tools/data/Command.h"
#include "tools/data/HeadlessVideo.h"
#include "tools/data/ServerLoad.h"
#include "tools/data/PngFile.h"

namespace ocre {
namespace {

constexpr uint32_t kFramesPerRow = 16;
constexpr int kGap = 2;
constexpr int kCheckSide = 4;
constexpr Rgb kBackground{48, 48, 56};
constexpr Rgb kCheckLight{204, 204, 212};
constexpr Rgb kCheckDark{160, 160, 172};
constexpr uint64_t kLargestSide = 16384;

void drawFrame(PixelImage& sheet, const PixelImage& frame, int left, int top) {
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            Rgb c = frame.at(x, y);
            if (c.isBlack()) c = ((x / kCheckSide + y / kCheckSide) % 2) ? kCheckDark : kCheckLight;
            sheet.set(left + x, top + y, c);
        }
}

}  // namespace

int runSheet(const std::vector<std::string>& arguments) {
    const Command& self = commandNamed("sheet");
    if (arguments.size() != 2) return badUsage(self, "expected a sprite frame file and an output file");
    for (const std::string& a : arguments)
        if (!a.empty() && a[0] == '-') return badUsage(self, "unknown option " + a);
    const std::string& input = arguments[0];
    const std::string& output = arguments[1];
    FrameSet frames;
    if (auto refusal = loadFrameSet(input, frames)) return failWith("cannot draw " + input + ": " + *refusal);
    if (frames.frameCount == 0 || frames.width == 0 || frames.height == 0)
        return failWith("cannot draw " + input + ": it holds no pixel");
    const uint32_t columns = frames.frameCount < kFramesPerRow ? frames.frameCount : kFramesPerRow;
    const uint32_t rows = (frames.frameCount + kFramesPerRow - 1) / kFramesPerRow;
    const uint64_t sheetWidth = kGap + static_cast<uint64_t>(columns) * (frames.width + kGap);
    const uint64_t sheetHeight = kGap + static_cast<uint64_t>(rows) * (frames.height + kGap);
    if (sheetWidth > kLargestSide || sheetHeight > kLargestSide)
        return failWith("cannot draw " + input + ": the sheet would be more than " + std::to_string(kLargestSide) +
                        " pixels wide or high");

    PixelImage sheet(static_cast<int>(sheetWidth), static_cast<int>(sheetHeight), kBackground);
    for (uint32_t f = 0; f < frames.frameCount && f < frames.frames.size(); ++f) {
        if (!frames.frames[f]) continue;
        const int left = kGap + static_cast<int>((f % kFramesPerRow) * (frames.width + kGap));
        const int top = kGap + static_cast<int>((f / kFramesPerRow) * (frames.height + kGap));
        drawFrame(sheet, imageOfSurface(*frames.frames[f]), left, top);
    }
    std::string error;
    if (!writePng(output, sheet, error)) return failWith(error);
    std::printf("wrote %s: %u frames of %u x %u pixels\n", output.c_str(), frames.frameCount, frames.width,
                frames.height);
    return 0;
}

}  // namespace ocre
