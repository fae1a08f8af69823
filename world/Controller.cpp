#include "world/Controller.h"

#include "gfx/Input.h"

namespace ocre {

Controller::Controller() { clearInput(); }

}  // namespace ocre
