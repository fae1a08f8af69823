#include "tests/dialogue/DialogueTestSupport.h"

#include "tests/support/TestFiles.h"

namespace ocre::test {

void writeSpriteFile(const std::string& path, uint16_t width, uint16_t height, const std::vector<Rgb>& frameColours) {
    Bytes bytes;
    bytes.u16(static_cast<uint32_t>(frameColours.size())).u16(0).u16(width).u16(height);
    for (const Rgb& colour : frameColours) {
        for (uint32_t i = 0; i < static_cast<uint32_t>(width) * height; ++i) {
            bytes.u8(static_cast<uint32_t>(colour.r)).u8(static_cast<uint32_t>(colour.g));
            bytes.u8(static_cast<uint32_t>(colour.b)).u8(0);
        }
    }
    for (size_t i = 0; i < frameColours.size(); ++i) bytes.u32(0).u32(0).u32(0).u32(0);
    writeFile(path, bytes.data());
}


Rgb pixelAt(SDL_Surface* surface, int x, int y) {
    SDL_LockSurface(surface);
    const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    Uint32 value = 0;
    switch (surface->format->BytesPerPixel) {
        case 1: value = row[x]; break;
        case 2: value = reinterpret_cast<const Uint16*>(row)[x]; break;
        case 3: value = row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16; break;
        default: value = reinterpret_cast<const Uint32*>(row)[x]; break;
    }
    SDL_UnlockSurface(surface);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(value, surface->format, &r, &g, &b);
    return {r, g, b};
}

}  // namespace ocre::test
