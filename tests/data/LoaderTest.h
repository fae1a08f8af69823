#pragma once
// The loader tests' fixture: an open display (the loaders make surfaces)
// and a temporary folder to write the files in.

#include <gtest/gtest.h>

#include <string>

#include "gfx/DisplaySDL.h"
#include "tests/support/DataFiles.h"

namespace ocre::test {

class LoaderTest : public ::testing::Test {
protected:
    LoaderTest() { display.open(); }
    // Bytes or text; gives the file's full name.
    template <typename Contents>
    std::string write(const std::string& name, const Contents& contents) {
        writeFile(dir.file(name), contents);
        return dir.file(name);
    }
    DisplaySDL display{640, 480, 32};
    TempDir dir;
};

}  // namespace ocre::test
