#include "bridge/engine_bridge.h"

#include <string>

#include "BigNumber.h"
#include "bridge/bridge_texts.h"

namespace {


using EngineMember = std::string &(BigNumber::*)(const std::string &, const std::string &);

const char *call_member(BigNumber *engine, EngineMember member, const char *a, const char *b) {
    std::string left = text_or_zero(a);
    std::string right = text_or_zero(b);
    return (engine->*member)(left, right).c_str();
}

// Decimal member, or the fraction member on the fractions of the inputs.
const char *call_by_mode(BigNumber *engine, EngineMember decimal, EngineMember fraction, const char *a,
                         const char *b, bool alwaysFraction = false) {
    if (!alwaysFraction && (engine->getMode() & kFractionBit) == 0)
        return call_member(engine, decimal, a, b);
    std::string left = engine->decimal_to_fraction(text_or_zero(a));
    std::string right = engine->decimal_to_fraction(text_or_zero(b));
    return (engine->*fraction)(left, right).c_str();
}

} // namespace

const char *calc_bridge_factorial(BigNumber *engine, const char *x, const char *y) {
    return call_member(engine, &BigNumber::falling_factorial, x, y);
}

int calc_bridge_setmode(BigNumber *engine, int mode) {
    if (engine != nullptr) engine->setMode(mode);
    return mode;
}

bool calc_bridge_equal(BigNumber *engine, const char *a, const char *b) {
    if (a == nullptr || b == nullptr) return false;
    return engine->isEqualTo(std::string(a), std::string(b));
}

int calc_bridge_less(BigNumber *engine, const char *a, const char *b) {
    return engine->isLessThan(text_or_zero(a), text_or_zero(b)) ? 1 : 0;
}

const char *calc_bridge_intdiv(BigNumber *engine, const char *a, const char *b) {
    return call_member(engine, &BigNumber::quotient_operator, a, b);
}

const char *calc_bridge_mod(BigNumber *engine, const char *a, const char *b) {
    return call_member(engine, &BigNumber::int_remainder, a, b);
}

const char *calc_bridge_circumflex(BigNumber *engine, const char *a, const char *b) {
    return call_member(engine, &BigNumber::power, a, b);
}

const char *calc_bridge_divide_fr(BigNumber *engine, const char *a, const char *b) {
    return call_by_mode(engine, &BigNumber::real_division, &BigNumber::fr_division, a, b, true);
}

const char *calc_bridge_divide(BigNumber *engine, const char *a, const char *b) {
    return call_by_mode(engine, &BigNumber::real_division, &BigNumber::fr_division, a, b);
}

const char *calc_bridge_multiply(BigNumber *engine, const char *a, const char *b) {
    return call_by_mode(engine, &BigNumber::multiplication, &BigNumber::fr_multiplication, a, b);
}

const char *calc_bridge_subtract(BigNumber *engine, const char *a, const char *b) {
    return call_by_mode(engine, &BigNumber::real_subtraction, &BigNumber::fr_subtraction, a, b);
}

const char *calc_bridge_add(BigNumber *engine, const char *a, const char *b) {
    return call_by_mode(engine, &BigNumber::addition, &BigNumber::fr_addition, a, b);
}
