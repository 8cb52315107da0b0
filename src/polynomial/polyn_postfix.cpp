// The polynomial mode of the expression evaluator: a comma-separated postfix text in the
// main variable evaluated on a stack of texts, each operator applied by the rational
// operation. Calls f(a) arrive as f, "[", the tokens of a, "]" and stay text.
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "globals.h"
#include "multipolyn.h"
#include "polynomial.h"
#include "tools.h"

namespace {

bool isOperatorToken(const std::string &g) { return g.size() == 1 && std::strchr("+-*/%@^!<>]~", g[0]); }

bool accepted(const std::string &text) {
    bool ok = false;
    TermList l(polyn_parse(text, ok));
    return ok;
}

std::vector<std::string> tokensOf(const std::string &postfix, size_t &count) {
    std::vector<char> buffer(postfix.begin(), postfix.end());
    buffer.push_back('\0');
    std::vector<std::string> raw, tokens;
    count = size_t(split_tokens(buffer.data(), ",", raw));
    for (std::string &t : raw) {
        if (t.size() > 1 && t.back() == '[') {
            tokens.push_back(t.substr(0, t.size() - 1));
            tokens.push_back("[");
        } else {
            tokens.push_back(std::move(t));
        }
    }
    return tokens;
}

// The working stack E and the record M of what stands outside brackets, whose single
// entry is the answer. M is never shortened below empty.
struct Stacks {
    std::vector<std::string> E, M;
    std::string pop() {
        if (E.empty()) return "";
        std::string s = std::move(E.back());
        E.pop_back();
        return s;
    }
    void dropRecords(size_t k) {
        while (k-- > 0 && !M.empty()) M.pop_back();
    }
    void push(const std::string &s, bool record) {
        E.push_back(s);
        if (record) M.push_back(s);
    }
};

// "]": the group back to its "[" and the name before it becomes one text, f[x].
std::string closeGroup(Stacks &s) {
    std::vector<std::string> collected{"]"};
    while (!s.E.empty()) {
        collected.push_back(s.pop());
        if (collected.back() == "[") break;
    }
    if (!s.E.empty()) collected.push_back(s.pop());
    std::string group;
    for (auto it = collected.rbegin(); it != collected.rend(); ++it) group += *it;
    return group;
}

}  // namespace

std::string polyn_eval_postfix(const std::string &postfix, bool oneVariable) {
    size_t count = 0;
    const std::vector<std::string> tokens = tokensOf(postfix, count);
    Stacks s;
    int64_t depth = 0;
    std::array<std::string, 3> h;
    for (const std::string &g : tokens) {
        if (!isOperatorToken(g)) {
            if (g == "[" && ++depth > 0) s.dropRecords(1);
            s.push(g, depth == 0);
            continue;
        }
        if (g == "]") {
            depth--;
            s.push(closeGroup(s), true);
            continue;
        }
        s.push(g, true);
        if (count < 2) continue;
        h[0] = s.pop();
        h[1] = s.pop();
        s.dropRecords(2);
        if (!s.E.empty()) {
            h[2] = s.pop();
            s.dropRecords(1);
        } else if (g == "-" || g == "+") {
            h[2] = "0";  // a sign without a left operand applies to 0
        }
        std::string answer;
        if (!accepted(h[1]) || !accepted(h[2])) answer = "(" + h[2] + ")" + h[0] + "(" + h[1] + ")";
        else answer = oneVariable ? polyn_rational_op(h) : multipolyn_apply_op_text(h);
        // A message ends the walk: taken as an operand it would become coefficient text.
        if (isMessageText(answer)) return answer;
        s.push(answer, true);
    }
    return s.M.size() == 1 ? s.M[0] : "error";
}
