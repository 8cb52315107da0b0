// The natives of the engine's settings and of its arithmetic and elementary functions.
#include <cstdio>
#include <climits>
#include <ctime>
#include <string>
#include <vector>

#include "bridge/engine_bridge.h"
#include "bridge/native_bridge.h"
#include "natives/native_functions.h"
#include "natives/native_support.h"
#include "tools.h"
#include "vm/vm.h"

namespace {

constexpr int DEFAULT_PRECISION = 8;
constexpr int SQUARE_ROOT = 2;

// An angle given as a number is in degrees: its "%f" text and the engine's degree mark "d".
// sin alone also shows that text on the standard output.
ScriptValue angle_native(int argCount, const ScriptValue *args, UnaryTextBridge bridge, bool showAngle) {
    if (argCount != 1) return native_string("error");
    std::string angle;
    if (const char *chars = native_chars(args[0])) {
        angle = chars;
    } else if (value_is_number(args[0])) {
        angle = native_number_text("%f", value_as_number(args[0])) + "d";
        if (showAngle) std::printf("buff=%s\n", angle.c_str());
    } else {
        return native_string("err");
    }
    return native_engine_answer(bridge(vm_engine, angle.c_str()), angle.size());
}

} // namespace

ScriptValue native_clock(int, ScriptValue *) {
    return native_number(static_cast<double>(std::clock()) / CLOCKS_PER_SEC);
}

// The sum of the texts, from "0" on, divided by their count ("0" by "0" without any).
ScriptValue native_avg(int argCount, ScriptValue *args) {
    std::vector<std::string> texts;
    if (!native_texts("avg", argCount, args, texts)) return VALUE_NIL;
    std::string sum = "0";
    size_t characters = 0;
    for (const std::string &text : texts) {
        sum = calc_bridge_add(vm_engine, sum.c_str(), text.c_str());
        characters += text.size() + sum.size();
    }
    std::string count = std::to_string(argCount);
    return native_engine_answer(calc_bridge_divide(vm_engine, sum.c_str(), count.c_str()), characters);
}

// No argument sets the precision back to its default; a count below 1 changes nothing.
ScriptValue native_setprecision(int argCount, ScriptValue *args) {
    // A count past the engine's cap, or no integer, is refused and changes nothing; no value
    // (or nil) sets the default.
    int64_t digits = DEFAULT_PRECISION;
    std::string text;
    if (argCount > 0 && (native_chars(args[0]) != nullptr || value_is_number(args[0])) &&
        !native_bounded_argument(args[0], 1, precisionCap(), digits, text))
        return native_string(integerRangeMessage(text, 1, precisionCap()));
    return native_number(calc_bridge_setprecision(vm_engine, static_cast<int>(digits)));
}

ScriptValue native_setmode(int argCount, ScriptValue *args) {
    int mode = argCount == 1 ? native_int_argument(args[0], 0) : 0;
    return native_number(calc_bridge_setmode(vm_engine, mode));
}

// sqrt(x) and sqrt(x, n), also named sqrtn. A number x goes as its "%f" text.
ScriptValue native_sqrt(int argCount, ScriptValue *args) {
    if (argCount == 0) return native_string("0");
    std::string x;
    if (const char *chars = native_chars(args[0])) {
        x = chars;
    } else if (value_is_number(args[0])) {
        x = native_number_text("%f", value_as_number(args[0]));
    } else {
        return native_string("0");
    }
    // A degree past the int range is refused rather than held to it; the engine answers for
    // degrees below 1.
    int64_t degree = SQUARE_ROOT;
    std::string text;
    if (argCount >= 2 && (native_chars(args[1]) != nullptr || value_is_number(args[1])) &&
        !native_bounded_argument(args[1], INT_MIN, INT_MAX, degree, text))
        return native_string(integerRangeMessage(text, INT_MIN, INT_MAX));
    return native_engine_answer(calc_bridge_sqrtn(vm_engine, x.c_str(), static_cast<int>(degree)), x.size());
}

ScriptValue native_floor(int argCount, ScriptValue *args) {
    return native_unary("floor", argCount, args, calc_bridge_floor, "Usage: floor(x)");
}

ScriptValue native_ceil(int argCount, ScriptValue *args) {
    return native_unary("ceil", argCount, args, calc_bridge_ceil, "Usage: ceil(x)");
}

ScriptValue native_round(int argCount, ScriptValue *args) {
    return native_unary("round", argCount, args, calc_bridge_round, "Usage: round(x)");
}

ScriptValue native_binom(int argCount, ScriptValue *args) {
    return native_binary("binom", argCount, args, calc_bridge_binom, "0");
}

// x! with one argument, the falling product x (x-1) ... y with two.
ScriptValue native_factorial(int argCount, ScriptValue *args) {
    if (argCount != 1 && argCount != 2) return native_string("0");
    std::vector<std::string> texts;
    if (!native_texts("factorial", argCount, args, texts)) return VALUE_NIL;
    const std::string &x = texts[0];
    // 0! = 1, the empty product (the falling product from 0 down to 1 has no factor).
    if (argCount == 1 && !x.empty() && x.find_first_not_of('0') == std::string::npos) return native_string("1");
    const std::string y = argCount == 2 ? texts[1] : "1";
    return native_engine_answer(calc_bridge_factorial(vm_engine, x.c_str(), y.c_str()), x.size() + y.size());
}

ScriptValue native_sin(int argCount, ScriptValue *args) {
    return angle_native(argCount, args, calc_bridge_sin, true);
}

ScriptValue native_cos(int argCount, ScriptValue *args) {
    return angle_native(argCount, args, calc_bridge_cos, false);
}

ScriptValue native_tan(int argCount, ScriptValue *args) {
    return angle_native(argCount, args, calc_bridge_tan, false);
}

ScriptValue native_cot(int argCount, ScriptValue *args) {
    return angle_native(argCount, args, calc_bridge_cot, false);
}

ScriptValue native_ln(int argCount, ScriptValue *args) {
    return native_unary("ln", argCount, args, calc_bridge_ln, "error");
}

ScriptValue native_exp(int argCount, ScriptValue *args) {
    return native_unary("exp", argCount, args, calc_bridge_exp, "error");
}

// pi() is the constant to the engine's precision, pi(x) the number of primes up to x.
ScriptValue native_pi(int argCount, ScriptValue *args) {
    if (argCount == 0) return native_engine_answer(calc_bridge_pi(vm_engine, ""), 0);
    return native_unary("pi", argCount, args, calc_bridge_pi, "error");
}
