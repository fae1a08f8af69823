#pragma once
// The default data set, written once per build by the real ocre-data and
// copied into each test's own folder, so tests that run the programs or
// load the whole world pay for the writing only once.

#include <string>

namespace ocre::test {

// Copies every file of the default data set into dir; false on failure.
bool copyDefaultDataSet(const std::string& dir);

}  // namespace ocre::test
