#pragma once
// Whole-file reading for the commands: false when the file cannot be read.

#include <cstdint>
#include <string>
#include <vector>

namespace ocre {

bool readFileBytes(const std::string& path, std::vector<uint8_t>& bytes);

}  // namespace ocre
