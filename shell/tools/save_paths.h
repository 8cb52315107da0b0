// Where a save writes before it replaces the file: a temporary file beside the target, so that
// the replacement is a rename within one folder and a failed write leaves the target as it was.
#pragma once

#include <string>

// Attempts a save makes at finding a free temporary name before it gives up.
constexpr unsigned kSaveNameAttempts = 100;
// The longest path the platform's wide file functions take; longer ones are refused whole.
constexpr size_t kLongestPath = 32767;

// The temporary name for the given attempt: the target's full name with a numbered suffix, in
// the target's folder. Empty when the result would be longer than kLongestPath.
std::wstring temporarySavePath(const std::wstring &target, unsigned attempt);
// True for a path a file command may use: not empty, no NUL inside, not longer than kLongestPath.
bool isUsablePath(const std::wstring &path);
