// ":claim" (stores a claim about a name) and ":show" (lists the equality claims).
#include "claims/claims.h"
#include "colon/colon_commands.h"
#include "interpreter/interpreter_state.h"
#include "interpreter/texts.h"

ColonOutcome claimCommand(Calculator &calculator, const InputStatement &statement) {
    // Only "=", "==" and "<" make claims.
    if (!store_claim(statement.arg, statement.op, statement.value))
        calculator.output << "[__current_operator]: " << statement.op << "\n";
    calculator.output << "\n" << kPrompt;
    return ColonOutcome::endBatch(kLineDone);
}

// ':show claim=' lists every equality claim, ':show claim=a' the one of a; other words show
// nothing (':show claims' included, whose value the classifier makes "on").
ColonOutcome showCommand(Calculator &calculator, const InputStatement &statement) {
    if (statement.arg != "claim") return ColonOutcome::nextLine();
    std::ostream &out = calculator.output;
    if (statement.value.empty()) {
        size_t number = 1;
        for (const auto &[name, claim] : equality_claims)
            out << "claim[" << number++ << "]> " << name << "==" << claim_value(claim) << "\n";
    } else if (auto it = equality_claims.find(statement.value); it != equality_claims.end()) {
        out << "claim> " << it->first << "==" << claim_value(it->second) << "\n";
    }
    out << "\n" << kPrompt;
    return ColonOutcome::nextLine();
}
