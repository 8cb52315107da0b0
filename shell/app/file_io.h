// Whole-file reading and the safe write of a save: the bytes go to a temporary file beside
// the target first, and the target is replaced only once they are all on disk, so a failed
// save (a full disk, a locked file, a lost share) leaves the file as it was.
#pragma once

#include <functional>
#include <string>
#include <string_view>

enum class ReadOutcome { Read, Missing, Folder, Unreadable, TooLarge };

// Reads every byte of the file; `bytes` is untouched unless the outcome is Read.
ReadOutcome readWholeFile(const std::wstring &path, std::string &bytes);
// The bytes of a file being written, in turn: each call gives the next piece, an empty one at
// the end. A piece stays valid until the next call.
using PieceSource = std::function<std::string_view()>;
// True when the target now holds exactly the pieces' bytes; on false the target is as it was
// and no temporary file is left behind.
bool writeFileReplacing(const std::wstring &path, const PieceSource &pieces);
bool writeFileReplacing(const std::wstring &path, const std::string &bytes);
