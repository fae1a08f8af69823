#include "pathfind/OpenList.h"

#include <gtest/gtest.h>

#include <vector>

namespace ocre {
namespace {

// Which of several equal-f nodes comes out first decides the route: ties
// abound here, and a removal from the middle shifts and rebuilds.
TEST(OpenList, TiesComeOutInTheHeapsOrderAlsoAfterARemovalFromTheMiddle) {
    OpenList list;
    for (int32_t node = 0; node < 9; ++node) list.push(node, node % 3 == 0 ? 1 : 2);
    list.remove(4);
    list.push(9, 1);
    list.remove(0);
    EXPECT_EQ(list.size(), 8u);
    EXPECT_FALSE(list.contains(4));
    EXPECT_FALSE(list.contains(0));
    EXPECT_TRUE(list.contains(9));
    std::vector<int32_t> order;
    while (!list.empty()) order.push_back(list.pop());
    EXPECT_EQ(order, (std::vector<int32_t>{9, 6, 3, 1, 7, 5, 2, 8}));
}

}  // namespace
}  // namespace ocre
