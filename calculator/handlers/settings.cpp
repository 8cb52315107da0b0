// The settings, variables and listing commands: they act on the Calculator itself (settings,
// precision, the variable lock, the symbol table, the registry) rather than on a number.
#include <cinttypes>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "Calculator.h"
#include "handlers/families.h"
#include "handlers/handler_frame.h"
#include "handlers/help.h"
#include "interpreter/texts.h"
#include "number_routines.h"
#include "tools.h"
#include "variables/symbol_table.h"

namespace {

// What SET answers, by the result of setConfig.
constexpr const char *kSetMessages[] = {"由于锁定无法更新", "更新成功", "新建配置成功"};
// The precision a call with nothing or 0 between the brackets sets.
constexpr int64_t kDefaultPrecision = 8;

void cmd_SET(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string key, value;
    if (!twoArguments(calculator.commandText, key, value, Close::First) || key.empty()) return writeShapeHint(out);
    const int result = calculator.setConfig(key, value);
    writeAnswer(out, result >= 0 && result < int(std::size(kSetMessages)) ? kSetMessages[result] : "");
}

void cmd_SELECT(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string key;
    if (!firstBracketArgument(calculator.commandText, key) || key.empty()) return writeShapeHint(out);
    writeAnswer(out, "settings[" + key + "] = " + calculator.getConfig(key));
}

// Any digit other than 0 fixes the variables: the value itself is never needed.
void cmd_fix_variables(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string n;
    if (!closedRest(calculator.commandText, n, Close::First) || n.empty()) return writeShapeHint(out);
    if (!isAllDigits(n)) return writeHint(out, n, Hint::NonDigit);
    const bool fixed = n.find_first_not_of('0') != std::string::npos;
    calculator.core.setFixVariables(fixed ? 1 : 0);
    out << "Now variables " << (fixed ? "are fixed" : "can be changed.");
    writeClosing(out);
}

void writePrecision(std::ostream &out, int32_t precision) {
    out << "Now the precision is: " << precision;
    writeClosing(out);
}

void cmd_setprecision(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string n;
    if (!getParenArgument(calculator, n, out)) return;
    if (!isAllDigits(n)) return writeHint(out, n, Hint::NonDigit);
    int64_t digits = 0;
    if (!n.empty() && !boundedInteger(out, n, 0, precisionCap(), digits)) return;
    calculator.core.setPrecision(int32_t(digits == 0 ? kDefaultPrecision : digits));
    writePrecision(out, calculator.core.getPrecision());
}

void cmd_getprecision(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string n;
    if (!closedRest(calculator.commandText, n, Close::First)) return writeShapeHint(out);
    if (!isAllDigits(n)) return writeHint(out, n, Hint::NonDigit);
    writePrecision(out, calculator.core.getPrecision());
}

// A number as it is, an expression's value, a variable's value text, or the text itself.
void cmd_disp(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string x;
    if (!firstBracketArgument(calculator.commandText, x) || x.empty()) return writeShapeHint(out);
    std::string value = x;
    if (isRealArgument(x)) value = x;
    else if (isInfixValid(x)) calculator.core.EvalInfixExprNoOutput(x, value, 0);
    else if (calculator.variables.count(x)) value = calculator.variables.at(x).valueText;
    writeAnswer(out, value);
}

// The value of the int, double or text variable whose object the variable listing shows at
// this address; the address is only compared as text, never followed.
std::string valueAt(const SymbolEntry &entry) {
    switch (entry.typeCode) {
    case kIntType:
        if (const auto *v = entry.slotAs<int>(kIntType)) return std::to_string(v->getValue());
        break;
    case kDoubleType:
        if (const auto *v = entry.slotAs<double>(kDoubleType)) {
            char text[64];
            std::snprintf(text, sizeof text, "%f", v->getValue());
            return text;
        }
        break;
    case kStringType:
        if (const auto *v = entry.slotAs<std::string>(kStringType)) return v->getValue();
        break;
    default:
        break;
    }
    return {};
}

bool hasShownValue(const SymbolEntry &entry) {
    return entry.typeCode == kIntType || entry.typeCode == kDoubleType || entry.typeCode == kStringType;
}

void cmd_getValueFromMemAddr(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string address;
    const std::string &line = calculator.inputLine;
    const size_t open = line.find('('), close = line.find(')');
    if (open == std::string::npos || close == std::string::npos || close < open) {
        out << "ERROR: the input is wrong. Please try again.\n";
        return;
    }
    address = line.substr(open + 1, close - open - 1);
    trim(address);
    for (const auto &[name, entry] : calculator.variables) {
        if (!hasShownValue(entry)) continue;
        std::ostringstream shown;
        shown << valueAddress(entry);
        if (shown.str() != address) continue;
        out << valueAt(entry) << "\n" << "\n" << kPrompt;
        return;
    }
    out << "\n" << kPrompt;
}

void cmd_listfunctions(Calculator &calculator) {
    calculator.core.outStream.str("");
    calculator.core.wideStream.str(L"");
    std::ostream &out = startAnswer(calculator);
    std::string argument;
    if (!closedRest(calculator.commandText, argument, Close::First)) return writeShapeHint(out);
    if (argument == "1") {
        print_name_list(calculator.functionSignatures, calculator.output);
        out << "\nTotal: " << calculator.functionSignatures.size() << "\n";
    } else {
        print_name_list(calculator.functionNames, calculator.output);
    }
    writeClosingBlock(out);
}

// The bytes between the first "(" and the last ")" of the typed line.
void cmd_len(Calculator &calculator) {
    calculator.core.outStream.str("");
    calculator.core.wideStream.str(L"");
    std::ostream &out = startAnswer(calculator);
    std::string text;
    if (!wholeBracketArgument(calculator.inputLine, text, true)) return writeShapeHint(out);
    writeAnswer(out, std::to_string(text.size()));
}

bool hasOption(const std::vector<std::string> &options, const std::string &option) {
    for (const std::string &o : options)
        if (o == option) return true;
    return false;
}

void cmd_sort(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string rest;
    if (!closedRest(calculator.inputLine, rest, Close::Last)) {
        writeRestDiagnostics(out, restAfterOpen(calculator.inputLine));
        out << "hint> the input is wrong.\n";
        writeUsageLine(out, "sort(num1,num2,num3,...,numK)");
        return writeClosingBlock(out);
    }
    const size_t semicolon = rest.find(';');
    const std::string list = rest.substr(0, semicolon);
    std::vector<std::string> options;
    if (semicolon != std::string::npos) calculator.core.splitAtChar(rest.substr(semicolon + 1), options, '|');
    std::vector<std::string> items;
    if (list.find(',') == std::string::npos || !itemList(calculator, list, items)) {
        out << list << "\n";
        return;
    }
    if (hasOption(options, "std::string")) quickSort(items);
    else calculator.core.sort_numbers_asc(items);
    if (hasOption(options, "desc")) std::reverse(items.begin(), items.end());
    for (size_t k = 0; k < items.size(); k++) out << (k ? "," : "") << items[k];
    writeClosingBlock(out);
}

constexpr HandlerCase kCases[] = {
    {"disp", cmd_disp},
    {"fix_variables", cmd_fix_variables},
    {"getprecision", cmd_getprecision},
    {"getValueFromMemAddr", cmd_getValueFromMemAddr},
    {"help", cmd_help},
    {"len", cmd_len},
    {"listfunctions", cmd_listfunctions},
    {"SELECT", cmd_SELECT},
    {"SET", cmd_SET},
    {"setprecision", cmd_setprecision},
    {"sort", cmd_sort},
};

} // namespace

std::span<const HandlerCase> settings_handlers() { return kCases; }
