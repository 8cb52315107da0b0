// The batch loop of the command language: each line is trimmed, the two one-character
// shortcuts are answered, the brackets are checked, and the line is classified and handed
// to the road of its statement kind. Every answer goes into `output`.
#include "Calculator.h"
#include "classifier/classifier.h"
#include "interpreter/texts.h"
#include "text/string_utils.h"
#include "tools.h"

namespace {

constexpr char kBracketError[] = "\nError[1012]> The symbols () [] {} are NOT matched, please input again.\n";
constexpr char kClassificationError[] = "Info[dealWithInputCommand]> The input is error.\n";
constexpr char kLongRule[] = "--------------------------------"; // 32 dashes

// A rewritten line is classified again. The two rewrites (':help name' into a call, a "["
// expression into an assignment) never lead to a further rewrite; the bound only makes sure
// a road that rewrites wrongly cannot keep the loop going.
constexpr int kMaxRestarts = 8;

// Only the latest statement is ever read; older records would pile up for the whole session.
void forgetOlderStatements() { input_statements.clear(); }

} // namespace

void Calculator::clearAnswerStreams() {
    output.str("");
    output.clear();
    core.wideStream.str(L"");
    core.wideStream.clear();
    core.outStream.str("");
    core.outStream.clear();
}

void Calculator::joinEngineLines() {
    std::string joined = wide_to_utf8(core.wideStream.str()) + core.outStream.str();
    if (joined.empty()) return;
    joined += output.str();
    clearAnswerStreams();
    output << joined;
}

int Calculator::dealWithInputCommand(std::vector<std::string> lines, Brackets brackets) {
    for (const std::string &line : lines) {
        inputLine = line;
        trim(inputLine);
        if (inputLine.empty()) {
            output << kPrompt;
            return kLineDone;
        }
        if (inputLine == "_") {
            output << "\nout> " << core.getResult() << "\n\n"
                   << kRule << "\n"
                   << "\n"
                   << kPrompt;
            return kLineDone;
        }
        const bool balanced =
            brackets == Brackets::Unchecked ? BigNumber::isBracketBalanced(inputLine) : brackets == Brackets::Balanced;
        if (!balanced) {
            output << inputLine << "\n";
            // A "[" line may be a matrix literal still being typed: it goes on, and the echo
            // is dropped with the other answers below unless classification fails.
            if (inputLine.find('[') == std::string::npos) {
                output << kBracketError << kRule << "\n\n";
                return kLineUnbalanced;
            }
        }
        bool nextLine = false;
        for (int restarts = 0; !nextLine && restarts <= kMaxRestarts; restarts++) {
            std::string statementText = inputLine;
            forgetOlderStatements();
            if (!classify_input_line(inputLine, input_statements, variables, used_variable_names,
                                     operatorChars)) {
                output << kClassificationError << kLongRule << "\n" << kPrompt;
                return kLineRejected;
            }
            const InputStatement statement = input_statements.back();
            clearAnswerStreams();
            LineOutcome outcome = answerStatement(statement, statementText);
            if (outcome.kind == LineOutcome::EndBatch) return outcome.code;
            nextLine = outcome.kind == LineOutcome::NextLine;
        }
    }
    return kLineDone;
}

Calculator::LineOutcome Calculator::answerStatement(const InputStatement &statement,
                                                    std::string &statementText) {
    switch (statement.kind) {
    case kColonCommand:
        return answerColonCommand(statement);
    case kAssignment:
        return answerAssignment(statementText);
    case kCall:
        return answerCall(statement);
    case kMaximise:
    case kMinimise:
        return answerProgram(statement);
    default:
        return answerExpression(statement, statementText);
    }
}
