// The binary frame a relay reads from the relay above it, read from a copy
// of exactly the input's bytes. A frame the reader takes must encode back to
// the same bytes (but the reserved field, which the reader does not judge),
// so that a chained relay passes on exactly what it was given.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "relay/LiveFrame.h"

using namespace ocre::relay;

namespace {
constexpr size_t kReservedOffset = 2;
constexpr size_t kReservedSize = 2;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> frame(data, data + size);
    std::string error;
    const auto pass = decodeLiveFrame(frame.data(), frame.size(), error);
    if (!pass) {
        if (error.empty()) std::abort();
        return 0;
    }
    std::vector<uint8_t> again = encodeLiveFrame(*pass);
    if (again.size() != frame.size()) std::abort();
    for (size_t i = 0; i < kReservedSize; ++i) again[kReservedOffset + i] = frame[kReservedOffset + i];
    if (again != frame) std::abort();
    return 0;
}
