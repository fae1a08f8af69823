// The relay's rules that depend on time, driven with made-up instants.
#include <gtest/gtest.h>

#include "relay/DelayLine.h"
#include "relay/SpectatorOutbox.h"
#include "relay/SteeringRules.h"

namespace ocre::relay {
namespace {

using namespace std::chrono;
using Clock = steady_clock;
const Clock::time_point kStart{};

constexpr int kUp = 0;
constexpr int kRight = 3;

TEST(SteeringRules, OneHolderAtATimeUntilItReleasesOrLeavesIdle) {
    SteeringRules rules;
    EXPECT_TRUE(rules.ask(1, kStart));
    EXPECT_FALSE(rules.ask(2, kStart));
    rules.release(2);  // not the holder: nothing changes
    EXPECT_EQ(rules.holder(), SpectatorId{1});
    rules.release(1);
    EXPECT_TRUE(rules.ask(2, kStart));

    rules.noteActivity(2, kStart + seconds(20));
    EXPECT_FALSE(rules.expire(kStart + seconds(49)));
    EXPECT_TRUE(rules.expire(kStart + seconds(50)));
    EXPECT_FALSE(rules.holder());
}

TEST(SteeringRules, OnlyTheHoldersKeysAreSentOncePerTurn) {
    SteeringRules rules;
    rules.keyDown(7, kRight, kStart);  // nobody holds: ignored
    EXPECT_TRUE(rules.due(kStart).empty());
    rules.ask(1, kStart);
    rules.keyDown(2, kUp, kStart);
    rules.keyDown(1, kRight, kStart);
    rules.keyDown(1, kRight, kStart + milliseconds(5));  // a repeat does not advance it
    EXPECT_EQ(rules.due(kStart), std::vector<int>{kRight});
    EXPECT_TRUE(rules.due(kStart + milliseconds(24)).empty());
    EXPECT_EQ(rules.nextDue(), kStart + milliseconds(25));
    EXPECT_EQ(rules.due(kStart + milliseconds(25)), std::vector<int>{kRight});
    // A late timer sends once, never a backlog.
    EXPECT_EQ(rules.due(kStart + milliseconds(200)).size(), 1u);
    EXPECT_TRUE(rules.due(kStart + milliseconds(210)).empty());
}

TEST(SteeringRules, ReleasingAKeyStopsItAtOnceAndTappingIsNoFaster) {
    SteeringRules rules;
    rules.ask(1, kStart);
    rules.keyDown(1, kUp, kStart);
    EXPECT_EQ(rules.due(kStart).size(), 1u);
    rules.keyUp(1, kUp);
    EXPECT_FALSE(rules.nextDue());
    rules.keyDown(1, kUp, kStart + milliseconds(10));
    EXPECT_TRUE(rules.due(kStart + milliseconds(10)).empty());
    EXPECT_EQ(rules.due(kStart + milliseconds(25)).size(), 1u);
}

TEST(SteeringRules, LosingTheControlsLetsGoOfEveryKey) {
    SteeringRules rules;
    rules.ask(1, kStart);
    rules.keyDown(1, kUp, kStart);
    rules.keyDown(1, kRight, kStart);
    EXPECT_TRUE(rules.expire(kStart + kSteeringIdle));
    EXPECT_TRUE(rules.due(kStart + kSteeringIdle).empty());
    rules.ask(2, kStart);
    rules.keyDown(2, kUp, kStart);
    rules.release(2);
    EXPECT_FALSE(rules.nextDue());
}

TEST(DelayLine, HandsOutTheNewestDueFrameAndStaysBounded) {
    DelayLine line(seconds(2));
    EXPECT_EQ(line.capacity(), 2u * 40 + 40);
    for (int i = 0; i < 1000; ++i)
        line.push(std::make_shared<const std::vector<uint8_t>>(1, static_cast<uint8_t>(i)),
                  kStart + milliseconds(25 * i));
    EXPECT_EQ(line.waiting(), line.capacity());
    // The frames of the last two seconds are not due yet at their arrival.
    const auto last = kStart + milliseconds(25 * 999);
    const SharedFrame due = line.takeDue(last);
    ASSERT_TRUE(due);
    EXPECT_EQ((*due)[0], static_cast<uint8_t>(999 - 80));
    EXPECT_EQ(line.latestDue(), due);
    EXPECT_FALSE(line.takeDue(last));
}

TEST(DelayLine, WithoutDelayEveryFrameIsDueAtOnce) {
    DelayLine line(milliseconds(0));
    auto frame = std::make_shared<const std::vector<uint8_t>>(3, 1);
    line.push(frame, kStart);
    EXPECT_EQ(line.takeDue(kStart), frame);
}

TEST(SpectatorOutbox, KeepsOnlyTheNewestFrameAndSendsTextFirst) {
    SpectatorOutbox box(kStart);
    auto older = std::make_shared<const std::vector<uint8_t>>(1, 1);
    auto newer = std::make_shared<const std::vector<uint8_t>>(1, 2);
    box.offerFrame(older);
    box.offerFrame(newer);
    box.offerText("a");
    box.offerText("b");
    auto first = box.startWrite(kStart);
    ASSERT_TRUE(first);
    EXPECT_EQ(std::get<std::string>(*first), "b");
    EXPECT_FALSE(box.startWrite(kStart));  // one write at a time
    box.written(kStart);
    auto second = box.startWrite(kStart);
    ASSERT_TRUE(second);
    EXPECT_EQ(std::get<SharedFrame>(*second), newer);
    box.written(kStart);
    EXPECT_FALSE(box.startWrite(kStart));
}

TEST(SpectatorOutbox, AWriteUnfinishedForTenSecondsIsAStall) {
    SpectatorOutbox box(kStart);
    EXPECT_FALSE(box.stalled(kStart + hours(1)));  // idle, not stalled
    box.offerText("x");
    box.startWrite(kStart + seconds(1));
    EXPECT_FALSE(box.stalled(kStart + seconds(10)));
    EXPECT_TRUE(box.stalled(kStart + seconds(11)));
}

}  // namespace
}  // namespace ocre::relay
