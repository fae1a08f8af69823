#pragma once
// Fatal start-up and loading failures: the message goes out byte for byte
// (no newline is added) and the process ends at once with status -1,
// releasing nothing, as every loader of the server expects.
//
// A tool or fuzz target that runs a loader to learn its verdict, rather than
// to stop on it, runs the load inside refusalOf: there a fatal failure
// prints nothing, leaves the load by unwinding (so its files and memory are
// released) and comes back as the message the server would have printed.

#include <cstdio>
#include <optional>
#include <string>

namespace ocre {

[[noreturn]] void fatal(const char* text);
[[noreturn]] void fatalTo(std::FILE* stream, const char* text);
[[noreturn]] void fatalf(std::FILE* stream, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// The exception that carries a refusal out of a load run by refusalOf; it
// never leaves refusalOf.
struct FatalRefusal {
    std::string message;
};

namespace detail {
// Nesting depth of refusalOf on this thread: fatal throws while it is > 0.
void enterRefusalScope();
void leaveRefusalScope();
}  // namespace detail

// Runs the load; returns the message of the fatal failure that ended it, or
// nothing when it completed.
template <typename Load>
std::optional<std::string> refusalOf(Load&& load) {
    detail::enterRefusalScope();
    try {
        load();
    } catch (FatalRefusal& refusal) {
        detail::leaveRefusalScope();
        return std::move(refusal.message);
    } catch (...) {
        detail::leaveRefusalScope();
        throw;
    }
    detail::leaveRefusalScope();
    return std::nullopt;
}

}  // namespace ocre
