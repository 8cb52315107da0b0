// The interpreter's preprocessor for expression statements: names are cut out at the
// operator characters, claimed names are replaced by their claims (without brackets),
// variables by their value texts, and a matrix variable is singled out; the matrix methods
// M.sort(...), M.det() and M.rank() run when they stand alone on the line.
#include <cctype>
#include <optional>

#include "Calculator.h"
#include "claims/claims.h"
#include "matrix.h"
#include "substitution/substitution.h"
#include "text/string_utils.h"
#include "variables/symbol_table.h"

namespace {

constexpr int kNoVariableCode = 0;
constexpr int kMethodAnsweredCode = 10; // det and rank wrote their value

constexpr char kDotMessage[] =
    "A \".\" stands between two digits or begins a method call variable.method(argument), such as M.det().";
constexpr char kMethodAloneMessage[] =
    "A matrix method such as M.det(), M.rank() or M.sort(DESC) stands alone on its line.";

bool isDigitAt(const std::string &text, size_t at) {
    return at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]));
}

bool isNameChar(char c) {
    return !is_not_identifier_char(c);
}

// Replaces each name of the text that is exactly `name`: a name starts at a letter or "_"
// (digits before it are a number, as in 2a) and runs over letters, digits and "_". A claim
// on a renames neither "tan" nor "a2".
void replaceName(std::string &text, const std::string &name, const std::string &replacement) {
    std::string result;
    for (size_t at = 0; at < text.size();) {
        const bool startsName = isNameChar(text[at]) && !isDigitAt(text, at);
        size_t end = at + 1;
        if (startsName)
            while (end < text.size() && isNameChar(text[end])) end++;
        else if (isDigitAt(text, at))
            while (isDigitAt(text, end)) end++;
        const std::string piece = text.substr(at, end - at);
        result += startsName && piece == name ? replacement : piece;
        at = end;
    }
    text = std::move(result);
}

class Preprocessor {
  public:
    Preprocessor(Calculator &calculator, const std::string &input, std::set<std::string> &used, KV_Matrix &matrix)
        : calculator(calculator), input(input), used(used), matrix(matrix) {}

    // The reason of a refusal: a "." that begins no well-formed method call on a variable,
    // or a matrix method beside anything else. Null when the text was substituted.
    const char *run() {
        for (size_t pos = 0; pos < input.size(); pos++) {
            const char c = input[pos];
            if (isSubstitutionOperator(calculator.operatorChars, c)) {
                resolve(nameBefore(pos), false);
                start = pos;
                out += c;
            } else if (c == '.' && !(pos > 0 && isDigitAt(input, pos - 1) && isDigitAt(input, pos + 1))) {
                if (!methodCall(pos)) return kDotMessage;
                pos = start; // the ")" that closes the method's argument
            } else if (pos + 1 == input.size()) {
                resolve(nameBefore(input.size()), true);
            }
        }
        if (method) {
            // Its value could not take part in an expression: it is written, not substituted.
            if (matrices > 1 || others > 0) return kMethodAloneMessage;
            runMatrixMethod();
        }
        // Names the cut missed (method arguments, names inside claims and value texts).
        for (const auto &[key, claim] : equality_claims) replaceName(out, key, claim_value(claim));
        return nullptr;
    }

    int result(std::string &text) const {
        if (matrices > 1 || (matrices == 1 && others > 0)) {
            text = input;
            return kMatrixExpression;
        }
        text = out;
        return code + 1;
    }

  private:
    // The name that ends at `pos`: after the last operator character, or from the start of
    // the line (without a leading operator character) while none has been met past it.
    std::string nameBefore(size_t pos) const {
        if (start == 0) {
            std::string name = input.substr(0, pos);
            if (!name.empty() && isSubstitutionOperator(calculator.operatorChars, name[0])) name.erase(0, 1);
            return name;
        }
        return start < pos ? input.substr(start + 1, pos - start - 1) : std::string();
    }

    static std::string claimed(const std::string &name) {
        auto it = equality_claims.find(name);
        return it == equality_claims.end() ? name : claim_value(it->second);
    }

    const SymbolEntry *variable(const std::string &name) const {
        auto it = calculator.variables.find(name);
        return it == calculator.variables.end() ? nullptr : &it->second;
    }

    static const KV_Matrix *matrixOf(const SymbolEntry &entry) {
        auto *m = entry.slotAs<KV_Matrix>(kMatrixType);
        return entry.typeCode == kMatrixType && m != nullptr ? &m->getValue() : nullptr;
    }

    void resolve(const std::string &cut, bool last) {
        if (cut.empty()) return;
        const std::string name = claimed(cut);
        const SymbolEntry *entry = variable(name);
        if (entry == nullptr) {
            out += name;
            others++;
            return;
        }
        used.insert(name);
        code = entry->typeCode;
        if (const KV_Matrix *m = matrixOf(*entry)) {
            matrix = *m;
            matrices++;
            if (last) {
                out = name;
            } else {
                std::ostringstream printed;
                m->printTo(printed);
                out = printed.str();
            }
            return;
        }
        out += entry->valueText;
        others++;
    }

    // variable.method(argument) from the "." at `dot`; reading goes on after the ")" that
    // closes the argument, so the rest of the line is still read (M.det()+N.det() names two
    // matrices). A method of a matrix variable is kept to run once the whole line is read.
    bool methodCall(size_t dot) {
        const std::string name = claimed(nameBefore(dot));
        const size_t open = input.find('(', dot);
        if (open == std::string::npos) return false;
        const size_t close = matching_close_paren(input, open);
        if (close == std::string::npos) return false;
        const std::string methodName = input.substr(dot + 1, open - dot - 1);
        const SymbolEntry *entry = variable(name);
        if (entry == nullptr || !is_identifier(methodName)) return false;
        const std::string argument = input.substr(open + 1, close - open - 1);
        used.insert(name);
        code = entry->typeCode;
        out += name + "." + methodName + "(" + argument + ")";
        if (const KV_Matrix *m = matrixOf(*entry)) {
            matrix = *m;
            matrices++;
            method = MethodCall{name, methodName, argument};
        }
        start = close;
        return true;
    }

    void runMatrixMethod() {
        const auto &[name, methodName, argument] = *method;
        std::ostream &answer = calculator.output;
        const int32_t mode = calculator.core.getMode();
        if (methodName == "sort") {
            bool ascending = argument.empty() || argument == "ASC" || argument == "asc";
            if (!ascending && argument != "DESC" && argument != "desc") return;
            sortMatrixEntries(matrix, ascending, mode);
            matrix.printTo(answer);
            Variable<KV_Matrix> *stored = nullptr;
            if (update_matrix_variable(name, calculator.variables, literalOf(matrix), stored) && stored != nullptr)
                stored->setValue(matrix);
        } else if (methodName == "det") {
            setMatrixMode(mode);
            answer << KV_Matrix(matrix).determinant(); // a copy: fraction mode rewrites the cells it reads
            code = kMethodAnsweredCode;
        } else if (methodName == "rank") {
            KV_Matrix reduced = matrix; // elimination reduces the matrix it is given
            const uint64_t rank = row_echelon_steps(reduced, answer, 0);
            if (rank != kNoRank) answer << rank; // a refusal has written its reason
            code = kMethodAnsweredCode;
        }
    }

    static std::string literalOf(const KV_Matrix &m) {
        std::ostringstream literal;
        m.printLiteral(literal);
        return literal.str();
    }

    Calculator &calculator;
    const std::string &input;
    std::set<std::string> &used;
    KV_Matrix &matrix;
    std::string out;
    size_t start = 0;
    int code = kNoVariableCode;
    int matrices = 0;
    int others = 0; // names and numbers that are no matrix variable
    struct MethodCall {
        std::string name, method, argument;
    };
    std::optional<MethodCall> method; // of a matrix variable, run once the line is read
};

} // namespace

int inputcmd2expr(Calculator &calculator, const std::string &input, std::set<std::string> &used,
                  std::set<std::string> &undefined, std::string &out, KV_Matrix &matrix) {
    used.clear();
    undefined.clear();
    Preprocessor preprocessor(calculator, input, used, matrix);
    if (const char *refusal = preprocessor.run()) {
        calculator.core.setErrorMessage(refusal);
        out = input;
        return kSubstitutionSyntaxError;
    }
    return preprocessor.result(out);
}
