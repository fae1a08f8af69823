#pragma once
// Runs the ocre-data binary in a child process and captures how it ends.

#include <string>
#include <vector>

#include "tests/support/TestFiles.h"

namespace ocre::test {

inline ChildResult runDataTool(const std::vector<std::string>& arguments) {
    return runProgram(OCRE_DATA_TOOL, arguments);
}

inline bool isOneLine(const std::string& text) {
    return !text.empty() && text.back() == '\n' && text.find('\n') == text.size() - 1;
}

}  // namespace ocre::test
