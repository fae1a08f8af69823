#pragma once
// Many spectators of a relay's live stream in one process and one thread:
// each reads every message, decodes the frames with the relay's own reader
// and counts them; stalled ones complete the WebSocket handshake with a
// tiny receive window and then read nothing, as a browser tab that hangs
// would. The Beast and Asio code stays in the source.

#include <cstdint>
#include <string>
#include <vector>

namespace ocre::spectators {

struct CrowdOptions {
    std::string host = "127.0.0.1";
    std::string port = "8080";
    std::string path = "/live";
    uint32_t spectators = 100;
    uint32_t stalled = 0;
    double seconds = 10;        // the measured stretch, once every spectator is in
    double connectSeconds = 20; // the longest wait for every handshake
    double drainSeconds = 5;    // the longest wait for a stalled one's end
};

struct SpectatorCount {
    bool connected = false;
    bool failed = false;        // a read error or close before the end
    std::string failure;
    uint64_t frames = 0;        // within the measured stretch
    uint64_t bytes = 0;         // on the wire within the stretch: payloads and frame headers
    uint64_t skipped = 0;       // sequence numbers jumped over within the stretch
    uint64_t badFrames = 0;
    uint64_t numbered = 0;      // passes the relay numbered within the stretch, from the first frame to the last
};

struct CrowdResult {
    double measuredSeconds = 0;
    std::vector<SpectatorCount> spectators;
    uint32_t stalledConnected = 0;
    uint32_t stalledClosed = 0;  // stalled ones the relay had closed by the end of the drain
    int64_t relayCountMost = -1; // spectators as the relay's status messages gave them
    int64_t relayCountLast = -1;
    std::string error;           // a failure of the whole run (no address, nobody connected)
};

CrowdResult runCrowd(const CrowdOptions& options);

}  // namespace ocre::spectators
