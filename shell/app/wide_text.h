// Small wide-text tools of the shell.
#pragma once

#include <string>
#include <vector>

// Without blanks, tabs, line feeds and carriage returns at both ends.
std::wstring trimWhitespace(const std::wstring &text);
// The part after the last "\" or "/", or the whole path when it has neither.
std::wstring fileNamePart(const std::wstring &path);
// The text cut at every blank, empty pieces dropped.
std::vector<std::wstring> splitAtBlanks(const std::wstring &text);
