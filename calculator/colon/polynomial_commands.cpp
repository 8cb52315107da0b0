// The colon commands of polynomials: ":change" (the main variable letter), ":delete" or
// ":del" (a polynomial variable) and ":poly_vars" (the registry).
#include "colon/colon_commands.h"
#include "interpreter/interpreter_state.h"
#include "interpreter/texts.h"

namespace {

// The pair of letters of ":change": from and to.
struct LetterChange {
    char from = 'x';
    char to = 't';
    bool accepted = false;
};

// ":change x=t", ":change x->t", ":change=x->t", ":change x t", ":change=x=t".
LetterChange readLetterChange(const InputStatement &statement, std::ostream &out) {
    const std::string &arg = statement.arg, &value = statement.value;
    LetterChange change;
    if (arg.size() == 1 && value.size() == 1) {
        change = {arg[0], value[0], true};
    } else if (arg.size() == 4) {
        if (arg.compare(1, 2, "->") == 0) change = {arg[0], arg[3], true};
    } else if (arg.size() == 3 && value == "on") {
        if (arg[1] == ' ' || arg[1] == '=') change = {arg[0], arg[2], true};
    } else {
        out << "__current_parameter=" << arg << "\n" << "__current_cmd_value=" << value << "\n";
    }
    return change;
}

// The registry index of a polynomial variable, when it names a record.
bool recordIndex(int index, size_t &at) {
    if (index < 0 || size_t(index) >= poly_varnames.size()) return false;
    at = size_t(index);
    return true;
}

} // namespace

ColonOutcome changeCommand(Calculator &calculator, const InputStatement &statement) {
    std::ostream &out = calculator.output;
    LetterChange change = readLetterChange(statement, out);
    if (!change.accepted) {
        out << "\nThe command :change will change the main variable used in polynomial."
            << "\nusage> :change x t\n   or> :change x->t\n   or> :change x=t\n";
    } else if (main_var == change.from) {
        main_var = change.to;
        if (poly_internal_names.empty()) {
            poly_internal_names.emplace_back(1, change.to);
        } else if (poly_internal_names[0].size() == 1) {
            poly_internal_names[0][0] = change.to;
        }
        out << "The main var has been changed to " << main_var << ".\n";
    }
    out << "\n" << kPrompt;
    return ColonOutcome::nextLine();
}

ColonOutcome deleteCommand(Calculator &calculator, const InputStatement &statement) {
    std::ostream &out = calculator.output;
    if (statement.arg.empty()) {
        out << "\nThe command :delete or :del is used to delete the variable for polynomial."
            << "\nusage> :delete var\n   or> :del var\n\twhere var is the name of the variable.\n";
    } else if (auto it = poly_vars.find(statement.arg); it != poly_vars.end()) {
        // The record stays, marked deleted; the list of internal names is not touched.
        size_t at;
        if (recordIndex(it->second, at)) poly_varnames[at].index = -1;
        poly_vars.erase(it);
    }
    out << "\n" << kPrompt;
    return ColonOutcome::nextLine();
}

ColonOutcome polyVarsCommand(Calculator &calculator, const InputStatement &) {
    std::ostream &out = calculator.output;
    for (const auto &[name, index] : poly_vars) {
        size_t at;
        out << name << " --> " << (recordIndex(index, at) ? poly_varnames[at].internalName : "") << "\n";
    }
    out << "\n---------------\n";
    for (const PolyVarName &record : poly_varnames)
        if (record.index >= 0) out << record.internalName << ", ";
    out << "\n---*---*---*---\n\n" << kPrompt;
    return ColonOutcome::endBatch(kLineDone);
}
