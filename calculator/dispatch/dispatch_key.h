// The dispatch key of a function name: the 64-bit FNV-1a hash over the bytes of the name,
// each byte taken as a signed 8-bit value and sign-extended before it is combined, so a
// byte from 0x80 up enters with all its upper bits set.
#pragma once

#include <cstdint>
#include <string_view>

constexpr uint64_t kFnvOffsetBasis = 0xcbf29ce484222325ULL;
constexpr uint64_t kFnvPrime = 0x100000001b3ULL;

// Up to the first NUL byte, as the name would end in a zero-terminated text.
constexpr uint64_t fnv1a_hash64(std::string_view name) {
    uint64_t hash = kFnvOffsetBasis;
    for (char c : name) {
        if (c == '\0') break;
        hash ^= static_cast<uint64_t>(static_cast<int64_t>(static_cast<signed char>(c)));
        hash *= kFnvPrime;
    }
    return hash;
}
