#pragma once
// The complete default data set: every file the server opens at start-up
// and every sprite frame file its DAT lists name, as named bytes.

#include <string>
#include <vector>

#include "data/DataSetFiles.h"
#include "tools/defaultset/FontArt.h"

namespace ocre {

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
