// The input-line classifier. Positions are first occurrences in the whole line; every cut
// between two positions is bounded, so a line whose marks stand in an unexpected order
// gives short or empty parts (and then a name that is no identifier), never a read out of
// the line.
#include <iostream>
#include <string_view>

#include "classifier/classifier.h"
#include "interpreter/interpreter_state.h"
#include "tools.h"
#include "variables/symbol_table.h"

namespace {

constexpr auto npos = std::string::npos;

// The text strictly between two positions; empty when `to` does not come after `from`.
std::string between(const std::string &text, size_t from, size_t to) {
    if (from == npos || to == npos || to <= from + 1 || from + 1 > text.size()) return std::string();
    return text.substr(from + 1, to - from - 1);
}

// The text from `at` on (empty past the end).
std::string from(const std::string &text, size_t at) {
    return at < text.size() ? text.substr(at) : std::string();
}

bool charAt(const std::string &text, size_t at, char c) {
    return at < text.size() && text[at] == c;
}

// ':name', ':name=arg', ':name arg', ':name a<b', ':name a->b', ... (see the relation table).
bool classifyColonCommand(const std::string &line, InputStatement &st) {
    st.kind = kColonCommand;
    const size_t sp = line.find(' '), lt = line.find('<'), gt = line.find('>'), eq = line.find('=');
    if (sp == npos && eq == npos) {
        st.name = from(line, 1);
    } else if (sp == npos) {
        st.name = between(line, 0, eq);
        st.arg = from(line, eq + 1);
        st.op = ":";
        st.value = "on";
    } else {
        st.name = between(line, 0, sp);
        if (lt != npos) {
            st.arg = between(line, sp, lt);
            bool orEqual = charAt(line, lt + 1, '=');
            st.op = orEqual ? "<=" : "<";
            st.value = from(line, lt + (orEqual ? 2 : 1));
        } else if (gt != npos) {
            if (charAt(line, gt + 1, '=')) {
                st.arg = between(line, sp, gt);
                st.op = ">=";
                st.value = from(line, gt + 2);
            } else if (gt > 0 && line[gt - 1] == '-') {
                st.arg = between(line, sp, gt - 1);
                st.op = "->";
                st.value = from(line, gt + 1);
            } else {
                st.arg = between(line, sp, gt);
                st.op = ">";
                st.value = from(line, gt + 1);
            }
        } else if (eq != npos) {
            st.arg = between(line, sp, eq);
            bool doubled = charAt(line, eq + 1, '=');
            st.op = doubled ? "==" : "=";
            st.value = from(line, eq + (doubled ? 2 : 1));
        } else {
            st.arg = from(line, sp + 1);
            st.value = "on";
        }
    }
    trim(st.name);
    trim(st.arg);
    trim(st.value);
    return is_identifier(st.name);
}

// 'max ...' and 'min ...' (first letter in either case).
bool classifyProgram(const std::string &line, InputStatement &st) {
    if (line.size() <= 3 || (line[0] != 'm' && line[0] != 'M')) return false;
    std::string_view keyword = std::string_view(line).substr(1, 3);
    if (keyword == "ax ") {
        st.kind = kMaximise;
        st.name = "max";
    } else if (keyword == "in ") {
        st.kind = kMinimise;
        st.name = "min";
    } else {
        return false;
    }
    const size_t eq = line.find('=');
    if (eq != npos) {
        st.op = "=";
        st.arg = between(line, 3, eq);
        st.value = from(line, eq + 1);
    }
    return true;
}

// Step five: the whole-line patterns, first match decides. False for a function definition.
bool classifyByPatterns(const std::string &line, InputStatement &st) {
    std::vector<std::string> g;
    if (match_assignment_pattern(line, g)) {
        if (g[2] == "=") {
            st.kind = kAssignment;
            st.name = g[1];
            trim(st.name);
            st.op = "=";
            st.arg = g[3];
            trim(st.arg);
        } else {
            st.kind = kExpression;
            st.name = line;
        }
        return true;
    }
    if (match_definition_pattern(line, g)) {
        std::cout << "function name>" << g[1] << "\n"
                  << "para list>" << g[3] << "\n"
                  << "function body>" << g[6] << "\n";
        return false;
    }
    if (match_solve_pattern(line, g) || match_series_pattern(line, g)) {
        st.kind = kCall;
        st.name = g[1];
        st.arg = g[3];
        return true;
    }
    st.kind = kExpression;
    st.name = line;
    return true;
}

bool classifyStatement(const std::string &line, const VariableTable &variables, InputStatement &st) {
    if (!line.empty() && line[0] == ':') return classifyColonCommand(line, st);
    if (classifyProgram(line, st)) return true;
    const size_t eq = line.find('=');
    if (eq == npos) {
        CallArguments args;
        std::string name;
        if (parse_function_call(line, variables, name, args)) {
            st.kind = kCall;
            st.name = name;
            st.op = "()";
            st.args = std::move(args);
        } else {
            st.kind = kExpression;
            st.name = line;
        }
        return true;
    }
    const size_t bracket = line.find('[');
    if (bracket != npos && eq < bracket) {
        st.kind = kAssignment;
        st.name = line.substr(0, eq);
        trim(st.name);
        st.op = "=";
        st.arg = line;
        trim(st.arg);
        return true;
    }
    return classifyByPatterns(line, st);
}

} // namespace

bool classify_input_line(const std::string &line, std::vector<InputStatement> &statements,
                         const VariableTable &variables, std::set<std::string> & /*usedNames*/,
                         const std::vector<char> & /*operatorChars*/) {
    InputStatement st;
    if (!classifyStatement(line, variables, st)) return false;
    statements.push_back(std::move(st));
    return true;
}

bool parse_function_call(const std::string &text, const VariableTable &variables, std::string &name,
                         CallArguments &args) {
    if (text.size() < 2) return false;
    name.clear();
    const size_t open = text.find('(', 1);
    if (open == npos || text.back() != ')') return false;
    std::string prefix = text.substr(0, open);
    const bool accepted = is_identifier(prefix);
    if (accepted) name = prefix;
    args.clear();
    // The closing ")" is the last character and comes after "(", so the inside is bounded.
    const std::string inside = text.substr(open + 1, text.size() - open - 2);
    size_t start = 0;
    for (;;) {
        size_t comma = inside.find(',', start);
        std::string piece = inside.substr(start, comma == npos ? npos : comma - start);
        std::string value;
        if (is_identifier(piece)) variable_value(piece, variables, value);
        args.emplace_back(std::move(piece), std::move(value));
        if (comma == npos) break;
        start = comma + 1;
    }
    return accepted;
}

int64_t digits_to_int(const std::string &text) {
    return str2int64(text);
}
