#pragma once
// The data files name one another relative to the working folder: tests of
// the code that follows those names run inside the folder that holds them.

#include <limits.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

namespace ocre::test {

// The working folder is the given one while this lives, then the old one.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::string& path) {
        if (getcwd(previous_, sizeof previous_) == nullptr) previous_[0] = '\0';
        changed_ = chdir(path.c_str()) == 0;
        if (!changed_) ADD_FAILURE() << "cannot enter " << path;
    }
    ~WorkingFolder() {
        if (changed_ && previous_[0] != '\0' && chdir(previous_) != 0) ADD_FAILURE() << "cannot return to " << previous_;
    }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;
    bool entered() const { return changed_; }

private:
    char previous_[PATH_MAX];
    bool changed_ = false;
};

}  // namespace ocre::test
