#include "core/Fatal.h"

#include <cstdarg>
#include <cstdlib>
#include <unistd.h>

#include <vector>

namespace ocre {

namespace {

thread_local int refusalDepth = 0;

[[noreturn]] void endProcess() {
    std::fflush(stdout);
    std::fflush(stderr);
    // _exit rather than exit: the network thread and SDL's timer thread may
    // still be running, and no destructor or atexit handler must race them.
    _exit(-1);
}

}  // namespace

namespace detail {
void enterRefusalScope() { ++refusalDepth; }
void leaveRefusalScope() { --refusalDepth; }
}  // namespace detail

void fatal(const char* text) { fatalTo(stdout, text); }

void fatalTo(std::FILE* stream, const char* text) {
    if (refusalDepth > 0) throw FatalRefusal{text};
    std::fputs(text, stream);
    endProcess();
}

void fatalf(std::FILE* stream, const char* format, ...) {
    va_list args;
    if (refusalDepth > 0) {
        va_start(args, format);
        const int length = std::vsnprintf(nullptr, 0, format, args);
        va_end(args);
        std::vector<char> text(length > 0 ? static_cast<size_t>(length) + 1 : 1, '\0');
        va_start(args, format);
        std::vsnprintf(text.data(), text.size(), format, args);
        va_end(args);
        throw FatalRefusal{text.data()};
    }
    va_start(args, format);
    std::vfprintf(stream, format, args);
    va_end(args);
    endProcess();
}

}  // namespace ocre
