#include "table.h"

#include <cstring>

#include "memory.h"
#include "object.h"

namespace {

bool entry_is_tombstone(const TableEntry *entry) {
    return entry->key == nullptr && entry->value == VALUE_TRUE;
}

// The entry holding key, else the first tombstone passed, else the empty entry that ends the
// probe. Growth keeps at least one entry empty, so the probe always ends.
TableEntry *find_entry(TableEntry *entries, int capacity, StringObject *key) {
    auto mask = static_cast<uint32_t>(capacity - 1);
    uint32_t index = key->hash & mask;
    TableEntry *tombstone = nullptr;
    for (;;) {
        TableEntry *entry = &entries[index];
        if (entry->key == key) return entry;
        if (entry->key == nullptr) {
            if (!entry_is_tombstone(entry)) return tombstone != nullptr ? tombstone : entry;
            if (tombstone == nullptr) tombstone = entry;
        }
        index = (index + 1) & mask;
    }
}

void adjust_capacity(ScriptTable *table, int capacity) {
    TableEntry *entries = mem_allocate<TableEntry>(static_cast<size_t>(capacity));
    for (int i = 0; i < capacity; ++i) entries[i] = {nullptr, VALUE_NIL};
    table->count = 0;
    for (int i = 0; i < table->capacity; ++i) {
        TableEntry *entry = &table->entries[i];
        if (entry->key == nullptr) continue;
        *find_entry(entries, capacity, entry->key) = *entry;
        table->count++;
    }
    mem_free_array(table->entries, static_cast<size_t>(table->capacity));
    table->entries = entries;
    table->capacity = capacity;
}

} // namespace

void table_init(ScriptTable *table) {
    table->count = 0;
    table->capacity = 0;
    table->entries = nullptr;
}

void table_free(ScriptTable *table) {
    mem_free_array(table->entries, static_cast<size_t>(table->capacity));
    table_init(table);
}

bool table_get(ScriptTable *table, StringObject *key, ScriptValue *value) {
    if (table->count == 0) return false;
    TableEntry *entry = find_entry(table->entries, table->capacity, key);
    if (entry->key == nullptr) return false;
    *value = entry->value;
    return true;
}

bool table_set(ScriptTable *table, StringObject *key, ScriptValue value) {
    if (table->count + 1 > table->capacity * TABLE_MAX_LOAD)
        adjust_capacity(table, mem_grow_capacity(table->capacity));
    TableEntry *entry = find_entry(table->entries, table->capacity, key);
    bool isNewKey = entry->key == nullptr;
    if (isNewKey && !entry_is_tombstone(entry)) table->count++;
    entry->key = key;
    entry->value = value;
    return isNewKey;
}

bool table_delete(ScriptTable *table, StringObject *key) {
    if (table->count == 0) return false;
    TableEntry *entry = find_entry(table->entries, table->capacity, key);
    if (entry->key == nullptr) return false;
    entry->key = nullptr;
    entry->value = VALUE_TRUE;
    return true;
}

void table_add_all(ScriptTable *from, ScriptTable *to) {
    for (int i = 0; i < from->capacity; ++i) {
        TableEntry *entry = &from->entries[i];
        if (entry->key != nullptr) table_set(to, entry->key, entry->value);
    }
}

StringObject *table_find_string(ScriptTable *table, const char *chars, int length, uint32_t hash) {
    if (table->count == 0) return nullptr;
    auto mask = static_cast<uint32_t>(table->capacity - 1);
    uint32_t index = hash & mask;
    ScriptValue hashValue = table_hash_value(hash);
    for (;;) {
        TableEntry *entry = &table->entries[index];
        if (entry->key == nullptr) {
            if (!entry_is_tombstone(entry)) return nullptr;
        } else if ((entry->value == hashValue ||
                    (entry->value & ~ScriptValue{UINT32_MAX}) != TABLE_HASH_TAG) &&
                   entry->key->length == length && entry->key->hash == hash &&
                   (length == 0 || std::memcmp(entry->key->chars, chars, static_cast<size_t>(length)) == 0)) {
            return entry->key;
        }
        index = (index + 1) & mask;
    }
}

void table_remove_white(ScriptTable *table) {
    for (int i = 0; i < table->capacity; ++i) {
        TableEntry *entry = &table->entries[i];
        // This is the key's own entry: it becomes a tombstone where it stands, as table_delete
        // would make it after probing for it.
        if (entry->key != nullptr && !entry->key->marked) *entry = {nullptr, VALUE_TRUE};
    }
    table_drop_tombstones(table);
}

void table_drop_tombstones(ScriptTable *table) {
    if (table->capacity == 0) return;
    TableEntry *entries = table->entries;
    auto mask = static_cast<uint32_t>(table->capacity - 1);
    uint32_t start = 0;
    bool startFound = false;
    for (uint32_t i = 0; i <= mask; ++i) {
        TableEntry *entry = &entries[i];
        if (entry->key != nullptr) continue;
        if (!startFound && !entry_is_tombstone(entry)) {
            start = i;
            startFound = true;
        }
        *entry = {nullptr, VALUE_NIL};
    }
    // The keys are placed again from their home entries, in probe order from an entry that was
    // empty before: no probe crosses one, so each key is placed after every key its probe
    // passes and lands at or before where it stood.
    int live = 0;
    for (uint32_t k = 1; k <= mask + 1; ++k) {
        TableEntry *entry = &entries[(start + k) & mask];
        if (entry->key == nullptr) continue;
        TableEntry moved = *entry;
        *entry = {nullptr, VALUE_NIL};
        *find_entry(entries, table->capacity, moved.key) = moved;
        live++;
    }
    table->count = live;
}

int table_live_count(const ScriptTable *table) {
    int live = 0;
    for (int i = 0; i < table->capacity; ++i)
        if (table->entries[i].key != nullptr) live++;
    return live;
}

void table_compact(ScriptTable *table, int capacity) {
    if (capacity > table->capacity) capacity = table->capacity;
    if (capacity == 0 || (capacity == table->capacity && table_live_count(table) == table->count)) return;
    adjust_capacity(table, capacity);
}

void table_mark(ScriptTable *table) {
    for (int i = 0; i < table->capacity; ++i) {
        TableEntry *entry = &table->entries[i];
        gc_mark_object(entry->key);
        gc_mark_value(entry->value);
    }
}
