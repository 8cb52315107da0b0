// Matrix literal lines. Every line with balanced brackets passes through parseInputLine
// before the interpreter sees it: ordinary lines are only trimmed; a literal assigned to a
// name ('A=[1 2;3 4]', 'B=[1,,3;4 5 6]') is normalised, and its cells are recorded row by row
// in `matrixRows` for the determinant commands.
#include "matrix_lines/matrix_lines.h"

#include <algorithm>

#include "Calculator.h"
#include "text/string_utils.h"
#include "tools.h"
#include "variables/symbol_table.h"

namespace {

constexpr size_t kShortLineLength = 2; // lines this short are passed on untouched

// Blank-run state of the normalisers: negative at the start of a row (no separator is due),
// else the number of blanks since the last cell character.
constexpr int kRowStart = -1;

void countBlank(int &gap, unsigned &runs) {
    if (gap == 0) runs++;
    if (gap >= 0) gap++;
}

void addCell(std::vector<std::string> &row, std::string &cell) {
    trim(cell);
    if (!cell.empty()) row.push_back(cell);
    cell.clear();
}

} // namespace

void replaceOrDropAfterSeparator(std::string &text, const std::string &pattern,
                                 const std::string &replacement) {
    if (pattern.empty()) return;
    size_t at = text.find(pattern);
    while (at != std::string::npos) {
        if (at > 0 && (text[at - 1] == ';' || text[at - 1] == ',')) {
            text.erase(at, pattern.size());
        } else {
            text.replace(at, pattern.size(), replacement);
            at += replacement.size();
        }
        at = text.find(pattern, at);
    }
}

namespace {

// The walk of both normalisers. With `commaCells` a leading separator of the text is dropped
// and a comma that follows a comma first gets a "0"; without it a comma is a cell character.
unsigned normalizeMatrix(const char *text, char separator, std::string &out, bool commaCells) {
    out.clear();
    unsigned runs = 0;
    int gap = kRowStart;
    bool cellOpen = true; // false right after a comma: a further comma then stands for "0"
    const char *p = text;
    if (commaCells && *p == separator) {
        p++;
    } else if (commaCells && *p == ';') {
        out += *p++;
    }
    for (; *p; p++) {
        const char c = *p;
        if (c == ' ') {
            countBlank(gap, runs);
            continue;
        }
        if (c == '[' || c == ';') {
            gap = kRowStart;
            cellOpen = true;
        } else if (commaCells && c == ',') {
            if (!cellOpen) out += '0';
            cellOpen = false;
            gap = 0;
        } else if (c != ']') {
            if (cellOpen && gap > 0) out += separator;
            cellOpen = true;
            gap = 0;
        }
        out += c;
    }
    return runs;
}

} // namespace

unsigned normalizeMatrixText(const char *text, char separator, std::string &out) {
    return normalizeMatrix(text, separator, out, false);
}

unsigned normalizeMatrixContinuation(const char *text, char separator, std::string &out) {
    return normalizeMatrix(text, separator, out, true);
}

int Calculator::parseInputLine(const std::string &line, std::string &name, std::string &value,
                               size_t &rowCount, size_t &columnCount) {
    pendingLines.clear();
    matrixRows.clear();
    name.clear();
    value.clear();
    rowCount = 0;
    columnCount = 0;
    if (line.size() <= kShortLineLength) {
        pendingLines.push_back(line);
        return kLineTooShort;
    }
    std::string text = line;
    trim(text);
    if (text.size() > 1 && text.back() == '#') text.pop_back();

    const size_t literal = text.find("=[");
    if (literal == std::string::npos) {
        pendingLines.push_back(text);
        const size_t eq = text.find('=');
        if (eq == std::string::npos) {
            value = text;
            return kLinePlain;
        }
        std::string before = text.substr(0, eq);
        trim(before);
        if (!is_identifier(before)) {
            value = text;
            return kLineNotNamed;
        }
        name = before;
        value = text.substr(eq + 1);
        return kLineNamedValue;
    }
    std::string before = text.substr(0, literal);
    trim(before);
    if (!is_identifier(before)) {
        pendingLines.push_back(text);
        value = text;
        return kLineNotNamed;
    }
    name = before;

    const bool commaMode = text.find(',') != std::string::npos;
    replaceOrDropAfterSeparator(text, "#", ",");
    std::string normal;
    if (commaMode) {
        normalizeMatrixContinuation(text.c_str(), ',', normal);
    } else {
        replace_all(text, ",", " ");
        normalizeMatrixText(text.c_str(), ',', normal);
    }

    // The literal runs from its first "[" to its last "]"; without a "]" after the "[" it runs
    // to the end of the line.
    const size_t open = normal.find('[');
    size_t close = normal.rfind(']');
    if (close == std::string::npos || close < open) close = normal.size();
    std::vector<std::string> row;
    std::string cell;
    value = "[";
    auto closeRow = [&] {
        addCell(row, cell);
        matrixRows.push_back(row);
        rowCount++;
        columnCount = std::max(columnCount, row.size());
        row.clear();
    };
    for (size_t i = open + 1; i < close; i++) {
        const char c = normal[i];
        if (c == ';') {
            if (row.empty() && cell.empty()) continue; // an empty row is skipped
            closeRow();
            value += ';';
        } else if (c == ',' || c == ' ') {
            value += commaMode ? ',' : ' ';
            addCell(row, cell);
        } else {
            cell += c;
            value += c;
        }
    }
    closeRow(); // the last row is recorded even when it is empty
    value += ']';
    pendingLines.push_back(name + "=" + value);
    return kLineMatrixLiteral;
}
