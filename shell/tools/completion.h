// Path completion of the terminal: where the token under the caret begins, how it splits into
// a directory and a name prefix, which names of that directory are candidates, how far they
// agree, and the candidate list in columns.
#pragma once

#include <optional>
#include <string>
#include <vector>

// The start of the token that ends at `caret`: just after the nearest blank or tab before it,
// or the line start. A caret past the line's end counts as its end.
size_t completionTokenStart(const std::wstring &line, size_t caret);

// Cuts a token into the directory to read and the name prefix. `profile` is the user's
// profile directory, or none when it cannot be read. False when nothing is left after the
// leading blanks, for a wildcard, and for "~" without a profile.
bool splitCompletionToken(const std::wstring &token, const std::optional<std::wstring> &profile,
                          std::wstring &directory, std::wstring &prefix);

struct NameEntry {
    std::wstring name;
    bool directory = false;
    bool link = false; // a reparse point (junction, symbolic link): never descended into
};

// The entries whose names begin with the prefix, letter case aside over the prefix's length,
// in the order given; a directory's name gets a backslash. "." and ".." are never candidates.
std::vector<std::wstring> completionCandidates(const std::vector<NameEntry> &entries, const std::wstring &prefix);

// What replaces the typed name: the single candidate, or the first one cut to the length that
// all candidates share (exactly) when that is longer than the prefix; empty when the
// candidates must be shown instead.
std::wstring completionOf(const std::vector<std::wstring> &candidates, size_t prefixLength);

// The items down the columns, each padded to the longest plus two; every row ends in "\r\n".
std::wstring formatInColumns(const std::vector<std::wstring> &items, int columns);

// Letter case aside (ASCII and Latin-1 letters, the way file names compare for a user).
bool equalNoCase(wchar_t a, wchar_t b);
