// Loading the library registers the window class "Scintilla"; each window of the class owns an
// EditorWindow from its first message to its last.
#include "editor_window.h"

#include <new>

namespace {

constexpr wchar_t CLASS_NAME[] = L"Scintilla";
HINSTANCE libraryInstance = nullptr;

editor::EditorWindow *EditorOf(HWND hwnd) {
    return reinterpret_cast<editor::EditorWindow *>(GetWindowLongPtrW(hwnd, 0));
}

LRESULT CALLBACK EditorWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_NCCREATE) SetWindowLongPtrW(hwnd, 0, LONG_PTR(new editor::EditorWindow(hwnd)));
        editor::EditorWindow *editor = EditorOf(hwnd);
        if (!editor) return DefWindowProcW(hwnd, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            // later messages find no editor; the object goes when the last call for it returns
            SetWindowLongPtrW(hwnd, 0, 0);
            editor->destroyed = true;
        }
        ++editor->busy;
        LRESULT result = 0;
        try {
            result = editor->Handle(message, wParam, lParam);
        } catch (...) {
            result = 0;
        }
        if (--editor->busy == 0 && editor->destroyed) delete editor;
        return result;
    } catch (const std::bad_alloc &) {
        // no editor could be made: the window is not created
        return message == WM_NCCREATE ? FALSE : 0;
    }
}

bool RegisterEditorClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    // global, so that windows made with the program's instance handle find the class
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = EditorWindowProc;
    wc.cbWndExtra = sizeof(editor::EditorWindow *);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
    wc.lpszClassName = CLASS_NAME;
    return RegisterClassExW(&wc) != 0;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        libraryInstance = instance;
        DisableThreadLibraryCalls(instance);
        return RegisterEditorClass(instance) ? TRUE : FALSE;
    }
    if (reason == DLL_PROCESS_DETACH && !reserved) UnregisterClassW(CLASS_NAME, libraryInstance);
    return TRUE;
}
