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

}  // namespace

int32_t Behaviour::stepDown() {
    if (currentY < previousY) return 0;
    stepDownAmount = narrow(difference(currentY, previousY));
    return stepDownAmount;
}

int32_t Behaviour::stepUp() {
    if (currentY > previousY) return 0;
    stepUpAmount = narrow(difference(previousY, currentY));
    return stepUpAmount;
}

int32_t Behaviour::stepRight() {
    if (currentX < previousX) return 0;
    stepRightAmount = narrow(difference(currentX, previousX));
    return stepRightAmount;
}

int32_t Behaviour::stepLeft() {
    if (currentX > previousX) return 0;
    stepLeftAmount = narrow(difference(previousX, currentX));
    return stepLeftAmount;
}

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
    if (currentY < previousY) return false;
    const int64_t along = difference(currentY, previousY);
    const int64_t across = distance(currentX, previousX);
    stepDownAmount = narrow(along);
    storeHorizontal(across);
    return along >= across;
}

bool Behaviour::mostlyUp() {
    if (currentY > previousY) return false;
    const int64_t along = difference(previousY, currentY);
    const int64_t across = distance(currentX, previousX);
    stepUpAmount = narrow(along);
    storeHorizontal(across);
    return along >= across;
}

bool Behaviour::mostlyLeft() {
    if (currentX > previousX) return false;
    const int64_t along = difference(previousX, currentX);
    const int64_t across = distance(currentY, previousY);
    stepLeftAmount = narrow(along);
    storeVertical(across);
    return along >= across;
}

bool Behaviour::mostlyRight() {
    if (currentX < previousX) return false;
    const int64_t along = difference(currentX, previousX);
    const int64_t across = distance(currentY, previousY);
    stepRightAmount = narrow(along);
    storeVertical(across);
    return along >= across;
}

}  // namespace ocre
