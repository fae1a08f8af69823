#include "data/Behaviour.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <utility>

namespace ocre {
namespace {

using Amounts = std::array<int32_t, 4>;  // down, right, up, left, as stored after the query
constexpr int32_t kOld = 99;             // each amount before the query
constexpr Amounts kNone = {kOld, kOld, kOld, kOld};

struct Step : Behaviour {
    bool advance() override { return false; }
};

// Asks one query after a step from (fromX, fromY) to (toX, toY).
template <typename Answer>
std::pair<Answer, Amounts> ask(Answer (Behaviour::*query)(), int32_t fromX, int32_t fromY, int32_t toX, int32_t toY) {
    Step b;
    b.previousX = fromX, b.previousY = fromY, b.currentX = toX, b.currentY = toY;
    b.stepDownAmount = b.stepRightAmount = b.stepUpAmount = b.stepLeftAmount = kOld;
    const Answer answer = (b.*query)();
    return {answer, {b.stepDownAmount, b.stepRightAmount, b.stepUpAmount, b.stepLeftAmount}};
}

TEST(Behaviour, StepQueriesMeasureTheirDirectionOrAnswerZeroStoringNothing) {
    using Is = std::pair<int32_t, Amounts>;
    EXPECT_EQ(ask(&Behaviour::stepDown, 10, 10, 13, 17), Is(7, {7, kOld, kOld, kOld}));
    EXPECT_EQ(ask(&Behaviour::stepRight, 10, 10, 13, 17), Is(3, {kOld, 3, kOld, kOld}));
    EXPECT_EQ(ask(&Behaviour::stepUp, 10, 10, 4, 8), Is(2, {kOld, kOld, 2, kOld}));
    EXPECT_EQ(ask(&Behaviour::stepLeft, 10, 10, 4, 8), Is(6, {kOld, kOld, kOld, 6}));
    EXPECT_EQ(ask(&Behaviour::stepUp, 5, 5, 5, 5), Is(0, {kOld, kOld, 0, kOld}));
    EXPECT_EQ(ask(&Behaviour::stepDown, 10, 10, 4, 8), Is(0, kNone));
    EXPECT_EQ(ask(&Behaviour::stepRight, 10, 10, 4, 8), Is(0, kNone));
    EXPECT_EQ(ask(&Behaviour::stepUp, 10, 10, 13, 17), Is(0, kNone));
    EXPECT_EQ(ask(&Behaviour::stepLeft, 10, 10, 13, 17), Is(0, kNone));
    // 2^32 - 1 down: the stored amount keeps the fields' 32-bit width.
    EXPECT_EQ(ask(&Behaviour::stepDown, 0, INT32_MIN, 1, INT32_MAX), Is(-1, {-1, kOld, kOld, kOld}));
}

// Each compares its own distance with the crossing one and stores both, the
// crossing one under the direction that part of the step went.
TEST(Behaviour, MostlyQueriesCompareWithTheCrossingDistanceAndStoreBoth) {
    using Is = std::pair<bool, Amounts>;
    // A step of zero length is mostly every direction.
    EXPECT_EQ(ask(&Behaviour::mostlyDown, 5, 5, 5, 5), Is(true, {0, 0, kOld, kOld}));
    EXPECT_EQ(ask(&Behaviour::mostlyUp, 5, 5, 5, 5), Is(true, {kOld, 0, 0, kOld}));
    EXPECT_EQ(ask(&Behaviour::mostlyLeft, 5, 5, 5, 5), Is(true, {0, kOld, kOld, 0}));
    EXPECT_EQ(ask(&Behaviour::mostlyRight, 5, 5, 5, 5), Is(true, {0, 0, kOld, kOld}));
    EXPECT_EQ(ask(&Behaviour::mostlyDown, 0, 0, 3, 4), Is(true, {4, 3, kOld, kOld}));
    EXPECT_EQ(ask(&Behaviour::mostlyRight, 0, 0, 3, 4), Is(false, {4, 3, kOld, kOld}));
    EXPECT_EQ(ask(&Behaviour::mostlyUp, 0, 0, -3, -3), Is(true, {kOld, kOld, 3, 3}));
    EXPECT_EQ(ask(&Behaviour::mostlyDown, 10, 10, 7, 15), Is(true, {5, kOld, kOld, 3}));
    EXPECT_EQ(ask(&Behaviour::mostlyUp, 10, 10, 17, 5), Is(false, {kOld, 7, 5, kOld}));
    EXPECT_EQ(ask(&Behaviour::mostlyLeft, 10, 10, 2, 12), Is(true, {2, kOld, kOld, 8}));
    EXPECT_EQ(ask(&Behaviour::mostlyRight, 10, 10, 11, 6), Is(false, {kOld, 1, 4, kOld}));
    // Against their direction: false, nothing stored.
    EXPECT_EQ(ask(&Behaviour::mostlyUp, 0, 0, 3, 4), Is(false, kNone));
    EXPECT_EQ(ask(&Behaviour::mostlyLeft, 0, 0, 3, 4), Is(false, kNone));
    // Far apart points compare by their true distance: 2^32 - 1 against 1.
    EXPECT_EQ(ask(&Behaviour::mostlyDown, 0, INT32_MIN, 1, INT32_MAX), Is(true, {-1, 1, kOld, kOld}));
}

}  // namespace
}  // namespace ocre
