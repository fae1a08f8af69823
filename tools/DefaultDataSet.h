#pragma once
// The complete default data set: every file the server opens at start-up
// and every sprite frame file its DAT lists name, as named bytes.

#include <string>
#include <vector>

#include "tools/FontArt.h"

namespace ocre {

// The file names the server opens at start-up.
namespace dataset {
constexpr const char* kFontFile = "fonte.spr";
constexpr const char* kPortraitFile = "faces.spr";
constexpr const char* kDialogueFile = "mairpawn.dlg";
constexpr const char* kTileFile = "test2.tle";
constexpr const char* kMapFile = "test2.map";
constexpr const char* kSheepPathFile = "mouton3.pat";
constexpr const char* kHeroDatFile = "songroku.dat";
constexpr const char* kSheepDatFile = "mouton.dat";
constexpr const char* kPointerDatFile = "pointeur.dat";
constexpr const char* kDragonDatFile = "dragourou.dat";
}  // namespace dataset

struct DataSetFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

struct DataSetBuild {
    std::vector<DataSetFile> files;  // in a fixed order
    FontBuildReport font;
};

// False with a one-line reason in error when the console font cannot be
// read. The same font gives the same bytes at every call.
bool buildDefaultDataSet(const std::string& consoleFontPath, DataSetBuild& build, std::string& error);

}  // namespace ocre
