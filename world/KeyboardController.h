#pragma once
// A keyboard layout as a controller: each query answers whether its key
// (an SDL key symbol) is held.

#include <cstdint>

#include "world/Controller.h"

namespace ocre {

class KeyboardController : public Controller {
public:
    // Mind the order: right comes before left here, as every caller of this
    // server passes them.
    KeyboardController(int32_t up, int32_t down, int32_t right, int32_t left, int32_t jump, int32_t fire1,
                       int32_t fire2, int32_t escape);

    int32_t up() override;
    int32_t down() override;
    int32_t left() override;
    int32_t right() override;
    int32_t jump() override;
    int32_t fire1() override;
    int32_t fire2() override;
    int32_t escape() override;

private:
    int32_t upKey_;
    int32_t downKey_;
    int32_t leftKey_;
    int32_t rightKey_;
    int32_t jumpKey_;
    int32_t fire1Key_;
    int32_t fire2Key_;
    int32_t escapeKey_;
};

}  // namespace ocre
