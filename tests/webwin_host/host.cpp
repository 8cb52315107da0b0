// A program that uses the bridge as an application would, driven line by line from its
// standard input by the HTTP and browser tests; every command answers one line.
#include <webwin.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>

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
        } else if (command == "clean") {
            webwin_clean();
        } else if (command == "quit") {
            std::cout << "ok" << std::endl;
            break;
        } else {
            answer = "unknown command";
        }
        std::cout << answer << std::endl;
    }
    webwin_clean();
    return 0;
}
