// Files of the script runs: a script file read whole within a size limit, and the temporary
// file that catches a run's printed output (made by the system under a name of its own,
// removed when the holder goes unless kept).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Script files and captured output past this size are not read whole.
constexpr uint64_t kScriptFileLimit = uint64_t(64) << 20;

enum class SourceRead { Ok, Missing, TooLarge, Unreadable };

// The whole file (read until its end, so a file that changes meanwhile is still bounded).
SourceRead readSourceFile(const std::wstring &path, std::string &text);

// The file's bytes up to `limit`; `total` is its whole length. None when it cannot be read.
std::optional<std::string> readCapped(const std::wstring &path, uint64_t limit, uint64_t &total);

class CaptureFile {
  public:
    CaptureFile() = default;
    ~CaptureFile();
    CaptureFile(const CaptureFile &) = delete;
    CaptureFile &operator=(const CaptureFile &) = delete;
    // False when the temporary folder cannot be read; `folderRead` tells which step failed.
    bool create(bool &folderRead);
    const std::wstring &path() const { return path_; }
    void keep() { path_.clear(); } // the file outlives the holder

  private:
    std::wstring path_;
};
