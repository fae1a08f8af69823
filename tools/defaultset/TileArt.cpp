#include "tools/defaultset/TileArt.h"

namespace ocre {
namespace {

constexpr Rgb kGrass{92, 162, 74};
constexpr Rgb kGrassLight{118, 186, 90};
constexpr Rgb kGrassDark{70, 136, 60};
constexpr Rgb kMeadow{134, 196, 88};
constexpr Rgb kMeadowLight{160, 214, 110};
constexpr Rgb kDirt{198, 166, 114};
constexpr Rgb kDirtLight{218, 190, 140};
constexpr Rgb kDirtDark{168, 136, 92};
constexpr Rgb kWater{46, 104, 198};
constexpr Rgb kWaterLight{98, 158, 232};
constexpr Rgb kWaterDark{36, 84, 170};
constexpr Rgb kMortar{88, 86, 96};
constexpr Rgb kStone{150, 150, 162};
constexpr Rgb kStoneLight{178, 178, 190};
constexpr Rgb kStoneDark{118, 118, 130};
constexpr Rgb kPlank{156, 104, 58};
constexpr Rgb kPlankLight{182, 130, 78};
constexpr Rgb kPlankGap{92, 60, 34};
constexpr Rgb kTrunk{110, 72, 40};
constexpr Rgb kLeaves{40, 118, 50};
constexpr Rgb kLeavesLight{70, 150, 66};
constexpr Rgb kLeavesDark{28, 90, 40};
constexpr Rgb kPetalWhite{246, 246, 236};
constexpr Rgb kPetalYellow{250, 214, 60};
constexpr Rgb kPetalRed{226, 70, 80};
constexpr Rgb kPetalCentre{240, 180, 40};

PixelImage speckled(Rgb base, Rgb light, Rgb dark, uint32_t seed) {
    PixelImage img(kTileSide, kTileSide, base);
    for (int y = 0; y < kTileSide; ++y)
        for (int x = 0; x < kTileSide; ++x) {
            const uint32_t n = textureNoise(x, y, seed) % 16;
            if (n == 0) img.set(x, y, light);
            if (n == 1) img.set(x, y, dark);
        }
    return img;
}

PixelImage grassTufts() {
    PixelImage img = speckled(kGrass, kGrassLight, kGrassDark, 1);
    const int tufts[][2] = {{6, 8}, {20, 5}, {13, 19}, {26, 23}, {5, 27}};
    for (const auto& t : tufts) {
        img.line(t[0], t[1], t[0] - 2, t[1] - 3, kGrassLight);
        img.line(t[0], t[1], t[0], t[1] - 4, kGrassDark);
        img.line(t[0], t[1], t[0] + 2, t[1] - 3, kGrassLight);
    }
    return img;
}

PixelImage flowers() {
    PixelImage img = speckled(kMeadow, kMeadowLight, kGrass, 2);
    const Rgb petals[3] = {kPetalWhite, kPetalYellow, kPetalRed};
    const int spots[][2] = {{6, 6}, {22, 4}, {14, 14}, {27, 17}, {5, 22}, {18, 26}};
    for (int i = 0; i < 6; ++i) {
        const int x = spots[i][0], y = spots[i][1];
        const Rgb petal = petals[i % 3];
        img.set(x - 1, y, petal);
        img.set(x + 1, y, petal);
        img.set(x, y - 1, petal);
        img.set(x, y + 1, petal);
        img.set(x, y, kPetalCentre);
    }
    return img;
}

PixelImage water() {
    PixelImage img(kTileSide, kTileSide, kWater);
    for (int y = 0; y < kTileSide; ++y)
        for (int x = 0; x < kTileSide; ++x)
            if (textureNoise(x, y, 4) % 9 == 0) img.set(x, y, kWaterDark);
    // Short wave crests on a staggered grid, so neighbouring tiles join up.
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 2; ++col) {
            const int x = col * 16 + (row % 2) * 8 + 2, y = row * 8 + 3;
            img.line(x, y, x + 2, y - 1, kWaterLight);
            img.line(x + 3, y - 1, x + 5, y, kWaterLight);
        }
    return img;
}

PixelImage wall() {
    PixelImage img(kTileSide, kTileSide, kMortar);
    for (int row = 0; row < 4; ++row) {
        const int y = row * 8;
        const int offset = (row % 2) * 8;
        for (int x = -offset; x < kTileSide; x += 16) {
            img.fillRect(x + 1, y + 1, 14, 6, kStone);
            img.fillRect(x + 1, y + 1, 14, 1, kStoneLight);
            img.fillRect(x + 1, y + 6, 14, 1, kStoneDark);
            if (textureNoise(x + 8, y, 5) % 3 == 0) img.set(x + 5 + static_cast<int>(textureNoise(x, y, 6) % 6), y + 3, kStoneDark);
        }
    }
    return img;
}

PixelImage bridge() {
    PixelImage img(kTileSide, kTileSide, kPlank);
    for (int x = 0; x < kTileSide; x += 6) {
        img.fillRect(x, 0, 1, kTileSide, kPlankGap);
        img.fillRect(x + 1, 0, 1, kTileSide, kPlankLight);
    }
    img.fillRect(0, 0, kTileSide, 2, kTrunk);
    img.fillRect(0, kTileSide - 2, kTileSide, 2, kTrunk);
    img.set(3, 8, kPlankGap);
    img.set(15, 22, kPlankGap);
    img.set(27, 12, kPlankGap);
    return img;
}

PixelImage tree() {
    PixelImage img = speckled(kGrass, kGrassLight, kGrassDark, 7);
    img.fillEllipse(16, 29, 10, 2, kGrassDark);
    img.fillRect(14, 20, 5, 10, kTrunk);
    img.fillEllipse(16, 13, 13, 11, kLeavesDark);
    img.fillEllipse(15, 11, 11, 9, kLeaves);
    img.fillEllipse(12, 8, 5, 4, kLeavesLight);
    img.fillEllipse(21, 13, 3, 2, kLeavesLight);
    return img;
}

TileArtwork tile(PixelImage image, bool walkable) {
    TileArtwork t;
    t.image = std::move(image);
    t.walkable = walkable;
    return t;
}

}  // namespace

uint32_t textureNoise(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

std::vector<TileArtwork> defaultTiles() {
    std::vector<TileArtwork> tiles;
    tiles.push_back(tile(speckled(kGrass, kGrassLight, kGrassDark, 0), true));
    tiles.push_back(tile(grassTufts(), true));
    tiles.push_back(tile(flowers(), true));
    tiles.push_back(tile(speckled(kDirt, kDirtLight, kDirtDark, 3), true));
    tiles.push_back(tile(water(), false));
    tiles.push_back(tile(wall(), false));
    tiles.push_back(tile(bridge(), true));
    tiles.push_back(tile(tree(), false));
    tiles.push_back(tile(speckled(kMeadow, kMeadowLight, kGrass, 8), true));
    return tiles;
}

}  // namespace ocre
