// A program that uses the bridge as an application would, driven line by line from its
// standard input by the HTTP and browser tests; every command answers one line.
#include <webwin.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <tlhelp32.h>
#endif

namespace {

// Threads of this process: a destroyed window must leave none behind.
size_t threadCount() {
#ifdef _WIN32
    size_t count = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    }
    CloseHandle(snapshot);
    return count;
#else
    size_t count = 0;
    for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator("/proc/self/task")) ++count;
    return count;
#endif
}

void logger(size_t level, const char *text, void *) { std::fprintf(stderr, "log %zu %s", level, text); }

// Answers "/hello.txt" itself with a whole answer in a block of the library; nothing else.
const void *fileHandler(const char *path, int *length) {
    if (std::strcmp(path, "/hello.txt") != 0) return nullptr;
    static const char answer[] =
        "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 14\r\nConnection: close\r\n\r\n"
        "from handler\r\n";
    void *block = webwin_malloc(sizeof answer - 1);
    std::memcpy(block, answer, sizeof answer - 1);
    *length = static_cast<int>(sizeof answer - 1);
    return block;
}

// What the handlers saw, one line an event, until the tests read it.
std::mutex g_events_mutex;
std::vector<std::string> g_events;

void note(const std::string &line) {
    std::lock_guard<std::mutex> guard(g_events_mutex);
    g_events.push_back(line);
}

std::string takeEvents() {
    std::lock_guard<std::mutex> guard(g_events_mutex);
    std::string all;
    for (const std::string &line : g_events) all += (all.empty() ? "" : ";") + line;
    g_events.clear();
    return all.empty() ? "-" : all;
}

// Answers the count of arguments, then each argument and its size: "2:abc(3)|(0)".
void echo(WebwinEvent *e) {
    std::string answer = std::to_string(webwin_get_count(e)) + ":";
    for (size_t i = 0; i < webwin_get_count(e); ++i) {
        if (i > 0) answer += "|";
        answer += std::string(webwin_get_string_at(e, i), webwin_get_size_at(e, i));
        answer += "(" + std::to_string(webwin_get_size_at(e, i)) + ")";
    }
    webwin_return_string(e, answer.c_str());
}

void counter(WebwinEvent *e) {
    static std::mutex mutex;
    static long long count = 0;
    std::lock_guard<std::mutex> guard(mutex);
    webwin_return_int(e, ++count);
}

const char *const kEventNames[] = {"disconnected", "connected", "click", "navigation", "call"};

void allEvents(WebwinEvent *e) {
    std::string line = e->event_type < 5 ? kEventNames[e->event_type] : "?";
    line += ":" + std::string(e->element);
    if (e->event_type == EVENT_NAVIGATION) line += ":" + std::string(webwin_get_string(e));
    note(line);
    webwin_return_string(e, "seen");  // in asynchronous mode the event waits for an answer
}

// Answers from another thread a moment later (asynchronous mode keeps the event alive until then).
void slow(WebwinEvent *e) {
    std::thread([e] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        webwin_return_string(e, "slow answer");
    }).detach();
}

void late(WebwinEvent *e) { webwin_return_string(e, (std::string("late:") + webwin_get_string(e)).c_str()); }

// A bound handler that runs a script in its own page and answers with what it gave.
void askPage(WebwinEvent *e) {
    char buffer[64];
    const bool done = webwin_script_client(e, webwin_get_string(e), 5, buffer, sizeof buffer);
    webwin_return_string(e, (std::string(done ? "1 " : "0 ") + buffer).c_str());
}

// Shows its argument to the page that called (directly, or by window id and event number).
void showClient(WebwinEvent *e) { webwin_return_bool(e, webwin_show_client(e, webwin_get_string(e))); }

void interfaceShowClient(WebwinEvent *e) {
    webwin_return_bool(e, webwin_interface_show_client(e->window, e->event_number, webwin_get_string(e)));
}

// Raw bytes of a known pattern, so the page can check every one.
std::vector<char> pattern(size_t size) {
    std::vector<char> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

#ifdef _WIN32
std::wstring wide(const std::string &text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring out(static_cast<size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, out.data(), length);
    out.resize(out.size() - 1);
    return out;
}

// Registers a browser where the bridge looks: "App Paths\<exe>" under HKCU or HKLM; value "-"
// is the key's default value.
const wchar_t *const kAppPaths = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

bool registerBrowser(const std::string &root, const std::string &exe, const std::string &value,
                     const std::string &data) {
    const std::wstring key = kAppPaths + wide(exe);
    const std::wstring name = value == "-" ? L"" : wide(value);
    const std::wstring text = wide(data);
    return RegSetKeyValueW(root == "HKLM" ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, key.c_str(), name.c_str(), REG_SZ,
                           text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void unregisterBrowsers() {
    for (const wchar_t *exe : {L"chrome.exe", L"firefox.exe", L"msedge.exe", L"brave.exe", L"vivaldi.exe",
                               L"epic.exe", L"browser.exe"}) {
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) RegDeleteTreeW(root, (kAppPaths + std::wstring(exe)).c_str());
    }
}

// Starts a program (a decoy the bridge must leave alone); its process id, 0 when it did not start.
std::vector<HANDLE> g_started;

unsigned long startProgram(const std::string &line) {
    std::wstring command = wide(line);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &info)) {
        return 0;
    }
    CloseHandle(info.hThread);
    g_started.push_back(info.hProcess);
    return info.dwProcessId;
}

bool processAlive(unsigned long pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid);
    if (process == nullptr) return false;
    const bool alive = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return alive;
}

void endStarted() {
    for (HANDLE process : g_started) {
        TerminateProcess(process, 0);
        CloseHandle(process);
    }
    g_started.clear();
}

std::string narrow(const std::wstring &wide) {
    if (wide.empty()) return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr,
                        nullptr);
    return text;
}

std::wstring widen(const std::string &text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// The WebView2 host windows of this process, as the user would see them.
std::vector<HWND> hostWindows() {
    std::vector<HWND> found;
    EnumWindows(
        [](HWND hwnd, LPARAM data) -> BOOL {
            DWORD process = 0;
            GetWindowThreadProcessId(hwnd, &process);
            wchar_t name[64] = {};
            GetClassNameW(hwnd, name, 64);
            if (process == GetCurrentProcessId() && std::wstring(name) == L"WebViewWindow") {
                reinterpret_cast<std::vector<HWND> *>(data)->push_back(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// "title|x,y,width,height|flags" a window, ";" between windows; "-" without any.
std::string describeHostWindows() {
    std::string all;
    for (HWND hwnd : hostWindows()) {
        wchar_t title[512] = {};
        GetWindowTextW(hwnd, title, 512);
        RECT rect{};
        GetWindowRect(hwnd, &rect);
        const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
        const LONG_PTR extended = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
        std::string flags;
        if (IsWindowVisible(hwnd)) flags += "visible ";
        if (IsZoomed(hwnd)) flags += "zoomed ";
        if (IsIconic(hwnd)) flags += "iconic ";
        if (style & WS_POPUP) flags += "popup ";
        if (style & WS_THICKFRAME) flags += "thickframe ";
        if (style & WS_CAPTION) flags += "caption ";
        if (extended & WS_EX_LAYERED) flags += "layered ";
        if (!all.empty()) all += ";";
        all += narrow(title) + "|" + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
               std::to_string(rect.right - rect.left) + "," + std::to_string(rect.bottom - rect.top) + "|" + flags;
    }
    return all.empty() ? "-" : all;
}

// What the user's close handler answers: 1 lets the window close.
std::atomic<int> g_close_answer{1};

bool closeHandler(size_t window) {
    note("close:" + std::to_string(window));
    return g_close_answer.load() != 0;
}
#endif

std::string rest(std::istringstream &in) {
    std::string text;
    std::getline(in, text);
    if (!text.empty() && text.front() == ' ') text.erase(0, 1);
    return text;
}

}  // namespace

int main() {
    webwin_set_logger(logger, nullptr);
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream in(line);
        std::string command;
        in >> command;
        size_t id = 0;
        std::string answer = "ok";
        if (command == "new") {
            answer = std::to_string(webwin_new_window());
        } else if (command == "newid") {
            in >> id;
            answer = std::to_string(webwin_new_window_id(id));
        } else if (command == "root") {
            in >> id;
            answer = webwin_set_root_folder(id, rest(in).c_str()) ? "1" : "0";
        } else if (command == "start") {
            in >> id;
            answer = webwin_start_server(id, rest(in).c_str());
            if (answer.empty()) answer = "-";
        } else if (command == "show") {
            in >> id;
            answer = webwin_show(id, rest(in).c_str()) ? "1" : "0";
        } else if (command == "showb") {
            size_t browser = 0;
            in >> id >> browser;
            answer = webwin_show_browser(id, rest(in).c_str(), browser) ? "1" : "0";
        } else if (command == "url") {
            in >> id;
            const char *url = webwin_get_url(id);
            answer = url == nullptr ? "-" : url;
        } else if (command == "port") {
            in >> id;
            answer = std::to_string(webwin_get_port(id));
        } else if (command == "setport") {
            size_t port = 0;
            in >> id >> port;
            answer = webwin_set_port(id, port) ? "1" : "0";
        } else if (command == "freeport") {
            answer = std::to_string(webwin_get_free_port());
        } else if (command == "config") {
            int option = 0, value = 0;
            in >> option >> value;
            webwin_set_config(option, value != 0);
        } else if (command == "public") {
            int value = 0;
            in >> id >> value;
            webwin_set_public(id, value != 0);
        } else if (command == "icon") {
            std::string type;
            in >> id >> type;
            webwin_set_icon(id, rest(in).c_str(), type.c_str());
        } else if (command == "handler") {
            in >> id;
            webwin_set_file_handler(id, fileHandler);
        } else if (command == "timeout") {
            size_t seconds = 0;
            in >> seconds;
            webwin_set_timeout(seconds);
        } else if (command == "destroy") {
            in >> id;
            webwin_destroy(id);
        } else if (command == "threads") {
            answer = std::to_string(threadCount());
        } else if (command == "mime") {
            answer = webwin_get_mime_type(rest(in).c_str());
        } else if (command == "binds") {
            // the test binds: an echo, a counter, a page script asker and the all-events handler
            in >> id;
            answer = std::to_string(webwin_bind(id, "echo", echo));
            answer += " " + std::to_string(webwin_bind(id, "counter", counter));
            answer += " " + std::to_string(webwin_bind(id, "ask", askPage));
            answer += " " + std::to_string(webwin_bind(id, "", allEvents));
        } else if (command == "bind") {
            std::string name;
            in >> id >> name;
            answer = std::to_string(webwin_bind(id, name.c_str(), late));
        } else if (command == "bindshow") {
            in >> id;
            answer = std::to_string(webwin_bind(id, "showclient", showClient));
            answer += " " + std::to_string(webwin_bind(id, "ishowclient", interfaceShowClient));
        } else if (command == "bindslow") {
            in >> id;
            answer = std::to_string(webwin_bind(id, "slow", slow));
        } else if (command == "events") {
            answer = takeEvents();
        } else if (command == "shown") {
            in >> id;
            answer = webwin_is_shown(id) ? "1" : "0";
        } else if (command == "script") {
            size_t seconds = 0;
            in >> id >> seconds;
            char buffer[256];
            const bool done = webwin_script(id, rest(in).c_str(), seconds, buffer, sizeof buffer);
            answer = std::string(done ? "1 " : "0 ") + buffer;
        } else if (command == "run") {
            in >> id;
            webwin_run(id, rest(in).c_str());
        } else if (command == "raw") {
            size_t size = 0;
            std::string function;
            in >> id >> function >> size;
            const std::vector<char> bytes = pattern(size);
            webwin_send_raw(id, function.c_str(), bytes.data(), bytes.size());
        } else if (command == "navigate") {
            in >> id;
            webwin_navigate(id, rest(in).c_str());
        } else if (command == "close") {
            in >> id;
            webwin_close(id);
        } else if (command == "exist") {
            size_t browser = 0;
            in >> browser;
            answer = webwin_browser_exist(browser) ? "1" : "0";
        } else if (command == "best") {
            in >> id;
            answer = std::to_string(webwin_get_best_browser(id));
        } else if (command == "browserfolder") {
            webwin_set_browser_folder(rest(in).c_str());
        } else if (command == "profile") {
            // "profile ID NAME|PATH": either side may be empty
            in >> id;
            const std::string both = rest(in);
            const size_t bar = both.find('|');
            webwin_set_profile(id, both.substr(0, bar).c_str(), bar == std::string::npos ? "" : both.substr(bar + 1).c_str());
        } else if (command == "deleteprofile") {
            in >> id;
            webwin_delete_profile(id);
#ifdef _WIN32
        } else if (command == "regset") {
            std::string root, exe, value;
            in >> root >> exe >> value;
            answer = registerBrowser(root, exe, value, rest(in)) ? "1" : "0";
        } else if (command == "regclear") {
            unregisterBrowsers();
        } else if (command == "startprogram") {
            answer = std::to_string(startProgram(rest(in)));
        } else if (command == "alive") {
            unsigned long pid = 0;
            in >> pid;
            answer = processAlive(pid) ? "1" : "0";
        } else if (command == "endprograms") {
            endStarted();
#endif
        } else if (command == "clean") {
            webwin_clean();
        } else if (command == "wv") {
            in >> id;
            answer = webwin_show_wv(id, rest(in).c_str()) ? "1" : "0";
        } else if (command == "maximize") {
            in >> id;
            webwin_maximize(id);
        } else if (command == "minimize") {
            in >> id;
            webwin_minimize(id);
        } else if (command == "wait") {
            webwin_wait();
        } else if (command == "exit") {
            webwin_exit();
#ifdef _WIN32
        } else if (command == "loaderdir") {
            // where the WebView2 loader is looked for, as a program adds its own library folders
            answer = AddDllDirectory(widen(rest(in)).c_str()) != nullptr ? "1" : "0";
        } else if (command == "setenv") {
            std::string name;
            in >> name;
            const std::string value = rest(in);
            SetEnvironmentVariableW(widen(name).c_str(), value.empty() ? nullptr : widen(value).c_str());
        } else if (command == "closehandler") {
            int answerWith = 1;
            in >> id >> answerWith;
            g_close_answer = answerWith;
            webwin_set_close_handler_wv(id, answerWith < 0 ? nullptr : closeHandler);
        } else if (command == "screen") {
            answer = std::to_string(GetSystemMetrics(SM_CXSCREEN)) + " " + std::to_string(GetSystemMetrics(SM_CYSCREEN));
        } else if (command == "hostwindows") {
            answer = describeHostWindows();
        } else if (command == "hostclose") {
            // the user's close button
            for (HWND hwnd : hostWindows()) SendMessageW(hwnd, WM_CLOSE, 0, 0);
        } else if (command == "hostmove") {
            // the user moving and sizing the window by hand, up to letting go of it
            int x = 0, y = 0, width = 0, height = 0;
            in >> x >> y >> width >> height;
            for (HWND hwnd : hostWindows()) {
                SendMessageW(hwnd, WM_ENTERSIZEMOVE, 0, 0);
                SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER);
                SendMessageW(hwnd, WM_EXITSIZEMOVE, 0, 0);
            }
#endif
        } else if (command == "quit") {
            std::cout << "ok" << std::endl;
            break;
        } else {
            answer = "unknown command";
        }
        std::cout << answer << std::endl;
    }
    webwin_clean();
#ifdef _WIN32
    endStarted();
#endif
    return 0;
}
