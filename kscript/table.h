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

// The value the strings table keeps beside each key: the key's hash, in a pattern no script
// value has, so that a probe passes keys of other hashes without reading them.
constexpr ScriptValue TABLE_HASH_TAG = VALUE_QNAN | (uint64_t{1} << 32);
inline ScriptValue table_hash_value(uint32_t hash) {
    return TABLE_HASH_TAG | hash;
}

void table_init(ScriptTable *table);
void table_free(ScriptTable *table);
bool table_get(ScriptTable *table, StringObject *key, ScriptValue *value);
bool table_set(ScriptTable *table, StringObject *key, ScriptValue value);
bool table_delete(ScriptTable *table, StringObject *key);
void table_add_all(ScriptTable *from, ScriptTable *to);
// The key of these characters; a key whose value is a table_hash_value other than the hash's is
// passed unread.
StringObject *table_find_string(ScriptTable *table, const char *chars, int length, uint32_t hash);
// Drops the unmarked keys and every tombstone; count is then the live entries.
void table_remove_white(ScriptTable *table);
// Turns every tombstone back into an empty entry, the keys placed again where their probes
// find them, in the same array; count is then the live entries.
void table_drop_tombstones(ScriptTable *table);
int table_live_count(const ScriptTable *table); // entries with a key (no tombstones)
// Places the live entries afresh, without tombstones, in an array of the given power-of-two
// capacity, which must hold them below the load limit; never more than the table has.
void table_compact(ScriptTable *table, int capacity);
void table_mark(ScriptTable *table);
