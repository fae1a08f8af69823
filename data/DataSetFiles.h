#pragma once
// The fixed names of the data set's files, opened from the working folder.
// The server loads them at start-up; ocre-data writes them.

namespace ocre::dataset {

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

}  // namespace ocre::dataset
