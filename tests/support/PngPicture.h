#pragma once
// Reading back the PNG pictures the programs make, as RGB or RGBA pixels.

#include <png.h>

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace ocre::test {

// Width and height 0 when the bytes are not a readable PNG.
struct PngPicture {
    int width = 0, height = 0, channels = 0;
    std::vector<uint8_t> pixels;
    const uint8_t* at(int x, int y) const { return &pixels[channels * (size_t(y) * size_t(width) + size_t(x))]; }
};

inline PngPicture decodePng(const std::vector<uint8_t>& png, bool alpha = true) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return {};
    image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
    return {static_cast<int>(image.width), static_cast<int>(image.height), alpha ? 4 : 3, std::move(pixels)};
}

}  // namespace ocre::test
