// A fuzz target as a plain program: every file named on the command line,
// or found in a folder named there, is given to the target once, in name
// order, whole: none is left out for what it declares. The suite replays
// the seed corpora and the inputs of every fault found and mended this way,
// built with the usual compiler (and under the sanitizers in CI), without
// libFuzzer.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/InputCost.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputsNamed(int argc, char** argv) {
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const fs::path named(argv[i]);
        if (fs::is_directory(named)) {
            std::vector<fs::path> inFolder;
            for (const auto& entry : fs::directory_iterator(named))
                if (entry.is_regular_file()) inFolder.push_back(entry.path());
            std::sort(inFolder.begin(), inFolder.end());
            inputs.insert(inputs.end(), inFolder.begin(), inFolder.end());
        } else {
            inputs.push_back(named);
        }
    }
    return inputs;
}

}  // namespace

int main(int argc, char** argv) {
    ocre::fuzz::runEveryInputWhole();
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    const std::vector<fs::path> inputs = inputsNamed(argc, argv);
    if (inputs.empty()) {
        std::fprintf(stderr, "%s: no input to replay\n", argv[0]);
        return 1;
    }
    for (const fs::path& input : inputs) {
        std::ifstream file(input, std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "%s: cannot read %s\n", argv[0], input.c_str());
            return 1;
        }
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        std::fprintf(stderr, "replaying %s (%zu bytes)\n", input.c_str(), bytes.size());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::fprintf(stderr, "%zu inputs replayed\n", inputs.size());
    return 0;
}
