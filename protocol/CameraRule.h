#pragma once
// The rule every camera obeys, on the server's views and in the clients
// that follow an actor themselves: an origin that would show anything
// outside the map is refused (the axis keeps its origin), never clamped.
// Free of SDL so that plain tools can include it.

#include <cstdint>

namespace ocre::protocol {

// Signed comparisons, done wide enough that no extreme argument overflows.
inline bool originAllowed(int64_t origin, int64_t mapSize, int64_t viewSize) {
    return mapSize >= viewSize && origin >= 0 && origin <= mapSize - viewSize;
}

}  // namespace ocre::protocol
