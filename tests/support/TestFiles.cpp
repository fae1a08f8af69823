#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace ocre::test {

TempDir::TempDir() {
    char pattern[] = "/tmp/ocre-test-XXXXXX";
    if (mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::string command = "rm -rf '" + path_ + "'";
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", path_.c_str());
}

Bytes& Bytes::u8(uint32_t v) { return raw({static_cast<uint8_t>(v)}); }
Bytes& Bytes::u16(uint32_t v) { return u8(v).u8(v >> 8); }
Bytes& Bytes::u32(uint32_t v) { return u8(v).u8(v >> 8).u8(v >> 16).u8(v >> 24); }
Bytes& Bytes::text(const std::string& s) { return raw(std::vector<uint8_t>(s.begin(), s.end())); }
Bytes& Bytes::raw(const std::vector<uint8_t>& more) {
    data_.insert(data_.end(), more.begin(), more.end());
    return *this;
}

void writeFile(const std::string& path, const std::vector<uint8_t>& contents) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(contents.data()), static_cast<std::streamsize>(contents.size()));
}

void writeFile(const std::string& path, const std::string& contents) {
    writeFile(path, std::vector<uint8_t>(contents.begin(), contents.end()));
}

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string captureStdout(const std::function<void()>& body) {
    testing::internal::CaptureStdout();
    body();
    return testing::internal::GetCapturedStdout();
}

}  // namespace ocre::test
