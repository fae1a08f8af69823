#include "data/Behaviour.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace ocre {
namespace {

// A behaviour whose single step goes from one chosen point to another.
class OneStep : public Behaviour {
public:
    OneStep(int32_t fromX, int32_t fromY, int32_t toX, int32_t toY) {
        previousX = fromX;
        previousY = fromY;
        currentX = toX;
        currentY = toY;
    }
    bool advance() override { return false; }
};

struct Amounts {
    int32_t down, right, up, left;
};

Amounts amounts(const Behaviour& b) { return {b.stepDownAmount, b.stepRightAmount, b.stepUpAmount, b.stepLeftAmount}; }

void expectAmounts(const Behaviour& b, Amounts expected) {
    EXPECT_EQ(b.stepDownAmount, expected.down);
    EXPECT_EQ(b.stepRightAmount, expected.right);
    EXPECT_EQ(b.stepUpAmount, expected.up);
    EXPECT_EQ(b.stepLeftAmount, expected.left);
}

TEST(BehaviourSteps, MeasureTheStepInTheirDirectionAndStoreIt) {
    OneStep b(10, 10, 13, 17);
    EXPECT_EQ(b.stepDown(), 7);
    EXPECT_EQ(b.stepRight(), 3);
    expectAmounts(b, {7, 3, 0, 0});

    OneStep back(10, 10, 4, 8);
    EXPECT_EQ(back.stepUp(), 2);
    EXPECT_EQ(back.stepLeft(), 6);
    expectAmounts(back, {0, 0, 2, 6});
}

TEST(BehaviourSteps, AgainstTheDirectionAnswerZeroAndKeepTheStoredAmount) {
    OneStep b(10, 10, 4, 8);
    b.stepDownAmount = 11;
    b.stepRightAmount = 12;
    EXPECT_EQ(b.stepDown(), 0);
    EXPECT_EQ(b.stepRight(), 0);
    EXPECT_EQ(b.stepDownAmount, 11);
    EXPECT_EQ(b.stepRightAmount, 12);

    OneStep forward(10, 10, 13, 17);
    forward.stepUpAmount = 21;
    forward.stepLeftAmount = 22;
    EXPECT_EQ(forward.stepUp(), 0);
    EXPECT_EQ(forward.stepLeft(), 0);
    expectAmounts(forward, {0, 0, 21, 22});
}

TEST(BehaviourMostly, ZeroLengthStepIsMostlyEveryDirection) {
    OneStep b(5, 5, 5, 5);
    EXPECT_TRUE(b.mostlyDown());
    EXPECT_TRUE(b.mostlyUp());
    EXPECT_TRUE(b.mostlyLeft());
    EXPECT_TRUE(b.mostlyRight());
}

TEST(BehaviourMostly, CompareTheirDistanceWithTheCrossingOne) {
    OneStep steep(0, 0, 3, 4);
    EXPECT_TRUE(steep.mostlyDown());
    EXPECT_FALSE(steep.mostlyRight());
    EXPECT_FALSE(steep.mostlyUp());
    EXPECT_FALSE(steep.mostlyLeft());

    OneStep diagonal(0, 0, -3, -3);
    EXPECT_TRUE(diagonal.mostlyUp());
    EXPECT_TRUE(diagonal.mostlyLeft());
    EXPECT_FALSE(diagonal.mostlyDown());
    EXPECT_FALSE(diagonal.mostlyRight());

    OneStep flat(0, 0, 9, -2);
    EXPECT_TRUE(flat.mostlyRight());
    EXPECT_FALSE(flat.mostlyUp());
}

TEST(BehaviourMostly, StoreBothDistancesInTheDirectionsTheyWent) {
    OneStep downLeft(10, 10, 7, 15);
    EXPECT_TRUE(downLeft.mostlyDown());
    expectAmounts(downLeft, {5, 0, 0, 3});

    OneStep upRight(10, 10, 17, 5);
    EXPECT_FALSE(upRight.mostlyUp());
    expectAmounts(upRight, {0, 7, 5, 0});

    OneStep leftDown(10, 10, 2, 12);
    EXPECT_TRUE(leftDown.mostlyLeft());
    expectAmounts(leftDown, {2, 0, 0, 8});

    OneStep rightUp(10, 10, 11, 6);
    EXPECT_FALSE(rightUp.mostlyRight());
    expectAmounts(rightUp, {0, 1, 4, 0});
}

TEST(BehaviourMostly, AgainstTheDirectionAnswerFalseAndStoreNothing) {
    OneStep b(10, 10, 12, 12);
    const Amounts before = amounts(b);
    EXPECT_FALSE(b.mostlyUp());
    EXPECT_FALSE(b.mostlyLeft());
    expectAmounts(b, before);
}

TEST(BehaviourMostly, FarApartPointsCompareByTheirTrueDistance) {
    // Differences past the 32-bit range: down by 2^32 - 1, across by 1.
    OneStep b(0, INT32_MIN, 1, INT32_MAX);
    EXPECT_TRUE(b.mostlyDown());
    EXPECT_FALSE(b.mostlyRight());
    EXPECT_EQ(b.stepDown(), -1);  // the stored amount keeps the fields' width
}

}  // namespace
}  // namespace ocre
