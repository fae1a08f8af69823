#pragma once
// Runs the ocre-data binary in a child process and captures how it ends.

#include <unistd.h>

#include <string>
#include <vector>

#include "tests/support/TestFiles.h"

namespace ocre::test {

inline ChildResult runDataTool(const std::vector<std::string>& arguments) {
    return runInChild([&] {
        std::vector<std::string> words = {OCRE_DATA_TOOL};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& w : words) argv.push_back(w.data());
        argv.push_back(nullptr);
        execv(OCRE_DATA_TOOL, argv.data());
        _exit(127);
    }, 60000);
}

inline bool isOneLine(const std::string& text) {
    return !text.empty() && text.back() == '\n' && text.find('\n') == text.size() - 1;
}

}  // namespace ocre::test
