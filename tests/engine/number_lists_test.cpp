#include <gtest/gtest.h>

#include "BigNumber.h"

namespace {

std::string joined(const std::vector<std::string> &list) {
    std::string text;
    for (auto &item : list) text += (text.empty() ? "" : " ") + std::string("[") + item + "]";
    return text;
}

}  // namespace

TEST(NumberLists, SplitAtChar) {
    struct {
        const char *text, *items;
    } cases[] = {
        {",a,b", "[] [a] [b]"}, {"a,,b", "[a] [] [b]"}, {"a,", "[a] []"}, {"abc", "[abc]"}, {"1,2", "[1] [2]"},
    };
    BigNumber bn;
    for (auto &c : cases) {
        std::vector<std::string> list;
        EXPECT_TRUE(bn.splitAtChar(c.text, list, ','));
        EXPECT_EQ(joined(list), c.items) << c.text;
    }
    std::vector<std::string> untouched{"keep"};
    EXPECT_FALSE(bn.splitAtChar("", untouched, ','));
    EXPECT_EQ(joined(untouched), "[keep]");
}

TEST(NumberLists, RangesAndExpressions) {
    struct {
        const char *text;
        bool ok;
        const char *items, *message;
    } cases[] = {
        {"1,2,...,10", true, "[1] [2] [3] [4] [5] [6] [7] [8] [9] [10]", ""},
        {"10,9,...,1", true, "[10] [9] [8] [7] [6] [5] [4] [3] [2] [1]", ""},
        {"1,2,3,...,5", true, "[1] [2] [3] [4] [5]", ""},
        {"1,3,..,6", true, "[1] [3] [5]", ""},  // 6 is passed without being met
        {"1,1.5,...,3", true, "[1] [1.5] [2.0] [2.5] [3]", ""},  // met by value
        {"5,5,...,3", true, "[5] [5] [5]", ""},
        {"5,5,...,-3", false, "", "Error> The last number -3 should be positive.\n"},
        {"1,2,...,0", false, "", "The last item 0 is less than the first item 1.\n"},
        {"3,2,...,5", false, "", "The last item 5 is greater than the first item 3.\n"},
        {"4,5,...,4", true, "[4]", ""},
        {"1,2,4,...,5", true, "[1] [2] [4] [8] [16]", ""},
        {"2,4,8,...,5", true, "[2] [4] [8] [16] [32]", ""},
        {"0,2,5,...,9", false, "", ""},
        {"1,2,5,...,9", false, "", ""},
        {"1,...,5", false, "", ""},
        {"1,2,...,5,6", false, "", ""},
        {"1,x", false, "", ""},
        {"2^3,5", true, "[8] [5]", ""},
        {"7", true, "[7]", ""},
        {"x", true, "[x]", ""},  // no separator: taken as it is
        {"1,2,...,y", false, "", ""},
        {"1,1/0,...,5", false, "", ""},  // a bound that is no number
        {"2,2,...,2.5", true, "[2] [2] [2]", ""},
    };
    for (auto &c : cases) {
        BigNumber bn;
        std::vector<std::string> list;
        EXPECT_EQ(bn.expandItemList(c.text, list, ','), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(joined(list), c.items) << c.text;
        }
        EXPECT_EQ(bn.outStream.str(), c.message) << c.text;
    }
    BigNumber fractions;
    fractions.setMode(1);
    std::vector<std::string> list;
    EXPECT_TRUE(fractions.expandItemList("2^3,5", list, ','));
    EXPECT_EQ(joined(list), "[(2^3)] [5]");
    EXPECT_FALSE(fractions.expandItemList("", list, ','));
}

TEST(NumberLists, HugeRangesAreRefused) {
    const char *message = "Error> A list is limited to 1000000 items and 67108864 characters.\n";
    for (const char *text : {"1,2,...,100000000000", "7,7,...,1000000000000", "2,4,8,...,100000000"}) {
        BigNumber bn;
        std::vector<std::string> list;
        EXPECT_FALSE(bn.expandItemList(text, list, ',')) << text;
        EXPECT_EQ(bn.outStream.str(), message) << text;
    }
}
