#include "data/Behaviour.h"

namespace ocre {

namespace {

// Distances are taken on 64 bits so that points far apart (or a coordinate
// that wrapped) compare by their true distance; the stored amounts keep the
// 32-bit width of the fields.
int64_t difference(int32_t to, int32_t from) { return static_cast<int64_t>(to) - from; }

int64_t distance(int32_t a, int32_t b) {
    const int64_t d = difference(a, b);
    return d < 0 ? -d : d;
}

int32_t narrow(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value))); }

// The step from `from` to `to` when it does not go backwards: stored in
// `amount`. A backward step stores nothing.
bool storeForwardStep(int32_t to, int32_t from, int32_t& amount) {
    if (to < from) return false;
    amount = narrow(difference(to, from));
    return true;
}

}  // namespace

int32_t Behaviour::stepDown() { return storeForwardStep(currentY, previousY, stepDownAmount) ? stepDownAmount : 0; }

int32_t Behaviour::stepUp() { return storeForwardStep(previousY, currentY, stepUpAmount) ? stepUpAmount : 0; }

int32_t Behaviour::stepRight() {
    return storeForwardStep(currentX, previousX, stepRightAmount) ? stepRightAmount : 0;
}

int32_t Behaviour::stepLeft() { return storeForwardStep(previousX, currentX, stepLeftAmount) ? stepLeftAmount : 0; }

// Each mostly query keeps its two distances: the main one in its own field,
// the crossing one in the field of the direction the crossing part went.
void Behaviour::storeHorizontal(int64_t across) {
    if (currentX >= previousX) stepRightAmount = narrow(across);
    else stepLeftAmount = narrow(across);
}

void Behaviour::storeVertical(int64_t across) {
    if (currentY >= previousY) stepDownAmount = narrow(across);
    else stepUpAmount = narrow(across);
}

bool Behaviour::mostlyDown() {
    if (!storeForwardStep(currentY, previousY, stepDownAmount)) return false;
    const int64_t across = distance(currentX, previousX);
    storeHorizontal(across);
    return difference(currentY, previousY) >= across;
}

bool Behaviour::mostlyUp() {
    if (!storeForwardStep(previousY, currentY, stepUpAmount)) return false;
    const int64_t across = distance(currentX, previousX);
    storeHorizontal(across);
    return difference(previousY, currentY) >= across;
}

bool Behaviour::mostlyLeft() {
    if (!storeForwardStep(previousX, currentX, stepLeftAmount)) return false;
    const int64_t across = distance(currentY, previousY);
    storeVertical(across);
    return difference(previousX, currentX) >= across;
}

bool Behaviour::mostlyRight() {
    if (!storeForwardStep(currentX, previousX, stepRightAmount)) return false;
    const int64_t across = distance(currentY, previousY);
    storeVertical(across);
    return difference(currentX, previousX) >= across;
}

}  // namespace ocre
