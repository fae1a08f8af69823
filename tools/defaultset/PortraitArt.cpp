// The two dialogue portraits: the mayor of Pawn (the person spoken to) and
// the hero (the player). Their backgrounds are coloured, not black, so
// that the whole square shows.

#include "tools/defaultset/CharacterArt.h"

namespace ocre {
namespace {

constexpr int kSize = 64;

constexpr Rgb kFrame{92, 58, 34};
constexpr Rgb kFrameLight{168, 120, 66};
constexpr Rgb kParchment{222, 196, 146};
constexpr Rgb kSky{132, 178, 226};
constexpr Rgb kSkin{240, 198, 160};
constexpr Rgb kSkinShade{210, 164, 126};
constexpr Rgb kEye{36, 28, 48};
constexpr Rgb kWhiteHair{238, 238, 236};
constexpr Rgb kGreyHair{196, 196, 200};
constexpr Rgb kHat{50, 48, 70};
constexpr Rgb kHatBand{150, 40, 44};
constexpr Rgb kCoat{60, 66, 110};
constexpr Rgb kSashBlue{40, 70, 170};
constexpr Rgb kSashWhite{244, 244, 244};
constexpr Rgb kSashRed{204, 40, 44};
constexpr Rgb kHair{56, 46, 70};
constexpr Rgb kSuit{238, 130, 36};
constexpr Rgb kBlue{48, 78, 178};
constexpr Rgb kMouth{170, 90, 80};

PixelImage framed(Rgb background) {
    PixelImage img(kSize, kSize, kFrame);
    img.fillRect(2, 2, kSize - 4, kSize - 4, kFrameLight);
    img.fillRect(4, 4, kSize - 8, kSize - 8, background);
    return img;
}

// The picture is painted freely, then put back inside its frame.
PixelImage inFrame(const PixelImage& picture) {
    PixelImage img(kSize, kSize, kFrame);
    img.fillRect(2, 2, kSize - 4, kSize - 4, kFrameLight);
    for (int y = 4; y < kSize - 4; ++y)
        for (int x = 4; x < kSize - 4; ++x) img.set(x, y, picture.at(x, y));
    return img;
}

PixelImage mayor() {
    PixelImage img = framed(kParchment);
    img.fillEllipse(32, 62, 24, 14, kCoat);
    // The mayor's tricolour sash, across the chest.
    for (int i = 0; i < 3; ++i) {
        const Rgb colour = i == 0 ? kSashBlue : i == 1 ? kSashWhite : kSashRed;
        for (int w = 0; w < 3; ++w) img.line(14 + i * 3 + w, 49, 38 + i * 3 + w, 59, colour);
    }
    img.fillEllipse(32, 31, 13, 15, kSkin);
    img.fillEllipse(19, 32, 3, 4, kSkinShade);
    img.fillEllipse(45, 32, 3, 4, kSkinShade);
    img.fillEllipse(32, 44, 12, 9, kWhiteHair);
    img.fillEllipse(32, 40, 9, 3, kGreyHair);
    img.fillRect(28, 40, 8, 2, kMouth);
    img.fillEllipse(32, 36, 3, 2, kSkinShade);
    img.fillRect(25, 29, 3, 3, kEye);
    img.fillRect(37, 29, 3, 3, kEye);
    img.fillRect(23, 26, 7, 2, kGreyHair);
    img.fillRect(35, 26, 7, 2, kGreyHair);
    img.fillRect(14, 18, 36, 4, kHat);
    img.fillRect(20, 6, 24, 13, kHat);
    img.fillRect(20, 15, 24, 3, kHatBand);
    return inFrame(img);
}

PixelImage hero() {
    PixelImage img = framed(kSky);
    img.fillEllipse(32, 62, 22, 13, kSuit);
    img.fillTriangle(26, 50, 38, 50, 32, 58, kBlue);
    img.fillEllipse(32, 22, 17, 13, kHair);
    const int tips[][2] = {{8, 8}, {16, 5}, {26, 5}, {36, 5}, {48, 6}, {56, 12}, {8, 28}};
    for (const auto& tip : tips)
        for (int dx = -4; dx <= 4; ++dx) img.line(32 + dx, 20, tip[0], tip[1], kHair);
    img.fillEllipse(32, 34, 12, 14, kSkin);
    img.fillRect(21, 20, 22, 6, kHair);
    img.fillTriangle(22, 25, 28, 25, 24, 30, kHair);
    img.fillTriangle(34, 25, 40, 25, 38, 31, kHair);
    img.fillRect(25, 33, 3, 4, kEye);
    img.fillRect(36, 33, 3, 4, kEye);
    img.fillRect(29, 42, 6, 2, kMouth);
    img.fillEllipse(32, 38, 1, 1, kSkinShade);
    return inFrame(img);
}

}  // namespace

SpriteSheet portraits() {
    SpriteSheet sheet;
    sheet.frames.push_back(mayor());
    sheet.frames.push_back(hero());
    return sheet;
}

}  // namespace ocre
