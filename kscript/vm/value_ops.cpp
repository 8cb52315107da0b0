// The opcodes that compute with values: arithmetic, factorials, comparisons, printing, list
// indexing and the mode words. Two strings are number texts that the engine computes with
// (integers take the bridge's integer road to the same answer); two doubles are computed in
// floating point; any other pair is a runtime error of the operator.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "BigNumber.h"
#include "bridge/engine_bridge.h"
#include "bridge/integer_road.h"
#include "vm/vm_internal.h"

namespace {

// The run budget charges a text operation one unit per this many characters it reads or writes.
constexpr int BUDGET_CHARACTERS_PER_UNIT = 64;

using TextBridge = const char *(*)(BigNumber *, const char *, const char *);
using NumberOperation = double (*)(double, double);

struct ArithmeticRule {
    TextBridge bridge;
    IntegerOp integers;   // its integer road
    bool roadInEveryMode; // the operation ignores the engine's fraction mode
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
    rules[OP_ADD] = {calc_bridge_add, INTEGER_ADD, false, add, "+"};
    rules[OP_SUBTRACT] = {calc_bridge_subtract, INTEGER_SUBTRACT, false, subtract, "-"};
    rules[OP_MULTIPLY] = {calc_bridge_multiply, INTEGER_MULTIPLY, false, multiply, "*"};
    rules[OP_DIVIDE] = {calc_bridge_divide, INTEGER_NONE, false, divide, "/"};
    rules[OP_DIVIDE_FR] = {calc_bridge_divide_fr, INTEGER_NONE, false, divide, "/"};
    rules[OP_CIRCUMFLEX] = {calc_bridge_circumflex, INTEGER_NONE, false, power, "pow"};
    rules[OP_FACTORIAL] = {calc_bridge_factorial, INTEGER_NONE, false, falling_product, "!"};
    rules[OP_MOD] = {calc_bridge_mod, INTEGER_REMAINDER, true, remainder, "@"};
    rules[OP_INTDIV] = {calc_bridge_intdiv, INTEGER_QUOTIENT, true, divide, "%"};
    return rules;
}

constexpr std::array<ArithmeticRule, OPCODE_COUNT> ARITHMETIC_RULES = make_arithmetic_rules();

bool is_string(ScriptValue v) {
    return is_object_kind(v, OBJ_STRING);
}

bool fraction_mode() {
    return (vm_engine->getMode() & kFractionBit) != 0;
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

// The text as the integer road takes it; false when it is no integer of the engine's form.
bool integer_text(const Text &text, IntegerText *integer) {
    StringObject *s = text.string;
    int64_t value = 0;
    IntegerForm form;
    if (s == nullptr) {
        form = integer_form(text.chars, text.length, &value);
    } else {
        if (s->integerForm == INTEGER_FORM_UNKNOWN)
            s->integerForm = integer_form(s->chars, s->length, &s->integer);
        form = static_cast<IntegerForm>(s->integerForm);
        value = s->integer;
    }
    *integer = {text.chars, text.length, form, value};
    return form == INTEGER_FORM_SHORT || form == INTEGER_FORM_LONG;
}

// Answers of the integer road are written here, so that they need no allocation of their own.
std::string integerAnswer;

// The integer road's last answer, not yet written into the engine: a short one by its value,
// a long one as the text in integerAnswer (which only the integer road writes). Noting it
// costs the loops two stores; the engine's answer text is written once, when it is settled.
struct NotedAnswer {
    IntegerForm form; // UNKNOWN: none noted, the engine holds the last answer
    int64_t value;
};
NotedAnswer notedAnswer = {INTEGER_FORM_UNKNOWN, 0};

// Long answers usually differ from an operand only near their end (a digit appended, a small
// number added): their hash is found from that operand's.
uint32_t answer_hash(const char *answer, int length, const Text &a, const Text &b) {
    constexpr int NEAR_HASH_MIN_LENGTH = 64;
    if (length < NEAR_HASH_MIN_LENGTH) return string_hash(answer, length);
    const Text &near = a.length >= b.length ? a : b;
    if (near.string == nullptr) return string_hash(answer, length);
    return string_hash_near(near.string, answer, length);
}

// The interned texts of recent short integer answers, by value: the answers of a script's loops
// and recursions are mostly numbers met shortly before, which this spares writing, hashing and
// looking up. A collection may free any of them, so it empties the cache.
constexpr int64_t RECENT_INTEGERS = 1024; // a power of two
struct RecentInteger {
    int64_t value;
    StringObject *string;
};
RecentInteger recentIntegers[RECENT_INTEGERS];

RecentInteger &recent_integer(int64_t value) {
    return recentIntegers[static_cast<uint64_t>(value) & (RECENT_INTEGERS - 1)];
}

bool spend_on_text(const Text &a, const Text &b, int length) {
    uint64_t characters =
        static_cast<uint64_t>(a.length) + static_cast<uint64_t>(b.length) + static_cast<uint64_t>(length);
    return vm_spend(1 + characters / BUDGET_CHARACTERS_PER_UNIT);
}

// The interned answer of a text operation, or none once the run budget is spent. The operands
// stay on the stack meanwhile, so interning may collect.
StringObject *text_operation(const ArithmeticRule &rule, const Text &a, const Text &b) {
    IntegerText x;
    IntegerText y;
    IntegerForm answerForm = INTEGER_FORM_UNKNOWN;
    int64_t answerValue = 0;
    const char *answer = nullptr;
    int length = 0;
    bool road = rule.integers != INTEGER_NONE && (rule.roadInEveryMode || !fraction_mode()) &&
                integer_text(a, &x) && integer_text(b, &y);
    if (road && integer_short_value(rule.integers, x, y, &answerValue)) {
        notedAnswer = {INTEGER_FORM_SHORT, answerValue};
        RecentInteger &recent = recent_integer(answerValue);
        if (recent.string != nullptr && recent.value == answerValue)
            return spend_on_text(a, b, recent.string->length) ? recent.string : nullptr;
        // Written, hashed by its value and noted straight from the machine word.
        char digits[24];
        auto [end, error] = std::to_chars(digits, digits + sizeof digits, answerValue);
        if (error == std::errc()) {
            length = static_cast<int>(end - digits);
            if (!spend_on_text(a, b, length)) return nullptr;
            StringObject *result = string_copy_hashed(digits, length, string_integer_hash(answerValue));
            result->integerForm = INTEGER_FORM_SHORT;
            result->integer = answerValue;
            recent = {answerValue, result};
            return result;
        }
    }
    if (road && integer_answer(rule.integers, x, y, integerAnswer, &answerForm, &answerValue)) {
        answer = integerAnswer.data();
        length = static_cast<int>(integerAnswer.size());
        notedAnswer = {answerForm, answerValue};
    } else {
        answerForm = INTEGER_FORM_UNKNOWN;
        notedAnswer.form = INTEGER_FORM_UNKNOWN; // the engine writes its own answer
        answer = rule.bridge(vm_engine, a.chars, b.chars);
        length = static_cast<int>(std::strlen(answer));
    }
    if (!spend_on_text(a, b, length)) return nullptr;
    StringObject *result = string_copy_hashed(answer, length, answer_hash(answer, length, a, b));
    if (result->integerForm == INTEGER_FORM_UNKNOWN) {
        result->integerForm = answerForm;
        result->integer = answerValue;
    }
    if (answerForm == INTEGER_FORM_SHORT) recent_integer(answerValue) = {answerValue, result};
    return result;
}

} // namespace

void vm_settle_last_answer() {
    if (notedAnswer.form == INTEGER_FORM_UNKNOWN || vm_engine == nullptr) return;
    if (notedAnswer.form == INTEGER_FORM_SHORT) {
        char digits[24];
        auto [end, error] = std::to_chars(digits, digits + sizeof digits, notedAnswer.value);
        if (error == std::errc()) vm_engine->setResult(std::string(digits, end));
    } else {
        vm_engine->setResult(integerAnswer);
    }
    notedAnswer.form = INTEGER_FORM_UNKNOWN;
}

namespace {

// Replaces the two operands on top by the answer.
void replace_operands(ScriptValue answer) {
    assert(vm_stack_holds(2));
    vm_machine.stackTop -= 2;
    *vm_machine.stackTop++ = answer;
}

bool text_less(const Text &a, const Text &b) {
    IntegerText x;
    IntegerText y;
    if (integer_text(a, &x) && integer_text(b, &y)) return integer_less(x, y);
    return calc_bridge_less(vm_engine, a.chars, b.chars) == 1;
}

// A string beside a number compares as the integer read from its start (0 when none is read
// or it leaves the int range).
double leading_integer(ScriptValue v) {
    int value = 0;
    int code = value_parse_int(value_as_string(v)->chars, &value);
    return code == PARSE_INT_OK || code == PARSE_INT_TRAILING ? value : 0;
}

constexpr const char *LIST_INDEX_NOT_DECIMAL = "List index \xB2\xBB\xCA\xC7\xCA\xFD\xD7\xD6";

// The list errors are reported whatever the error-report switch says.
bool list_error(const char *message) {
    vm_runtime_error("%s", message);
    return false;
}

// A number item reads back as the text of the signed low 32 bits of its pattern.
ScriptValue list_item_value(ScriptValue item) {
    if (!value_is_number(item)) return item;
    auto low = static_cast<int32_t>(static_cast<uint32_t>(value_as_bits(item)));
    char digits[16];
    int length = std::snprintf(digits, sizeof digits, "%d", static_cast<int>(low));
    return value_from_object(string_copy(digits, length));
}

} // namespace

void vm_forget_recent_integers() {
    for (RecentInteger &recent : recentIntegers) recent = {0, nullptr};
}

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
        // Two texts already noted as short integers (a loop's counter and bound) compare as
        // their values, which is what the text order gives them.
        StringObject *p = value_as_string(a);
        StringObject *q = value_as_string(b);
        if (p->integerForm == INTEGER_FORM_SHORT && q->integerForm == INTEGER_FORM_SHORT) {
            answer = opcode == OP_EQUAL  ? p->integer == q->integer
                     : opcode == OP_LESS ? p->integer < q->integer
                                         : p->integer > q->integer;
            replace_operands(value_from_bool(answer));
            return true;
        }
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
    } else if (opcode != OP_EQUAL && (value_is_number(a) || is_string(a)) &&
               (value_is_number(b) || is_string(b))) {
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
    vm_print_whole.clear();
    vm_print_whole_length = value_text(vm_print_whole, VM_PRINT_WHOLE_MAX, value);
    const size_t start = std::min(vm_print_whole.size(), static_cast<size_t>(VM_PRINT_RESULT_LENGTH - 1));
    std::memcpy(vm_print_result->chars, vm_print_whole.data(), start);
    vm_print_result->chars[start] = '\0';
}

bool vm_list_get() {
    ScriptValue index = vm_peek(0);
    ScriptValue target = vm_peek(1);
    if (!is_object_kind(target, OBJ_LIST)) return list_error("Invalid type to index into.");
    if (!value_is_object(index)) return list_error("List index is not a number.");
    int i = 0;
    if (!is_string(index) || value_parse_int(value_as_string(index)->chars, &i) != PARSE_INT_OK)
        return list_error(LIST_INDEX_NOT_DECIMAL);
    ListObject *list = value_as_list(target);
    if (!list_index_valid(list, i)) return list_error("List index out of range");
    replace_operands(list_item_value(list_get(list, i)));
    return true;
}

bool vm_list_set() {
    ScriptValue item = vm_peek(0);
    ScriptValue index = vm_peek(1);
    ScriptValue target = vm_peek(2);
    if (!is_object_kind(target, OBJ_LIST)) return list_error("Invalid type to index into.");
    if (!value_is_number(index)) return list_error("List index is not a number.");
    ListObject *list = value_as_list(target);
    // Truncated toward zero; the bounds are tested on the double, so no out-of-range or NaN
    // value is ever converted.
    double position = value_as_number(index);
    if (!(position > -1.0 && position < static_cast<double>(list->count)))
        return list_error("List index out of range");
    list_set(list, static_cast<int>(position), item);
    assert(vm_stack_holds(3));
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
