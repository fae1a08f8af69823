#include "protocol/ClientView.h"

#include <cstring>
#include <initializer_list>
#include <string_view>

#include "net/NetworkService.h"
#include "protocol/CameraRule.h"
#include "world/Actor.h"
#include "world/Scene.h"

namespace ocre::protocol {

namespace {

int32_t wrapToInt32(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value)); }

// The display texts hold only "%u" conversions, so they are written here
// directly, byte for byte as snprintf writes them: a pass sends thousands
// of them, and parsing the format each time cost more than the send.
constexpr std::string_view kConversion = "%u";
constexpr size_t kMaxDecimalDigits = 10;  // of a 32-bit unsigned value

// Plain index loops: string_view's searches are not constant expressions
// in sanitizer builds.
constexpr bool conversionAt(std::string_view format, size_t at) {
    return at + 1 < format.size() && format[at] == kConversion[0] && format[at + 1] == kConversion[1];
}

constexpr size_t conversionsIn(std::string_view format) {
    size_t count = 0;
    for (size_t at = 0; at < format.size(); ++at) count += conversionAt(format, at) ? 1 : 0;
    return count;
}

constexpr bool onlyUnsignedConversions(std::string_view format) {
    for (size_t at = 0; at < format.size(); ++at)
        if (format[at] == '%' && !conversionAt(format, at)) return false;
    return true;
}
static_assert(onlyUnsignedConversions(kCameraFormat) && onlyUnsignedConversions(kActorFormat),
              "writeText knows only \"%u\"");
static_assert(conversionsIn(kCameraFormat) == 3, "the camera text is client number, x and y");

// The longest text a format can give, so that it is known to fit.
constexpr size_t longestText(std::string_view format) {
    const size_t conversions = conversionsIn(format);
    return format.size() - conversions * kConversion.size() + conversions * kMaxDecimalDigits;
}
static_assert(longestText(kCameraFormat) < kDatagramSize && longestText(kActorFormat) < kDatagramSize,
              "a display text and its terminator must fit in one datagram");

char* writeDecimal(char* out, uint32_t value) {
    char digits[kMaxDecimalDigits];
    size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0) *out++ = digits[--count];
    return out;
}

// Writes the format from `out` on, each "%u" replaced by the next value;
// returns the end of the text (no terminator is written).
// Every '%' of a display text begins a "%u" (checked above).
char* writeText(char* out, std::string_view format, std::initializer_list<uint32_t> values) {
    const uint32_t* value = values.begin();
    for (size_t at = 0; at < format.size(); ++at) {
        if (format[at] == '%' && value != values.end()) {
            out = writeDecimal(out, *value++);
            ++at;
        } else {
            *out++ = format[at];
        }
    }
    return out;
}

// The actor text up to its second conversion (client number included) does
// not change from one actor to the next: a view writes it once per pass.
constexpr size_t actorFormatSplit() {
    const std::string_view format = kActorFormat;
    for (size_t at = 0, seen = 0; at < format.size(); ++at)
        if (conversionAt(format, at) && ++seen == 2) return at;
    return format.size();
}
constexpr std::string_view kActorFormatHead = std::string_view(kActorFormat).substr(0, actorFormatSplit());
constexpr std::string_view kActorFormatTail = std::string_view(kActorFormat).substr(actorFormatSplit());
static_assert(conversionsIn(kActorFormatHead) == 1 && conversionsIn(kActorFormatTail) == 4,
              "the actor text is client number, then index, x, y and animation");

}  // namespace

ClientView::ClientView(uint32_t clientNumber, int32_t width, int32_t height, Scene& scene, NetworkService& service,
                       const char* host, uint16_t port)
    : clientNumber_(clientNumber), scene_(scene), width_(width), height_(height), service_(service) {
    hasDestination_ = service_.resolve_host(&destination_, host, port) != -1;
}

void ClientView::refresh() {
    char* const text = message_.data();
    setTextEnd(writeText(text, kCameraFormat,
                         {clientNumber_, static_cast<uint32_t>(originX_), static_cast<uint32_t>(originY_)}));
    sendMessage();

    if (followed_) centreOn(static_cast<int32_t>(followed_->x), static_cast<int32_t>(followed_->y));

    char* const tail = writeText(text, kActorFormatHead, {clientNumber_});
    for (int32_t i = 0; i < scene_.sharedCount(); ++i) {
        const Actor* actor = scene_.sharedActor(i);
        setTextEnd(writeText(tail, kActorFormatTail,
                             {static_cast<uint32_t>(i), actor->x, actor->y, actor->animationIndex()}));
        sendMessage();
    }
}

// Everything from the end of the text on must be zero: only what the
// previous, longer text left there is cleared.
void ClientView::setTextEnd(char* end) {
    const auto length = static_cast<size_t>(end - message_.data());
    if (length < textLength_) std::memset(end, 0, textLength_ - length);
    textLength_ = length;
}

void ClientView::sendMessage() {
    // A failed send is only recorded by the transport: the next pass sends a
    // complete picture again.
    if (hasDestination_) service_.send_udp(&destination_, message_.data(), static_cast<int>(message_.size()));
}

void ClientView::centreOn(int32_t x, int32_t y) {
    const int64_t wantedX = int64_t{x} - width_ / 2;
    if (originAllowed(wantedX, scene_.mapWidth(), width_)) originX_ = static_cast<int32_t>(wantedX);
    const int64_t wantedY = int64_t{y} - height_ / 2;
    if (originAllowed(wantedY, scene_.mapHeight(), height_)) originY_ = static_cast<int32_t>(wantedY);
}

void ClientView::setOriginX(int32_t x) {
    if (originAllowed(x, scene_.mapWidth(), width_)) originX_ = x;
}

void ClientView::setOriginY(int32_t y) {
    if (originAllowed(y, scene_.mapHeight(), height_)) originY_ = y;
}

void ClientView::setFollowedActor(Actor* actor) {
    if (followed_ && followed_->followedBy == this) followed_->followedBy = nullptr;
    followed_ = actor;
    originX_ = 0;
    originY_ = 0;
    if (!actor) return;
    centreOn(static_cast<int32_t>(actor->x), static_cast<int32_t>(actor->y));
    actor->followedBy = this;
}

int32_t ClientView::toWorldX(int32_t screenX) const { return wrapToInt32(int64_t{originX_} + screenX); }

int32_t ClientView::toWorldY(int32_t screenY) const { return wrapToInt32(int64_t{originY_} + screenY); }

}  // namespace ocre::protocol
