#pragma once
// A DAT file: white-space separated names of sprite frame files, one per
// animation in animation order. Loading gives one FrameSet per name.

#include <cstdint>
#include <string>
#include <vector>

#include "data/FrameSet.h"

namespace ocre {

constexpr int kMaxDatNameLength = 35;

struct DatStructure {
    int32_t count = 0;
    std::vector<FrameSet> records;
    // The sprite frame file names as the list gives them, in the same order.
    std::vector<std::string> names;

    // Fatal if the list, or a file it names, cannot be loaded; a name longer
    // than kMaxDatNameLength refuses the whole list before any is loaded.
    void load(const char* fileName);
};

}  // namespace ocre
