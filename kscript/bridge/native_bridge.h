// The bridges behind the natives: like those of engine_bridge.h, each calls one member of the
// engine of the current run with terminated texts and hands back the member's answer. A text
// answer points into the engine and stays valid until the next call into it; a missing input
// (null) reads as "0".
#pragma once

class BigNumber;

const char *calc_bridge_pi(BigNumber *engine, const char *x); // "" asks for the constant itself
const char *calc_bridge_exp(BigNumber *engine, const char *x);
const char *calc_bridge_ln(BigNumber *engine, const char *x);
const char *calc_bridge_EulerVarphi(BigNumber *engine, const char *x);
// Angles as the engine reads them: radians, multiples of pi, or degrees with a closing "d".
const char *calc_bridge_cot(BigNumber *engine, const char *x);
const char *calc_bridge_tan(BigNumber *engine, const char *x);
const char *calc_bridge_cos(BigNumber *engine, const char *x);
const char *calc_bridge_sin(BigNumber *engine, const char *x);
const char *calc_bridge_binom(BigNumber *engine, const char *n, const char *k);
int calc_bridge_ispseudoprime(BigNumber *engine, const char *x); // 1 or 0
// The long primality report, written to the standard output: 1 prime, 0 not, -1 empty text.
int calc_bridge_isprime_hint(BigNumber *engine, const char *x);
int calc_bridge_isprime(BigNumber *engine, const char *x); // 1 or 0
// The gcd, with Euclid's steps written to the engine's message stream.
const char *calc_bridge_gcd2(BigNumber *engine, const char *a, const char *b);
const char *calc_bridge_gcd(BigNumber *engine, const char *a, const char *b);
const char *calc_bridge_multiplicativeOrder(BigNumber *engine, const char *a, const char *m);
const char *calc_bridge_biggest_factor(BigNumber *engine, const char *n);
int calc_bridge_tau(BigNumber *engine, const char *n); // the number of divisors
const char *calc_bridge_round(BigNumber *engine, const char *x);
const char *calc_bridge_ceil(BigNumber *engine, const char *x);
const char *calc_bridge_floor(BigNumber *engine, const char *x);
// The signed square root for n = 2, the engine's n-th root (its error text for n < 1) otherwise.
const char *calc_bridge_sqrtn(BigNumber *engine, const char *x, int n);
// Sets the precision when digits > 0 and there is an engine; answers digits either way.
int calc_bridge_setprecision(BigNumber *engine, int digits);
