#include "data/Path.h"

#include <algorithm>

#include "data/DataFile.h"

namespace ocre {

namespace {

constexpr const char* kNoMemoryForPath = "pas assez de memoire pour allouer le path ";

void readCoordinates(DataFile& file, std::vector<int32_t>& values) {
    for (int32_t& value : values) {
        uint32_t raw = 0;
        if (!file.readU32(raw)) file.refuseTruncated();
        value = static_cast<int32_t>(raw);
    }
}

}  // namespace

Path::Path(const char* fileName) {
    DataFile file(fileName);
    uint32_t count = 0;
    uint8_t loop = 0;
    if (!file.readU32(count) || !file.readU8(loop)) file.refuseTruncated();
    // A damaged count must not make us allocate arrays the file cannot fill.
    file.requireSize(kPathHeaderBytes + kPathWaypointBytes * count);
    count_ = count;
    loop_ = loop;

    file.allocateOrDie(kNoMemoryForPath, [&] {
        xs_.resize(count_);
        ys_.resize(count_);
        zs_.resize(count_);
    });
    readCoordinates(file, xs_);
    readCoordinates(file, ys_);
    readCoordinates(file, zs_);
    file.close();
}

Path::Path(std::vector<int32_t> xs, std::vector<int32_t> ys)
    : xs_(std::move(xs)), ys_(std::move(ys)), count_(static_cast<uint32_t>(std::min(xs_.size(), ys_.size()))) {}

bool Path::advance() {
    // An empty route has no waypoint to start again from, looping or not.
    if (count_ == 0) return false;
    if (cursor_ >= count_) {
        if (loop_ == 0) return false;
        // The cursor restarts at 0 without moving past it, so the first
        // waypoint is produced twice in a row on every lap.
        cursor_ = 0;
        moveTo(0);
        return true;
    }
    moveTo(cursor_);
    ++cursor_;
    return true;
}

void Path::moveTo(uint32_t index) {
    previousX = currentX;
    previousY = currentY;
    previousZ = currentZ;
    currentX = xs_[index];
    currentY = ys_[index];
    if (index < zs_.size()) currentZ = zs_[index];
}

}  // namespace ocre
