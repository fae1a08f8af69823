#include "pathfind/OpenList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "tests/pathfind/LiteralHeap.h"

namespace ocre {
namespace {

// Which of several equal-f nodes comes out first is the point of these
// tests, so f values come from a small range and ties abound.
class OpenListAgainstLiteralHeap {
public:
    void push(int32_t node, int32_t f) {
        if (static_cast<size_t>(node) >= fOfNode_.size()) fOfNode_.resize(static_cast<size_t>(node) + 1);
        fOfNode_[static_cast<size_t>(node)] = f;
        list.push(node, f);
        test::literalPush(literal_, node, fOf());
    }
    void popBoth() {
        ASSERT_FALSE(literal_.empty());
        const int32_t expected = test::literalPop(literal_, fOf());
        EXPECT_EQ(list.pop(), expected);
    }
    void removeBoth(int32_t node) {
        const auto at = std::find(literal_.begin(), literal_.end(), node);
        ASSERT_NE(at, literal_.end());
        test::literalRemoveAt(literal_, static_cast<size_t>(at - literal_.begin()), fOf());
        list.remove(node);
    }
    const std::vector<int32_t>& literal() const { return literal_; }

    OpenList list;

private:
    struct FOfNode {
        const std::vector<int32_t>* fs;
        int32_t operator()(int32_t node) const { return (*fs)[static_cast<size_t>(node)]; }
    };
    FOfNode fOf() const { return FOfNode{&fOfNode_}; }

    std::vector<int32_t> fOfNode_;
    std::vector<int32_t> literal_;
};

TEST(OpenList, PopsEqualFNodesInTheGameHeapOrder) {
    OpenListAgainstLiteralHeap both;
    const int32_t fs[] = {5, 5, 3, 5, 3, 3, 7, 5, 3};
    for (int32_t node = 0; node < 9; ++node) both.push(node, fs[node]);
    for (int i = 0; i < 9; ++i) both.popBoth();
    EXPECT_TRUE(both.list.empty());
}

TEST(OpenList, TracksMembershipThroughPushPopAndRemove) {
    OpenList list;
    EXPECT_FALSE(list.contains(0));
    EXPECT_FALSE(list.contains(1000));
    list.push(4, 10);
    list.push(9, 20);
    list.push(2, 15);
    EXPECT_TRUE(list.contains(4));
    EXPECT_TRUE(list.contains(9));
    EXPECT_FALSE(list.contains(3));
    list.remove(9);
    EXPECT_FALSE(list.contains(9));
    EXPECT_EQ(list.size(), 2u);
    EXPECT_EQ(list.pop(), 4);
    EXPECT_FALSE(list.contains(4));
    EXPECT_EQ(list.pop(), 2);
    EXPECT_TRUE(list.empty());
}

TEST(OpenList, RemovingFromTheMiddleRebuildsLikeTheGame) {
    // Shift-then-rebuild and swap-in-the-last-entry give different orders
    // of equal f here; the list must follow the first.
    OpenListAgainstLiteralHeap both;
    const int32_t fs[] = {1, 2, 2, 2, 2, 2, 2, 2, 2, 2};
    for (int32_t node = 0; node < 10; ++node) both.push(node, fs[node]);
    both.removeBoth(3);
    both.removeBoth(0);
    while (!both.literal().empty()) both.popBoth();
}

TEST(OpenList, RandomSequencesMatchTheLiteralHeap) {
    std::mt19937 random(4242);
    for (int round = 0; round < 200; ++round) {
        OpenListAgainstLiteralHeap both;
        std::vector<int32_t> inList;
        int32_t nextNode = 0;
        const int fRange = 1 + round % 6;
        for (int step = 0; step < 300; ++step) {
            const int action = std::uniform_int_distribution<int>(0, 9)(random);
            if (action < 5 || inList.empty()) {
                const int32_t f = std::uniform_int_distribution<int32_t>(0, fRange)(random);
                both.push(nextNode, f);
                inList.push_back(nextNode++);
            } else if (action < 8) {
                const size_t pick = std::uniform_int_distribution<size_t>(0, inList.size() - 1)(random);
                both.removeBoth(inList[pick]);
                inList.erase(inList.begin() + static_cast<std::ptrdiff_t>(pick));
            } else {
                both.popBoth();
                inList = both.literal();
            }
            ASSERT_FALSE(::testing::Test::HasFailure()) << "round " << round << " step " << step;
        }
        while (!both.literal().empty()) both.popBoth();
        ASSERT_FALSE(::testing::Test::HasFailure()) << "round " << round;
    }
}

}  // namespace
}  // namespace ocre
