#include "data/DataFile.h"

#include <sys/stat.h>

#include "core/Fatal.h"
#include "core/LittleEndian.h"

namespace ocre {

namespace {
constexpr const char* kOpenFailed = "erreur d'ouverture du fichier ";
constexpr const char* kTruncated = "fichier trop court ";
}  // namespace

DataFile::DataFile(const char* fileName) : name_(fileName), file_(std::fopen(fileName, "rb")) {
    if (file_ == nullptr) fatalf(stdout, "%s%s", kOpenFailed, fileName);
}

DataFile::~DataFile() { close(); }

void DataFile::close() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
}

uint64_t DataFile::size() const {
    struct stat info;
    if (file_ == nullptr || fstat(fileno(file_), &info) != 0 || info.st_size < 0) return 0;
    return static_cast<uint64_t>(info.st_size);
}

void DataFile::requireSize(uint64_t bytes) const {
    if (size() < bytes) refuseTruncated();
}

void DataFile::refuseTruncated() const {
    fatalf(stdout, "%s%s", kTruncated, name_.c_str());
}

bool DataFile::readU8(uint8_t& out) {
    const int c = nextByte();
    if (c == EOF) return false;
    out = static_cast<uint8_t>(c);
    return true;
}

bool DataFile::readU16(uint16_t& out) {
    uint8_t bytes[2];
    if (readBytes(bytes, sizeof bytes) != sizeof bytes) return false;
    out = decodeU16(bytes);
    return true;
}

bool DataFile::readU32(uint32_t& out) {
    uint8_t bytes[4];
    if (readBytes(bytes, sizeof bytes) != sizeof bytes) return false;
    out = decodeU32(bytes);
    return true;
}

size_t DataFile::readBytes(void* buffer, size_t count) {
    if (file_ == nullptr || count == 0) return 0;
    return std::fread(buffer, 1, count, file_);
}

int DataFile::nextByte() { return file_ == nullptr ? EOF : std::fgetc(file_); }

void DataFile::rewind() {
    if (file_ != nullptr) std::rewind(file_);
}

}  // namespace ocre
