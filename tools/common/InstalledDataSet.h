#pragma once
// Where the programs that draw the world (ocre-client, ocre-relay) read their
// data set from. The server reads its working folder and nothing else, but
// these may be started from a desktop menu or by a service, in a folder that
// holds no data set: then they fall back on the set the package installs.

#include <string>

namespace ocre::tools {

// The folder to read the data set from:
// - `given` when the command line named one (not empty);
// - else the working folder (".") when it holds any file of a data set, so
//   that an incomplete set there is reported by the loaders, not hidden;
// - else `installedFolder` when it exists, saying so on standard error as
//   "PROGRAM: no data set in the working folder, using FOLDER";
// - else "." (the loaders then name the first missing file).
std::string chooseDataSetFolder(const std::string& given, const char* program, const std::string& installedFolder);

// The same with the folder the package installs the default set into.
std::string chooseDataSetFolder(const std::string& given, const char* program);

}  // namespace ocre::tools
