#pragma once
// Writes an image as an 8-bit RGB PNG file. No time stamp or other
// varying chunk is written, so the same image gives the same bytes.

#include <string>

#include "tools/defaultset/PixelImage.h"

namespace ocre {

// False with a one-line reason in error when the file cannot be written.
// With `transparent`, pixels of that colour are marked transparent (a tRNS
// chunk), as an icon needs.
bool writePng(const std::string& path, const PixelImage& image, std::string& error,
              const Rgb* transparent = nullptr);

}  // namespace ocre
