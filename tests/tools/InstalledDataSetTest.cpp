// Where ocre-client and ocre-relay read the data set from when the command
// line does not say. Each case runs in a child, in a working folder of its own.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "tests/support/TestFiles.h"
#include "tools/common/InstalledDataSet.h"

namespace ocre {
namespace {

using test::ChildResult;
using test::TempDir;

// The folder chosen on standard output, what was said on standard error.
ChildResult chooseIn(const std::string& workingFolder, const std::string& given, const std::string& installed) {
    return test::runInChild([&] {
        if (chdir(workingFolder.c_str()) != 0) _exit(3);
        std::fputs(tools::chooseDataSetFolder(given, "prog", installed).c_str(), stdout);
    });
}

TEST(InstalledDataSet, TheCommandLineThenAnyDataFileOfTheWorkingFolderComeFirst) {
    TempDir installed, empty, partial;
    test::writeFile(partial.file("mouton3.pat"), "a set with one file is still the set meant");
    EXPECT_EQ(chooseIn(empty.path(), "mine", installed.path()).out, "mine");
    const ChildResult r = chooseIn(partial.path(), "", installed.path());
    EXPECT_EQ(r.out, ".");
    EXPECT_EQ(r.err, "");
}

TEST(InstalledDataSet, AnEmptyWorkingFolderFallsBackOnTheInstalledSetAndSaysSo) {
    TempDir installed, empty;
    ChildResult r = chooseIn(empty.path(), "", installed.path());
    EXPECT_EQ(r.out, installed.path());
    EXPECT_EQ(r.err, "prog: no data set in the working folder, using " + installed.path() + "\n");
    // Nothing installed: the working folder, whose loader names what is missing.
    r = chooseIn(empty.path(), "", installed.file("absent"));
    EXPECT_EQ(r.out, ".");
    EXPECT_EQ(r.err, "");
}

}  // namespace
}  // namespace ocre
