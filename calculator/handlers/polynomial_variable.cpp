// symbol: declares polynomial variables beside the main one, or defines int variables with
// their values; multipolyn_items: splits a polynomial in several variables into its terms.
#include <climits>
#include <vector>

#include "Calculator.h"
#include "globals.h"
#include "handlers/families.h"
#include "handlers/handler_frame.h"
#include "handlers/item_listing.h"
#include "multipolyn.h"
#include "text/string_utils.h"
#include "tools.h"
#include "variables/symbol_table.h"

namespace {

// "hint> " + name + " is NOT a regular variable name." and a line end; false for such a name.
bool checkName(std::ostream &out, const std::string &name) {
    if (isValidIdentifier(name)) return true;
    out << "hint> " << name << " is NOT a regular variable name.\n";
    return false;
}

void declarePolynomialVariable(std::ostream &out, const std::string &name) {
    if (!checkName(out, name)) return;
    if (declare_poly_variable(name, out))
        out << "out> " << name << " is a variable for polynomial.\n";
    else
        out << "Error> Failed to define polynomial variable " << name << " with symbol() function.\n";
}

// name:value. The value is an int variable's: a signed integer of 32 bits, kept as its
// plain digits so that the text and the variable's value agree. A name already in the
// table is refused: the table would keep its old entry while the answer said "defined".
void defineIntVariable(Calculator &calculator, std::ostream &out, const std::string &item) {
    const size_t colon = item.find(':');
    const std::string name = item.substr(0, colon);
    if (!checkName(out, name)) return;
    int64_t value = 0;
    const bool isInt = colon != std::string::npos && checkedInt64(item.substr(colon + 1), INT32_MIN, INT32_MAX, value);
    if (isInt && !variable_exists(name, calculator.variables) &&
        define_variable(name, int64ToString(value), used_variable_names, calculator.variables, out, 0))
        out << "out> " << name << " has been defined.\n";
    else
        out << "Error> Failed to define variable " << name << " with symbol() function.\n";
}

// Read from the typed line, where blanks between names survive unless the setting
// "deleteblank" removed them.
void cmd_symbol(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    const std::string &line = calculator.inputLine;
    const size_t open = line.find('('), close = line.rfind(')');
    if (open == std::string::npos || close == std::string::npos || open > close || close + 1 != line.size())
        return writeShapeHint(out);
    const std::string body = line.substr(open + 1, close - open - 1);
    if (body.find(':') != std::string::npos) {
        for (const std::string &item : split_by_char(body + ",", ','))
            defineIntVariable(calculator, out, item);
    } else {
        const char separator = body.find(',') != std::string::npos ? ',' : ' ';
        for (const std::string &name : split_by_char(body + separator, separator))
            declarePolynomialVariable(out, name);
    }
    writeClosingBlock(out);
}

// The user's names of declared variables become their internal names before reading: the
// reader knows only those and would take any other name into a coefficient. The blanks the
// interpreter keeps in the command text go first.
void cmd_multipolyn_items(Calculator &calculator) {
    deleteBlanks(calculator.commandText);
    std::ostream &out = startAnswer(calculator);
    const std::string typed = uncheckedWholeBracket(calculator.commandText);
    std::string text = typed;
    multipolyn_substitute(typed, text);
    uint8_t ok = 0;
    MultiPolyn p(multipolyn_parse(text, ok));
    if (!ok || !p) {
        out << "The input is NOT a polynomial.\n";
        return writeClosingBlock(out);
    }
    // Terms that cancel in the normal form go as well as those typed as zero.
    p.reset(multipolyn_drop_zero_terms(multipolyn_normalize(multipolyn_drop_zero_terms(p.release()), 0)));
    out << "split> " << multipolyn_to_internal_string(p.get()) << "\n";
    std::vector<poly_pt *> items;
    multipolyn_split_items(p.release(), items);
    std::vector<MultiPolyn> owned;
    for (poly_pt *item : items) owned.emplace_back(item);
    out << "into items> \n\n";
    for (const MultiPolyn &item : owned) out << multipolyn_to_internal_string(item.get()) << "\n";
    writeItemTotal(out, owned.size());
}

constexpr HandlerCase kCases[] = {
    {"symbol", cmd_symbol},
    {"multipolyn_items", cmd_multipolyn_items},
};

}  // namespace

std::span<const HandlerCase> polynomial_variable_handlers() { return kCases; }
