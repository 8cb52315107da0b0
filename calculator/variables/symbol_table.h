// Operations on the symbol table: defining, looking up and removing variables, the
// identifier rule with its message, the decimal-number rule, and the declaration of
// polynomial variables (which shares the identifier rule).
#pragma once

#include <ostream>
#include <set>
#include <string>

#include "globals.h"
#include "interpreter/interpreter_state.h"
#include "matrix.h"
#include "variables/variable.h"

// A letter or "_" first, then letters, digits or "_" (ASCII only).
bool is_identifier(const std::string &text);
// True for a character that is neither a letter, a digit nor "_".
bool is_not_identifier_char(char c);
// An optional sign, then digits around one "." (either side may be empty).
bool is_decimal_number(const std::string &text);

// Writes the message for a name that breaks the identifier rule.
void write_name_check_message(std::ostream &output, const std::string &name);

// A new entry of the given type code holding a new Variable<T>: its type name is the code's,
// its value `value` and its text `variableText`; the entry gets the value text and the text.
template <typename T>
SymbolEntry make_symbol_entry(int code, const std::string &name, const T &value, const std::string &variableText,
                              const std::string &valueText, const std::string &entryText) {
    auto variable = std::make_unique<Variable<T>>();
    variable->setType(type_names[size_t(code)]);
    variable->setName(name);
    variable->setValue(value);
    variable->setText(variableText);
    SymbolEntry entry;
    entry.typeName = type_names[size_t(code)];
    entry.name = name;
    entry.valueText = valueText;
    entry.text = entryText;
    entry.typeCode = code;
    entry.slots[size_t(code)] = std::move(variable);
    return entry;
}

// Defines an int variable; with overwrite 1 a name already used only gets a new value text.
bool define_variable(const std::string &name, const std::string &valueText, std::set<std::string> &usedNames,
                     VariableTable &table, std::ostream &output, int overwrite);
// Declares a polynomial variable in the polynomial registry: 1 when it is declared now or
// is the main variable "x", 0 otherwise.
int declare_poly_variable(const std::string &name, std::ostream &output);
// The address of a variable's value object (the slot of its type code; null when empty), as
// ":list" shows it and getValueFromMemAddr takes it back.
const void *valueAddress(const SymbolEntry &entry);
bool remove_variable(const std::string &name, std::set<std::string> &names, VariableTable &table);
bool variable_exists(const std::string &name, const VariableTable &table);
// `out` is emptied first; it receives the value text of the variable when there is one.
bool variable_value(const std::string &name, const VariableTable &table, std::string &out);

// Gives a matrix variable a new literal as its value text and text, and hands back its matrix
// object for the caller to assign the new value. False, with nothing changed, when the
// table lacks the name or the variable holds no matrix.
bool update_matrix_variable(const std::string &name, VariableTable &table, const std::string &literal,
                            Variable<KV_Matrix> *&matrix);

double variable_double_value(const Variable<double> &variable);
std::string variable_string_value(const Variable<std::string> &variable);

// The signed 32-bit value of a digit text, optionally after a minus: the low 32 bits of its
// 64-bit reading, which wraps modulo 2^64 for texts too long for it.
int32_t int_variable_value(const std::string &digits);
