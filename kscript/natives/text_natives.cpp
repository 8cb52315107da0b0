// The natives of texts: the length, one character, and texts cut after a count of characters.
#include <cstdint>
#include <string>

#include "natives/native_functions.h"
#include "natives/native_support.h"

namespace {

// Counts and positions read from arguments stay far inside the 64-bit range, so that a count
// plus one never overflows.
constexpr int64_t COUNT_LIMIT = INT64_C(1) << 62;

// A count or position: the truncated value of a number or the integer a text holds (its sign
// kept, "-1" is -1), 0 for anything else.
int64_t count_argument(ScriptValue arg) {
    if (value_is_number(arg)) return native_truncate(value_as_number(arg), COUNT_LIMIT);
    int64_t count = 0;
    std::string text;
    return native_bounded_argument(arg, -COUNT_LIMIT, COUNT_LIMIT, count, text) ? count : 0;
}

bool within(int64_t position, const std::string &text) {
    return position >= 0 && static_cast<uint64_t>(position) < text.size();
}

} // namespace

ScriptValue native_length(int argCount, ScriptValue *args) {
    if (argCount != 1) return native_string("0");
    std::string s;
    if (!native_text("length", args, 0, s)) return VALUE_NIL;
    return native_string(std::to_string(s.size()));
}

// ith_char(s) is the first character, ith_char(s, i) character i (i a number, or a string of
// digits); a blank when there is no such character.
ScriptValue native_ith_char(int argCount, ScriptValue *args) {
    if (argCount == 0 || argCount > 2) return native_number(0);
    std::string s;
    if (!native_text("ith_char", args, 0, s)) return VALUE_NIL;
    int64_t i = 0;
    if (argCount == 2) {
        i = count_argument(args[1]);
    }
    if (!within(i, s)) return native_string(" ");
    return native_string(s.substr(static_cast<size_t>(i), 1));
}

// The first k characters of s; all of s for a negative k or one past its end.
ScriptValue native_Shorten(int argCount, ScriptValue *args) {
    if (argCount != 2) return native_string("Usage: Shorten(s,5d)\n\twhere s is string, 5d means number 5");
    std::string s;
    if (!native_text("Shorten", args, 0, s)) return VALUE_NIL;
    int64_t k = count_argument(args[1]);
    if (k >= 0 && static_cast<uint64_t>(k) < s.size()) s.resize(static_cast<size_t>(k));
    return native_string(s);
}

// s with at most k characters behind its first point; a text without a point keeps its first
// k + 1 characters. A negative k leaves s whole.
ScriptValue native_truncate(int argCount, ScriptValue *args) {
    if (argCount != 2) return native_string("Usage: truncate(s,5d)\n\twhere s is string, 5d means number 5");
    std::string s;
    if (!native_text("truncate", args, 0, s)) return VALUE_NIL;
    int64_t k = count_argument(args[1]);
    if (k < 0) return native_string(s);
    auto keep = static_cast<uint64_t>(k) + 1;
    size_t point = s.find('.');
    if (point != std::string::npos) keep += point;
    if (keep < s.size()) s.resize(static_cast<size_t>(keep));
    return native_string(s);
}
