#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "script_test_support.h"
#include "value.h"

namespace {

ScriptValue str(const char *text) {
    return value_from_object(string_copy(text, static_cast<int>(std::strlen(text))));
}

struct EncodingCase {
    const char *what;
    ScriptValue bits;
    bool number, nil, boolean, object;
};

TEST(ValueEncoding, TestsReadOnlyTheBits) {
    static int anObject;
    const EncodingCase cases[] = {
        {"1.5", value_from_number(1.5), true, false, false, false},
        {"nil", 0x7ffc000000000001ULL, false, true, false, false},
        {"false", VALUE_FALSE, false, false, true, false},
        {"true", VALUE_TRUE, false, false, true, false},
        {"default NaN", 0xfff8000000000000ULL, true, false, false, false},
        {"infinity", value_from_number(INFINITY), true, false, false, false},
        {"object", value_from_object(reinterpret_cast<ScriptObject *>(&anObject)), false, false, false, true},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(value_is_number(c.bits), c.number) << c.what;
        EXPECT_EQ(value_is_nil(c.bits), c.nil) << c.what;
        EXPECT_EQ(value_is_bool(c.bits), c.boolean) << c.what;
        EXPECT_EQ(value_is_object(c.bits), c.object) << c.what;
    }
    EXPECT_EQ(value_as_object(value_from_object(reinterpret_cast<ScriptObject *>(&anObject))),
              reinterpret_cast<ScriptObject *>(&anObject));
    EXPECT_EQ(value_as_bits(value_from_number(-2.0)), 0xc000000000000000ULL);
}

TEST(ValueEquality, NumbersByValueEverythingElseByWord) {
    EXPECT_TRUE(value_equal(value_from_number(0.0), value_from_number(-0.0)));
    EXPECT_FALSE(value_equal(value_from_number(NAN), value_from_number(NAN)));
    EXPECT_TRUE(value_equal(VALUE_TRUE, VALUE_TRUE));
    EXPECT_FALSE(value_equal(VALUE_NIL, VALUE_FALSE));
    EXPECT_FALSE(value_equal(VALUE_NIL, value_from_number(0)));
}

struct ParseIntCase {
    const char *text;
    int code;
    int stored; // the value expected in the result place (it starts at -777)
};

TEST(ValueParseInt, CodesAndStoredValue) {
    const ParseIntCase cases[] = {
        {"12", PARSE_INT_OK, 12},
        {"  -7", PARSE_INT_OK, -7},
        {"+3", PARSE_INT_OK, 3},
        {"12a", PARSE_INT_TRAILING, 12},
        {"2.5", PARSE_INT_TRAILING, 2},
        {"", PARSE_INT_NO_TEXT, -777},
        {"abc", PARSE_INT_NO_DIGITS, -777},
        {"99999999999999999999", PARSE_INT_CONVERSION_RANGE, -777},
        {"3000000000", PARSE_INT_OUT_OF_INT, -777},
        {"-2147483648", PARSE_INT_OK, -2147483647 - 1},
    };
    for (const auto &c : cases) {
        int result = -777;
        EXPECT_EQ(value_parse_int(c.text, &result), c.code) << c.text;
        EXPECT_EQ(result, c.stored) << c.text;
    }
    int result = 0;
    EXPECT_EQ(value_parse_int(nullptr, &result), PARSE_INT_NO_TEXT);
    EXPECT_EQ(value_parse_int("5", nullptr), PARSE_INT_NO_RESULT);
}

using ValueObjects = ScriptVmTest;

TEST_F(ValueObjects, InterningGivesOneObjectPerText) {
    EXPECT_EQ(str("abc"), str("abc"));
    EXPECT_NE(str("abc"), str("abd"));
    EXPECT_EQ(string_copy("abcdef", 3), value_as_string(str("abc")));
    StringObject *s = value_as_string(str("hello"));
    EXPECT_EQ(s->length, 5);
    EXPECT_EQ(s->chars[5], '\0');
    EXPECT_EQ(s->hash, string_hash("hello", 5));
    // 32-bit FNV-1a of "a" and of the empty text.
    EXPECT_EQ(string_hash("a", 1), 0xe40c292cu);
    EXPECT_EQ(string_hash("", 0), 2166136261u);
}

TEST_F(ValueObjects, StringTakeAdoptsOrReleasesItsBuffer) {
    StringObject *first = value_as_string(str("taken"));
    char *buffer = mem_allocate<char>(6);
    std::memcpy(buffer, "taken", 6);
    EXPECT_EQ(string_take(buffer, 5), first); // buffer released, the interned string returned

    char *fresh = mem_allocate<char>(4);
    std::memcpy(fresh, "new", 4);
    StringObject *adopted = string_take(fresh, 3);
    EXPECT_EQ(adopted->chars, fresh);
    EXPECT_EQ(value_as_string(str("new")), adopted);
}

// The hash found from a neighbouring string's stored hash is the hash itself, whatever the two
// texts share.
TEST_F(ValueObjects, AHashFoundFromANeighbourIsTheHash) {
    std::string base(200, '7');
    base += "12345";
    StringObject *near = value_as_string(str(base.c_str()));
    const std::string texts[] = {base + "0",           base.substr(0, base.size() - 1) + "9",
                                 base.substr(0, 100),  base,
                                 "x" + base.substr(1), "",
                                 base + base,          std::string(300, '7')};
    for (const std::string &t : texts)
        EXPECT_EQ(string_hash_near(near, t.c_str(), static_cast<int>(t.size())),
                  string_hash(t.c_str(), static_cast<int>(t.size())))
            << t.size();
}

// Short integer texts hash by their value, so the arithmetic can hash an answer it holds as a
// machine word; every other text, and a neighbour of either kind, keeps the character hash.
TEST_F(ValueObjects, ShortIntegerTextsHashByTheirValue) {
    struct Case {
        const char *text;
        bool byValue;
        int64_t value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"7", true, 7},
        {"-7", true, -7},
        {"999999999999999999", true, 999999999999999999},
        {"-999999999999999999", true, -999999999999999999},
        {"1000000000000000000", false, 0}, // nineteen digits: long
        {"-0", false, 0},
        {"007", false, 0},
        {"12a", false, 0},
        {"1.5", false, 0},
        {"", false, 0},
        {"-", false, 0},
    };
    for (const Case &c : cases) {
        int length = static_cast<int>(std::strlen(c.text));
        uint32_t hash = string_hash(c.text, length);
        if (c.byValue) {
            EXPECT_EQ(hash, string_integer_hash(c.value)) << c.text;
        } else {
            EXPECT_NE(hash, string_integer_hash(c.value)) << c.text;
        }
        EXPECT_EQ(value_as_string(str(c.text))->hash, hash) << c.text;
    }
    // Values that differ in one bit spread over the low bits a table indexes by.
    EXPECT_NE(string_integer_hash(1) & 1023, string_integer_hash(1025) & 1023);
    // Stepping between a long text and a short one, either way round, still gives the hash.
    std::string longText(100, '4');
    StringObject *longNear = value_as_string(str(longText.c_str()));
    StringObject *shortNear = value_as_string(str("4444"));
    for (const std::string &t : {std::string("4444"), std::string("44445"), longText + "1", longText})
        for (StringObject *near : {longNear, shortNear})
            EXPECT_EQ(string_hash_near(near, t.c_str(), static_cast<int>(t.size())),
                      string_hash(t.c_str(), static_cast<int>(t.size())))
                << t << " near " << near->length;
}

TEST_F(ValueObjects, ListsPrintAlikeOnStdoutAndOnAStream) {
    ListObject *list = new_list();
    vm_push(value_from_object(list));
    list_append(list, str("1"));
    list_append(list, str("2"));
    ScriptValue v = value_from_object(list);
    EXPECT_EQ(capture_stdout([&] { value_print(v); }), "[1, 2]");
    EXPECT_EQ(capture_stream([&](FILE *f) { value_print_stream(f, v); }), "[1, 2]");
    char buffer[32];
    EXPECT_STREQ(value_format(buffer, sizeof buffer, v), "[1, 2]");
    vm_pop();
}

TEST_F(ValueObjects, PrintingTranslatesEscapesButFormattingKeepsThem) {
    ScriptValue s = str("a\\nb");
    EXPECT_EQ(capture_stdout([&] { value_print(s); }), "a\nb");
    EXPECT_EQ(capture_stream([&](FILE *f) { value_print_stream(f, s); }), "a\nb");
    char buffer[16];
    EXPECT_STREQ(value_format(buffer, sizeof buffer, s), "a\\nb");
}

TEST_F(ValueObjects, PrintedFormsOfEveryKind) {
    FunctionObject *function = new_function();
    vm_push(value_from_object(function));
    function->name = value_as_string(str("area"));
    FunctionObject *script = new_function();
    vm_push(value_from_object(script));
    ClassObject *klass = new_class(value_as_string(str("Shape")));
    vm_push(value_from_object(klass));
    InstanceObject *instance = new_instance(klass);
    vm_push(value_from_object(instance));
    ClosureObject *closure = new_closure(function);
    vm_push(value_from_object(closure));
    BoundMethodObject *bound = new_bound_method(value_from_object(instance), closure);
    vm_push(value_from_object(bound));
    NativeObject *native = new_native(nullptr);
    vm_push(value_from_object(native));
    UpvalueObject *upvalue = new_upvalue(&vm_machine.stack[0]);
    vm_push(value_from_object(upvalue));

    const std::pair<ScriptObject *, const char *> cases[] = {
        {function, "<fn area>"}, {script, "<script>"}, {klass, "Shape"},        {instance, "Shape instance"},
        {closure, "<fn area>"},  {bound, "<fn area>"}, {native, "<native fn>"}, {upvalue, "upvalue"},
    };
    for (const auto &[object, text] : cases) {
        ScriptValue v = value_from_object(object);
        EXPECT_EQ(capture_stdout([&] { value_print(v); }), text);
        char buffer[64];
        EXPECT_STREQ(value_format(buffer, sizeof buffer, v), text);
    }
    EXPECT_EQ(capture_stream([&](FILE *f) { value_print_stream(f, value_from_object(script)); }),
              "<stream_script>");
    EXPECT_EQ(capture_stream([&](FILE *f) { value_print_stream(f, value_from_object(instance)); }),
              "Shape instance");
    vm_machine.stackTop = vm_machine.stack;
}

TEST_F(ValueObjects, ScalarsPrintAndFormat) {
    const std::pair<ScriptValue, const char *> cases[] = {
        {VALUE_TRUE, "true"},        {VALUE_FALSE, "false"},          {VALUE_NIL, "nil"},
        {value_from_number(3), "3"}, {value_from_number(0.5), "0.5"}, {value_from_number(1e20), "1e+20"},
    };
    for (const auto &[v, text] : cases) {
        EXPECT_EQ(capture_stdout([&] { value_print(v); }), text);
        EXPECT_EQ(capture_stream([&](FILE *f) { value_print_stream(f, v); }), text);
        char buffer[15000];
        EXPECT_STREQ(value_format(buffer, sizeof buffer, v), text);
    }
}

TEST_F(ValueObjects, FormatCutsToTheBufferAndRefusesNoRoom) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(value_format(buffer, 1, VALUE_NIL), nullptr);
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_EQ(value_format(nullptr, 10, VALUE_NIL), nullptr);
    EXPECT_STREQ(value_format(buffer, 3, VALUE_FALSE), "fa");
    EXPECT_STREQ(value_format(buffer, 2, str("abcdef")), "a");
}

// 2^5000 has 1506 digits; printing it must neither overflow nor cut it.
TEST_F(ValueObjects, LongStringsPrintWhole) {
    std::string digits(1506, '7');
    digits.front() = '1';
    ScriptValue s = value_from_object(string_copy(digits.c_str(), static_cast<int>(digits.size())));
    EXPECT_EQ(capture_stdout([&] { value_print(s); }), digits);
    EXPECT_EQ(capture_stream([&](FILE *f) { value_print_stream(f, s); }), digits);
}

TEST_F(ValueObjects, ListThatContainsItselfPrintsOnce) {
    ListObject *list = new_list();
    ScriptValue v = value_from_object(list);
    vm_push(v);
    list_append(list, str("1"));
    list_append(list, v);
    EXPECT_EQ(capture_stdout([&] { value_print(v); }), "[1, [...]]");
    char buffer[64];
    EXPECT_STREQ(value_format(buffer, sizeof buffer, v), "[1, [...]]");
    vm_pop();
}

TEST_F(ValueObjects, ListHelpers) {
    ListObject *list = new_list();
    vm_push(value_from_object(list));
    for (int i = 0; i < 9; ++i) list_append(list, value_from_number(i));
    EXPECT_EQ(list->capacity, 16);
    EXPECT_TRUE(list_index_valid(list, 8));
    EXPECT_FALSE(list_index_valid(list, 9));
    EXPECT_FALSE(list_index_valid(list, -1));
    EXPECT_EQ(list_set(list, 2, VALUE_TRUE), 2);
    EXPECT_EQ(list_get(list, 2), VALUE_TRUE);
    list_delete_at(list, 0);
    EXPECT_EQ(list->count, 8);
    EXPECT_EQ(list_get(list, 1), VALUE_TRUE);
    EXPECT_EQ(list->items[8], VALUE_NIL);
    list_release_items(list);
    EXPECT_EQ(list->count, 0);
    EXPECT_EQ(list->capacity, 0);
    EXPECT_EQ(list->items, nullptr);

    list_append(list, str("only"));
    list_delete_at(list, 0);
    EXPECT_EQ(list->count, 0);
    EXPECT_EQ(list->items[0], VALUE_NIL);
    vm_pop();
}

TEST_F(ValueObjects, ClosureStartsWithEmptyUpvalueSlots) {
    FunctionObject *function = new_function();
    vm_push(value_from_object(function));
    function->upvalueCount = 3;
    ClosureObject *closure = new_closure(function);
    EXPECT_EQ(closure->upvalueCount, 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(closure->upvalues[i], nullptr);
    vm_pop();
}

} // namespace
