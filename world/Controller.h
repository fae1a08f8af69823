#pragma once
// The input seen by an actor: eight yes/no questions (non-zero is yes) that
// the state routines ask on their scheduled updates. Building any controller
// clears the input tables, so keys held or events queued before it was made
// read as released.

#include <cstdint>

namespace ocre {

class Controller {
public:
    Controller();
    virtual ~Controller() = default;
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;

    virtual int32_t up() = 0;
    virtual int32_t down() = 0;
    virtual int32_t left() = 0;
    virtual int32_t right() = 0;
    virtual int32_t jump() = 0;
    virtual int32_t fire1() = 0;
    virtual int32_t fire2() = 0;
    virtual int32_t escape() = 0;
};

}  // namespace ocre
