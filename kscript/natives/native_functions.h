// The natives themselves, by topic file; native_table.cpp binds them under their script names.
#pragma once

#include "value.h"

// engine_natives.cpp: the clock, the engine's precision and mode, sums, roots, rounding,
// elementary functions, pi and factorials.
ScriptValue native_clock(int argCount, ScriptValue *args);
ScriptValue native_avg(int argCount, ScriptValue *args);
ScriptValue native_setprecision(int argCount, ScriptValue *args);
ScriptValue native_setmode(int argCount, ScriptValue *args);
ScriptValue native_sqrt(int argCount, ScriptValue *args);
ScriptValue native_floor(int argCount, ScriptValue *args);
ScriptValue native_ceil(int argCount, ScriptValue *args);
ScriptValue native_round(int argCount, ScriptValue *args);
ScriptValue native_binom(int argCount, ScriptValue *args);
ScriptValue native_factorial(int argCount, ScriptValue *args);
ScriptValue native_sin(int argCount, ScriptValue *args);
ScriptValue native_cos(int argCount, ScriptValue *args);
ScriptValue native_tan(int argCount, ScriptValue *args);
ScriptValue native_cot(int argCount, ScriptValue *args);
ScriptValue native_ln(int argCount, ScriptValue *args);
ScriptValue native_exp(int argCount, ScriptValue *args);
ScriptValue native_pi(int argCount, ScriptValue *args);

// number_theory_natives.cpp: divisors, factors, orders, gcds, primality and the list of primes.
ScriptValue native_tau(int argCount, ScriptValue *args);
ScriptValue native_biggest_factor(int argCount, ScriptValue *args);
ScriptValue native_multiplicativeOrder(int argCount, ScriptValue *args);
ScriptValue native_gcd(int argCount, ScriptValue *args);
ScriptValue native_gcd2(int argCount, ScriptValue *args);
ScriptValue native_isprime(int argCount, ScriptValue *args);
ScriptValue native_ispseudoprime(int argCount, ScriptValue *args);
ScriptValue native_EulerVarphi(int argCount, ScriptValue *args);
ScriptValue native_Primes(int argCount, ScriptValue *args);

// text_natives.cpp: lengths, characters and cut texts.
ScriptValue native_length(int argCount, ScriptValue *args);
ScriptValue native_ith_char(int argCount, ScriptValue *args);
ScriptValue native_Shorten(int argCount, ScriptValue *args);
ScriptValue native_truncate(int argCount, ScriptValue *args);

// list_natives.cpp: the size of a list, appending and deleting items.
ScriptValue native_size(int argCount, ScriptValue *args);
ScriptValue native_append(int argCount, ScriptValue *args);
ScriptValue native_delete(int argCount, ScriptValue *args);
