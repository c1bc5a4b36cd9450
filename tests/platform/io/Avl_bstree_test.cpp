#include "platform/io/avl_bstree.h"
#include "platform/io/c_bstree.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct Entry : avl_bsnode {
    int key = 0;
    int tag = 0;
};

int by_key(const Entry& a, const Entry& b)
{
    return a.key < b.key ? -1 : a.key > b.key ? 1 : 0;
}

using Tree = c_bstree<avl_bstree, Entry>;

std::vector<int> tags(const Tree& tree)
{
    std::vector<int> out;
    for (Entry* e = tree.first(); e; e = tree.next(*e))
        out.push_back(e->tag);
    return out;
}

class Avl_bstree_test : public testing::Test {
protected:
    Avl_bstree_test()
    {
        tree.set_compare(by_key);
        EXPECT_TRUE(tree.create());
        const int keys[] = {5, 1, 9, 5, 3};
        for (int i = 0; i < 5; ++i) {
            entries[i].key = keys[i];
            entries[i].tag = i;
            tree.insert(entries[i]);
        }
    }
    Tree tree;
    Entry entries[5];
};

TEST_F(Avl_bstree_test, keeps_its_items_in_order_and_equal_ones_in_the_order_they_came)
{
    EXPECT_EQ(tags(tree), (std::vector<int>{1, 4, 0, 3, 2}));
    Entry probe;
    probe.key = 5;
    EXPECT_EQ(tree.find(probe), &entries[0]) << "the first of the equal ones";
    probe.key = 4;
    EXPECT_EQ(tree.find(probe), nullptr);
}

TEST_F(Avl_bstree_test, items_move_between_trees_while_one_is_walked)
{
    Tree other;
    other.set_compare(by_key);
    ASSERT_TRUE(other.create());
    for (Entry* e = tree.first(); e;) {
        Entry* next = tree.next(*e);
        if (e->key == 5) {
            EXPECT_TRUE(tree.remove(*e));
            other.insert(*e);
        }
        e = next;
    }
    EXPECT_EQ(tags(tree), (std::vector<int>{1, 4, 2}));
    EXPECT_EQ(tags(other), (std::vector<int>{0, 3}));
    EXPECT_FALSE(tree.remove(entries[0])) << "not in this tree";
    EXPECT_EQ(tree.next(entries[0]), nullptr);
}

TEST_F(Avl_bstree_test, an_item_that_goes_away_leaves_its_tree)
{
    {
        auto passing = std::make_unique<Entry>();
        passing->key = 2;
        tree.insert(*passing);
        EXPECT_EQ(tree.size(), 6u);
    }
    EXPECT_EQ(tree.size(), 5u);
    EXPECT_EQ(tags(tree), (std::vector<int>{1, 4, 0, 3, 2}));
}

TEST(Avl_bstree, a_tree_without_an_order_is_not_created_and_takes_nothing)
{
    avl_bstree tree;
    Entry e;
    EXPECT_FALSE(tree.create());
    EXPECT_FALSE(tree.insert(e));
    EXPECT_FALSE(e.in_tree());
}

TEST_F(Avl_bstree_test, inserting_an_item_still_in_a_tree_ends_the_process)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(
        {
            Debug_print::set_sink([](const char* text) { std::fputs(text, stderr); });
            tree.insert(entries[2]);
        },
        testing::ExitedWithCode(uint8_t(Tree::exit_code_linked)),
                "c_bstree::get_mutable\\(\\): already in T::");
}

}
