#include "tests/dialogue/DialogueTestSupport.h"

#include "tests/support/TestFiles.h"

namespace ocre::test {

void writeSpriteFile(const std::string& path, uint16_t width, uint16_t height, const std::vector<uint32_t>& colours) {
    Bytes bytes;
    bytes.u16(static_cast<uint32_t>(colours.size())).u16(0).u16(width).u16(height);
    for (uint32_t colour : colours) {
        for (uint32_t i = 0; i < static_cast<uint32_t>(width) * height; ++i) {
            bytes.u8(colour >> 16).u8(colour >> 8).u8(colour).u8(0);
        }
    }
    for (size_t i = 0; i < colours.size(); ++i) bytes.u32(0).u32(0).u32(0).u32(0);
    writeFile(path, bytes.data());
}

uint32_t pixelAt(SDL_Surface* surface, int x, int y) {
    if (surface->format->BytesPerPixel != 4) return 0xFFFFFFFF;
    SDL_LockSurface(surface);  // so that an RLE-accelerated surface reads too
    const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface->pixels) + y * surface->pitch);
    const Uint32 value = row[x];
    SDL_UnlockSurface(surface);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(value, surface->format, &r, &g, &b);
    return uint32_t{r} << 16 | uint32_t{g} << 8 | b;
}

}  // namespace ocre::test
