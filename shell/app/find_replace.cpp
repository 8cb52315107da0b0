// Find and Replace: two modeless dialogs sharing the search options of the application
// object, Find Next and Find Previous, replacing one match and replacing every match as one
// undo step. The search runs in the active document editor on its UTF-8 text.
#include <cstdint>
#include <string>

#include "editor_messages.h"
#include "resource.h"
#include "search_ranges.h"
#include "text_codec.h"
#include "tovrel.h"

namespace {

// A field is read whole: a find text cut short would replace more than was asked for.
std::wstring fieldText(HWND dialog, int id) {
    HWND field = GetDlgItem(dialog, id);
    const int length = field != nullptr ? GetWindowTextLengthW(field) : 0;
    if (length <= 0) return std::wstring();
    std::wstring text(size_t(length) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(field, text.data(), length + 1)));
    return text;
}

bool boxChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void checkBox(HWND dialog, int id, bool on) {
    CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}

Tovrel *ownerOf(HWND dialog) {
    return reinterpret_cast<Tovrel *>(GetWindowLongPtrW(dialog, DWLP_USER));
}

BOOL CALLBACK addTabStops(HWND child, LPARAM) {
    wchar_t name[16] = L"";
    GetClassNameW(child, name, 16);
    if (std::wstring(name) != L"Static") SetWindowLongPtrW(child, GWL_STYLE, GetWindowLongPtrW(child, GWL_STYLE) | WS_TABSTOP);
    return TRUE;
}

// The options both dialogs show; the direction only in Find.
void readOptions(Tovrel &shell, HWND dialog) {
    shell.findText = fieldText(dialog, IDC_FIND_TEXT);
    shell.matchCase = boxChecked(dialog, IDC_MATCH_CASE);
    shell.wholeWord = boxChecked(dialog, IDC_WHOLE_WORD);
    shell.wrapAround = boxChecked(dialog, IDC_WRAP_AROUND);
}

void enableButtons(HWND dialog, bool replace) {
    const bool any = !fieldText(dialog, IDC_FIND_TEXT).empty();
    EnableWindow(GetDlgItem(dialog, IDC_FIND_NEXT), any);
    if (replace) {
        EnableWindow(GetDlgItem(dialog, IDC_REPLACE_ONE), any);
        EnableWindow(GetDlgItem(dialog, IDC_REPLACE_ALL), any);
    }
}

INT_PTR searchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, bool replace) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        SendMessageW(dialog, DM_SETDEFID, IDC_FIND_NEXT, 0);
        EnumChildWindows(dialog, addTabStops, 0);
        SetFocus(GetDlgItem(dialog, IDC_FIND_TEXT));
        return 0;
    }
    Tovrel *shell = ownerOf(dialog);
    if (shell == nullptr) return 0;
    HWND &handle = replace ? shell->replaceDialog : shell->findDialog;
    switch (message) {
    case WM_KEYDOWN:
        if (wParam != VK_ESCAPE) return 0;
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return 1;
    case WM_CLOSE:
        handle = nullptr;
        DestroyWindow(dialog);
        return 1;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_FIND_TEXT:
            if (HIWORD(wParam) == EN_CHANGE) enableButtons(dialog, replace);
            return 1;
        case IDC_FIND_NEXT:
            readOptions(*shell, dialog);
            shell->searchUp = replace ? false : boxChecked(dialog, IDC_DIRECTION_UP);
            shell->FindNext();
            return 1;
        case IDC_REPLACE_ONE:
        case IDC_REPLACE_ALL:
            if (!replace) return 0;
            readOptions(*shell, dialog);
            shell->replaceText = fieldText(dialog, IDC_REPLACE_TEXT);
            if (LOWORD(wParam) == IDC_REPLACE_ONE) {
                shell->searchUp = false;
                shell->ReplaceOne();
            } else {
                shell->ReplaceAll();
            }
            return 1;
        case IDCANCEL:
        case IDC_CLOSE_DIALOG:
            handle = nullptr;
            DestroyWindow(dialog);
            return 1;
        default:
            return 0;
        }
    default:
        return 0;
    }
}

INT_PTR CALLBACK findDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return searchDialogProc(dialog, message, wParam, lParam, false);
}

INT_PTR CALLBACK replaceDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return searchDialogProc(dialog, message, wParam, lParam, true);
}

int searchFlags(const Tovrel &shell) {
    return (shell.matchCase ? SCFIND_MATCHCASE : 0) | (shell.wholeWord ? SCFIND_WHOLEWORD : 0);
}

// One search through the component; the match's range, or false.
bool findIn(const GUI::ScintillaPrimitive &view, int flags, int64_t from, int64_t to, const std::string &needle,
            SciCharRange &match) {
    SciTextToFind find{};
    find.chrg = {int32_t(from), int32_t(to)};
    find.lpstrText = needle.c_str();
    if (view.Send(SCI_FINDTEXT, WPARAM(flags), reinterpret_cast<LPARAM>(&find)) < 0) return false;
    match = find.chrgText;
    return true;
}

} // namespace

bool Tovrel::HasActiveEditor() {
    return activeTab >= 0 && activeTab < int(tabs.size()) && !GetActiveTab().isTerminal &&
           GetActiveTab().editorWindow != nullptr;
}

void Tovrel::OpenSearchDialog(bool replace) {
    HWND main = mainWindow.GetHandle();
    if (activeTab < 0 || tabs.empty()) {
        MessageBoxW(main, L"没有活动的标签页!", L"错误", MB_OK | MB_ICONERROR);
        return;
    }
    HWND &handle = replace ? replaceDialog : findDialog;
    if (handle != nullptr) {
        SetForegroundWindow(handle);
    } else {
        if (HasActiveEditor()) {
            const std::string selected = GUI::SelectedText(GUI::Scintilla(GetActiveTab().editorWindow));
            if (!selected.empty()) findText = utf8ToWide(selected);
        }
        HWND dialog = CreateDialogParamW(instance, MAKEINTRESOURCEW(replace ? IDD_REPLACE_DIALOG : IDD_FIND_DIALOG), main,
                                         replace ? replaceDialogProc : findDialogProc, reinterpret_cast<LPARAM>(this));
        if (dialog == nullptr) return;
        handle = dialog;
        SetDlgItemTextW(dialog, IDC_FIND_TEXT, findText.c_str());
        SendDlgItemMessageW(dialog, IDC_FIND_TEXT, EM_SETSEL, 0, -1);
        if (replace) SetDlgItemTextW(dialog, IDC_REPLACE_TEXT, replaceText.c_str());
        checkBox(dialog, IDC_MATCH_CASE, matchCase);
        checkBox(dialog, IDC_WHOLE_WORD, wholeWord);
        checkBox(dialog, IDC_WRAP_AROUND, wrapAround);
        if (!replace) {
            checkBox(dialog, IDC_DIRECTION_UP, searchUp);
            checkBox(dialog, IDC_DIRECTION_DOWN, !searchUp);
        }
        enableButtons(dialog, replace);
        ShowWindow(dialog, SW_SHOW);
    }
    SetFocus(GetDlgItem(handle, IDC_FIND_TEXT));
}

void Tovrel::ShowFindDialog() {
    OpenSearchDialog(false);
}

void Tovrel::ShowReplaceDialog() {
    OpenSearchDialog(true);
}

// Down searches from the caret, up from the selection's start backwards; with Wrap around
// the rest of the document follows.
bool Tovrel::SearchText(HWND window, const std::wstring &text, bool up) {
    if (window == nullptr || text.empty()) return false;
    const GUI::ScintillaPrimitive view = GUI::Scintilla(window);
    const std::string needle = wideToUtf8(text);
    if (needle.empty()) return false;
    SciCharRange match{};
    for (const SearchRange &range : searchRanges(view.Send(SCI_GETCURRENTPOS), view.Send(SCI_GETSELECTIONSTART),
                                                 view.Send(SCI_GETLENGTH), up, wrapAround)) {
        if (!findIn(view, searchFlags(*this), range.from, range.to, needle, match)) continue;
        // Upwards the caret goes to the match's start, so the next search goes on before it.
        if (up) view.Send(SCI_SETSEL, WPARAM(match.cpMax), LPARAM(match.cpMin));
        else view.Send(SCI_SETSEL, WPARAM(match.cpMin), LPARAM(match.cpMax));
        view.Send(SCI_SCROLLCARET);
        UpdateStatusBar();
        return true;
    }
    return false;
}

void Tovrel::FindNext() {
    if (!HasActiveEditor()) return;
    if (findDialog != nullptr) {
        readOptions(*this, findDialog);
        searchUp = boxChecked(findDialog, IDC_DIRECTION_UP);
    }
    if (SearchText(GetActiveTab().editorWindow, findText, searchUp)) return;
    const std::wstring text = L"找不到 \"" + findText + L"\"";
    MessageBoxW(mainWindow.GetHandle(), text.c_str(), L"查找", MB_OK | MB_ICONINFORMATION);
}

// One search the other way: while the Find dialog is open its direction is turned for this
// search only, so the button and the option agree afterwards.
void Tovrel::FindPrevious() {
    if (findDialog != nullptr) {
        const bool up = boxChecked(findDialog, IDC_DIRECTION_UP);
        checkBox(findDialog, IDC_DIRECTION_UP, !up);
        checkBox(findDialog, IDC_DIRECTION_DOWN, up);
        FindNext();
        checkBox(findDialog, IDC_DIRECTION_UP, up);
        checkBox(findDialog, IDC_DIRECTION_DOWN, !up);
        searchUp = up;
        return;
    }
    searchUp = !searchUp;
    FindNext();
    searchUp = !searchUp;
}

// The selection is replaced only when it is exactly the find text; then the search goes on.
// A page (Help, History) is read-only: it is searched, never changed.
void Tovrel::ReplaceOne() {
    if (!HasActiveEditor()) return;
    EditorTab &tab = GetActiveTab();
    if (tab.isVirtual) {
        FindNext();
        return;
    }
    const GUI::ScintillaPrimitive view = GUI::Scintilla(tab.editorWindow);
    const std::string selected = GUI::SelectedText(view);
    if (!selected.empty() && utf8ToWide(selected) == findText) {
        const std::string replacement = wideToUtf8(replaceText);
        view.Send(SCI_REPLACESEL, 0, reinterpret_cast<LPARAM>(replacement.c_str()));
        tab.isModified = true;
        UpdateWindowTitle();
        UpdateStatusBar();
    }
    FindNext();
}

// Every match from the document's start, as one undo step; returns the count. Each search
// starts after the text just put in, so a replacement that holds the find text is not searched
// again and the loop ends with the document. A page (Help, History) is never changed.
int64_t Tovrel::ReplaceEveryMatch(EditorTab &tab) {
    if (tab.isVirtual || tab.editorWindow == nullptr || findText.empty()) return 0;
    const GUI::ScintillaPrimitive view = GUI::Scintilla(tab.editorWindow);
    const std::string needle = wideToUtf8(findText), replacement = wideToUtf8(replaceText);
    if (needle.empty()) return 0;
    const int flags = searchFlags(*this);
    int64_t count = 0, start = 0;
    SciCharRange match{};
    view.Send(SCI_BEGINUNDOACTION);
    for (;;) {
        const int64_t length = view.Send(SCI_GETLENGTH);
        // The component's search ranges are 32-bit.
        if (start > length || length > INT32_MAX || !findIn(view, flags, start, length, needle, match)) break;
        view.Send(SCI_SETSEL, WPARAM(match.cpMin), LPARAM(match.cpMax));
        view.Send(SCI_REPLACESEL, 0, reinterpret_cast<LPARAM>(replacement.c_str()));
        ++count;
        start = int64_t(match.cpMin) + int64_t(replacement.size());
    }
    view.Send(SCI_ENDUNDOACTION);
    if (count > 0) {
        tab.isModified = true;
        UpdateWindowTitle();
        UpdateStatusBar();
    }
    return count;
}

void Tovrel::ReplaceAll() {
    if (!HasActiveEditor()) return;
    if (replaceDialog != nullptr) {
        readOptions(*this, replaceDialog);
        replaceText = fieldText(replaceDialog, IDC_REPLACE_TEXT);
    }
    if (findText.empty()) return;
    const int64_t count = ReplaceEveryMatch(GetActiveTab());
    const std::wstring text = L"替换了 " + std::to_wstring(count) + L" 处";
    MessageBoxW(mainWindow.GetHandle(), text.c_str(), L"替换全部", MB_OK | MB_ICONINFORMATION);
}
