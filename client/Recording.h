#pragma once
// Record files: every datagram a client received, with its arrival time,
// so that a session can be played again without a server.
//
// Format (version 1): the magic line "ocre-client record 1\n", then one
// entry per datagram: u32 milliseconds since the recording began, u16
// length (at most kMaxRecordedDatagram), then that many bytes. Integers are
// little-endian; times never go back.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace ocre::client {

inline constexpr char kRecordMagic[] = "ocre-client record 1\n";
// The client receives no more of a datagram than this.
constexpr size_t kMaxRecordedDatagram = 2048;

struct RecordedDatagram {
    uint32_t milliseconds = 0;
    std::vector<uint8_t> bytes;
};

// Reads a whole record file held in memory; false with a one-line reason
// (and no datagrams) when it is not a well-formed version 1 file.
bool parseRecording(const uint8_t* bytes, size_t size, std::vector<RecordedDatagram>& datagrams, std::string& error);
// The same from a file.
bool loadRecording(const std::string& path, std::vector<RecordedDatagram>& datagrams, std::string& error);

class RecordWriter {
public:
    RecordWriter() = default;
    ~RecordWriter();
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    // Creates the file and writes the magic line; false with a reason.
    bool open(const std::string& path, std::string& error);
    // Appends one datagram (cut to kMaxRecordedDatagram); false once a write
    // has failed.
    bool write(uint32_t milliseconds, const uint8_t* bytes, size_t length);
    bool close();

private:
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

}  // namespace ocre::client
