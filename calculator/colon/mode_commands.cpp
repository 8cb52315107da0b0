// ":mode" (the calculation mode: bits of the engine's mode word) and ":expand".
#include <array>
#include <string>

#include "colon/colon_commands.h"
#include "interpreter/interpreter_state.h"
#include "interpreter/texts.h"
#include "kscript.h"
#include "matrix.h"

namespace {

const std::array<const char *, 3> kOnWords = {"on", "ON", "1"};
const std::array<const char *, 3> kOffWords = {"off", "OFF", "0"};
const std::array<const char *, 4> kExpandOnWords = {"on", "ON", "On", "1"};
const std::array<const char *, 4> kExpandOffWords = {"off", "OFF", "Off", "0"};

template <size_t N> bool isOneOf(const std::string &word, const std::array<const char *, N> &words) {
    for (const char *w : words)
        if (word == w) return true;
    return false;
}

constexpr char kFractionText[] = "Switch into fraction calculating mode.\ne.g., 1/2+1/3 will return 5/6";
constexpr char kNumericalText[] = "Switch into numerical calculating mode.\ne.g., 1/2+1/3 will return 0.83333333";

// A mode switched by one bit. "on" sets the bit, except for numerical, whose "on" clears
// the fraction bit; the text tells what the bit now is.
struct ModeSwitch {
    const char *name;
    int32_t bit;
    bool onSets;
    const char *setText;     // null: nothing written
    const char *clearedText;
};

const ModeSwitch kModeSwitches[] = {
    {"fraction", kFractionBit, true, kFractionText, kNumericalText},
    {"numerical", kFractionBit, false, kFractionText, kNumericalText},
    {"polyn", kPolynBit, true, "Switch into polynomial mode.", "Exit polynomial mode."},
    {"complex", kComplexBit, true, "Switch into complex mode.", "Exit complex mode."},
    {"cmd", kCmdBit, true, "Switch into cmd mode.", "Exit cmd mode."},
    {"paint", kPaintBit, true, "Switch into paint mode.", "Exit paint mode."},
    {"kscript", kCmdBit, true, nullptr, "Exit kscript mode."},
};

constexpr char kModeSyntax[] =
    "Syntax:\n\t:mode=numerical\n\t:mode=fraction\n\t:mode=polyn\n\t:mode=complex\n\t:mode=cmd\nor\n\t:mode\n\t\t"
    "This will print the current calculating mode.\n"
    "Also you can type:\n\t:mode numerical\n\t:mode numerical=on\n\t:mode numerical=off"
    "\n\tHere the input `on`, `ON` and `1` are equivalent, and the input `off`, `OFF` and `0` are equivalent."
    "\n\tTry `:mode  polyn = on`\n"
    "\n\n\tType `:mode kscript` will switch in the kscript program mode.\n";

void reportMode(std::ostream &out, int32_t word) {
    static const struct {
        int32_t word;
        const char *text;
    } kNames[] = {
        {0, "numerical"},        {1, "fraction"},           {2, "polyn & numerical"}, {3, "polyn & fraction"},
        {4, "complex & numerical"}, {5, "complex & fraction"}, {8, "cmd (command)"},
    };
    for (const auto &name : kNames)
        if (name.word == word) {
            out << "Calculating mode: " << name.text << "\n";
            return;
        }
    out << "calculating mode: " << word << "\n";
}

void setMode(Calculator &calculator, int32_t word) {
    calculator.core.setMode(word);
    setMatrixMode(word);
}

// ":mode kscript=FILE": the file runs in a fresh script machine; the runner leaves the machine
// ready for the interpreter's next script attempt. A failing script is reported here and the
// session goes on.
void runScriptFileOf(Calculator &calculator, const std::string &path) {
    int status = path.find('\0') == std::string::npos ? runScriptFile(&calculator.core, path.c_str())
                                                       : int(SCRIPT_FILE_UNREADABLE);
    setMatrixMode(calculator.core.getMode()); // the script may have switched the mode
    switch (status) {
    case SCRIPT_FILE_COMPILE_ERROR:
        calculator.output << "error> The script " << path << " did not compile.\n";
        break;
    case SCRIPT_FILE_RUNTIME_ERROR:
        calculator.output << "error> The script " << path << " stopped with a runtime error.\n";
        break;
    case SCRIPT_FILE_UNREADABLE:
        calculator.output << "error> The script " << path << " could not be read.\n";
        break;
    default:
        break;
    }
}

void switchMode(Calculator &calculator, const ModeSwitch &mode, const std::string &value) {
    calculator.modeName = mode.name;
    int32_t word = calculator.core.getMode();
    const bool on = isOneOf(value, kOnWords), off = isOneOf(value, kOffWords);
    const bool isKscript = mode.setText == nullptr;
    if (on || off) {
        bool set = on == mode.onSets;
        word = set ? word | mode.bit : word & ~mode.bit;
        const char *text = set ? mode.setText : mode.clearedText;
        if (text != nullptr) calculator.output << text << "\n";
        setMode(calculator, word);
    } else if (isKscript) {
        setMode(calculator, word | mode.bit);
        runScriptFileOf(calculator, value);
    } else {
        setMode(calculator, word);
    }
}

} // namespace

ColonOutcome modeCommand(Calculator &calculator, const InputStatement &statement) {
    const std::string &arg = statement.arg;
    const ModeSwitch *mode = nullptr;
    for (const ModeSwitch &m : kModeSwitches)
        if (arg == m.name) mode = &m;
    if (mode != nullptr) {
        switchMode(calculator, *mode, statement.value);
    } else if (arg == "LP" || arg == "LinearProgram") {
        calculator.modeName = "LP";
    } else if (arg.empty()) {
        reportMode(calculator.output, calculator.core.getMode());
    } else {
        calculator.output << kModeSyntax;
    }
    calculator.output << "\n" << kPrompt;
    return ColonOutcome::endBatch(kLineDone);
}

ColonOutcome expandCommand(Calculator &calculator, const InputStatement &statement) {
    const std::string &word = statement.arg;
    std::ostream &out = calculator.output;
    if (isOneOf(word, kExpandOnWords)) {
        calculator.core.setExpand(1);
        out << "Expand on. In fraction calculation mode,\n"
            << "e.g., (a+b)*(c+d) will return a*c+a*d+b*c+b*d.\n";
    } else if (isOneOf(word, kExpandOffWords)) {
        calculator.core.setExpand(0);
        out << "Expand Off.\n"
            << "e.g., (a+b)*(c+d) will return (a+b)*(c+d).\n";
    } else if (word.empty()) {
        out << (calculator.core.getExpand() == 0 ? "Expand : Off" : "Expand : On") << "\n";
    } else {
        out << "Syntax:\n:expand=on\nor\n:expand=off\nor:expand\n\tThis will print the current expand setting.\n";
    }
    out << "\n" << kPrompt;
    return ColonOutcome::endBatch(kLineDone);
}
