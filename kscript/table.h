// The one associative container: interned string keys compared by address, open addressing
// with linear probing, power-of-two capacity, tombstones, growth at three quarters load.
#pragma once

#include <cstdint>

#include "value.h"

struct StringObject;

// Empty entry: no key, value nil. Tombstone: no key, value true. Live: a key.
struct TableEntry {
    StringObject *key;
    ScriptValue value;
};

// A table grows before an insertion would fill more than this share of its entries.
constexpr double TABLE_MAX_LOAD = 0.75;

struct ScriptTable {
    int count; // live entries plus tombstones
    int capacity;
    TableEntry *entries;
};

void table_init(ScriptTable *table);
void table_free(ScriptTable *table);
bool table_get(ScriptTable *table, StringObject *key, ScriptValue *value);
bool table_set(ScriptTable *table, StringObject *key, ScriptValue value);
bool table_delete(ScriptTable *table, StringObject *key);
void table_add_all(ScriptTable *from, ScriptTable *to);
StringObject *table_find_string(ScriptTable *table, const char *chars, int length, uint32_t hash);
void table_remove_white(ScriptTable *table);
int table_live_count(const ScriptTable *table); // entries with a key (no tombstones)
// Places the live entries afresh, without tombstones, in an array of the given power-of-two
// capacity, which must hold them below the load limit; never more than the table has.
void table_compact(ScriptTable *table, int capacity);
void table_mark(ScriptTable *table);
