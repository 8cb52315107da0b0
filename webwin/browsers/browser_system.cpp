#include "browser_system.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "frame/library_state.h"
#include "portable/request_path.h"

#ifdef _WIN32
#include <windows.h>
#include <tlhelp32.h>
#endif

namespace webwin {
namespace fs = std::filesystem;

namespace {

constexpr int kRemovalTries = 6;
constexpr unsigned kRemovalPauseMs = 500;

#ifdef _WIN32
std::wstring wide(const std::string &text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring out(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), length);
    return out;
}

std::string narrow(const std::wstring &text) {
    if (text.empty()) return {};
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string out(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), length, nullptr, nullptr);
    return out;
}

std::string expanded(const std::string &path) {
    const std::wstring text = wide(path);
    if (text.empty()) return path;
    const DWORD length = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (length == 0 || length > 32768) return path;
    std::wstring out(length, L'\0');
    if (ExpandEnvironmentStringsW(text.c_str(), out.data(), length) == 0) return path;
    out.resize(length - 1);
    return narrow(out);
}

bool sameNameNoCase(const wchar_t *a, const std::wstring &b) {
    return CompareStringOrdinal(a, -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// Removes the contents of a folder; links are removed themselves, never followed.
void removeContents(const std::wstring &folder) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        const DWORD attributes = entry.dwFileAttributes;
        if (attributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) removeContents(path);
            RemoveDirectoryW(path.c_str());
        } else {
            DeleteFileW(path.c_str());
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}
#else
std::string expanded(const std::string &path) { return path; }
#endif

}  // namespace

#ifdef _WIN32
std::optional<std::string> readRegistryText(RegistryRoot root, const std::string &key, const std::string &value) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root == RegistryRoot::local_machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, wide(key).c_str(),
                      0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    const std::wstring name = wide(value);
    DWORD type = 0;
    DWORD size = 0;
    std::optional<std::string> text;
    if (RegQueryValueExW(opened, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS && size <= 65536) {
        std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        if (RegQueryValueExW(opened, name.c_str(), nullptr, &type, reinterpret_cast<BYTE *>(buffer.data()), &got) ==
            ERROR_SUCCESS) {
            if (type == REG_SZ) {
                buffer.resize(got / sizeof(wchar_t));
                while (!buffer.empty() && buffer.back() == L'\0') buffer.pop_back();
                text = narrow(buffer);
            } else if (type == REG_DWORD && got == sizeof(DWORD)) {
                DWORD number = 0;
                std::memcpy(&number, buffer.data(), sizeof number);
                text = std::to_string(number);
            } else {
                text = std::string();
            }
        }
    }
    RegCloseKey(opened);
    return text;
}

bool processRunning(const std::string &executable) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    const std::wstring wanted = wide(executable);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry)) {
        found = sameNameNoCase(entry.szExeFile, wanted);
    }
    CloseHandle(snapshot);
    return found;
}

std::string environmentText(const char *name) {
    const std::wstring key = wide(name);
    const DWORD length = GetEnvironmentVariableW(key.c_str(), nullptr, 0);
    if (length == 0 || length > 32768) return {};
    std::wstring value(length, L'\0');
    const DWORD got = GetEnvironmentVariableW(key.c_str(), value.data(), length);
    if (got == 0 || got >= length) return {};
    value.resize(got);
    return narrow(value);
}

void *startProgram(const std::string &program, const std::string &command_line) {
    const std::wstring application = wide(program);
    std::wstring line = wide(command_line);
    if (application.empty() || line.empty()) return nullptr;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &info)) {
        return nullptr;
    }
    CloseHandle(info.hThread);
    return info.hProcess;
}

bool waitForProgram(void *process, unsigned milliseconds) {
    if (process == nullptr || WaitForSingleObject(process, milliseconds) != WAIT_OBJECT_0) return false;
    DWORD code = 1;
    return GetExitCodeProcess(process, &code) && code == 0;
}

unsigned long runningProgramId(void *process) {
    if (process == nullptr || WaitForSingleObject(process, 0) != WAIT_TIMEOUT) return 0;
    return GetProcessId(process);
}

void endProgram(void *process) {
    if (process == nullptr) return;
    // The handle keeps the process's id from being reused: what ends is the program started.
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 1);
    CloseHandle(process);
}

void closeProgram(void *process) {
    if (process != nullptr) CloseHandle(process);
}

bool removeFolderTree(const std::string &folder) {
    const std::wstring path = wide(folder);
    if (path.empty()) return false;
    for (int attempt = 0; attempt < kRemovalTries; ++attempt) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
        if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) removeContents(path);
        RemoveDirectoryW(path.c_str());
        if (!folderExists(folder)) return true;
        sleepMs(kRemovalPauseMs);
    }
    return !folderExists(folder);
}
#else
std::optional<std::string> readRegistryText(RegistryRoot, const std::string &, const std::string &) {
    return std::nullopt;
}

bool processRunning(const std::string &) { return false; }

std::string environmentText(const char *name) {
    const char *value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

void *startProgram(const std::string &, const std::string &) { return nullptr; }
bool waitForProgram(void *, unsigned) { return false; }
unsigned long runningProgramId(void *) { return 0; }
void endProgram(void *) {}
void closeProgram(void *) {}

bool removeFolderTree(const std::string &folder) {
    for (int attempt = 0; attempt < kRemovalTries; ++attempt) {
        std::error_code error;
        fs::remove_all(utf8Path(folder), error);  // symbolic links are removed, not followed
        if (!folderExists(folder)) return true;
        sleepMs(kRemovalPauseMs);
    }
    return false;
}
#endif

bool fileExists(const std::string &path) {
    if (path.empty()) return false;
    std::error_code error;
    return fs::is_regular_file(utf8Path(expanded(path)), error);
}

bool folderExists(const std::string &path) {
    if (path.empty()) return false;
    std::error_code error;
    return fs::is_directory(utf8Path(path), error);
}

bool makeFolder(const std::string &folder) {
    std::error_code error;
    fs::create_directories(utf8Path(folder), error);
    return folderExists(folder);
}

bool appendToFile(const std::string &path, const std::string &text) {
    std::ofstream out(utf8Path(path), std::ios::binary | std::ios::app);
    if (!out) return false;
    out << text;
    out.close();
    return !out.fail();
}

std::optional<std::string> readWholeFile(const std::string &path) {
    std::ifstream in(utf8Path(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return text.str();
}

bool replaceFile(const std::string &path, const std::string &text) {
    const std::string temporary = path + ".webwin-new";
    {
        std::ofstream out(utf8Path(temporary), std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << text;
        out.close();
        if (out.fail()) {
            std::error_code error;
            fs::remove(utf8Path(temporary), error);
            return false;
        }
    }
    std::error_code error;
    fs::rename(utf8Path(temporary), utf8Path(path), error);
    if (!error) return true;
    fs::remove(utf8Path(temporary), error);
    return false;
}

}  // namespace webwin
