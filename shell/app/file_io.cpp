#include "file_io.h"

#include <algorithm>
#include <new>

#include <windows.h>

#include "save_paths.h"

namespace {

// ReadFile counts in DWORD: large files are read in pieces of this size.
constexpr DWORD kPiece = 1u << 24;
// A save writes in pieces of this size: under wine one write of many megabytes costs ten times
// as much as the same bytes in such pieces, which is what the system's own copy uses.
constexpr size_t kWritePiece = size_t(1) << 16;
// Larger files are refused: the editor keeps its text in 32-bit search ranges.
constexpr LONGLONG kLargestFile = 0x7FFFFFFF;

class Handle {
  public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (valid()) CloseHandle(h_);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE get() const { return h_; }
    bool close() {
        const bool closed = CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE h_;
};

// Every byte reaches the system, which reports a full disk or a lost share here or when the
// file is closed. No flush to the disk itself: it cost a save several copies of the file, and
// an editor's save, like the system's own copy, leaves the writing back to the system.
bool writeAll(HANDLE file, const PieceSource &pieces) {
    for (std::string_view piece = pieces(); !piece.empty(); piece = pieces()) {
        while (!piece.empty()) {
            const DWORD part = DWORD(std::min(piece.size(), kWritePiece));
            DWORD written = 0;
            if (!WriteFile(file, piece.data(), part, &written, nullptr) || written == 0) return false;
            piece.remove_prefix(written);
        }
    }
    return true;
}

// Creates a new temporary file beside the target (never one that exists) and writes into it.
std::wstring writeTemporary(const std::wstring &path, const PieceSource &pieces) {
    for (unsigned attempt = 0; attempt < kSaveNameAttempts; ++attempt) {
        const std::wstring temporary = temporarySavePath(path, attempt);
        if (temporary.empty()) return std::wstring();
        Handle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) {
            if (GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS) continue;
            return std::wstring();
        }
        const bool written = writeAll(file.get(), pieces);
        if (file.close() && written) return temporary;
        DeleteFileW(temporary.c_str());
        return std::wstring();
    }
    return std::wstring();
}

} // namespace

ReadOutcome readWholeFile(const std::wstring &path, std::string &bytes) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return ReadOutcome::Missing;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return ReadOutcome::Folder;
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) return ReadOutcome::Unreadable;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return ReadOutcome::Unreadable;
    if (size.QuadPart > kLargestFile) return ReadOutcome::TooLarge;
    std::string read;
    try {
        read.resize(size_t(size.QuadPart));
    } catch (const std::bad_alloc &) {
        return ReadOutcome::TooLarge;
    }
    size_t at = 0;
    while (at < read.size()) {
        const size_t left = read.size() - at;
        DWORD got = 0;
        if (!ReadFile(file.get(), read.data() + at, left < kPiece ? DWORD(left) : kPiece, &got, nullptr))
            return ReadOutcome::Unreadable;
        if (got == 0) break; // the file shrank while it was read: what was read is kept
        at += got;
    }
    read.resize(at);
    bytes.swap(read);
    return ReadOutcome::Read;
}

bool writeFileReplacing(const std::wstring &path, const std::string &bytes) {
    bool given = false;
    return writeFileReplacing(path, [&]() -> std::string_view {
        if (given) return {};
        given = true;
        return bytes;
    });
}

bool writeFileReplacing(const std::wstring &path, const PieceSource &pieces) {
    if (!isUsablePath(path)) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0)
        return false;
    const std::wstring temporary = writeTemporary(path, pieces);
    if (temporary.empty()) return false;
    // The rename replaces the target in one step; the target's own attributes (hidden,
    // archive) carry over to the new file.
    if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(temporary.c_str(), attributes);
    const bool replaced =
        MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!replaced) DeleteFileW(temporary.c_str());
    return replaced;
}
