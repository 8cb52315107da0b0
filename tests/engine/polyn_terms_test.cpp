#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "polyn_test_support.h"

using polyn_test::backward;
using polyn_test::Terms;
using polyn_test::termsOf;

namespace {

int height(const ThreadedTreeNode *n) {
    if (!n) return 0;
    int r = n->rightIsThread ? 0 : height(n->right);
    return 1 + std::max(height(n->left), r);
}

void insertAll(ThreadedTree &tree, const Terms &terms) {
    for (const auto &[c, e] : terms) {
        poly t(c, e);
        tree.insert(&t);
    }
}

}  // namespace

TEST(TermTree, MergesEqualExponentsAndReadsBackInOrder) {
    ThreadedTree tree;
    insertAll(tree, {{"3", 2}, {"1", 5}, {"-3", 2}, {"7", 0}});
    EXPECT_EQ(tree.count, 3);
    TermList down(tree.getListofThreadedTree()), up(tree.getListofThreadedTreeASC());
    EXPECT_EQ(termsOf(down.get()), (Terms{{"1", 5}, {"0", 2}, {"7", 0}}));
    EXPECT_EQ(termsOf(up.get()), (Terms{{"7", 0}, {"0", 2}, {"1", 5}}));
    EXPECT_EQ(down->next, nullptr);
    EXPECT_EQ(up->next, nullptr);
    // A key that arrives again is added to what is stored, in arrival order, unevaluated.
    ThreadedTree sums;
    insertAll(sums, {{"1|2", 0}, {"1|3", 0}, {"y", 1}, {"y", 1}});
    TermList s(sums.getListofThreadedTree());
    EXPECT_EQ(termsOf(s.get()), (Terms{{"y+y", 1}, {"1|2+1|3", 0}}));
}

TEST(TermTree, EmptyTreesSingleTermsAndClearing) {
    ThreadedTree tree;
    EXPECT_EQ(tree.getListofThreadedTree(), nullptr);
    EXPECT_EQ(tree.getListofThreadedTreeASC(), nullptr);
    EXPECT_EQ(polyn_sort(nullptr, tree), nullptr);
    EXPECT_EQ(tree.head, nullptr);
    EXPECT_EQ(polyn_sort_desc(nullptr), nullptr);

    insertAll(tree, {{"4", 3}});
    TermList down(tree.getListofThreadedTree()), up(tree.getListofThreadedTreeASC());
    for (const poly *t : {down.get(), up.get()}) {
        EXPECT_EQ(t->next, nullptr);
        EXPECT_EQ(t->prev, nullptr);
        EXPECT_EQ(t->coefficient, "4");
        EXPECT_EQ(t->exponent, 3);
    }
    ASSERT_NE(tree.head, nullptr);
    EXPECT_EQ(tree.head->key, 2147483647);

    tree.clear();
    EXPECT_EQ(tree.count, 0);
    EXPECT_EQ(tree.root, nullptr);
    EXPECT_EQ(tree.head, nullptr);
    insertAll(tree, {{"2", 1}});
    EXPECT_EQ(tree.count, 1);
    EXPECT_NE(tree.head, nullptr);
}

TEST(TermTree, ExponentsBeyondThirtyTwoBitsOrderLikeAnyOther) {
    // The head's key takes part in no comparison: 2147483647 itself is an ordinary key.
    ThreadedTree tree;
    insertAll(tree, {{"1", -1}, {"2", 2147483647}, {"3", 2147483648LL}, {"4", INT64_MAX}, {"5", INT64_MIN}});
    TermList down(tree.getListofThreadedTree());
    EXPECT_EQ(termsOf(down.get()), (Terms{{"4", INT64_MAX}, {"3", 2147483648LL}, {"2", 2147483647}, {"1", -1},
                                          {"5", INT64_MIN}}));
}

// Terms usually arrive in descending order; a tree that chains them would be as deep as
// the list is long, and recursion over it would run out of stack.
TEST(TermTree, LongListsInAnyOrderStayShallow) {
    const int n = 200000;
    std::vector<int64_t> keys(n);
    for (int i = 0; i < n; i++) keys[size_t(i)] = n - i;
    std::vector<std::vector<int64_t>> orders{keys, std::vector<int64_t>(keys.rbegin(), keys.rend()), keys};
    std::shuffle(orders[2].begin(), orders[2].end(), std::mt19937(5));
    for (const auto &order : orders) {
        ThreadedTree tree;
        for (int64_t k : order) {
            poly t("1", k);
            tree.insert(&t);
        }
        EXPECT_EQ(tree.count, n);
        EXPECT_LE(height(tree.root), int(1.45 * std::log2(n + 2.0)));
        TermList down(tree.getListofThreadedTree());
        int64_t expected = n, seen = 0;
        for (const poly *t = down.get(); t; t = t->prev, expected--, seen++) ASSERT_EQ(t->exponent, expected);
        EXPECT_EQ(seen, n);
    }
}

TEST(TermLists, SortFreeAndCopyEitherForm) {
    bool ok = false;
    TermList forward(polyn_parse("x+3x^2+2x+5", ok));
    ASSERT_TRUE(ok);
    EXPECT_TRUE(is_forward_list(forward.get()));
    TermList down(polyn_sort_desc(forward.get()));
    EXPECT_EQ(termsOf(down.get()), (Terms{{"3", 2}, {"3", 1}, {"5", 0}}));
    TermList again(polyn_sort_desc(down.get()));
    EXPECT_EQ(termsOf(again.get()), termsOf(down.get()));

    ThreadedTree tree;
    TermList up(polyn_sort(forward.get(), tree));
    EXPECT_EQ(termsOf(up.get()), (Terms{{"5", 0}, {"3", 1}, {"3", 2}}));
    TermList fromTree(tree.getListofThreadedTree());
    EXPECT_EQ(termsOf(fromTree.get()), termsOf(down.get()));
    ThreadedTree other;
    TermList viaBackward(polyn_tree_from_backward(down.get(), other));
    EXPECT_EQ(termsOf(viaBackward.get()), termsOf(down.get()));

    for (const poly *list : {forward.get(), down.get()}) {
        TermList copy(copy_term_list(list));
        EXPECT_EQ(is_forward_list(copy.get()), is_forward_list(list));
        EXPECT_EQ(termsOf(copy.get()), termsOf(list));
    }
}

TEST(TermLists, AllocationFailureLineFormat) {
    testing::internal::CaptureStdout();
    print_error_at("src/polynomial/terms.cpp", 43, "new_term", "Failed to allocate poly.");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "error> src/polynomial/terms.cpp [43] new_term, Failed to allocate poly.\n");
}
