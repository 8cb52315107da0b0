// Every byte of the script language goes through mem_reallocate, which keeps the running count
// that decides when the collector runs.
#pragma once

#include <climits>
#include <cstddef>

#include "value.h"

struct ScriptTable;
struct ValueArray;

void *mem_reallocate(void *pointer, size_t oldSize, size_t newSize);

// Memory that runs out (the system refuses a block, an array can no longer double, or the
// machine's limit is reached) throws ScriptOutOfMemory before anything is changed; the run
// entries catch it and end the run with the runtime error "Out of memory.", the machine and
// the process going on.
struct ScriptOutOfMemory {};
[[noreturn]] void mem_out_of_memory();

// Test hook: the bytes the machine may hold at once; 0 (the default) means as many as the
// system gives.
void mem_set_limit(size_t bytes);

template <typename T> T *mem_allocate(size_t count) {
    return static_cast<T *>(mem_reallocate(nullptr, 0, sizeof(T) * count));
}

template <typename T> void mem_free(T *pointer) {
    mem_reallocate(pointer, sizeof(T), 0);
}

template <typename T> void mem_free_array(T *pointer, size_t count) {
    mem_reallocate(pointer, sizeof(T) * count, 0);
}

template <typename T> T *mem_grow_array(T *pointer, size_t oldCount, size_t newCount) {
    return static_cast<T *>(mem_reallocate(pointer, sizeof(T) * oldCount, sizeof(T) * newCount));
}

// Capacity policy of every growable array: 8 first, then doubling. A capacity that can no
// longer double inside an int is treated like exhausted memory rather than wrapping.
inline int mem_grow_capacity(int capacity) {
    if (capacity < 8) return 8;
    if (capacity > INT_MAX / 2) mem_out_of_memory();
    return capacity * 2;
}

// Collector.
void gc_mark_object(ScriptObject *object);
void gc_mark_value(ScriptValue value);
void gc_mark_array(ValueArray *array);
void gc_collect();
void gc_free_object(ScriptObject *object);
void gc_free_objects();

// Test aid: when on, every growing allocation collects first, so an object that is not kept
// reachable while something allocates is freed at once and the sanitizers see its next use.
void gc_set_stress(bool on);
bool gc_stress();
