// The numbers of the Go To dialog and where they lead: lines and columns count from 1.
#pragma once

#include <cstdint>
#include <string>

// A field's text as a number: its leading digits, 0 when there are none; a number above the
// int range counts as the largest int (it is clamped to the document anyway).
int64_t readGotoNumber(const std::wstring &text);
// Go To stays enabled unless the typed line lies past the last line.
bool gotoAllowed(const std::wstring &lineText, int64_t lineCount);
// The 0-based line a 1-based line goes to: at most the last line, never below the first.
int64_t gotoLineIndex(int64_t line, int64_t lineCount);
