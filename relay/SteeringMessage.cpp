#include "relay/SteeringMessage.h"

#include <cstring>

namespace ocre::relay {

namespace {

constexpr char kSteer[] = "steer";
constexpr char kRelease[] = "release";
constexpr char kDownPrefix[] = "down ";
constexpr char kUpPrefix[] = "up ";

bool startsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

int steeringWordIndex(const std::string& word) {
    for (int i = 0; i < kSteeringWordCount; ++i)
        if (word == kSteeringWords[i]) return i;
    return -1;
}

}  // namespace

BrowserMessage readBrowserMessage(const char* data, size_t length, bool binary) {
    BrowserMessage message;
    if (binary || length > kMaxBrowserMessage) {
        message.request = BrowserRequest::Close;
        return message;
    }
    // Exact comparisons only: no trimming, no case folding, so every
    // accepted message has one spelling.
    const std::string text(data, length);
    if (text == kSteer) {
        message.request = BrowserRequest::Steer;
    } else if (text == kRelease) {
        message.request = BrowserRequest::Release;
    } else if (startsWith(text, kDownPrefix) || startsWith(text, kUpPrefix)) {
        const bool down = startsWith(text, kDownPrefix);
        const int word = steeringWordIndex(text.substr(std::strlen(down ? kDownPrefix : kUpPrefix)));
        if (word >= 0) {
            message.request = down ? BrowserRequest::KeyDown : BrowserRequest::KeyUp;
            message.word = word;
        }
    }
    return message;
}

}  // namespace ocre::relay
