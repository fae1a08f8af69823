#include "client/Recording.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "core/LittleEndian.h"

namespace ocre::client {

namespace {
constexpr size_t kMagicLength = sizeof kRecordMagic - 1;
// Where the fields of an entry lie (the format is described in the header).
constexpr size_t kEntryTimeOffset = 0;
constexpr size_t kEntryLengthOffset = 4;
constexpr size_t kEntryHeader = 6;
}  // namespace

bool parseRecording(const uint8_t* bytes, size_t size, std::vector<RecordedDatagram>& datagrams,
                    std::string& error) {
    datagrams.clear();
    if (size < kMagicLength || std::memcmp(bytes, kRecordMagic, kMagicLength) != 0) {
        error = "not an ocre-client record file (its first line is not \"ocre-client record 1\")";
        return false;
    }
    std::vector<RecordedDatagram> read;
    size_t at = kMagicLength;
    uint32_t previous = 0;
    while (at < size) {
        const std::string where = "entry " + std::to_string(read.size() + 1) + " at byte " + std::to_string(at);
        if (size - at < kEntryHeader) {
            error = where + " is cut short";
            return false;
        }
        const uint32_t milliseconds = decodeU32(bytes + at + kEntryTimeOffset);
        const size_t length = decodeU16(bytes + at + kEntryLengthOffset);
        at += kEntryHeader;
        if (milliseconds < previous) {
            error = where + " goes back in time";
            return false;
        }
        if (length > kMaxRecordedDatagram) {
            error = where + " holds " + std::to_string(length) + " bytes, more than " +
                    std::to_string(kMaxRecordedDatagram);
            return false;
        }
        if (size - at < length) {
            error = where + " is cut short";
            return false;
        }
        read.push_back({milliseconds, std::vector<uint8_t>(bytes + at, bytes + at + length)});
        at += length;
        previous = milliseconds;
    }
    datagrams = std::move(read);
    return true;
}

bool loadRecording(const std::string& path, std::vector<RecordedDatagram>& datagrams, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = "cannot read " + path;
        return false;
    }
    if (!parseRecording(bytes.data(), bytes.size(), datagrams, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

RecordWriter::~RecordWriter() { close(); }

bool RecordWriter::open(const std::string& path, std::string& error) {
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_ || std::fwrite(kRecordMagic, 1, kMagicLength, file_) != kMagicLength) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool RecordWriter::write(uint32_t milliseconds, const uint8_t* bytes, size_t length) {
    if (!file_ || failed_) return false;
    if (length > kMaxRecordedDatagram) length = kMaxRecordedDatagram;
    uint8_t header[kEntryHeader];
    encodeU32(milliseconds, header + kEntryTimeOffset);
    encodeU16(static_cast<uint16_t>(length), header + kEntryLengthOffset);
    failed_ = std::fwrite(header, 1, kEntryHeader, file_) != kEntryHeader ||
              std::fwrite(bytes, 1, length, file_) != length;
    return !failed_;
}

bool RecordWriter::close() {
    if (!file_) return !failed_;
    failed_ = std::fclose(file_) != 0 || failed_;
    file_ = nullptr;
    return !failed_;
}

}  // namespace ocre::client
