#include "variables/symbol_table.h"

#include <algorithm>

#include "globals.h"
#include "multipolyn.h"
#include "text_helpers.h"
#include "tools.h"

namespace {

using engine::isDigit;

const char kMainPolyVariable[] = "x";

} // namespace

bool is_identifier(const std::string &text) {
    return isValidIdentifier(text);
}

bool is_not_identifier_char(char c) {
    return !(engine::isLetter(c) || isDigit(c) || c == '_');
}

bool is_decimal_number(const std::string &text) {
    size_t start = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    size_t point = text.find('.', start);
    if (point == std::string::npos) return false;
    auto digitsOnly = [&](size_t from, size_t to) {
        return std::all_of(text.begin() + long(from), text.begin() + long(to), isDigit);
    };
    return digitsOnly(start, point) && digitsOnly(point + 1, text.size());
}

void write_name_check_message(std::ostream &output, const std::string &name) {
    output << "Varaible: " << name << "\n"
           << " The name of variable should start with English character or _."
           << "\n"
           << ">> ";
}

int32_t int_variable_value(const std::string &digits) {
    // A leading minus negates the reading of the digits after it. Conversion of an unsigned
    // value to a signed type is modular: exactly the low 32 bits.
    const bool negative = !digits.empty() && digits[0] == '-';
    const uint64_t reading = uint64_t(str2int64(negative ? digits.substr(1) : digits));
    return int32_t(uint32_t(negative ? 0 - reading : reading));
}

bool define_variable(const std::string &name, const std::string &valueText, std::set<std::string> &usedNames,
                     VariableTable &table, std::ostream &output, int overwrite) {
    if (name == "_") return false;
    if (!is_identifier(name)) {
        write_name_check_message(output, name);
        return false;
    }
    if (usedNames.count(name) != 0) {
        if (overwrite != 1) return false;
        auto it = table.find(name);
        if (it == table.end()) return false;
        it->second.valueText = valueText;
        return true;
    }
    usedNames.insert(name);
    SymbolEntry entry = make_symbol_entry(kIntType, name, int_variable_value(valueText), "", valueText, "");
    table.emplace(name, std::move(entry)); // an existing entry of that name stays
    return true;
}

int declare_poly_variable(const std::string &name, std::ostream &output) {
    if (poly_varnames.empty()) poly_varnames.push_back({0, kMainPolyVariable, kMainPolyVariable});
    if (name == "_") return 0;
    if (name == kMainPolyVariable) return 1;
    if (!is_identifier(name)) {
        write_name_check_message(output, name);
        return 0;
    }
    return poly_registry_add(name) >= 0 ? 1 : 0;
}

bool remove_variable(const std::string &name, std::set<std::string> &names, VariableTable &table) {
    if (names.erase(name) == 0) return false;
    // Erasing the entry deletes the typed object it owns.
    return table.erase(name) != 0;
}

bool variable_exists(const std::string &name, const VariableTable &table) {
    return table.count(name) != 0;
}

bool variable_value(const std::string &name, const VariableTable &table, std::string &out) {
    out.clear();
    auto it = table.find(name);
    if (it == table.end()) return false;
    out = it->second.valueText;
    return true;
}

bool update_matrix_variable(const std::string &name, VariableTable &table, const std::string &literal,
                            Variable<KV_Matrix> *&matrix) {
    auto it = table.find(name);
    if (it == table.end()) return false;
    // A name that holds another type has no matrix to hand back: a caller would write
    // through a null object.
    Variable<KV_Matrix> *slot = it->second.slotAs<KV_Matrix>(kMatrixType);
    if (slot == nullptr) return false;
    it->second.valueText = literal;
    it->second.text = literal;
    matrix = slot;
    return true;
}

double variable_double_value(const Variable<double> &variable) {
    return variable.getValue();
}

std::string variable_string_value(const Variable<std::string> &variable) {
    return variable.getValue();
}

const void *valueAddress(const SymbolEntry &entry) {
    if (entry.typeCode < 0 || entry.typeCode >= kTypeCount) return nullptr;
    return entry.slots[size_t(entry.typeCode)].get();
}
