#include "client/Recording.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include "client/ActorTable.h"
#include "client/PassPainter.h"
#include "tests/client/ClientTestSupport.h"

namespace ocre::test {
namespace {

using client::RecordedDatagram;

std::vector<uint8_t> withMagic(const std::vector<uint8_t>& entries) {
    const std::string magic = client::kRecordMagic;
    std::vector<uint8_t> file(magic.begin(), magic.end());
    file.insert(file.end(), entries.begin(), entries.end());
    return file;
}

TEST(Recording, RefusesFilesThatAreNotWellFormed) {
    const struct { const char* what; std::vector<uint8_t> bytes; const char* reason; } bad[] = {
        {"empty", {}, "not an ocre-client record file"},
        {"another version", Bytes().text("ocre-client record 2\n").data(), "not an ocre-client record file"},
        {"cut in a header", withMagic(Bytes().u32(5).u8(1).data()), "entry 1 at byte 21 is cut short"},
        {"cut in the bytes", withMagic(Bytes().u32(5).u16(4).text("abc").data()), "cut short"},
        {"back in time", withMagic(Bytes().u32(9).u16(1).u8(0).u32(8).u16(0).data()), "entry 2 at byte 28 goes back"},
        {"too long", withMagic(Bytes().u32(0).u16(2049).raw(std::vector<uint8_t>(2049)).data()), "more than 2048"},
    };
    for (const auto& file : bad) {
        std::vector<RecordedDatagram> datagrams;
        std::string error;
        EXPECT_FALSE(client::parseRecording(file.bytes.data(), file.bytes.size(), datagrams, error)) << file.what;
        EXPECT_NE(error.find(file.reason), std::string::npos) << file.what << ": " << error;
        EXPECT_TRUE(datagrams.empty());
    }
    std::vector<RecordedDatagram> datagrams;
    std::string error;
    EXPECT_FALSE(client::loadRecording("/nonexistent/record", datagrams, error));
    EXPECT_EQ(error, "cannot open /nonexistent/record");
}

class RecordAndReplay : public ClientArt {
protected:
    // Feeds the datagrams through a fresh reader and picture (no status
    // line, which shows the rates of the moment) and checksums every frame.
    std::vector<uLong> framesOf(const std::vector<RecordedDatagram>& datagrams,
                                client::RecordWriter* recorder = nullptr) {
        client::PassReader reader(art.animationCounts());
        client::Picture picture(art, *display, client::CameraMode::Follow, 1);
        client::PassPainter painter(reader, picture, [] { return std::string(); });
        std::vector<uLong> frames;
        const auto start = client::Clock::now();
        for (const RecordedDatagram& d : datagrams) {
            EXPECT_TRUE(!recorder || recorder->write(d.milliseconds, d.bytes.data(), d.bytes.size()));
            const uint64_t drawn = painter.passesDrawn();
            painter.feed(d.bytes.data(), d.bytes.size(), start + std::chrono::milliseconds(d.milliseconds));
            if (painter.passesDrawn() == drawn) continue;
            SDL_Surface* screen = displayScreen();
            frames.push_back(crc32(0, static_cast<const Bytef*>(screen->pixels),
                                   static_cast<uInt>(screen->pitch * screen->h)));
        }
        return frames;
    }
};

TEST_F(RecordAndReplay, TenSecondsPlayBackAsTheSameFrames) {
    // Ten seconds of passes as the server sends them: the dragon walks right
    // then down (the camera follows), the others walk their animations, and
    // stray datagrams arrive between them.
    std::vector<RecordedDatagram> session;
    auto add = [&](uint32_t ms, const std::string& text) { session.push_back({ms, datagram(text)}); };
    add(0, "from SERVEUR to CLIENT connection_accepted hello");
    for (uint32_t pass = 0; pass < 400; ++pass) {
        const uint32_t ms = 25 * pass;
        add(ms, camera(0, 0, 0));
        for (uint32_t i = 0; i < client::kActorCount; ++i) {
            const bool dragon = i == client::kSteeredActorIndex;
            const uint32_t x = dragon ? 50 + 3 * std::min(pass, 250u) : 100 + 40 * i + pass % 90;
            const uint32_t y = dragon ? 50 + 3 * (pass > 250 ? pass - 250 : 0) : 200 + 20 * i;
            add(ms, actor(0, i, x, y, dragon ? (pass > 250 ? 0 : 2) : (pass / 50) % 4));
        }
        if (pass % 7 == 0) add(ms + 3, "from SERVEUR to CLIENT 0 sprite (9,1,1,1)");
    }
    const std::string path = dir.file("session.rec");
    client::RecordWriter recorder;
    std::string error;
    ASSERT_TRUE(recorder.open(path, error)) << error;
    const std::vector<uLong> live = framesOf(session, &recorder);
    ASSERT_TRUE(recorder.close());

    std::vector<RecordedDatagram> replayed;
    ASSERT_TRUE(client::loadRecording(path, replayed, error)) << error;
    ASSERT_EQ(replayed.size(), session.size());
    EXPECT_EQ(replayed.back().milliseconds, session.back().milliseconds);
    const std::vector<uLong> again = framesOf(replayed);
    EXPECT_EQ(live.size(), 400u);
    EXPECT_EQ(again, live);
    // The frames do change over the session (the checksums see the picture).
    EXPECT_NE(live.front(), live.back());
}

}  // namespace
}  // namespace ocre::test
