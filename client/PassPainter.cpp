#include "client/PassPainter.h"

#include <utility>

namespace ocre::client {

namespace {
constexpr auto kStatusRefresh = std::chrono::milliseconds(250);
}  // namespace

PassPainter::PassPainter(PassReader& reader, Picture& picture, std::function<std::string()> status)
    : reader_(reader), picture_(picture), status_(std::move(status)) {}

PassReader::Outcome PassPainter::feed(const uint8_t* bytes, size_t length, Clock::time_point now) {
    PassReader::Outcome outcome = reader_.receive(bytes, length, now);
    if (reader_.takeNewPass()) {
        picture_.draw(reader_.latest(), status_());
        pending_ = true;
        ++passesDrawn_;
    }
    return outcome;
}

void PassPainter::redraw() {
    picture_.draw(reader_.latest(), status_());
    pending_ = true;
}

void PassPainter::refreshStatusLine(Clock::time_point now) {
    if (now < nextStatus_) return;
    std::string text = status_();
    if (text != shownStatus_) redraw();
    shownStatus_ = std::move(text);
    nextStatus_ = now + kStatusRefresh;
}

void PassPainter::presentIfDrawn() {
    if (!pending_) return;
    picture_.present();
    pending_ = false;
}

}  // namespace ocre::client
