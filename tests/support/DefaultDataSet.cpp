#include "tests/support/DefaultDataSet.h"

#include <filesystem>
#include <system_error>

namespace ocre::test {

bool copyDefaultDataSet(const std::string& dir) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::copy(OCRE_DEFAULT_DATA_SET, dir, fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
    return !error && !fs::is_empty(dir, error);
}

}  // namespace ocre::test
