#include "tools/common/ServerMessage.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "protocol/ProtocolTexts.h"

namespace ocre::common {

namespace {

using namespace protocol;

// The rest of the text after a reply's fixed words and one blank.
bool afterPrefix(const std::string& text, const char* prefix, std::string& rest) {
    const size_t length = std::strlen(prefix);
    if (text.compare(0, length, prefix) != 0) return false;
    if (text.size() == length) {
        rest.clear();
        return true;
    }
    if (text[length] != ' ') return false;
    rest = text.substr(length + 1);
    return true;
}

// The text written exactly as the format writes it: its fixed characters
// as they are, each %u a plain decimal that fits 32 bits (no sign, no
// leading zero), nothing after. Stricter than scanning, which would take
// signs, blanks, overflowing numbers and trailing junk.
template <size_t Count>
bool matchesExactly(const std::string& text, const char* format, uint32_t (&values)[Count]) {
    constexpr size_t kMaxDigits = 10;
    size_t at = 0;
    size_t field = 0;
    for (const char* f = format; *f; ++f) {
        if (f[0] == '%' && f[1] == 'u') {
            ++f;
            uint64_t value = 0;
            size_t digits = 0;
            while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits <= kMaxDigits) {
                value = value * 10 + static_cast<uint64_t>(text[at] - '0');
                ++at;
                ++digits;
            }
            if (digits == 0 || digits > kMaxDigits || value > UINT32_MAX || field == Count) return false;
            if (digits > 1 && text[at - digits] == '0') return false;
            values[field++] = static_cast<uint32_t>(value);
        } else if (at >= text.size() || text[at++] != *f) {
            return false;
        }
    }
    return at == text.size();
}

std::string formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string formatted(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list measuring;
    va_copy(measuring, args);
    const int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    std::vector<char> buffer(static_cast<size_t>(length > 0 ? length : 0) + 1, 0);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    return std::string(buffer.data());
}

}  // namespace

ServerMessage readServerMessage(const uint8_t* bytes, size_t length) {
    ServerMessage message;
    // An empty datagram may come without any buffer at all.
    if (length == 0) return message;
    const void* zero = std::memchr(bytes, 0, length);
    const size_t textLength = zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - bytes) : length;
    message.text.assign(reinterpret_cast<const char*>(bytes), textLength);
    // The server always ends its text with a zero byte; without one the
    // datagram was cut or forged.
    if (!zero) return message;

    uint32_t v[5] = {};
    if (matchesExactly(message.text, kCameraPattern, v)) {
        message.kind = ServerMessage::Kind::Camera;
    } else if (matchesExactly(message.text, kActorPattern, v)) {
        message.kind = ServerMessage::Kind::Actor;
    } else if (afterPrefix(message.text, kAcceptancePrefix, message.detail)) {
        message.kind = ServerMessage::Kind::Accepted;
        return message;
    } else if (afterPrefix(message.text, kRefusalPrefix, message.detail)) {
        message.kind = ServerMessage::Kind::Refused;
        return message;
    } else {
        return message;
    }
    message.client = v[0];
    for (int i = 0; i < 4; ++i) message.values[i] = v[i + 1];
    return message;
}

std::string requestText(const std::string& login, const std::string& password, const std::string& host,
                        uint16_t port) {
    return formatted(kRequestFormat, kConnectionRequest, login.c_str(), password.c_str(), host.c_str(),
                     static_cast<unsigned>(port));
}

std::string commandText(uint32_t client, const std::string& word) {
    return formatted(kCommandFormat, static_cast<unsigned>(client), word.c_str());
}

}  // namespace ocre::common
