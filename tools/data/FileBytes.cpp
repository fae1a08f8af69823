#include "tools/data/FileBytes.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace ocre {

bool readFileBytes(const std::string& path, std::vector<uint8_t>& bytes) {
    std::error_code code;
    if (std::filesystem::is_directory(path, code)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace ocre
