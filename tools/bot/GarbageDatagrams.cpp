#include "tools/bot/GarbageDatagrams.h"

#include "protocol/ProtocolTexts.h"
#include "tools/common/ServerMessage.h"

namespace ocre::bot {

namespace {

using namespace protocol;

// Past the 128 bytes the server's socket keeps of a datagram.
constexpr size_t kLongestGarbage = 300;
// Refusals of the garbage requests go to the discard port, not to a bot.
constexpr uint16_t kDiscardPort = 9;
constexpr char kReplyHost[] = "127.0.0.1";
constexpr char kWrongPassword[] = "not-the-password";
constexpr uint32_t kNobody = 7;

enum Kind { kRandomBytes, kWrongPasswordRequest, kLongLoginRequest, kShortRequest, kUnknownWord, kOtherClient,
            kLongWord, kCutCommand, kKindCount };

}  // namespace

GarbageDatagrams::GarbageDatagrams(uint32_t seed) : random_(seed) {}

size_t GarbageDatagrams::upTo(size_t most) { return std::uniform_int_distribution<size_t>(0, most)(random_); }

std::string GarbageDatagrams::randomBytes(size_t length) {
    std::string bytes(length, '\0');
    for (char& c : bytes) c = static_cast<char>(upTo(255));
    return bytes;
}

std::string GarbageDatagrams::next() {
    const std::string word = kCommandWords[upTo(kCommandWordCount - 1)];
    std::string text;
    switch (static_cast<Kind>(upTo(kKindCount - 1))) {
    case kRandomBytes:
        return randomBytes(upTo(kLongestGarbage));
    case kWrongPasswordRequest:
        text = common::requestText("garbage", kWrongPassword, kReplyHost, kDiscardPort);
        break;
    case kLongLoginRequest:
        text = common::requestText(std::string(kLoginCapacity + 1 + upTo(20), 'g'), kPassword, kReplyHost,
                                   kDiscardPort);
        break;
    case kShortRequest: {
        // Cut before the port at least, so that a field is always missing.
        const std::string whole = common::requestText("garbage", kPassword, kReplyHost, kDiscardPort);
        text = whole.substr(0, upTo(whole.size() - 1));
        break;
    }
    case kUnknownWord:
        text = common::commandText(kSteeringClientNumber, word + randomBytes(1 + upTo(3)));
        break;
    case kOtherClient:
        text = common::commandText(kNobody, word);
        break;
    case kLongWord:
        text = common::commandText(kSteeringClientNumber, word + std::string(kCommandWordCapacity, 'x'));
        break;
    case kCutCommand:
        // No zero byte: the text ends where the datagram does.
        text = common::commandText(kSteeringClientNumber, word);
        return text.substr(0, upTo(text.size()));
    case kKindCount:
        break;
    }
    return text + '\0';
}

}  // namespace ocre::bot
