#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <vector>

#include "script_test_support.h"
#include "table.h"

namespace {

// Keys are compared by address, so keys with chosen hashes can live in the test itself.
class TableTest : public ScriptVmTest {
  protected:
    void SetUp() override {
        ScriptVmTest::SetUp();
        table_init(&table);
    }
    void TearDown() override {
        table_free(&table);
        ScriptVmTest::TearDown();
    }
    StringObject *key(uint32_t hash, const char *text = "k") {
        StringObject &k = keys.emplace_back();
        k.kind = OBJ_STRING;
        k.marked = false;
        k.chars = const_cast<char *>(text);
        k.length = static_cast<int>(std::strlen(text));
        k.hash = hash;
        return &k;
    }
    ScriptTable table;
    std::deque<StringObject> keys;
};

TEST_F(TableTest, GrowsToEightThenDoublesAtThreeQuarters) {
    EXPECT_TRUE(table_set(&table, key(0), VALUE_NIL));
    EXPECT_EQ(table.capacity, 8);
    for (uint32_t h = 1; h < 6; ++h) table_set(&table, key(h), VALUE_NIL);
    EXPECT_EQ(table.count, 6);
    EXPECT_EQ(table.capacity, 8);
    StringObject *seventh = key(6);
    table_set(&table, seventh, value_from_number(7));
    EXPECT_EQ(table.capacity, 16);
    EXPECT_EQ(table.count, 7);
    ScriptValue v;
    ASSERT_TRUE(table_get(&table, seventh, &v));
    EXPECT_EQ(v, value_from_number(7));
}

TEST_F(TableTest, SetReportsNewKeysAndOverwrites) {
    StringObject *k = key(3);
    EXPECT_TRUE(table_set(&table, k, value_from_number(1)));
    EXPECT_FALSE(table_set(&table, k, value_from_number(2)));
    ScriptValue v;
    ASSERT_TRUE(table_get(&table, k, &v));
    EXPECT_EQ(v, value_from_number(2));
    EXPECT_EQ(table.count, 1);
}

TEST_F(TableTest, EmptyTableAnswersNotFoundWithoutAnArray) {
    ScriptValue v = VALUE_TRUE;
    EXPECT_FALSE(table_get(&table, key(1), &v));
    EXPECT_FALSE(table_delete(&table, key(1)));
    EXPECT_EQ(table_find_string(&table, "k", 1, 1), nullptr);
    EXPECT_EQ(table.entries, nullptr);
    EXPECT_EQ(v, VALUE_TRUE);
}

TEST_F(TableTest, TombstonesAreReusedAndKeepProbesGoing) {
    // Three keys on the same start index: the third one's probe passes the first one's place.
    StringObject *a = key(5), *b = key(5 + 8), *c = key(5 + 16);
    table_set(&table, a, value_from_number(1));
    table_set(&table, b, value_from_number(2));
    table_set(&table, c, value_from_number(3));
    EXPECT_TRUE(table_delete(&table, a));
    EXPECT_FALSE(table_delete(&table, a));
    EXPECT_EQ(table.count, 3); // the tombstone still counts

    ScriptValue v;
    EXPECT_FALSE(table_get(&table, a, &v));
    ASSERT_TRUE(table_get(&table, c, &v));
    EXPECT_EQ(v, value_from_number(3));

    EXPECT_TRUE(table_set(&table, a, value_from_number(4))); // new again, into the tombstone
    EXPECT_EQ(table.count, 3);
    ASSERT_TRUE(table_get(&table, a, &v));
    EXPECT_EQ(v, value_from_number(4));
}

TEST_F(TableTest, GrowthDropsTombstonesAndRecounts) {
    StringObject *live = key(100);
    table_set(&table, live, VALUE_TRUE);
    for (uint32_t h = 0; h < 5; ++h) {
        StringObject *k = key(h);
        table_set(&table, k, VALUE_NIL);
        table_delete(&table, k);
    }
    EXPECT_EQ(table.count, 6); // one live entry, five tombstones: growth comes early
    EXPECT_EQ(table.capacity, 8);
    table_set(&table, key(50), VALUE_NIL);
    EXPECT_EQ(table.capacity, 16);
    EXPECT_EQ(table.count, 2);
    ScriptValue v;
    EXPECT_TRUE(table_get(&table, live, &v));
}

TEST_F(TableTest, FindStringNeedsLengthHashAndBytes) {
    StringObject *k = key(77, "abc");
    table_set(&table, k, VALUE_NIL);
    EXPECT_EQ(table_find_string(&table, "abc", 3, 77), k);
    EXPECT_EQ(table_find_string(&table, "abc", 2, 77), nullptr);
    EXPECT_EQ(table_find_string(&table, "abc", 3, 78), nullptr);
    EXPECT_EQ(table_find_string(&table, "abd", 3, 77), nullptr);

    // Found past a tombstone on its probe.
    StringObject *first = key(77 + 8, "x");
    StringObject *second = key(77 + 16, "xyz");
    table_delete(&table, k);
    table_set(&table, first, VALUE_NIL);
    table_set(&table, second, VALUE_NIL);
    table_delete(&table, first);
    EXPECT_EQ(table_find_string(&table, "xyz", 3, 77 + 16), second);
}

TEST_F(TableTest, AddAllCopiesLiveEntries) {
    StringObject *a = key(1), *b = key(2), *gone = key(3);
    table_set(&table, a, value_from_number(1));
    table_set(&table, b, value_from_number(2));
    table_set(&table, gone, value_from_number(3));
    table_delete(&table, gone);
    ScriptTable copy;
    table_init(&copy);
    table_add_all(&table, &copy);
    EXPECT_EQ(copy.count, 2);
    ScriptValue v;
    EXPECT_TRUE(table_get(&copy, b, &v));
    EXPECT_EQ(v, value_from_number(2));
    EXPECT_FALSE(table_get(&copy, gone, &v));
    table_free(&copy);
}

TEST_F(TableTest, RemoveWhiteDeletesUnmarkedKeys) {
    StringObject *kept = key(1), *dropped = key(2);
    kept->marked = true;
    table_set(&table, kept, VALUE_NIL);
    table_set(&table, dropped, VALUE_NIL);
    table_remove_white(&table);
    ScriptValue v;
    EXPECT_TRUE(table_get(&table, kept, &v));
    EXPECT_FALSE(table_get(&table, dropped, &v));
}

// The strings table keeps each key's hash as its value: the probe finds keys by it, and passes
// a key whose kept hash differs without reading it.
TEST_F(TableTest, FindStringGoesByTheKeptHash) {
    StringObject *first = key(5, "abc");
    StringObject *second = key(5, "xyz"); // same home entry, placed after the first
    table_set(&table, first, table_hash_value(5));
    table_set(&table, second, table_hash_value(5));
    EXPECT_EQ(table_find_string(&table, "abc", 3, 5), first);
    EXPECT_EQ(table_find_string(&table, "xyz", 3, 5), second);
    EXPECT_EQ(table_find_string(&table, "abd", 3, 5), nullptr);
    // A kept hash that is not the key's own hides the key from a search by its own.
    StringObject *odd = key(6, "odd");
    table_set(&table, odd, table_hash_value(7));
    EXPECT_EQ(table_find_string(&table, "odd", 3, 6), nullptr);
    EXPECT_EQ(table_hash_value(5) & VALUE_QNAN, VALUE_QNAN);
    EXPECT_FALSE(value_is_number(table_hash_value(5)) || value_is_object(table_hash_value(5)) ||
                 value_is_nil(table_hash_value(0)) || value_is_bool(table_hash_value(3)));
}

// Dropping unmarked keys leaves no tombstone, and every kept key, however its probe ran (long
// clusters, clusters wrapping past the end, tombstones on the way), is still found.
TEST_F(TableTest, RemoveWhiteLeavesNoTombstoneAndKeepsEveryProbe) {
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 16; };
    for (int round = 0; round < 60; ++round) {
        ScriptTable t;
        table_init(&t);
        std::vector<StringObject *> all;
        int size = 5 + round % 40;
        for (int i = 0; i < size; ++i) {
            // Hashes bunched near the end of the array, so that clusters wrap.
            StringObject *k = key(static_cast<uint32_t>(-static_cast<int>(next() % 12)));
            k->marked = next() % 3 != 0;
            all.push_back(k);
            table_set(&t, k, value_from_number(i));
        }
        for (int i = 0; i < size; i += 7) { // some tombstones as well
            table_delete(&t, all[static_cast<size_t>(i)]);
            all[static_cast<size_t>(i)]->marked = false;
        }
        table_remove_white(&t);
        int kept = 0;
        for (size_t i = 0; i < all.size(); ++i) {
            ScriptValue v = VALUE_NIL;
            bool found = table_get(&t, all[i], &v);
            EXPECT_EQ(found, all[i]->marked) << round << " " << i;
            if (found) {
                EXPECT_EQ(v, value_from_number(static_cast<double>(i)));
            }
            kept += all[i]->marked ? 1 : 0;
        }
        EXPECT_EQ(t.count, kept) << round;
        for (int i = 0; i < t.capacity; ++i)
            EXPECT_FALSE(t.entries[i].key == nullptr && t.entries[i].value == VALUE_TRUE) << round;
        table_free(&t);
    }
}

// After most keys went, compacting places the rest afresh in a smaller array, without
// tombstones; every remaining key is still found.
TEST_F(TableTest, CompactingDropsTombstonesAndShrinks) {
    std::vector<StringObject *> all;
    for (uint32_t h = 0; h < 100; ++h) {
        all.push_back(key(h * 7));
        table_set(&table, all.back(), VALUE_NIL);
    }
    for (uint32_t i = 0; i < 100; ++i)
        if (i % 10 != 0) table_delete(&table, all[i]);
    EXPECT_EQ(table.capacity, 256);
    EXPECT_EQ(table_live_count(&table), 10);
    table_compact(&table, 16);
    EXPECT_EQ(table.capacity, 16);
    EXPECT_EQ(table.count, 10);
    ScriptValue v;
    for (uint32_t i = 0; i < 100; ++i) EXPECT_EQ(table_get(&table, all[i], &v), i % 10 == 0) << i;
    table_compact(&table, 1024); // never larger than before
    EXPECT_EQ(table.capacity, 16);
}

TEST_F(TableTest, FreeingEmptyTablesAndArraysCostsNothing) {
    size_t before = vm_machine.bytesAllocated;
    table_free(&table);
    ValueArray array;
    value_array_init(&array);
    value_array_free(&array);
    EXPECT_EQ(vm_machine.bytesAllocated, before);
}

} // namespace
