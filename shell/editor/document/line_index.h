// Where each line begins. A line ends after "\n", after "\r\n", or after a "\r" that no "\n"
// follows; a text that ends with a line end has an empty last line. After each change only the
// bytes around it are read again, and the starts behind it move by the change's length.
#pragma once

#include "gap_buffer.h"

#include <vector>

namespace editor {

class LineIndex {
public:
    LineIndex() : starts{0} {}

    Position Count() const { return Position(starts.size()); }
    // The start of a line from 0 to Count() - 1; other lines are clamped into that range.
    Position Start(Position line) const;
    // The line holding pos; positions outside the text are clamped into it.
    Position LineOf(Position pos) const;

    // Called after the text changed; each returns the lines added (negative when removed).
    Position Inserted(const GapBuffer &text, Position pos, Position length);
    Position Deleted(const GapBuffer &text, Position pos, Position length);

private:
    // Calls found(start), in ascending order, for each line start that the bytes [from, to) of
    // text produce.
    template <typename Found> static void Scan(const GapBuffer &text, Position from, Position to, Found found);
    // Puts the line starts that [from, to) produce at index `at` of starts.
    void AddStarts(const GapBuffer &text, Position from, Position to, size_t at);

    std::vector<Position> starts;  // ascending; starts[0] == 0
};

}  // namespace editor
