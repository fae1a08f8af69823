#include "pathfind/OpenList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "tests/pathfind/LiteralHeap.h"

namespace ocre {
namespace {

// Which of several equal-f nodes comes out first decides the route, so f
// values come from a small range and ties abound; removals from the middle
// must shift and rebuild exactly as the game does.
TEST(OpenList, RandomSequencesMatchTheLiteralHeap) {
    std::mt19937 random(4242);
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        OpenList list;
        std::vector<int32_t> literal;
        std::vector<int32_t> fOfNode;
        const auto f = [&fOfNode](int32_t node) { return fOfNode[static_cast<size_t>(node)]; };
        const int32_t fRange = 1 + round % 6;
        // 300 random moves, then pops until both are empty.
        for (int step = 0; step < 300 || !literal.empty(); ++step) {
            const int action = step < 300 ? std::uniform_int_distribution<int>(0, 9)(random) : 9;
            if (action < 5 || literal.empty()) {
                const auto node = static_cast<int32_t>(fOfNode.size());
                fOfNode.push_back(std::uniform_int_distribution<int32_t>(0, fRange)(random));
                list.push(node, fOfNode.back());
                test::literalPush(literal, node, f);
            } else if (action < 8) {
                const size_t at = std::uniform_int_distribution<size_t>(0, literal.size() - 1)(random);
                const int32_t node = literal[at];
                test::literalRemoveAt(literal, at, f);
                list.remove(node);
            } else {
                ASSERT_EQ(list.pop(), test::literalPop(literal, f)) << "step " << step;
            }
            ASSERT_EQ(list.size(), literal.size()) << "step " << step;
            const auto probe = std::uniform_int_distribution<int32_t>(0, static_cast<int32_t>(fOfNode.size()))(random);
            ASSERT_EQ(list.contains(probe), std::count(literal.begin(), literal.end(), probe) == 1)
                << "node " << probe << " at step " << step;
        }
        EXPECT_TRUE(list.empty());
    }
}

}  // namespace
}  // namespace ocre
