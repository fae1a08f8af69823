#include "core/Fatal.h"

#include <cstdarg>
#include <cstdlib>
#include <unistd.h>

namespace ocre {

namespace {
[[noreturn]] void endProcess() {
    std::fflush(stdout);
    std::fflush(stderr);
    // _exit rather than exit: the network thread and SDL's timer thread may
    // still be running, and no destructor or atexit handler must race them.
    _exit(-1);
}
}  // namespace

void fatal(const char* text) { fatalTo(stdout, text); }

void fatalTo(std::FILE* stream, const char* text) {
    std::fputs(text, stream);
    endProcess();
}

void fatalf(std::FILE* stream, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(stream, format, args);
    va_end(args);
    endProcess();
}

}  // namespace ocre
