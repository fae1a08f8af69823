#pragma once
// An open data file of the game's data set, read with explicit little-endian
// decoding. Opening failures and files shorter than their own header claims
// end the process with the loaders' French messages.

#include <cstdint>
#include <cstdio>
#include <new>
#include <string>

#include "core/Fatal.h"

namespace ocre {

class DataFile {
public:
    // Opens for binary reading, or ends the process with
    // "erreur d'ouverture du fichier " and the name.
    explicit DataFile(const char* fileName);
    ~DataFile();
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    // The number of bytes in the file (0 if it cannot be told).
    uint64_t size() const;
    // Ends the process with "fichier trop court " and the name unless the
    // file holds at least this many bytes.
    void requireSize(uint64_t bytes) const;
    [[noreturn]] void refuseTruncated() const;
    // Runs one of the loader's allocations; if memory runs out, the process
    // ends with the loader's message for it.
    template <typename Allocate>
    void allocateOrDie(const char* message, Allocate allocate) {
        try {
            allocate();
        } catch (const std::bad_alloc&) {
            close();
            fatal(message);
        }
    }

    // Each returns false (leaving the output as it was) on a short read.
    bool readU8(uint8_t& out);
    bool readU16(uint16_t& out);
    bool readU32(uint32_t& out);
    // The number of bytes actually read.
    size_t readBytes(void* buffer, size_t count);
    // The next byte, or EOF.
    int nextByte();

    void rewind();
    void close();
    std::FILE* handle() const { return file_; }
    const std::string& name() const { return name_; }

private:
    std::string name_;
    std::FILE* file_;
};

}  // namespace ocre
