#include <SDL.h>

#include <algorithm>

#include "client/PassPainter.h"
#include "client/Sessions.h"
#include "client/StatusLine.h"
#include "client/WindowInput.h"

namespace ocre::client {

namespace {
using namespace std::chrono;
constexpr int kLongestWaitMs = 10;
}  // namespace

int runReplay(const ClientOptions& options, const std::vector<RecordedDatagram>& datagrams, PassReader& reader,
              Picture& picture, RunSummary& summary) {
    LinkStatus link;
    link.state = LinkState::Replaying;
    bool statusOn = options.statusLine;
    auto statusText_ = [&] { return statusOn ? statusText(link) : std::string(); };
    PassPainter painter(reader, picture, statusText_);
    const auto start = steady_clock::now();
    size_t next = 0;

    while (next < datagrams.size()) {
        const auto now = steady_clock::now();
        if (options.seconds > 0 && now - start >= duration<double>(options.seconds)) break;
        const WindowRound round = readWindow();
        if (round.quit) break;
        if (round.toggleStatus) {
            statusOn = !statusOn;
            painter.redraw();
        }
        // Milliseconds of the recording that have been played by now.
        const double played = duration<double, std::milli>(now - start).count() * options.replaySpeed;
        while (next < datagrams.size() && datagrams[next].milliseconds <= played) {
            link.client = reader.clientNumber();
            link.passesPerSecond = reader.passesInLastSecond(now);
            link.missing = reader.missing(now);
            painter.feed(datagrams[next].bytes.data(), datagrams[next].bytes.size(), now);
            ++next;
        }
        link.silent = reader.lastUpdate() && now - *reader.lastUpdate() >= seconds(1);
        painter.refreshStatusLine(now);
        painter.presentIfDrawn();
        if (next < datagrams.size()) {
            const double wait = (datagrams[next].milliseconds - played) / options.replaySpeed;
            SDL_Delay(static_cast<Uint32>(std::clamp(wait, 0.0, double{kLongestWaitMs})));
        }
    }
    summary.passesDrawn = painter.passesDrawn();
    summary.ignored = reader.ignored();
    summary.seconds = duration<double>(steady_clock::now() - start).count();
    return 0;
}

}  // namespace ocre::client
