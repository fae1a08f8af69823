// The graphical client's record files, read by parseRecording as its replay
// mode reads them, then played into its PassReader at the recorded times as
// the replay session plays them (the six actors of the server's world). The
// reader answers a malformed file with a reason; nothing here can be fatal:
// any abort or sanitizer report is a fault.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "client/ActorTable.h"
#include "client/PassReader.h"
#include "client/Recording.h"

using namespace ocre;

namespace {
constexpr uint32_t kAnimationsPerActor = 8;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<client::RecordedDatagram> datagrams;
    std::string error;
    if (!client::parseRecording(data, size, datagrams, error)) return 0;
    client::PassReader reader(std::vector<uint32_t>(client::kActorCount, kAnimationsPerActor));
    for (const client::RecordedDatagram& datagram : datagrams) {
        const auto now = client::Clock::time_point{} + std::chrono::milliseconds(datagram.milliseconds);
        reader.missing(now);
        reader.passesInLastSecond(now);
        reader.receive(datagram.bytes.data(), datagram.bytes.size(), now);
        reader.takeNewPass();
    }
    return 0;
}
