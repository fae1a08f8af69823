#pragma once
// What the live and the replayed session both do with each datagram: read
// it, and draw every pass it finishes, so that the animations advance once
// per pass whatever the datagrams' grouping, and a replay shows the frames
// of the session it was recorded from.

#include <cstdint>
#include <functional>
#include <string>

#include "client/PassReader.h"
#include "client/Picture.h"

namespace ocre::client {

class PassPainter {
public:
    // status gives the status line's text at drawing time ("" for none).
    PassPainter(PassReader& reader, Picture& picture, std::function<std::string()> status);

    PassReader::Outcome feed(const uint8_t* bytes, size_t length, Clock::time_point now);
    // Draws the latest pass again (a new status line).
    void redraw();
    // Between passes the status line changes too (silence, the rates): at
    // most a few times a second, draws again when its text has changed.
    void refreshStatusLine(Clock::time_point now);
    // Shows the window if anything was drawn since the last call.
    void presentIfDrawn();

    uint64_t passesDrawn() const { return passesDrawn_; }

private:
    PassReader& reader_;
    Picture& picture_;
    std::function<std::string()> status_;
    bool pending_ = false;
    Clock::time_point nextStatus_{};
    std::string shownStatus_;
    uint64_t passesDrawn_ = 0;
};

}  // namespace ocre::client
