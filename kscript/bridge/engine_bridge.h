// The seam between the script machine and the engine: plain functions over terminated texts,
// each calling one member of the engine of the current run. A text answer points into that
// engine (its result or error text) and stays valid until the next call into the same engine,
// so callers copy it first. An input may itself point into the engine: every bridge copies its
// inputs before the call. Where marked, a missing input (null) reads as "0".
#pragma once

class BigNumber;

const char *calc_bridge_factorial(BigNumber *engine, const char *x, const char *y);
int calc_bridge_setmode(BigNumber *engine, int mode);                    // null engine: nothing changes
bool calc_bridge_equal(BigNumber *engine, const char *a, const char *b); // false for a null input
int calc_bridge_less(BigNumber *engine, const char *a, const char *b);   // 1 when a < b; null reads "0"

// Null inputs read as "0" from here on. The four basic operations follow the engine's mode
// word: bit 0 set computes with the fractions of the inputs.
const char *calc_bridge_intdiv(BigNumber *engine, const char *a, const char *b); // the integer quotient
const char *calc_bridge_mod(BigNumber *engine, const char *a, const char *b);    // the non-negative remainder
const char *calc_bridge_circumflex(BigNumber *engine, const char *a, const char *b);
const char *calc_bridge_divide_fr(BigNumber *engine, const char *a, const char *b); // fractions in every mode
const char *calc_bridge_divide(BigNumber *engine, const char *a, const char *b);
const char *calc_bridge_multiply(BigNumber *engine, const char *a, const char *b);
const char *calc_bridge_subtract(BigNumber *engine, const char *a, const char *b);
const char *calc_bridge_add(BigNumber *engine, const char *a, const char *b);
