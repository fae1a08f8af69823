#pragma once
// The server's loaders make their images as surfaces of an open display.
// The tool opens one on SDL's dummy video driver (no window) and reads the
// pixels of loaded surfaces back into plain images.

#include <memory>

#include "gfx/DisplaySDL.h"
#include "gfx/Surface.h"
#include "tools/defaultset/PixelImage.h"

namespace ocre {

class HeadlessVideo {
public:
    HeadlessVideo();  // SDL initialised and the display opened
    Display& display() { return *display_; }

private:
    std::unique_ptr<DisplaySDL> display_;
};

// The surface's pixels as colours; pixels of the colour key (black for
// sprite frames) come back black, that is transparent.
PixelImage imageOfSurface(const SurfaceSDL& surface);

}  // namespace ocre
