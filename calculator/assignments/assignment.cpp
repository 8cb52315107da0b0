// Assignment lines 'name=value': the value's form chooses the type (a copy of another
// variable, a quoted string, an int, a double, a matrix literal, or a string holding an
// expression) and the variable replaces any earlier one of that name.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <sstream>

#include "Calculator.h"
#include "assignments/assignment.h"
#include "classifier/classifier.h"
#include "interpreter/texts.h"
#include "matrix.h"
#include "substitution/substitution.h"
#include "tools.h"
#include "variables/symbol_table.h"

namespace {

constexpr char kShortRule[] = "--------------------"; // 20 dashes
constexpr char kBlockRule[] = "----------------------------"; // 28 dashes

using Outcome = Calculator::LineOutcome;

// What the value of an assignment becomes: the entry to store and the text that shows it.
struct Assigned {
    SymbolEntry entry;
    std::string shown;
};

std::string closingRule() { return std::string(kShortRule) + "\n" + kPrompt; }

// "fun> " lines for 'f(x)=...', then the refusal of a name that is no identifier.
void reportBadName(Calculator &calculator, const std::string &name) {
    std::string function;
    CallArguments args;
    if (parse_function_call(name, calculator.variables, function, args)) {
        calculator.output << "fun> " << function << "\n" << "para> \n";
        for (const auto &[text, value] : args) calculator.output << text << ": " << value << "\n";
    }
    calculator.output << " The name of variable should not start with number.\n" << kPrompt;
}

void writeValue(std::ostream &out, const SymbolEntry &entry) {
    switch (entry.typeCode) {
    case kIntType:
        if (auto *v = entry.slotAs<int>(kIntType)) out << BigNumber::longlong2string(v->getValue());
        break;
    case kDoubleType:
        if (auto *v = entry.slotAs<double>(kDoubleType)) {
            char text[512]; // "%f" of the largest double has 316 characters
            std::snprintf(text, sizeof text, "%f", v->getValue());
            out << text;
        }
        break;
    case kStringType:
        if (auto *v = entry.slotAs<std::string>(kStringType)) out << v->getValue();
        break;
    case kMatrixType:
        if (auto *v = entry.slotAs<KV_Matrix>(kMatrixType)) writeMatrixCells(out, v->getValue());
        break;
    default:
        break;
    }
}

// The copy of another variable under a new name; none for an entry without a value.
std::optional<Assigned> copyVariable(Calculator &calculator, const std::string &name, const SymbolEntry &source) {
    switch (source.typeCode) {
    case kIntType:
        if (auto *v = source.slotAs<int>(kIntType)) {
            std::string text = BigNumber::longlong2string(v->getValue());
            return Assigned{make_symbol_entry(kIntType, name, v->getValue(), "", text, ""), text + "\n" + closingRule()};
        }
        break;
    case kDoubleType:
        if (auto *v = source.slotAs<double>(kDoubleType)) {
            std::string text = toString<double>(v->getValue());
            std::cout << "theVarName is " << name << "\n" << "__value__ is " << text << "\n";
            return Assigned{make_symbol_entry(kDoubleType, name, v->getValue(), "", text, ""), closingRule()};
        }
        break;
    case kStringType:
        // Copied like every other type, text and all.
        if (auto *v = source.slotAs<std::string>(kStringType))
            return Assigned{make_symbol_entry(kStringType, name, v->getValue(), v->getText(), source.valueText, source.text),
                            closingRule()};
        break;
    case kMatrixType:
        if (auto *v = source.slotAs<KV_Matrix>(kMatrixType)) {
            setMatrixMode(calculator.core.getMode());
            std::ostringstream literal;
            v->getValue().printLiteral(literal);
            return Assigned{make_symbol_entry(kMatrixType, name, v->getValue(), v->getText(), literal.str(), source.text),
                            std::string(kShortRule) + "\n" + "\n" + kPrompt};
        }
        break;
    default:
        break;
    }
    return std::nullopt;
}

Assigned intVariable(const std::string &name, const std::string &digits) {
    int32_t value = int_variable_value(digits);
    return {make_symbol_entry(kIntType, name, value, "", digits, ""),
            BigNumber::longlong2string(value) + "\n" + closingRule()};
}

// The value of a decimal text: its digits read as one integer, scaled down by the digits after
// the point. Read as "digits e-scale", so no length of the text overflows on the way (a
// value beyond the doubles reads as infinite).
double decimalValue(const std::string &text) {
    bool negative = !text.empty() && text[0] == '-';
    std::string body = !text.empty() && (text[0] == '-' || text[0] == '+') ? text.substr(1) : text;
    size_t point = body.find('.');
    std::string digits = body.substr(0, point) + body.substr(point + 1);
    if (digits.empty()) return 0.0;
    std::string scaled = digits + "e-" + std::to_string(body.size() - point - 1);
    double value = std::strtod(scaled.c_str(), nullptr);
    return negative ? -value : value;
}

Assigned doubleVariable(const std::string &name, const std::string &text) {
    double value = decimalValue(text);
    std::string stored = text[0] == '-' ? "(" + text + ")" : text[0] == '+' ? text.substr(1) : text;
    std::ostringstream shown;
    shown << kBlockRule << "\n"
          << " type: " << type_names[kDoubleType] << "\n"
          << " name: " << name << "\n"
          << "value: " << value << "\n"
          << closingRule();
    return {make_symbol_entry(kDoubleType, name, value, stored, stored, ""), shown.str()};
}

// A literal still open at the end of the line ('A=[1 2', typed with its brackets unpaired) is
// closed there, so the variable holds the rows typed and a literal that substitutes whole.
std::string closedLiteral(const std::string &literal) {
    long open = long(std::count(literal.begin(), literal.end(), '[')) - long(std::count(literal.begin(), literal.end(), ']'));
    return open > 0 ? literal + std::string(size_t(open), ']') : literal;
}

// The matrix of a literal, in the calculation mode of the moment, and its normalised text.
KV_Matrix matrixOfLiteral(Calculator &calculator, const std::string &literal, std::string &normalised) {
    std::vector<std::vector<std::string>> rows;
    int32_t rowCount = 0, colCount = 0;
    size_t nextLine = 0;
    splitMatrixRows(rows, closedLiteral(literal), normalised, rowCount, colCount, {}, nextLine);
    setMatrixMode(calculator.core.getMode());
    return KV_Matrix(rows, uint64_t(std::max(rowCount, 0)), uint64_t(std::max(colCount, 0)));
}

Assigned matrixVariable(Calculator &calculator, const std::string &name, const std::string &literal) {
    std::string normalised;
    KV_Matrix matrix = matrixOfLiteral(calculator, literal, normalised);
    std::cout << "input value> " << normalised << "\n";
    std::ostringstream shown;
    shown << kShortRule << "\n" << "\n";
    writeMatrixCells(shown, matrix);
    shown << "\n" << closingRule();
    return {make_symbol_entry(kMatrixType, name, matrix, normalised, normalised, ""), shown.str()};
}

Assigned quotedString(Calculator &calculator, const std::string &name, const std::string &unquoted) {
    std::string value = "(" + unquoted + ")";
    std::string text = stringVariableText(calculator, value);
    return {make_symbol_entry(kStringType, name, value, text, value, text), closingRule()};
}

Assigned expressionString(Calculator &calculator, const std::string &name, std::string value) {
    deleteBlanks(value);
    if (value.empty() || value.front() != '(' || value.back() != ')') value = "(" + value + ")";
    std::string text = stringVariableText(calculator, value);
    std::ostringstream shown;
    shown << kBlockRule << "\n"
          << " type: " << type_names[kStringType] << "\n"
          << " name: " << name << "\n"
          << "value: " << value << "\n"
          << "value_computed: " << text << "\n"
          << closingRule();
    return {make_symbol_entry(kStringType, name, value, text, "(" + text + ")", ""), shown.str()};
}

Assigned newVariable(Calculator &calculator, const std::string &name, const std::string &value) {
    std::string unquoted = value;
    if (stripQuotes(unquoted)) return quotedString(calculator, name, unquoted);
    if (isAllDigits(value)) return intVariable(name, value);
    if (is_decimal_number(value)) return doubleVariable(name, value);
    if (startsWithBracket(value)) return matrixVariable(calculator, name, value);
    return expressionString(calculator, name, value);
}

// Variables are fixed: an existing name is refused with its current value, a new one too.
Outcome refuseFixed(Calculator &calculator, const std::string &name, const SymbolEntry *existing) {
    std::ostream &out = calculator.output;
    if (existing == nullptr) {
        out << " The variables has been locked. We can not define new variable.\n" << kPrompt;
        return Outcome::endBatch(kLineDone);
    }
    out << " The variable " << name << " has been defined. Try again.\n" << kPrompt;
    writeValue(out, *existing);
    out << "\n" << kPrompt;
    return Outcome::endBatch(kLineUnbalanced);
}

} // namespace

void storeMatrixLiteral(Calculator &calculator, const std::string &name, const std::string &literal) {
    std::string normalised;
    KV_Matrix matrix = matrixOfLiteral(calculator, literal, normalised);
    calculator.variables.erase(name);
    calculator.variables.emplace(name, make_symbol_entry(kMatrixType, name, matrix, normalised, normalised, ""));
}

std::string stringVariableText(Calculator &calculator, const std::string &value) {
    std::string expression = value, substituted, substitution;
    return report_undefined_variables(calculator.core, expression, substituted, calculator.operatorChars,
                                      used_variable_names, undefined_names, calculator.variables, substitution);
}

Calculator::LineOutcome Calculator::answerAssignment(const std::string &statementText) {
    const size_t equals = statementText.find('=');
    // 'a==b' and 'a=' are passed over in silence.
    if (equals == std::string::npos || equals + 1 >= statementText.size() || statementText[equals + 1] == '=')
        return LineOutcome::endBatch(kLineDone);
    std::string name = statementText.substr(0, equals);
    trim(name);
    if (!isValidIdentifier(name)) {
        reportBadName(*this, name);
        return LineOutcome::endBatch(kLineDone);
    }
    std::string value = statementText.substr(equals + 1);
    trim(value);

    auto target = variables.find(name);
    auto source = variables.find(value);
    if (core.getFixVariables() == 1)
        return refuseFixed(*this, name, target != variables.end() ? &target->second : nullptr);

    // The new value is made before the old variable goes: 'a=a' copies a onto itself.
    std::optional<Assigned> assigned;
    if (source != variables.end()) assigned = copyVariable(*this, name, source->second);
    if (!assigned) assigned = newVariable(*this, name, value);
    variables.erase(name);
    variables.emplace(name, std::move(assigned->entry));
    output << assigned->shown;
    return LineOutcome::nextLine();
}
