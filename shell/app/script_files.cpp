#include "script_files.h"

#include <cstdio>

#include <windows.h>

namespace {

constexpr size_t kChunk = 1 << 16;

} // namespace

SourceRead readSourceFile(const std::wstring &path, std::string &text) {
    FILE *file = _wfopen(path.c_str(), L"rb");
    if (file == nullptr) return SourceRead::Missing;
    text.clear();
    std::string chunk(kChunk, '\0');
    SourceRead result = SourceRead::Ok;
    for (;;) {
        const size_t got = std::fread(chunk.data(), 1, chunk.size(), file);
        if (text.size() + got > kScriptFileLimit) {
            result = SourceRead::TooLarge;
            break;
        }
        text.append(chunk, 0, got);
        if (got < chunk.size()) {
            if (std::ferror(file)) result = SourceRead::Unreadable;
            break;
        }
    }
    std::fclose(file);
    if (result != SourceRead::Ok) text.clear();
    return result;
}

std::optional<std::string> readCapped(const std::wstring &path, uint64_t limit, uint64_t &total) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    LARGE_INTEGER size{};
    std::optional<std::string> bytes;
    if (GetFileSizeEx(file, &size) && size.QuadPart >= 0) {
        total = uint64_t(size.QuadPart);
        const uint64_t wanted = total < limit ? total : limit;
        std::string buffer(size_t(wanted), '\0');
        size_t at = 0;
        while (at < buffer.size()) {
            DWORD got = 0;
            const DWORD ask = DWORD(std::min<size_t>(buffer.size() - at, kChunk));
            if (!ReadFile(file, buffer.data() + at, ask, &got, nullptr) || got == 0) break;
            at += got;
        }
        if (at == buffer.size()) bytes = std::move(buffer);
    }
    CloseHandle(file);
    return bytes;
}

CaptureFile::~CaptureFile() {
    if (!path_.empty()) DeleteFileW(path_.c_str());
}

bool CaptureFile::create(bool &folderRead) {
    wchar_t folder[MAX_PATH + 1] = L"";
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    folderRead = length > 0 && length <= MAX_PATH;
    if (!folderRead) return false;
    wchar_t name[MAX_PATH + 1] = L"";
    if (GetTempFileNameW(folder, L"KscriptRes", 0, name) == 0) return false;
    path_ = name;
    return true;
}
