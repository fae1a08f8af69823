#include "tools/common/InstalledDataSet.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "data/DataSetFiles.h"

namespace ocre::tools {

namespace {

constexpr const char* kWorkingFolder = ".";

bool holdsAnyDataSetFile(const std::string& folder) {
    using namespace ocre::dataset;
    for (const char* name : {kFontFile, kPortraitFile, kDialogueFile, kTileFile, kMapFile, kSheepPathFile,
                             kHeroDatFile, kSheepDatFile, kPointerDatFile, kDragonDatFile})
        if (access((folder + "/" + name).c_str(), F_OK) == 0) return true;
    return false;
}

bool isFolder(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

std::string chooseDataSetFolder(const std::string& given, const char* program, const std::string& installedFolder) {
    if (!given.empty()) return given;
    if (holdsAnyDataSetFile(kWorkingFolder) || !isFolder(installedFolder)) return kWorkingFolder;
    std::fprintf(stderr, "%s: no data set in the working folder, using %s\n", program, installedFolder.c_str());
    return installedFolder;
}

std::string chooseDataSetFolder(const std::string& given, const char* program) {
    // Set by the build from the install prefix, where the package puts the default set.
    return chooseDataSetFolder(given, program, OCRE_INSTALLED_DATA_SET);
}

}  // namespace ocre::tools
