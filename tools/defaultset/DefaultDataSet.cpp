#include "tools/defaultset/DefaultDataSet.h"

#include "tools/defaultset/CharacterArt.h"
#include "tools/defaultset/DialogueScript.h"
#include "tools/defaultset/TileArt.h"
#include "tools/defaultset/WorldLayout.h"

namespace ocre {
namespace {

using namespace dataset;

// Sprite file name endings, in the common animation order.
constexpr const char* kAnimationSuffixes[kAnimationCount] = {
    "-marche-bas.spr",  "-marche-gauche.spr", "-marche-droite.spr", "-marche-haut.spr",
    "-debout-bas.spr",  "-debout-gauche.spr", "-debout-droite.spr", "-debout-haut.spr",
};

std::vector<uint8_t> bytesOf(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

void addActor(DataSetBuild& build, const char* datFile, const std::string& stem,
              const std::vector<SpriteSheet>& animations) {
    std::vector<std::string> names;
    for (size_t i = 0; i < animations.size(); ++i) {
        names.push_back(stem + kAnimationSuffixes[i]);
        build.files.push_back({names.back(), encodeSpriteFile(animations[i])});
    }
    build.files.push_back({datFile, bytesOf(encodeDatFile(names))});
}

}  // namespace

bool buildDefaultDataSet(const std::string& consoleFontPath, DataSetBuild& build, std::string& error) {
    PsfFont consoleFont;
    if (!consoleFont.load(consoleFontPath, error)) return false;
    build = DataSetBuild{};
    build.files.push_back({kFontFile, encodeSpriteFile(fontSheet(consoleFont, build.font))});
    build.files.push_back({kPortraitFile, encodeSpriteFile(portraits())});
    build.files.push_back({kDialogueFile, bytesOf(mayorDialogue())});
    build.files.push_back({kTileFile, encodeTileFile(defaultTiles())});
    build.files.push_back({kMapFile, encodeMapFile(defaultMap())});
    build.files.push_back({kSheepPathFile, encodePathFile(sheepLoop(), true)});
    addActor(build, kHeroDatFile, "songroku", heroAnimations());
    addActor(build, kSheepDatFile, "mouton", sheepAnimations());
    addActor(build, kPointerDatFile, "pointeur", pointerAnimations());
    addActor(build, kDragonDatFile, "dragourou", dragonAnimations());
    return true;
}

}  // namespace ocre
