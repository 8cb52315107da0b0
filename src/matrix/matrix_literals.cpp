// Matrix literals: "[1 2;3 4]", "[1,1/2;-3.2,4]", cells cut at blanks and commas, rows at
// semicolons. Two readers: splitMatrixRows for a literal typed at the prompt (it
// normalises the separators and may continue over further lines), and
// parseMatrixAssignment for the commands, which read "name=[...]" in one pass.
#include <algorithm>
#include <sstream>

#include "BigNumber.h"
#include "matrix.h"
#include "tools.h"

namespace {

bool isRowOrCellEnd(char c) { return c == ',' || c == ';'; }

// One normaliser for both forms: `fillZeros` writes "0" into an empty cell between two
// commas (the form for literals that hold a comma).
std::string normalize(const std::string &text, char separator, char previous, bool fillZeros) {
    std::string out;
    int blanks = -1;  // -1: no cell yet on this row; else blanks since the last cell character
    int commas = -1;  // -1: after "[", ";" or a cell character; else commas in a row
    for (size_t k = 0; k < text.size(); k++) {
        char c = text[k];
        bool first = k == 0;
        if (first && isRowOrCellEnd(c) && isRowOrCellEnd(previous)) out += '0';
        if (c == '[' || c == ';') {
            out += c;
            blanks = commas = -1;
        } else if (c == ']') {
            out += c;
        } else if (c == ' ') {
            if (blanks >= 0) blanks++;
        } else if (c == ',' && fillZeros) {
            if (++commas == 1) out += '0';
            out += c;
            commas = 0;
            blanks = 0;
        } else if (c == ',' && first) {
            out += c;
        } else {
            bool apart = first ? !isRowOrCellEnd(previous) && previous != ']'
                               : blanks > 0 && (!fillZeros || commas < 0);
            if (apart) out += separator;
            out += c;
            blanks = 0;
            commas = -1;
        }
    }
    return out;
}

std::vector<std::string> words(const std::string &text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

}  // namespace

std::string normalizeMatrixLine(const std::string &text, char separator, char previous, std::string &out) {
    return out = normalize(text, separator, previous, false);
}

std::string normalizeMatrixLineFillZeros(const std::string &text, char separator, char previous,
                                         std::string &out) {
    return out = normalize(text, separator, previous, true);
}

bool splitMatrixRows(std::vector<std::vector<std::string>> &rows, const std::string &literal,
                     std::string &normalised, int32_t &rowCount, int32_t &colCount,
                     const std::vector<std::string> &moreLines, size_t &nextLine) {
    rows.clear();
    rowCount = colCount = 0;
    bool commaFree = literal.find(',') == std::string::npos;
    std::string piece = normalize(literal, ',', ' ', !commaFree);
    normalised = piece;
    char previous = literal.empty() ? ' ' : literal.back();
    std::vector<std::string> pending;
    int32_t counted = 0, separators = 0, semicolons = 0, lastRecorded = -1;
    bool closed = false;
    for (;;) {
        const std::string given = piece;
        size_t open = piece.find('[');
        if (open != std::string::npos) piece[open] = ' ';
        std::string rest;
        bool cut = false;
        auto record = [&] {
            colCount = std::max(colCount, counted);
            lastRecorded = counted;
            counted = 0;
            separators++;
        };
        for (size_t k = 0; k < piece.size(); k++) {
            char &c = piece[k];
            if (c == ',') {
                c = ' ';
                counted++;
                separators++;
            } else if (c == ';') {
                counted++;
                record();
                semicolons++;
                rowCount++;
                rest = piece.substr(k + 1);
                piece.resize(k);
                cut = true;
                break;
            } else if (c == ']') {
                counted++;
                record();
                c = ' ';
                closed = true;
                break;
            }
        }
        // A piece that ends with a comma leaves its row open for the next one.
        bool endsOpen = !piece.empty() && given[piece.size() - 1] == ',';
        std::vector<std::string> w = words(piece);
        pending.insert(pending.end(), w.begin(), w.end());
        if (lastRecorded >= 0 && int32_t(pending.size()) == lastRecorded && !endsOpen) {
            rows.push_back(std::move(pending));
            pending.clear();
        }
        if (closed && int32_t(rows.size()) == semicolons + 1) break;
        if (cut) {
            piece = rest;
            continue;
        }
        // The literal goes on over the caller's further lines; when they run out, it is
        // unfinished.
        if (nextLine >= moreLines.size()) {
            if (separators > 0) rowCount++;
            return false;
        }
        const std::string &raw = moreLines[nextLine++];
        std::string line = raw;
        if (!normalised.empty() && isRowOrCellEnd(normalised.back()) && !line.empty() &&
            (isRowOrCellEnd(line[0]) || line[0] == ']'))
            line.insert(0, 1, '0');
        if (commaFree) std::replace(line.begin(), line.end(), ',', ' ');
        piece = normalize(line, ',', previous, !commaFree);
        if (!raw.empty()) previous = raw.back();
        bool joined = (!normalised.empty() && isRowOrCellEnd(normalised.back())) ||
                      (!piece.empty() && isRowOrCellEnd(piece[0]));
        normalised += (joined ? "" : ",") + piece;
    }
    if (separators > 0) rowCount++;
    return true;
}

int parseMatrixAssignment(const std::string &text, std::string &name, std::string &literal, uint64_t &rowCount,
                          uint64_t &colCount, std::vector<std::string> &assignments,
                          std::vector<std::vector<std::string>> &rows) {
    assignments.clear();
    rows.clear();
    name.clear();
    literal.clear();
    rowCount = colCount = 0;
    if (text.size() <= 2) return 0;
    std::string work = text;
    trim(work);
    if (work.size() >= 2 && work.compare(work.size() - 2, 2, "\r\n") == 0) work.resize(work.size() - 2);
    size_t bracketed = work.find("=[");
    size_t equals = bracketed != std::string::npos ? bracketed : work.find('=');
    std::string head = equals == std::string::npos ? "" : work.substr(0, equals);
    trim(head);
    if (equals == std::string::npos || !isValidIdentifier(head)) {
        literal = work;
        assignments.push_back(work);
        return equals == std::string::npos ? 0 : -1;
    }
    name = head;
    if (bracketed == std::string::npos) {
        literal = work.substr(equals + 1);
        assignments.push_back(work);
        return 1;
    }
    bool commaFree = work.find(',') == std::string::npos;
    BigNumber::replaceAll(work, "\r\n", ";");
    // The name before "=[" holds no bracket, so the first "]" (if any) follows the first "[".
    size_t open = bracketed + 1, close = work.find(']');
    size_t end = close == std::string::npos ? work.size() : close;
    std::vector<std::string> row;
    std::string cell;
    literal = "[";
    auto endCell = [&] {
        trim(cell);
        if (!cell.empty()) row.push_back(cell);
        cell.clear();
    };
    auto endRow = [&] {
        endCell();
        colCount = std::max<uint64_t>(colCount, row.size());
        rows.push_back(std::move(row));
        row.clear();
        rowCount++;
    };
    for (size_t k = open + 1; k < end; k++) {
        char c = work[k];
        if (c == ';') {
            if (row.empty() && cell.empty()) continue;  // an empty row is skipped
            endRow();
            literal += ';';
        } else if (c == ' ' || c == ',') {
            literal += commaFree ? ' ' : ',';
            endCell();
        } else {
            cell += c;
            literal += c;
        }
    }
    endRow();
    literal += ']';
    assignments.push_back(name + "=" + literal);
    return 2;
}
