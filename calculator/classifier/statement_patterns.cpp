// The four whole-line patterns of the classifier, matched by hand: each is a fixed head,
// runs of one character class and an optional pair of quotes, so a scan gives the same
// groups as a backtracking regular-expression match without its cost or its recursion
// depth on long lines.
#include <array>
#include <string_view>

#include "classifier/classifier.h"
#include "text_helpers.h"

namespace {

// Word characters [a-zA-Z0-9_] and the extra characters given.
class CharClass {
  public:
    explicit CharClass(std::string_view extras) {
        for (int c = 0; c < 256; c++)
            member[size_t(c)] = engine::isLetter(char(c)) || engine::isDigit(char(c)) || c == '_';
        for (char c : extras) member[static_cast<unsigned char>(c)] = true;
    }
    bool has(char c) const { return member[static_cast<unsigned char>(c)]; }
    bool allOf(std::string_view text) const {
        for (char c : text)
            if (!has(c)) return false;
        return true;
    }
    // Length of the run of members at the start of the text.
    size_t run(std::string_view text) const {
        size_t n = 0;
        while (n < text.size() && has(text[n])) n++;
        return n;
    }

  private:
    std::array<bool, 256> member{};
};

const CharClass kWord("");
const CharClass kAssignedValue(".-");
const CharClass kDefinitionParameters(",");
const CharClass kDefinitionBody("*+,-./^()");
const CharClass kSolveArgument("*+,-./^()@=~ ");
const CharClass kSeriesArgument("*+,-./{,}^()\\@=~");

// Runs of ASCII letters, and of ASCII letters and digits.
size_t letterRun(std::string_view text) {
    size_t n = 0;
    while (n < text.size() && engine::isLetter(text[n])) n++;
    return n;
}
size_t letterOrDigitRun(std::string_view text) {
    size_t n = 0;
    while (n < text.size() && (engine::isLetter(text[n]) || engine::isDigit(text[n]))) n++;
    return n;
}

// "?[class]*"? over the whole text: at most one quote at each end around class members.
bool matchesQuotedRun(std::string_view text, const CharClass &cls) {
    if (!text.empty() && text.front() == '"') text.remove_prefix(1);
    if (!text.empty() && text.back() == '"') text.remove_suffix(1);
    return cls.allOf(text);
}

// (head)(\()([class]*)(\)) over the whole text.
bool matchNamedCall(const std::string &text, std::string_view head, const CharClass &cls,
                    std::vector<std::string> &groups) {
    const size_t open = head.size();
    if (text.size() < open + 2 || text.compare(0, open, head) != 0 || text[open] != '(' || text.back() != ')')
        return false;
    std::string_view inside = std::string_view(text).substr(open + 1, text.size() - open - 2);
    if (!cls.allOf(inside)) return false;
    groups = {text, std::string(head), "(", std::string(inside), ")"};
    return true;
}

} // namespace

bool match_assignment_pattern(const std::string &text, std::vector<std::string> &groups) {
    const size_t nameLength = kWord.run(text);
    if (nameLength == 0 || nameLength >= text.size() || text[nameLength] != '=') return false;
    std::string_view rest = std::string_view(text).substr(nameLength);
    // "=" is tried before "=="; a second "=" can only belong to the operator.
    for (std::string_view op : {std::string_view("="), std::string_view("==")}) {
        if (rest.substr(0, op.size()) != op) continue;
        std::string_view value = rest.substr(op.size());
        if (!matchesQuotedRun(value, kAssignedValue)) continue;
        groups = {text, text.substr(0, nameLength), std::string(op), std::string(value)};
        return true;
    }
    return false;
}

bool match_definition_pattern(const std::string &text, std::vector<std::string> &groups) {
    std::string_view t(text);
    const size_t nameLength = kWord.run(t);
    if (nameLength == 0 || nameLength >= t.size() || t[nameLength] != '(') return false;
    const size_t paramsStart = nameLength + 1;
    const size_t close = paramsStart + kDefinitionParameters.run(t.substr(paramsStart));
    if (close + 1 >= t.size() || t[close] != ')' || t[close + 1] != '=') return false;
    std::string_view body = t.substr(close + 2);
    if (!matchesQuotedRun(body, kDefinitionBody)) return false;
    groups = {text,
              std::string(t.substr(0, nameLength)),
              "(",
              std::string(t.substr(paramsStart, close - paramsStart)),
              ")",
              "=",
              std::string(body)};
    return true;
}

bool match_solve_pattern(const std::string &text, std::vector<std::string> &groups) {
    return matchNamedCall(text, "solve", kSolveArgument, groups);
}

bool match_series_pattern(const std::string &text, std::vector<std::string> &groups) {
    return matchNamedCall(text, "printRecursiveSeries", kSeriesArgument, groups);
}

bool match_plugin_call_pattern(const std::string &text, std::vector<std::string> &groups) {
    std::string_view t(text);
    const size_t module = letterRun(t);
    if (module == 0 || t.substr(module, 2) != "->") return false;
    const size_t commandStart = module + 2;
    const size_t command = letterRun(t.substr(commandStart));
    const size_t open = commandStart + command;
    if (command == 0 || open >= t.size() || t[open] != '(') return false;
    const size_t argument = letterOrDigitRun(t.substr(open + 1));
    if (open + 1 + argument + 1 != t.size() || t.back() != ')') return false;
    groups = {text,
              std::string(t.substr(0, module)),
              "->",
              std::string(t.substr(commandStart, command)),
              "(",
              std::string(t.substr(open + 1, argument)),
              ")"};
    return true;
}
