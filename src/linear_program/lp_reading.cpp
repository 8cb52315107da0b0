// Reading a linear program: the problem text cut into objective and constraints, each side
// read as a linear form, and each constraint classified and brought to "form <= rhs".
#include <cctype>
#include <unordered_map>

#include "text_helpers.h"
#include "linear_program.h"
#include "linear_program/lp_arith.h"
#include "tools.h"

namespace {

constexpr char kProgramEnd = ';';
constexpr char kListSeparator = ',';

bool isNameStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}
bool isNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}
using engine::isDigit;

// Reads digits with at most one '.' from `at`; empty when there are none.
std::string readDecimal(const std::string &t, size_t &at) {
    size_t start = at;
    bool point = false;
    while (at < t.size() && (isDigit(t[at]) || (t[at] == '.' && !point))) point |= t[at++] == '.';
    return t.substr(start, at - start);
}

// One term of a sum. `factors` counts the variable factors; `exponentOne` is false when a
// factor has a power other than 1.
struct Term {
    std::string coefficient = "1";
    std::string name;
    int factors = 0;
    bool exponentOne = true;
};

// The number of a term ("3", "2.5", "1/2", "1|2") as a coefficient text.
bool readCoefficient(const std::string &t, size_t &at, lp::Arith &arith, std::string &out) {
    std::string n = readDecimal(t, at);
    if (n.empty() || n == ".") return n.empty();
    out = n;
    if (at < t.size() && (t[at] == '/' || t[at] == '|')) {
        at++;
        std::string d = readDecimal(t, at);
        if (d.empty() || d == "." || isZeroNumber(d)) return false;
        out = arith.div(n, d);
    }
    out = arith.mul(out, "1"); // one written form per mode ("1|2" or "0.5")
    return true;
}

// name or name^k; a power other than 1 marks the term.
bool readFactor(const std::string &t, size_t &at, Term &term) {
    if (at >= t.size() || !isNameStart(t[at])) return false;
    size_t start = at;
    while (at < t.size() && isNameChar(t[at])) at++;
    term.name = t.substr(start, at - start);
    term.factors++;
    if (at < t.size() && t[at] == '^') {
        std::string power = readDecimal(t, ++at);
        if (power.empty()) return false;
        size_t nz = power.find_first_not_of('0');
        if (nz == std::string::npos || power.substr(nz) != "1") term.exponentOne = false;
    }
    return true;
}

// [number] [*] factor {[*] factor}, or a number alone.
bool readTerm(const std::string &t, size_t &at, lp::Arith &arith, Term &term) {
    bool number = at < t.size() && (isDigit(t[at]) || t[at] == '.');
    if (number && !readCoefficient(t, at, arith, term.coefficient)) return false;
    while (at < t.size() && t[at] != '+' && t[at] != '-') {
        if (t[at] == '*') at++;
        if (!readFactor(t, at, term)) return false;
    }
    return number || term.factors > 0;
}

// Adds c to the coefficient of `name`, appending the name when it is new. The index keeps
// long sums of distinct names linear in their length.
void addTo(LinearForm &form, std::unordered_map<std::string, size_t> &index, const std::string &name,
           const std::string &c, lp::Arith &arith) {
    auto [it, added] = index.emplace(name, form.names.size());
    if (!added) {
        form.coefficients[it->second] = arith.add(form.coefficients[it->second], c);
        return;
    }
    form.names.push_back(name);
    form.coefficients.push_back(c);
}

// left - right, both read in the same arithmetic.
LinearForm difference(const LinearForm &left, const LinearForm &right, lp::Arith &arith) {
    LinearForm d = left;
    d.linear = left.linear && right.linear;
    std::unordered_map<std::string, size_t> index;
    for (size_t i = 0; i < d.names.size(); i++) index.emplace(d.names[i], i);
    for (size_t i = 0; i < right.names.size(); i++)
        addTo(d, index, right.names[i], arith.negated(right.coefficients[i]), arith);
    d.constant = arith.sub(left.constant, right.constant);
    return d;
}

// Drops the terms whose coefficients cancelled.
void dropZeroTerms(LinearForm &form) {
    LinearForm kept;
    kept.constant = form.constant;
    kept.linear = form.linear;
    for (size_t i = 0; i < form.names.size(); i++) {
        if (isZeroNumber(form.coefficients[i])) continue;
        kept.names.push_back(form.names[i]);
        kept.coefficients.push_back(form.coefficients[i]);
    }
    form = std::move(kept);
}

} // namespace

LinearForm lp_read_linear(const std::string &text, bool fraction) {
    lp::Arith arith(fraction);
    std::string t = text;
    deleteBlanks(t);
    LinearForm form;
    std::unordered_map<std::string, size_t> index;
    size_t at = 0;
    while (at < t.size()) {
        bool minus = false;
        while (at < t.size() && (t[at] == '+' || t[at] == '-')) minus ^= t[at++] == '-';
        Term term;
        if (!readTerm(t, at, arith, term)) {
            form.linear = false;
            return form;
        }
        std::string c = minus ? arith.negated(term.coefficient) : term.coefficient;
        if (term.factors == 0)
            form.constant = arith.add(form.constant, c);
        else if (term.factors == 1 && term.exponentOne)
            addTo(form, index, term.name, c, arith);
        else
            form.linear = false;
    }
    return form;
}

std::string lp_linear_text(const LinearForm &form) {
    std::string out;
    for (size_t i = 0; i < form.names.size(); i++) {
        std::string c = form.coefficients[i];
        bool minus = !c.empty() && c[0] == '-';
        if (minus) c.erase(0, 1);
        if (minus)
            out += '-';
        else if (!out.empty())
            out += '+';
        if (c != "1") out += c;
        out += form.names[i];
    }
    return out.empty() ? "0" : out;
}

LpProblem::LpProblem(int32_t isMax, const std::string &objectiveName)
    : isMax(isMax), objectiveName(objectiveName) {}

void LpProblem::addConstraint(const std::string &text) {
    LpConstraint c;
    c.text = text;
    size_t at = text.find("<=");
    if (at == std::string::npos) {
        at = text.find(">=");
        c.lessEqual = false;
    }
    if (at != std::string::npos) {
        lp::Arith arith(fractionArithmetic());
        LinearForm left = lp_read_linear(text.substr(0, at), fractionArithmetic());
        LinearForm right = lp_read_linear(text.substr(at + 2), fractionArithmetic());
        // every constraint as: difference <= 0, then the constant moved to the right
        LinearForm d = c.lessEqual ? difference(left, right, arith) : difference(right, left, arith);
        dropZeroTerms(d);
        c.rhs = arith.negated(d.constant);
        d.constant = "0";
        c.form = std::move(d);
        bool sign =
            c.form.names.size() == 1 && isZeroNumber(c.rhs) && arith.sub(c.form.coefficients[0], "-1") == "0";
        c.kind = !c.form.linear ? 0 : sign ? 2 : 1;
    }
    if (c.kind == 1) constraintCount++;
    constraints.push_back(std::move(c));
}

void LpProblem::printConstraints(std::ostream &out) const {
    for (size_t i = 0; i < constraints.size(); i++)
        out << "[" << i + 1 << "] " << constraints[i].text << "\n";
}

bool lp_parse_problem(LpProblem &problem, const std::string &objectiveName, const std::string &text,
                      const std::string &prefix) {
    const size_t end = text.find(kProgramEnd);
    if (end == std::string::npos) return false;
    problem.columnNames.assign(1, objectiveName);
    const std::string body = text.substr(0, end);
    const size_t comma = body.find(kListSeparator);
    problem.setObjective(body.substr(0, comma));
    std::string rest = comma == std::string::npos ? std::string() : body.substr(comma + 1);
    // a ',' just before the ';' adds nothing; two adjacent ones give an empty constraint
    if (!rest.empty() && rest.back() == kListSeparator) rest.pop_back();
    for (size_t from = 0; !rest.empty();) {
        size_t next = rest.find(kListSeparator, from);
        problem.addConstraint(rest.substr(from, next == std::string::npos ? std::string::npos : next - from));
        if (next == std::string::npos) break;
        from = next + 1;
    }
    problem.objectiveTerms = lp_read_linear(problem.objective, problem.fractionArithmetic());
    problem.setProblemText(prefix + text.substr(0, end + 1));
    return true;
}
