#include "protocol/ProtocolParsing.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "protocol/ProtocolTexts.h"

namespace ocre::protocol {

namespace {

static_assert(kCommandWordCount == kCommandCount, "one command word per command flag, in flag order");

// One character more than the capacity, plus the terminator: a word that
// fills the extra character is too long.
template <size_t Capacity>
using WordBuffer = std::array<char, Capacity + 2>;

template <size_t Capacity>
bool fits(const WordBuffer<Capacity>& word) {
    return std::strlen(word.data()) <= Capacity;
}

// The width of the n-th "%<width>s" conversion of a scanning pattern, 0
// when it has fewer. The widths are written into the patterns by hand, so
// they are checked against the capacities here, when the server is built:
// a width above the buffer would overrun it, one below would let an
// over-long word pass as a shorter one.
constexpr size_t scanWidth(std::string_view pattern, int n) {
    for (size_t at = 0; at < pattern.size(); ++at) {
        if (pattern[at] != '%') continue;
        size_t width = 0;
        size_t end = at + 1;
        for (; end < pattern.size() && pattern[end] >= '0' && pattern[end] <= '9'; ++end)
            width = width * 10 + static_cast<size_t>(pattern[end] - '0');
        if (end < pattern.size() && pattern[end] == 's' && n-- == 0) return width;
        at = end;
    }
    return 0;
}
static_assert(scanWidth(kRequestPattern, 0) == kRequestCommandCapacity + 1 &&
                  scanWidth(kRequestPattern, 1) == kLoginCapacity + 1 &&
                  scanWidth(kRequestPattern, 2) == kPasswordCapacity + 1 &&
                  scanWidth(kRequestPattern, 3) == kHostCapacity + 1 && scanWidth(kRequestPattern, 4) == 0,
              "each word of a request is scanned one character beyond its capacity");
static_assert(scanWidth(kCommandPattern, 0) == kCommandWordCapacity + 1 && scanWidth(kCommandPattern, 1) == 0,
              "the command word is scanned one character beyond its capacity");

}  // namespace

std::string datagramText(const UDPpacket& packet) {
    if (packet.data == nullptr || packet.len <= 0) return std::string();
    int received = packet.len;
    if (packet.maxlen > 0) received = std::min(received, packet.maxlen);
    const char* bytes = reinterpret_cast<const char*>(packet.data);
    const void* zero = std::memchr(bytes, 0, static_cast<size_t>(received));
    const size_t length = zero ? static_cast<size_t>(static_cast<const char*>(zero) - bytes)
                               : static_cast<size_t>(received);
    return std::string(bytes, length);
}

bool looksLikeRequest(const std::string& text) {
    int matched = -1;
    std::sscanf(text.c_str(), kRequestPrefixPattern, &matched);
    return matched >= 0;
}

bool looksLikeCommand(const std::string& text) {
    unsigned number = 0;
    return std::sscanf(text.c_str(), kCommandPrefixPattern, &number) == 1;
}

bool parseConnectionRequest(const std::string& text, ConnectionRequest& request) {
    WordBuffer<kRequestCommandCapacity> command{};
    WordBuffer<kLoginCapacity> login{};
    WordBuffer<kPasswordCapacity> password{};
    WordBuffer<kHostCapacity> host{};
    unsigned port = 0;
    const int found = std::sscanf(text.c_str(), kRequestPattern, command.data(), login.data(), password.data(),
                                  host.data(), &port);
    if (found != kRequestFieldCount) return false;
    if (!fits<kRequestCommandCapacity>(command) || !fits<kLoginCapacity>(login) ||
        !fits<kPasswordCapacity>(password) || !fits<kHostCapacity>(host))
        return false;
    request.command = command.data();
    request.login = login.data();
    request.password = password.data();
    request.host = host.data();
    request.port = port;
    return true;
}

bool parseCommand(const std::string& text, uint32_t& clientNumber, std::string& word) {
    WordBuffer<kCommandWordCapacity> scanned{};
    unsigned number = 0;
    if (std::sscanf(text.c_str(), kCommandPattern, &number, scanned.data()) != 2) return false;
    if (!fits<kCommandWordCapacity>(scanned)) return false;
    clientNumber = number;
    word = scanned.data();
    return true;
}

bool commandForWord(const std::string& word, Command& command) {
    for (int i = 0; i < kCommandWordCount; ++i) {
        if (word == kCommandWords[i]) {
            command = static_cast<Command>(i);
            return true;
        }
    }
    return false;
}

}  // namespace ocre::protocol
