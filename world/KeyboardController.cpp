#include "world/KeyboardController.h"

#include "gfx/Input.h"

namespace ocre {

// The base construction has just emptied the key table and nothing but the
// input poll of a later turn writes it, so the table is already clear here.
KeyboardController::KeyboardController(int32_t up, int32_t down, int32_t right, int32_t left, int32_t jump,
                                       int32_t fire1, int32_t fire2, int32_t escape)
    : upKey_(up),
      downKey_(down),
      leftKey_(left),
      rightKey_(right),
      jumpKey_(jump),
      fire1Key_(fire1),
      fire2Key_(fire2),
      escapeKey_(escape) {}

int32_t KeyboardController::up() { return keyState(upKey_); }
int32_t KeyboardController::down() { return keyState(downKey_); }
int32_t KeyboardController::left() { return keyState(leftKey_); }
int32_t KeyboardController::right() { return keyState(rightKey_); }
int32_t KeyboardController::jump() { return keyState(jumpKey_); }
int32_t KeyboardController::fire1() { return keyState(fire1Key_); }
int32_t KeyboardController::fire2() { return keyState(fire2Key_); }
int32_t KeyboardController::escape() { return keyState(escapeKey_); }

}  // namespace ocre
