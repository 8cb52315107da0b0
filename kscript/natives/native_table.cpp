#include "natives/natives.h"

#include <array>

#include "natives/native_functions.h"

namespace {

// In the order in which they are bound.
constexpr std::array<NativeDefinition, 34> NATIVES = {{
    {"clock", native_clock},
    {"length", native_length},
    {"ith_char", native_ith_char},
    {"avg", native_avg},
    {"setprecision", native_setprecision},
    {"setmode", native_setmode},
    {"sqrt", native_sqrt},
    {"sqrtn", native_sqrt},
    {"floor", native_floor},
    {"ceil", native_ceil},
    {"round", native_round},
    {"tau", native_tau},
    {"biggest_factor", native_biggest_factor},
    {"multiplicativeOrder", native_multiplicativeOrder},
    {"gcd", native_gcd},
    {"gcd2", native_gcd2},
    {"isprime", native_isprime},
    {"binom", native_binom},
    {"factorial", native_factorial},
    {"sin", native_sin},
    {"cos", native_cos},
    {"tan", native_tan},
    {"cot", native_cot},
    {"EulerVarphi", native_EulerVarphi},
    {"Shorten", native_Shorten},
    {"truncate", native_truncate},
    {"ln", native_ln},
    {"exp", native_exp},
    {"pi", native_pi},
    {"ispseudoprime", native_ispseudoprime},
    {"Primes", native_Primes},
    {"size", native_size},
    {"append", native_append},
    {"delete", native_delete},
}};

} // namespace

std::span<const NativeDefinition> script_natives() {
    return NATIVES;
}
