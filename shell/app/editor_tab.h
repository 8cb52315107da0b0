// One tab of the shell: a document tab (an editor window) or the terminal tab (a console
// window; its editor window stays hidden). Copied and moved by value when the tab list
// grows; it does not own its windows, which are destroyed explicitly when the tab closes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

struct EditorTab {
    HWND editorWindow = nullptr;
    HWND consoleWindow = nullptr;
    bool isTerminal = false;
    bool isVirtual = false; // no file behind it; never counts as unsaved
    bool isModified = false;
    std::wstring path;      // empty for a new document; "Terminal" for the terminal
    std::wstring encoding = L"UTF-8";
    int64_t inputStart = 0; // terminal: byte position where the typed input begins
    std::vector<std::wstring> history; // terminal: entered lines, oldest first
    int historyIndex = 0;
};
