#pragma once
// A plain true-colour image in memory with the few drawing primitives the
// procedural pixel art needs. In sprite frames, black (0, 0, 0) is the
// transparent colour, so "visible" means "not black".

#include <cstdint>
#include <vector>

namespace ocre {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
    bool operator!=(const Rgb& other) const { return !(*this == other); }
    bool isBlack() const { return r == 0 && g == 0 && b == 0; }
};

constexpr Rgb kTransparent{0, 0, 0};

// Inclusive pixel rectangle, as the bounding boxes of sprite frames are.
struct PixelBox {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PixelBox& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

class PixelImage {
public:
    PixelImage() = default;
    PixelImage(int width, int height, Rgb fill = kTransparent);

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    // Outside the image: black.
    Rgb at(int x, int y) const;
    // Outside the image: ignored.
    void set(int x, int y, Rgb colour);

    void fillRect(int x, int y, int w, int h, Rgb colour);
    void fillEllipse(int cx, int cy, int rx, int ry, Rgb colour);
    void line(int x0, int y0, int x1, int y1, Rgb colour);
    // Every pixel whose centre lies inside or on the triangle.
    void fillTriangle(int x0, int y0, int x1, int y1, int x2, int y2, Rgb colour);
    // Copies every pixel of source, black included.
    void paste(const PixelImage& source, int x, int y);
    PixelImage mirrored() const;
    // Every black pixel that touches a visible one (four neighbours) takes
    // the outline colour.
    void outline(Rgb colour);
    // The smallest box holding every visible pixel; false if there is none.
    bool visibleBounds(PixelBox& box) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
};

}  // namespace ocre
