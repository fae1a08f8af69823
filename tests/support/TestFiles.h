#pragma once
// Helpers for tests: temporary folders and little-endian file writing;
// with them, running code in a child process to observe how it ends.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"

namespace ocre::test {

// A fresh folder under /tmp, removed with its contents when destroyed.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Builds binary contents in little-endian order.
class Bytes {
public:
    Bytes& u8(uint32_t v);
    Bytes& u16(uint32_t v);
    Bytes& u32(uint32_t v);
    Bytes& i32(int32_t v) { return u32(static_cast<uint32_t>(v)); }
    Bytes& text(const std::string& s);
    Bytes& raw(const std::vector<uint8_t>& more);
    const std::vector<uint8_t>& data() const { return data_; }
    size_t size() const { return data_.size(); }

private:
    std::vector<uint8_t> data_;
};

void writeFile(const std::string& path, const std::vector<uint8_t>& contents);
void writeFile(const std::string& path, const std::string& contents);
std::vector<uint8_t> readFile(const std::string& path);

// What body prints on standard output.
std::string captureStdout(const std::function<void()>& body);

}  // namespace ocre::test
