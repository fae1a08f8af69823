#include "tools/defaultset/PixelImage.h"

#include <algorithm>
#include <cstdlib>

namespace ocre {

PixelImage::PixelImage(int width, int height, Rgb fill)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), fill) {}

Rgb PixelImage::at(int x, int y) const {
    if (!contains(x, y)) return kTransparent;
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void PixelImage::set(int x, int y, Rgb colour) {
    if (!contains(x, y)) return;
    pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = colour;
}

void PixelImage::fillRect(int x, int y, int w, int h, Rgb colour) {
    for (int row = y; row < y + h; ++row)
        for (int col = x; col < x + w; ++col) set(col, row, colour);
}

void PixelImage::fillEllipse(int cx, int cy, int rx, int ry, Rgb colour) {
    if (rx < 0 || ry < 0) return;
    // Doubled coordinates keep small ellipses symmetric around a pixel centre.
    const long a = 2L * rx + 1, b = 2L * ry + 1;
    for (int y = cy - ry; y <= cy + ry; ++y) {
        for (int x = cx - rx; x <= cx + rx; ++x) {
            const long dx = 2L * (x - cx), dy = 2L * (y - cy);
            if (dx * dx * b * b + dy * dy * a * a <= a * a * b * b) set(x, y, colour);
        }
    }
}

void PixelImage::line(int x0, int y0, int x1, int y1, Rgb colour) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        set(x0, y0, colour);
        if (x0 == x1 && y0 == y1) break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

void PixelImage::fillTriangle(int x0, int y0, int x1, int y1, int x2, int y2, Rgb colour) {
    const auto edge = [](long ax, long ay, long bx, long by, long px, long py) {
        return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
    };
    const long area = edge(x0, y0, x1, y1, x2, y2);
    if (area == 0) {
        line(x0, y0, x1, y1, colour);
        line(x1, y1, x2, y2, colour);
        return;
    }
    const int minX = std::min({x0, x1, x2}), maxX = std::max({x0, x1, x2});
    const int minY = std::min({y0, y1, y2}), maxY = std::max({y0, y1, y2});
    for (int y = minY; y <= maxY; ++y)
        for (int x = minX; x <= maxX; ++x) {
            long w0 = edge(x1, y1, x2, y2, x, y), w1 = edge(x2, y2, x0, y0, x, y), w2 = edge(x0, y0, x1, y1, x, y);
            if (area < 0) {
                w0 = -w0;
                w1 = -w1;
                w2 = -w2;
            }
            if (w0 >= 0 && w1 >= 0 && w2 >= 0) set(x, y, colour);
        }
}

void PixelImage::paste(const PixelImage& source, int x, int y) {
    for (int row = 0; row < source.height(); ++row)
        for (int col = 0; col < source.width(); ++col) set(x + col, y + row, source.at(col, row));
}

PixelImage PixelImage::mirrored() const {
    PixelImage result(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) result.set(width_ - 1 - x, y, at(x, y));
    return result;
}

void PixelImage::outline(Rgb colour) {
    const PixelImage before = *this;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            if (!before.at(x, y).isBlack()) continue;
            if (!before.at(x - 1, y).isBlack() || !before.at(x + 1, y).isBlack() || !before.at(x, y - 1).isBlack() ||
                !before.at(x, y + 1).isBlack())
                set(x, y, colour);
        }
}

bool PixelImage::visibleBounds(PixelBox& box) const {
    bool found = false;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            if (at(x, y).isBlack()) continue;
            if (!found) {
                box = PixelBox{x, y, x, y};
                found = true;
            }
            if (x < box.left) box.left = x;
            if (x > box.right) box.right = x;
            if (y < box.top) box.top = y;
            if (y > box.bottom) box.bottom = y;
        }
    return found;
}

}  // namespace ocre
