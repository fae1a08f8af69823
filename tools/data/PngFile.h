#pragma once
// Writes an image as an 8-bit RGB PNG file. No time stamp or other
// varying chunk is written, so the same image gives the same bytes.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/defaultset/PixelImage.h"

namespace ocre {

// False with a one-line reason in error when the file cannot be written.
bool writePng(const std::string& path, const PixelImage& image, std::string& error);

// The same PNG in memory. With blackTransparent, black is marked as the
// transparent colour (as sprite frames use it). False with a one-line
// reason in error.
enum class PngBlack { Opaque, Transparent };
bool encodePng(const PixelImage& image, PngBlack black, std::vector<uint8_t>& bytes, std::string& error);

}  // namespace ocre
