// The text routines that bring a matrix literal line 'name=[...]' into one normal form.
#pragma once

#include <string>

// Deletes every occurrence of `pattern` that directly follows ";" or ",", and replaces every
// other one. The search resumes behind a replacement, or where a deletion was made.
void replaceOrDropAfterSeparator(std::string &text, const std::string &pattern,
                                 const std::string &replacement);

// For literals written with blanks: blanks after "[" or ";" and before "]" or ";" vanish,
// every other blank run becomes one `separator`. Returns the number of blank runs that
// directly followed a cell character.
unsigned normalizeMatrixText(const char *text, char separator, std::string &out);

// For literals with commas: as normalizeMatrixText, and an empty cell between two commas
// becomes "0" ("1,,2" gives "1,0,2"). A leading separator of the text is dropped. Returns the
// number of blank runs that directly followed a cell character or a comma.
unsigned normalizeMatrixContinuation(const char *text, char separator, std::string &out);

// Line-parse results.
constexpr int kLineTooShort = -2;
constexpr int kLineNotNamed = -1;
constexpr int kLinePlain = 0;
constexpr int kLineNamedValue = 1;
constexpr int kLineMatrixLiteral = 2;
