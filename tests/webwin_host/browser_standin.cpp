// A browser stand-in for the tests under wine, registered where the bridge looks for browsers.
// It appends one JSON line to "<its own path>.log": its process id, its command line and the
// arguments as a Windows program reads them. Given "--app=ADDRESS", it starts Debian's headless
// chromium on that address (a folder of its own under $WEBWIN_STANDIN_CHROMIUM, whose
// DevToolsActivePort file tells the test the debugging port); then it runs until it is ended.
// A copy named after any browser's executable stands in for that browser; as Firefox it also
// makes profiles.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string utf8(const std::wstring &text) {
    if (text.empty()) return {};
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(length > 0 ? length : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), length, nullptr, nullptr);
    return out;
}

std::string json(const std::string &text) {
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

std::wstring environment(const wchar_t *name) {
    wchar_t value[4096];
    const DWORD length = GetEnvironmentVariableW(name, value, 4096);
    return length == 0 || length >= 4096 ? std::wstring() : std::wstring(value, length);
}

// Debian's chromium, headless, on the address; pid 0 comes back for a Linux program.
void startChromium(const std::wstring &address, const std::wstring &folder) {
    std::wstring line = L"Z:\\usr\\bin\\chromium --headless=new --no-sandbox --disable-gpu --disable-quic "
                        L"--no-first-run --disable-background-networking --disable-component-update "
                        L"--disable-sync --remote-debugging-port=0 --user-data-dir=" +
                        folder + L" \"" + address + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        if (info.hThread != nullptr) CloseHandle(info.hThread);
        if (info.hProcess != nullptr) CloseHandle(info.hProcess);
    }
}

// A folder with the folders above it.
void makeFolders(const std::wstring &folder) {
    for (size_t at = folder.find(L'\\', 3); at != std::wstring::npos; at = folder.find(L'\\', at + 1)) {
        CreateDirectoryW(folder.substr(0, at).c_str(), nullptr);
    }
    CreateDirectoryW(folder.c_str(), nullptr);
}

// Firefox's "-CreateProfile "NAME FOLDER"": the folder, and the profile's section in
// %APPDATA%\Mozilla\Firefox\profiles.ini, as Firefox makes them.
void createProfile(const std::wstring &both) {
    const size_t blank = both.find(L' ');
    if (blank == std::wstring::npos) return;
    const std::wstring name = both.substr(0, blank);
    const std::wstring folder = both.substr(blank + 1);
    makeFolders(folder);
    const std::wstring firefox = environment(L"APPDATA") + L"\\Mozilla\\Firefox";
    makeFolders(firefox);
    const std::wstring ini = firefox + L"\\profiles.ini";
    int sections = 0;
    if (FILE *file = _wfopen(ini.c_str(), L"rb")) {
        char line[1024];
        while (std::fgets(line, sizeof line, file) != nullptr) sections += std::string(line).rfind("[Profile", 0) == 0;
        std::fclose(file);
    }
    const std::string section = "[Profile" + std::to_string(sections) + "]\r\nName=" + utf8(name) +
                                "\r\nIsRelative=0\r\nPath=" + utf8(folder) + "\r\n\r\n";
    if (FILE *file = _wfopen(ini.c_str(), L"ab")) {
        std::fwrite(section.data(), 1, section.size(), file);
        std::fclose(file);
    }
}

}  // namespace

int main() {
    int count = 0;
    wchar_t **arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    wchar_t self[MAX_PATH];
    const DWORD self_length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring app;
    std::string record = "{\"pid\": " + std::to_string(GetCurrentProcessId()) +
                         ", \"line\": " + json(utf8(GetCommandLineW())) + ", \"args\": [";
    for (int i = 1; i < count; ++i) {
        const std::wstring argument = arguments[i];
        record += (i > 1 ? ", " : "") + json(utf8(argument));
        // only the bridge's own addresses: a probe's address goes no further than this log
        if (argument.rfind(L"--app=http://localhost:", 0) == 0 &&
            argument.find_first_of(L" \t\"") == std::wstring::npos) {
            app = argument.substr(6);
        }
    }
    record += "]";
    const std::wstring chromium_root = environment(L"WEBWIN_STANDIN_CHROMIUM");
    std::wstring folder;
    if (!app.empty() && !chromium_root.empty()) {
        folder = chromium_root + L"/" + std::to_wstring(GetCurrentProcessId());
        record += ", \"chromium\": " + json(utf8(folder));
    }
    record += "}\n";
    const std::wstring log = std::wstring(self, self_length) + L".log";
    if (FILE *file = _wfopen(log.c_str(), L"ab")) {
        std::fwrite(record.data(), 1, record.size(), file);
        std::fclose(file);
    }
    if (count == 3 && std::wstring(arguments[1]) == L"-CreateProfile") {
        createProfile(arguments[2]);
        return 0;
    }
    if (!folder.empty()) startChromium(app, folder);
    // A browser runs until it is closed; the tests' decoys and the bridge's shutdown end this one.
    for (;;) Sleep(1000);
}
