// The editor's properties file: lines "key=face,size" naming fonts. A line that is empty or
// begins with "#", has no "=", or whose value has no "," is skipped; nothing is trimmed, so
// blanks around the key or the face belong to them. Bytes are widened one by one (the file
// declares no encoding) and CR LF ends a line as LF does.
#pragma once

#include <istream>
#include <map>
#include <string>

struct FontSpec {
    std::wstring face;
    int size = 0; // points
};

// The size as a C reader takes it: blanks, a sign, then digits up to the first other
// character (none gives 0). False when it lies outside the int range.
bool readPropertySize(const std::wstring &text, int &size);
// Adds or replaces an entry for each font line of the stream.
void readFontProperties(std::istream &file, std::map<std::wstring, FontSpec> &into);
