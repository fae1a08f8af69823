#pragma once
// Fatal start-up and loading failures: the message goes out byte for byte
// (no newline is added) and the process ends at once with status -1,
// releasing nothing, as every loader of the server expects.

#include <cstdio>

namespace ocre {

[[noreturn]] void fatal(const char* text);
[[noreturn]] void fatalTo(std::FILE* stream, const char* text);
[[noreturn]] void fatalf(std::FILE* stream, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

}  // namespace ocre
