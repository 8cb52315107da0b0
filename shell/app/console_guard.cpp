// The console's output area (everything before the input start) stays read-only: keys and
// clicks that would change it are swallowed, and a change that still happens there is undone
// at once from the change notification.
#include "editor_messages.h"
#include "tovrel.h"

namespace {

bool held(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

// The document position under a client point: the nearest one, else one close to it.
int64_t positionAt(const GUI::ScintillaPrimitive &console, POINT client) {
    const int64_t position = console.Send(SCI_POSITIONFROMPOINT, WPARAM(client.x), LPARAM(client.y));
    if (position != -1) return position;
    return console.Send(SCI_POSITIONFROMPOINTCLOSE, WPARAM(client.x), LPARAM(client.y));
}

// The point of a mouse message: signed 16-bit halves.
POINT pointOf(LPARAM lParam) {
    return POINT{int(short(LOWORD(lParam))), int(short(HIWORD(lParam)))};
}

// Caret and selection lie at or after the input start.
bool selectionInInput(const GUI::ScintillaPrimitive &console, int64_t inputStart) {
    for (UINT where : {SCI_GETCURRENTPOS, SCI_GETSELECTIONSTART, SCI_GETSELECTIONEND})
        if (console.Send(where) < inputStart) return false;
    return true;
}

enum ConsoleMenuItem : UINT { MenuCopy = 1, MenuPaste, MenuSelectAll };

} // namespace

// The console's own menu offers only what the guard allows: copying, pasting into the input
// and selecting; never Undo, Redo, Cut or Delete.
void Tovrel::ShowConsoleMenu(EditorTab *tab, LPARAM screenPoint) {
    HWND window = tab->consoleWindow;
    const GUI::ScintillaPrimitive console = GUI::Scintilla(window);
    POINT point = pointOf(screenPoint);
    if (point.x == -1 && point.y == -1) GetCursorPos(&point);
    const bool selected = console.Send(SCI_GETSELECTIONSTART) < console.Send(SCI_GETSELECTIONEND);
    const bool pastable = selectionInInput(console, tab->inputStart) && IsClipboardFormatAvailable(CF_UNICODETEXT);
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return;
    AppendMenuW(menu, MF_STRING | (selected ? MF_ENABLED : MF_GRAYED), MenuCopy, L"Copy");
    AppendMenuW(menu, MF_STRING | (pastable ? MF_ENABLED : MF_GRAYED), MenuPaste, L"Paste");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, MenuSelectAll, L"Select All");
    const UINT chosen = UINT(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, point.x, point.y, 0,
                                            window, nullptr));
    DestroyMenu(menu);
    static constexpr UINT kMessages[] = {0, SCI_COPY, SCI_PASTE, SCI_SELECTALL};
    if (chosen >= MenuCopy && chosen <= MenuSelectAll) console.Send(kMessages[chosen]);
}

LRESULT CALLBACK Tovrel::terminalSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                              DWORD_PTR reference) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, terminalSubclassProc, id);
    auto *self = reinterpret_cast<Tovrel *>(reference);
    EditorTab *tab = self != nullptr ? self->FindTabByConsole(window) : nullptr;
    if (tab == nullptr) return DefSubclassProc(window, message, wParam, lParam);
    const GUI::ScintillaPrimitive console = GUI::Scintilla(window);
    const int64_t inputStart = tab->inputStart;
    switch (message) {
    case WM_SETFOCUS:
        console.Send(SCI_GOTOPOS, WPARAM(inputStart));
        break;
    case WM_CONTEXTMENU:
        self->ShowConsoleMenu(tab, lParam);
        return 0;
    // Every road that changes text arrives here as a message (keys, the component's own menu,
    // other windows): the output area is never changed, and an undo would reach back into it.
    case SCI_UNDO:
    case SCI_REDO:
        if (!self->consoleGuard) return 0;
        break;
    case SCI_CUT:
        return 0;
    case SCI_PASTE:
    case SCI_CLEAR:
        if (!selectionInInput(console, inputStart)) return 0;
        break;
    case WM_RBUTTONDOWN:
        if (positionAt(console, pointOf(lParam)) < inputStart) return 0;
        break;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_BACK:
            if (console.Send(SCI_GETCURRENTPOS) <= inputStart) return 0;
            break;
        case VK_DELETE:
            if (console.Send(SCI_GETCURRENTPOS) < inputStart) return 0;
            break;
        case VK_TAB:
            self->CompleteTerminalPath(tab);
            return 0;
        case VK_CANCEL: // Ctrl+Break
            self->StopRun();
            return 0;
        case 'C':
            if (held(VK_CONTROL) && self->StopRunOnCopy()) return 0;
            break;
        case VK_RETURN:
            if (held(VK_SHIFT)) break; // the component inserts the line break
            self->OnTerminalEnter(tab);
            return 0;
        case VK_UP:
            self->HistoryPrevious(tab);
            return 0;
        case VK_DOWN:
            self->HistoryNext(tab);
            return 0;
        default:
            break;
        }
        break;
    case WM_CHAR:
        if (wParam == L'\t') return 0;
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void Tovrel::OnConsoleNotify(EditorTab *tab, const NMHDR *header) {
    if (header->code == SCN_UPDATEUI) {
        if (IndexOfTab(tab) == activeTab) UpdateStatusBar();
        return;
    }
    if (header->code != SCN_MODIFIED || consoleGuard) return;
    const auto *notification = reinterpret_cast<const SciNotification *>(header);
    if ((notification->modificationType & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT)) == 0) return;
    if (notification->position >= tab->inputStart) return;
    // The undo's own change notification arrives while the guard is set and is left alone.
    const GUI::ScintillaPrimitive console = GUI::Scintilla(tab->consoleWindow);
    consoleGuard = true;
    console.Send(SCI_UNDO);
    consoleGuard = false;
    console.Send(SCI_GOTOPOS, WPARAM(tab->inputStart));
    console.Send(SCI_SETSEL, WPARAM(tab->inputStart), LPARAM(tab->inputStart));
}
