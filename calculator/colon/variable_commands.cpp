// ":clear" (polynomial variables, claims, or all variables) and ":list" (the variables).
#include "claims/claims.h"
#include "colon/colon_commands.h"
#include "interpreter/interpreter_state.h"
#include "interpreter/texts.h"
#include "variables/symbol_table.h"

namespace {

constexpr char kLongRule[] = "--------------------------------"; // 32 dashes

void clearVariables(Calculator &calculator) {
    std::ostream &out = calculator.output;
    for (const auto &[name, entry] : calculator.variables)
        out << entry.typeName << " : " << name << " = " << entry.valueText << "  \t"
            << "Deleting variable at mem addr: " << valueAddress(entry) << "\n";
    // The entries own their value objects: emptying the table deletes them.
    calculator.variables.clear();
    out << "info> All variables have been cleared.\n" << kLongRule << "\n";
}

} // namespace

ColonOutcome clearCommand(Calculator &calculator, const InputStatement &statement) {
    if (statement.arg == "poly_vars") {
        poly_vars.clear();
        poly_varnames.clear();
    } else if (statement.arg == "claims") {
        equality_claims.clear(); // the inequality claims stay
    } else {
        clearVariables(calculator);
    }
    calculator.output << kPrompt;
    return ColonOutcome::endBatch(kLineDone);
}

ColonOutcome listCommand(Calculator &calculator, const InputStatement &) {
    std::ostream &out = calculator.output;
    out << "info> All variables are listed below.\n";
    for (const auto &[name, entry] : calculator.variables)
        out << entry.typeName << " : " << name << "=" << entry.valueText << "  \t"
            << "mem addr: " << valueAddress(entry) << "\n";
    out << "---*---*---*---\n\n" << kPrompt;
    return ColonOutcome::endBatch(kLineDone);
}
