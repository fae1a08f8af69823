#pragma once
// The size of the server's window, which is also the picture a client is
// sent and draws. Free of SDL, so that plain tools can include it.

#include <cstdint>

namespace ocre {

constexpr int32_t kScreenWidth = 640;
constexpr int32_t kScreenHeight = 480;
constexpr int32_t kScreenDepth = 32;  // bits per pixel

}  // namespace ocre
