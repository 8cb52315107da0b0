// The opcodes that compute with values: arithmetic, factorials, comparisons, printing, list
// indexing and the mode words. Two strings are number texts that the engine computes with
// (short integers take the bridge's short road to the same answer); two doubles are computed
// in floating point; any other pair is a runtime error of the operator.
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "BigNumber.h"
#include "bridge/engine_bridge.h"
#include "bridge/small_integers.h"
#include "vm/vm_internal.h"

namespace {

constexpr int MODE_FRACTION_BIT = 1;
// The run budget charges a text operation one unit per this many characters it reads or writes.
constexpr int BUDGET_CHARACTERS_PER_UNIT = 64;

using TextBridge = const char *(*)(BigNumber *, const char *, const char *);
using NumberOperation = double (*)(double, double);

struct ArithmeticRule {
    TextBridge bridge;
    SmallIntegerOp small;
    bool smallInEveryMode; // the operation ignores the engine's fraction mode
    NumberOperation numbers;
    const char *symbol; // in the type error
};

// x (x-1) ... down to the last factor not below y, as the engine's falling product does on
// texts. It stops once more factors cannot change the answer: an infinite or NaN product, a
// zero product (the rest only flips its sign), or an x so large that x - 1 == x, which would
// otherwise loop for ever.
double falling_product(double x, double y) {
    double r = 1.0;
    while (x >= y) {
        r *= x;
        if (!std::isfinite(r)) return r;
        if (r == 0.0) {
            double rest = std::floor(x - y); // factors after x
            return std::fmod(rest, 2.0) == 1.0 ? -r : r;
        }
        if (x - 1.0 == x) return r * x * HUGE_VAL;
        x -= 1.0;
    }
    return r;
}

double add(double a, double b) {
    return a + b;
}
double subtract(double a, double b) {
    return a - b;
}
double multiply(double a, double b) {
    return a * b;
}
double divide(double a, double b) {
    return a / b;
}
double power(double a, double b) {
    return std::pow(a, b);
}
double remainder(double a, double b) {
    return std::fmod(a, b);
}

constexpr std::array<ArithmeticRule, OPCODE_COUNT> make_arithmetic_rules() {
    std::array<ArithmeticRule, OPCODE_COUNT> rules{};
    rules[OP_ADD] = {calc_bridge_add, SMALL_ADD, false, add, "+"};
    rules[OP_SUBTRACT] = {calc_bridge_subtract, SMALL_SUBTRACT, false, subtract, "-"};
    rules[OP_MULTIPLY] = {calc_bridge_multiply, SMALL_MULTIPLY, false, multiply, "*"};
    rules[OP_DIVIDE] = {calc_bridge_divide, SMALL_NONE, false, divide, "/"};
    rules[OP_DIVIDE_FR] = {calc_bridge_divide_fr, SMALL_NONE, false, divide, "/"};
    rules[OP_CIRCUMFLEX] = {calc_bridge_circumflex, SMALL_NONE, false, power, "pow"};
    rules[OP_FACTORIAL] = {calc_bridge_factorial, SMALL_NONE, false, falling_product, "!"};
    rules[OP_MOD] = {calc_bridge_mod, SMALL_REMAINDER, true, remainder, "@"};
    rules[OP_INTDIV] = {calc_bridge_intdiv, SMALL_QUOTIENT, true, divide, "%"};
    return rules;
}

constexpr std::array<ArithmeticRule, OPCODE_COUNT> ARITHMETIC_RULES = make_arithmetic_rules();

bool is_string(ScriptValue v) {
    return is_object_kind(v, OBJ_STRING);
}

bool fraction_mode() {
    return (vm_engine->getMode() & MODE_FRACTION_BIT) != 0;
}

// An operand of a text operation: the characters of a string, or a fixed text ("0" of the
// negation, "1" of the single factorial).
struct Text {
    const char *chars;
    int length;
    StringObject *string; // none for a fixed text
};

Text text_of(ScriptValue v) {
    StringObject *s = value_as_string(v);
    return {s->chars, s->length, s};
}

bool small_integer_of(const Text &text, int64_t *value) {
    StringObject *s = text.string;
    if (s == nullptr) return small_integer_parse(text.chars, text.length, value);
    if (s->integerForm == STRING_INTEGER_UNKNOWN)
        s->integerForm = small_integer_parse(s->chars, s->length, &s->integer) ? STRING_INTEGER_YES : STRING_INTEGER_NO;
    *value = s->integer;
    return s->integerForm == STRING_INTEGER_YES;
}

// The interned answer of a text operation, or none once the run budget is spent. The operands
// stay on the stack meanwhile, so interning may collect.
StringObject *text_operation(const ArithmeticRule &rule, const Text &a, const Text &b) {
    char shortAnswer[SMALL_INTEGER_TEXT_SIZE];
    int length = -1;
    const char *answer = shortAnswer;
    int64_t x = 0;
    int64_t y = 0;
    bool answerInForm = false;
    int64_t answerValue = 0;
    if (rule.small != SMALL_NONE && (rule.smallInEveryMode || !fraction_mode()) && small_integer_of(a, &x) &&
        small_integer_of(b, &y))
        length = small_integer_answer(rule.small, x, y, shortAnswer, &answerInForm, &answerValue);
    if (length < 0) {
        answer = rule.bridge(vm_engine, a.chars, b.chars);
        length = static_cast<int>(std::strlen(answer));
    }
    uint64_t characters = static_cast<uint64_t>(a.length) + static_cast<uint64_t>(b.length) +
                          static_cast<uint64_t>(length);
    if (!vm_spend(1 + characters / BUDGET_CHARACTERS_PER_UNIT)) return nullptr;
    StringObject *result = string_copy(answer, length);
    if (answerInForm && result->integerForm == STRING_INTEGER_UNKNOWN) {
        result->integerForm = STRING_INTEGER_YES;
        result->integer = answerValue;
    }
    return result;
}

// Replaces the two operands on top by the answer.
void replace_operands(ScriptValue answer) {
    vm_machine.stackTop -= 2;
    *vm_machine.stackTop++ = answer;
}

bool text_less(const Text &a, const Text &b) {
    int64_t x = 0;
    int64_t y = 0;
    if (small_integer_of(a, &x) && small_integer_of(b, &y)) return x < y;
    return calc_bridge_less(vm_engine, a.chars, b.chars) == 1;
}

// A string beside a number compares as the integer read from its start (0 when none is read
// or it leaves the int range).
double leading_integer(ScriptValue v) {
    int value = 0;
    int code = value_parse_int(value_as_string(v)->chars, &value);
    return code == PARSE_INT_OK || code == PARSE_INT_TRAILING ? value : 0;
}

// The list index errors are reported whatever the error-report switch says.
constexpr const char *LIST_INDEX_NOT_DECIMAL = "List index \xB2\xBB\xCA\xC7\xCA\xFD\xD7\xD6";

// A number item reads back as the text of the signed low 32 bits of its pattern (the form in
// which list natives store integers).
ScriptValue list_item_value(ScriptValue item) {
    if (!value_is_number(item)) return item;
    auto low = static_cast<int32_t>(static_cast<uint32_t>(value_as_bits(item)));
    char digits[16];
    int length = std::snprintf(digits, sizeof digits, "%d", static_cast<int>(low));
    return value_from_object(string_copy(digits, length));
}

} // namespace

bool vm_arithmetic(uint8_t opcode) {
    const ArithmeticRule &rule = ARITHMETIC_RULES[opcode];
    ScriptValue b = vm_peek(0);
    ScriptValue a = vm_peek(1);
    if (is_string(a) && is_string(b)) {
        StringObject *answer = text_operation(rule, text_of(a), text_of(b));
        if (answer == nullptr) return false;
        replace_operands(value_from_object(answer));
        return true;
    }
    if (value_is_number(a) && value_is_number(b)) {
        replace_operands(value_from_number(rule.numbers(value_as_number(a), value_as_number(b))));
        return true;
    }
    vm_script_error("Operands must be two numbers or two strings for %s.", rule.symbol);
    return false;
}

bool vm_single_factorial() {
    ScriptValue x = vm_peek(0);
    if (is_string(x)) {
        StringObject *answer = text_operation(ARITHMETIC_RULES[OP_FACTORIAL], text_of(x), {"1", 1, nullptr});
        if (answer == nullptr) return false;
        vm_machine.stackTop[-1] = value_from_object(answer);
        return true;
    }
    if (value_is_number(x)) {
        vm_machine.stackTop[-1] = value_from_number(falling_product(value_as_number(x), 1.0));
        return true;
    }
    vm_script_error("Operand must be a number.");
    return false;
}

bool vm_negate() {
    ScriptValue x = vm_peek(0);
    if (is_string(x)) {
        StringObject *answer = text_operation(ARITHMETIC_RULES[OP_SUBTRACT], {"0", 1, nullptr}, text_of(x));
        if (answer == nullptr) return false;
        vm_machine.stackTop[-1] = value_from_object(answer);
        return true;
    }
    if (value_is_number(x)) {
        vm_machine.stackTop[-1] = value_from_number(-value_as_number(x));
        return true;
    }
    vm_script_error("Operand must be a number.");
    return false;
}

bool vm_compare(uint8_t opcode) {
    ScriptValue b = vm_peek(0);
    ScriptValue a = vm_peek(1);
    bool answer = false;
    if (is_string(a) && is_string(b)) {
        Text x = text_of(a);
        Text y = text_of(b);
        if (opcode == OP_EQUAL) {
            answer = !text_less(x, y) && !text_less(y, x);
        } else {
            answer = opcode == OP_LESS ? text_less(x, y) : text_less(y, x);
        }
    } else if (value_is_number(a) && value_is_number(b)) {
        double x = value_as_number(a);
        double y = value_as_number(b);
        answer = opcode == OP_EQUAL ? value_equal(a, b) : opcode == OP_LESS ? x < y : x > y;
    } else if (opcode != OP_EQUAL && (value_is_number(a) || is_string(a)) && (value_is_number(b) || is_string(b))) {
        double x = value_is_number(a) ? value_as_number(a) : leading_integer(a);
        double y = value_is_number(b) ? value_as_number(b) : leading_integer(b);
        answer = opcode == OP_LESS ? x < y : x > y;
    } else {
        const char *symbol = opcode == OP_EQUAL ? "==" : opcode == OP_LESS ? "<" : ">";
        vm_script_error("Operands must be two numbers or two strings for %s.", symbol);
        return false;
    }
    replace_operands(value_from_bool(answer));
    return true;
}

void vm_print(ScriptValue value, bool lineBreak, FILE *stream) {
    if (stream != nullptr) {
        value_print_stream(stream, value);
        if (lineBreak) std::fputc('\n', stream);
        return;
    }
    // No line break in the buffer: it holds the value itself.
    value_format(vm_print_result->chars, VM_PRINT_RESULT_LENGTH, value);
}

bool vm_list_get() {
    ScriptValue index = vm_peek(0);
    ScriptValue target = vm_peek(1);
    if (!is_object_kind(target, OBJ_LIST)) {
        vm_runtime_error("Invalid type to index into.");
        return false;
    }
    if (!value_is_object(index)) {
        vm_runtime_error("List index is not a number.");
        return false;
    }
    int i = 0;
    if (!is_string(index) || value_parse_int(value_as_string(index)->chars, &i) != PARSE_INT_OK) {
        vm_runtime_error("%s", LIST_INDEX_NOT_DECIMAL);
        return false;
    }
    ListObject *list = value_as_list(target);
    if (!list_index_valid(list, i)) {
        vm_runtime_error("List index out of range");
        return false;
    }
    replace_operands(list_item_value(list_get(list, i)));
    return true;
}

bool vm_list_set() {
    ScriptValue item = vm_peek(0);
    ScriptValue index = vm_peek(1);
    ScriptValue target = vm_peek(2);
    if (!is_object_kind(target, OBJ_LIST)) {
        vm_runtime_error("Invalid type to index into.");
        return false;
    }
    if (!value_is_number(index)) {
        vm_runtime_error("List index is not a number.");
        return false;
    }
    ListObject *list = value_as_list(target);
    // Truncated toward zero; the bounds are tested on the double, so no out-of-range or NaN
    // value is ever converted.
    double position = value_as_number(index);
    if (!(position > -1.0 && position < static_cast<double>(list->count))) {
        vm_runtime_error("List index out of range");
        return false;
    }
    list_set(list, static_cast<int>(position), item);
    vm_machine.stackTop -= 3;
    *vm_machine.stackTop++ = item;
    return true;
}

// The mode word (":mode0", ":mode1", ...) stays the value of the expression; its last
// character switches the engine between numbers and fractions.
void vm_mode() {
    ScriptValue word = vm_peek(0);
    if (!is_string(word)) return;
    StringObject *text = value_as_string(word);
    if (text->length == 0) return;
    char last = text->chars[text->length - 1];
    if (last == '0' || last == '1') calc_bridge_setmode(vm_engine, last - '0');
}

// No statement compiles to this step: it reads one blank-delimited word and stores it, as a
// string, in the global of that name.
void vm_scanf() {
    char word[1024] = {};
    if (std::scanf("%1023s", word) != 1) word[0] = '\0';
    StringObject *text = string_copy(word, static_cast<int>(std::strlen(word)));
    vm_push(value_from_object(text));
    table_set(&vm_machine.globals, text, value_from_object(text));
    vm_pop();
}
