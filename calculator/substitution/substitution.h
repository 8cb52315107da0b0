// Substitution of variables into expression texts: names are cut out at the operator
// characters and replaced by the value texts of their variables.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "matrix.h"
#include "variables/variable.h"

class BigNumber;
class Calculator;

// Result of substitute_variables for a text that holds several matrix variables, or a
// matrix variable beside any other name or number: a matrix expression.
constexpr int kMatrixExpression = 7;
// Results of inputcmd2expr: a matrix variable alone (possibly sorted by its method), and a
// det() or rank() method whose value is already written.
constexpr int kMatrixAlone = 6;
constexpr int kMatrixMethodAnswered = 11;
// A "." that stands neither in a number nor in a method call variable.method(argument), or
// a matrix method beside other terms; the reason is left in the engine's error text.
constexpr int kSubstitutionSyntaxError = -1;

// True when `c` is one of the characters that end a name.
bool isSubstitutionOperator(const std::vector<char> &operatorChars, char c);

// Empties both sets, then copies `expression` into `out` with each name that is a variable
// replaced by its value text (the name goes into `used`) and each other piece kept (it goes
// into `undefined` unless it is a number). A lone matrix variable M gives "M=" and its
// literal. Returns kMatrixExpression (and the expression unchanged) for a matrix
// expression, 0 when undefined names were met, otherwise 1 plus the type code of the last
// piece when it is a variable and 1 when it is not.
int substitute_variables(const std::string &expression, const std::vector<char> &operatorChars,
                         std::set<std::string> &used, std::set<std::string> &undefined,
                         const VariableTable &table, std::string &out);

// The preprocessor of expression statements (blanks already removed). Each name cut out is
// first replaced by the right side of its equality claim, then by the value text of its
// variable; at the end every claim is applied once more to the whole text. A matrix
// variable's value goes to `matrix`; its methods sort (printed into the output and stored
// back), det and rank (their value written into the output) run when the call stands alone
// on the line. Returns kMatrixExpression with `out` the input, kMatrixMethodAnswered,
// kMatrixAlone, kSubstitutionSyntaxError (a stray "." or a matrix method beside other
// terms; the reason is in the engine's error text), or 1 plus the type code of the last
// variable met (1 for none).
// `undefined` is emptied and not filled.
int inputcmd2expr(Calculator &calculator, const std::string &input, std::set<std::string> &used,
                  std::set<std::string> &undefined, std::string &out, KV_Matrix &matrix);

// Removes the blanks of `expression`, substitutes its variables and evaluates it. Returns
// the value; the substituted text when names stay undefined (they are listed on the
// standard output); the syntax report when the engine refuses the text. `substituted` and
// `substitution` both receive the substituted text.
std::string report_undefined_variables(BigNumber &engine, std::string &expression, std::string &substituted,
                                       const std::vector<char> &operatorChars, std::set<std::string> &used,
                                       std::set<std::string> &undefined, const VariableTable &table,
                                       std::string &substitution);

// The syntax report of the interpreter: the banner, the reason and the pointer to :help,
// then the rule.
std::string syntaxReportText(const std::string &reason);
