// Keys, typed characters, the mouse, the context menu and the clipboard.
#include "editor_window.h"
#include "text_search.h"
#include "utf8_text.h"

#include <algorithm>
#include <cwchar>

namespace editor {

namespace {

bool Held(int key) { return GetKeyState(key) < 0; }

// Another program may hold the clipboard for a moment.
bool OpenClipboardSoon(HWND hwnd) {
    constexpr int ATTEMPTS = 10;
    constexpr DWORD PAUSE_MS = 10;
    for (int i = 0; i < ATTEMPTS; ++i) {
        if (OpenClipboard(hwnd)) return true;
        Sleep(PAUSE_MS);
    }
    return false;
}

}  // namespace

void EditorWindow::MoveVertically(int rows, bool extend) {
    int x = 0;
    RowPlace place = PlaceOf(caret, x);
    if (caretColumnX < 0) caretColumnX = x;
    for (; rows > 0 && NextRow(place); --rows) {
    }
    for (; rows < 0 && PreviousRow(place); ++rows) {
    }
    MoveCaret(PositionAt(place, caretColumnX), extend, true);
}

bool EditorWindow::KeyDown(WPARAM key) {
    bool shift = Held(VK_SHIFT), ctrl = Held(VK_CONTROL);
    if (Held(VK_MENU)) return false;
    bool collapse = !shift && anchor != caret;
    switch (key) {
    case VK_LEFT:
        MoveCaret(collapse && !ctrl ? SelectionStart() : ctrl ? WordLeft(caret) : PreviousCharacter(doc, caret), shift);
        break;
    case VK_RIGHT:
        MoveCaret(collapse && !ctrl ? SelectionEnd() : ctrl ? WordRight(caret) : NextCharacter(doc, caret), shift);
        break;
    case VK_UP:
    case VK_DOWN:
        if (ctrl)
            ScrollRows(key == VK_UP ? -1 : 1);
        else
            MoveVertically(key == VK_UP ? -1 : 1, shift);
        break;
    case VK_PRIOR:
    case VK_NEXT: {
        int rows = key == VK_PRIOR ? -RowsOnScreen() : RowsOnScreen();
        ScrollRows(rows);
        MoveVertically(rows, shift);
        break;
    }
    case VK_HOME: MoveCaret(ctrl ? 0 : doc.LineStart(doc.LineFromPosition(caret)), shift); break;
    case VK_END: MoveCaret(ctrl ? doc.Length() : doc.LineEnd(doc.LineFromPosition(caret)), shift); break;
    case VK_BACK: DeleteBack(ctrl); break;
    case VK_DELETE:
        if (shift)
            SendMessageW(hwnd, SCI_CUT, 0, 0);
        else
            DeleteForward(ctrl);
        break;
    case VK_INSERT:
        if (ctrl) SendMessageW(hwnd, SCI_COPY, 0, 0);
        if (shift) SendMessageW(hwnd, SCI_PASTE, 0, 0);
        break;
    case VK_RETURN: InsertNewLine(); break;
    case VK_TAB:
        if (ctrl) return false;
        if (!shift) InsertTab();
        break;
    default: {
        if (!ctrl) return false;
        // the shortcuts of the context menu's commands, sent as messages (as the menu sends
        // them) so that a window wrapping the component sees every road that changes text
        struct Shortcut {
            WPARAM key;
            bool shift;
            UINT message;
        };
        static constexpr Shortcut SHORTCUTS[] = {
            {'A', false, SCI_SELECTALL}, {'C', false, SCI_COPY}, {'V', false, SCI_PASTE}, {'X', false, SCI_CUT},
            {'Z', false, SCI_UNDO},      {'Y', false, SCI_REDO}, {'Z', true, SCI_REDO},
        };
        for (const Shortcut &s : SHORTCUTS)
            if (s.key == key && s.shift == shift) return SendMessageW(hwnd, s.message, 0, 0), true;
        return false;
    }
    }
    return true;
}

void EditorWindow::Character(wchar_t c) {
    std::u16string typed;
    if (c >= 0xD800 && c <= 0xDBFF) {
        pendingHighSurrogate = c;
        return;
    }
    if (c >= 0xDC00 && c <= 0xDFFF) {
        if (!pendingHighSurrogate) return;
        typed = {char16_t(pendingHighSurrogate), char16_t(c)};
    } else if (c >= 0x20 && c != 0x7F) {
        // control characters come as keys (Enter, Tab, Backspace) or not at all
        typed = {char16_t(c)};
    }
    pendingHighSurrogate = 0;
    if (!typed.empty()) ReplaceSelection(Utf16ToUtf8(typed), true);
}

void EditorWindow::SelectWordAt(Position pos) {
    auto classAt = [&](Position p) { return ClassOf(doc.CharAt(p)); };
    Position length = doc.Length();
    // at the end of a word, the word before the point
    if (pos > 0 && (pos == length || (classAt(pos) != CharClass::Word && classAt(pos - 1) == CharClass::Word))) --pos;
    CharClass kind = classAt(pos);
    Position start = pos, end = pos;
    while (start > 0 && classAt(start - 1) == kind) --start;
    while (end < length && classAt(end) == kind) ++end;
    SetSelection(CharacterStart(doc, start), CharacterStart(doc, end));
}

void EditorWindow::MouseDown(int x, int y, bool extend, bool wordWise) {
    SetFocus(hwnd);
    Position pos = PositionFromPoint(std::max(x, TextLeft()), y, false);
    if (wordWise)
        SelectWordAt(pos);
    else
        MoveCaret(pos, extend);
    SetCapture(hwnd);
    dragging = true;
}

void EditorWindow::MouseMove(int x, int y) {
    if (!dragging) return;
    RECT client{};
    GetClientRect(hwnd, &client);
    if (y < 0) ScrollRows(-1);
    if (y >= client.bottom) ScrollRows(1);
    y = std::clamp(y, 0, std::max(0, int(client.bottom) - 1));
    Position pos = PositionFromPoint(std::max(x, TextLeft()), y, false);
    if (pos != caret) SetSelection(anchor, pos);
}

// The chosen command is sent as a message, so a wrapping window can refuse it.
void EditorWindow::ContextMenu(int x, int y) {
    if (x == -1 && y == -1) {
        // from the keyboard: at the caret
        POINT point{TextLeft(), 0};
        PointOf(caret, point);
        point.y += lineHeight;
        ClientToScreen(hwnd, &point);
        x = point.x, y = point.y;
    }
    bool selected = SelectionStart() < SelectionEnd();
    bool writable = !doc.ReadOnly();
    struct Item {
        UINT message;
        const wchar_t *text;
        bool enabled;
    };
    const Item items[] = {
        {SCI_UNDO, L"Undo", doc.CanUndo()},
        {SCI_REDO, L"Redo", doc.CanRedo()},
        {0, nullptr, false},
        {SCI_CUT, L"Cut", selected && writable},
        {SCI_COPY, L"Copy", selected},
        {SCI_PASTE, L"Paste", writable && IsClipboardFormatAvailable(CF_UNICODETEXT)},
        {SCI_CLEAR, L"Delete", selected && writable},
        {0, nullptr, false},
        {SCI_SELECTALL, L"Select All", doc.Length() > 0},
    };
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    for (const Item &item : items) {
        if (!item.text)
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(menu, MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), item.message, item.text);
    }
    UINT chosen = UINT(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0, hwnd, nullptr));
    DestroyMenu(menu);
    if (chosen) SendMessageW(hwnd, chosen, 0, 0);
}

void EditorWindow::Copy() {
    if (SelectionStart() >= SelectionEnd()) return;
    std::u16string text = Utf8ToUtf16(doc.Text(SelectionStart(), SelectionEnd()));
    size_t bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return;
    if (void *data = GlobalLock(memory)) {
        std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<char16_t *>(data));
        GlobalUnlock(memory);
    }
    if (!OpenClipboardSoon(hwnd)) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    CloseClipboard();
}

void EditorWindow::Cut() {
    if (doc.ReadOnly() || SelectionStart() >= SelectionEnd()) return;
    Copy();
    ReplaceSelection("");
}

void EditorWindow::Paste() {
    if (doc.ReadOnly() || !OpenClipboardSoon(hwnd)) return;
    std::u16string text;
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto *data = static_cast<const wchar_t *>(GlobalLock(memory))) {
            // the clipboard's text ends at its NUL or at the end of its memory, whichever comes first
            size_t units = wcsnlen(data, GlobalSize(memory) / sizeof(wchar_t));
            text.assign(data, data + units);
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    if (!text.empty()) ReplaceSelection(Utf16ToUtf8(text));
}

void EditorWindow::Clear() {
    if (doc.ReadOnly()) return;
    DeleteForward(false);
}

}  // namespace editor
