// The command interpreter object. It owns the arithmetic engine, the stream into which every
// answer is written, the symbol table, the settings and the state of the line being
// interpreted. The application holds one for its whole life; every terminal line, every
// script run from the editor and every command handler works on it.
//
// The members are implemented by topic in calculator/ (one folder a topic); the file names
// follow the groups below. Command handlers are free functions on a Calculator and read and
// write its members directly, so the members are public.
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "BigNumber.h"
#include "globals.h"
#include "interpreter/interpreter_state.h"
#include "registry/function_registry.h"
#include "variables/variable.h"

// Result codes of the line interpreter.
constexpr int kLineDone = 0;
constexpr int kLineUnbalanced = 1; // brackets, or the redefinition of a fixed variable
constexpr int kLineRejected = -1;  // the classifier could not sort the line
constexpr int kLineQuit = -1024;   // the user asked to quit

class Calculator {
  public:
    Calculator();
    ~Calculator();
    Calculator(const Calculator &) = delete;
    Calculator &operator=(const Calculator &) = delete;

    // How an answering road tells the batch loop to go on: end the batch with a code, go on
    // with the next line, or run the current line again after rewriting `inputLine`.
    struct LineOutcome {
        enum Kind { EndBatch, NextLine, Restart } kind;
        int code;
        static LineOutcome endBatch(int code) { return {EndBatch, code}; }
        static LineOutcome nextLine() { return {NextLine, kLineDone}; }
        static LineOutcome restart() { return {Restart, kLineDone}; }
    };

    // ---- start-up and shutdown (session/calculator.cpp) ----
    void initSession();
    void setOperatorChars();
    void closeSessionFiles();
    void fillDerivativeRules();

    // ---- settings store (settings/settings.cpp) ----
    int setConfig(const std::string &key, const std::string &value);
    std::string getConfig(const std::string &key);

    // ---- matrix literal lines (matrix_lines/matrix_lines.cpp) ----
    int parseInputLine(const std::string &line, std::string &name, std::string &value, size_t &rowCount,
                       size_t &columnCount);

    // ---- matrix expressions (matrix/matrix_expressions.cpp) ----
    // Runs the postfix text of an expression over matrix variables, writing each step's
    // matrix into `out`: 1 when every operation succeeded or nothing was evaluated, else the
    // first failing code (0 or negative, see matrix/matrix_expressions.h).
    int EvalMatrixPostfixExpression(const std::string &postfix, std::stringstream &out);

    // ---- the line interpreter (interpreter/line_interpreter.cpp) ----
    // What the caller knows of the brackets of the lines: line entry checks a typed line once
    // on its way in and says so; every other caller leaves the check to the interpreter.
    enum class Brackets { Unchecked, Balanced, Unbalanced };
    int dealWithInputCommand(std::vector<std::string> lines, Brackets brackets = Brackets::Unchecked);
    // Empties `output` and both message streams of `core`.
    void clearAnswerStreams();
    // Puts what the engine wrote into its own streams (help texts, steps, echoes, listings)
    // in front of `output` and empties those streams, so that a command's answer shows all
    // it wrote for the line, the engine's lines first.
    void joinEngineLines();

    // ---- members, in construction order ----
    FILE *inputFile = nullptr;  // no operation opens one; closed by closeSessionFiles
    FILE *outputFile = nullptr; // when set, the line entry copies answers into it
    BigNumber core;
    std::stringstream output; // every answer; the terminal reads it after each line
    VariableTable variables;
    std::string inputLine;   // the current line, trimmed
    std::string commandText; // the current built-in call after the interpreter's rewrites
    std::map<std::string, std::string> settings;
    std::vector<char> operatorChars; // characters that end a name; empty until setOperatorChars
    FunctionRegistry functions;
    std::vector<std::string> functionNames;
    std::vector<std::string> functionSignatures;
    std::string modeName;
    std::vector<std::string> pendingLines;            // the batch the line entry runs
    std::vector<std::vector<std::string>> matrixRows; // cells of the last matrix literal line

  private:
    // ---- answering roads, one a statement kind (interpreter/) ----
    LineOutcome answerStatement(const InputStatement &statement, std::string &statementText);
    LineOutcome answerColonCommand(const InputStatement &statement);

    // ---- the registry at start-up (registry/session_functions.cpp) ----
    void registerSessionFunctions();

    // ---- calls of registered functions (dispatch/call_dispatch.cpp) ----
    LineOutcome answerCall(const InputStatement &statement);

    // ---- expressions (expressions/expression_statement.cpp) ----
    LineOutcome answerExpression(const InputStatement &statement, std::string &statementText);
    // A line of matrix literals joined by operators, answered as if each literal were a variable.
    LineOutcome answerLiteralExpression(const InputStatement &statement, const std::string &statementText);
    // Each answers its kind of expression into `output`; true when the script attempt
    // answered, which ends the batch.
    bool answerNumerical(int32_t mode);
    bool answerSymbolic(int32_t mode, bool matrixExpression, const std::string &statementText);
    bool answeredByScript(const std::string &text, bool clearStreams);
    void writeMatrixExpression(const std::string &postfix);
    std::string expandedFraction(const std::string &value);
    void answerPluginCall();

    // ---- linear programs (expressions/linear_program_lines.cpp) ----
    LineOutcome answerProgram(const InputStatement &statement);
    void writeProgramEcho(const std::string &line);

    // ---- plugin names as functions, at start-up (plugins/plugin_functions.cpp) ----
    void registerPluginFunctions();

    // ---- assignments (assignments/assignment.cpp) ----
    LineOutcome answerAssignment(const std::string &statementText);
};
