// The Go To dialog: the caret of the active document goes to a line and a column, both
// counted from 1 and clamped to the document.
#include <string>

#include "editor_messages.h"
#include "goto_rules.h"
#include "resource.h"
#include "tovrel.h"

namespace {

constexpr int kNumberBuffer = 32;  // characters a number field is read into
constexpr int kFieldLimit = 10;    // characters a number field takes
constexpr int kCaretPeriod = 500;  // milliseconds

struct GotoContext {
    Tovrel *shell;
    HWND editor;
    int64_t line, column, lineCount;
};

std::wstring numberField(HWND dialog, int id) {
    wchar_t text[kNumberBuffer] = L"";
    GetDlgItemTextW(dialog, id, text, kNumberBuffer);
    return text;
}

void setNumber(HWND dialog, int id, int64_t value) {
    SetDlgItemTextW(dialog, id, std::to_wstring(value).c_str());
}

void focusEditor(HWND editor) {
    SetFocus(editor);
    GUI::Scintilla(editor).Send(SCI_SETFOCUS, 1);
}

INT_PTR CALLBACK gotoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        const auto *context = reinterpret_cast<const GotoContext *>(lParam);
        setNumber(dialog, IDC_GOTO_CURRENT_LINE, context->line);
        setNumber(dialog, IDC_GOTO_CURRENT_COLUMN, context->column);
        setNumber(dialog, IDC_GOTO_LAST_LINE, context->lineCount);
        setNumber(dialog, IDC_GOTO_LINE, context->line);
        setNumber(dialog, IDC_GOTO_COLUMN, context->column);
        SendDlgItemMessageW(dialog, IDC_GOTO_LINE, EM_LIMITTEXT, kFieldLimit, 0);
        SendDlgItemMessageW(dialog, IDC_GOTO_COLUMN, EM_LIMITTEXT, kFieldLimit, 0);
        SetFocus(GetDlgItem(dialog, IDC_GOTO_LINE));
        SendDlgItemMessageW(dialog, IDC_GOTO_LINE, EM_SETSEL, 0, -1);
        EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
        return FALSE; // the focus is set
    }
    auto *context = reinterpret_cast<GotoContext *>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (context == nullptr) return FALSE;
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_GOTO_LINE:
        case IDC_GOTO_COLUMN:
            if (HIWORD(wParam) == EN_CHANGE)
                EnableWindow(GetDlgItem(dialog, IDOK), gotoAllowed(numberField(dialog, IDC_GOTO_LINE), context->lineCount));
            return TRUE;
        case IDOK: {
            int64_t line = readGotoNumber(numberField(dialog, IDC_GOTO_LINE));
            int64_t column = readGotoNumber(numberField(dialog, IDC_GOTO_COLUMN));
            if (line <= 0) line = context->line;
            if (column <= 0) column = 1;
            context->shell->GotoLineColumn(context->editor, int(line), int(column));
            EndDialog(dialog, IDOK);
            focusEditor(context->editor);
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

void showError(HWND owner, const std::wstring &text, const wchar_t *caption) {
    MessageBoxW(owner, text.c_str(), caption, MB_OK | MB_ICONERROR);
}

} // namespace

void Tovrel::ShowGotoDialog() {
    HWND main = mainWindow.GetHandle();
    if (activeTab < 0 || activeTab >= int(tabs.size())) {
        showError(main, L"没有活动的标签页!", L"错误");
        return;
    }
    // The terminal's console is not a document: its editor stays hidden.
    HWND window = GetActiveTab().isTerminal ? nullptr : GetActiveTab().editorWindow;
    if (window == nullptr) {
        showError(main, L"无法获取编辑器句柄!", L"错误");
        return;
    }
    const GUI::ScintillaPrimitive view = GUI::Scintilla(window);
    const int64_t position = view.Send(SCI_GETCURRENTPOS);
    GotoContext context{this, window, view.Send(SCI_LINEFROMPOSITION, WPARAM(position)) + 1,
                        view.Send(SCI_GETCOLUMN, WPARAM(position)) + 1, view.Send(SCI_GETLINECOUNT)};
    if (FindResourceW(instance, MAKEINTRESOURCEW(IDD_GOTO_DIALOG), MAKEINTRESOURCEW(5)) == nullptr) {
        showError(main,
                  L"找不到对话框资源 IDD_GOTO_DIALOG (错误码: " + std::to_wstring(GetLastError()) +
                      L")\n请检查 resource.rc 是否正确编译.",
                  L"资源错误");
        return;
    }
    if (DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_GOTO_DIALOG), main, gotoDialogProc,
                        reinterpret_cast<LPARAM>(&context)) == -1)
        showError(main, L"DialogBoxParam 失败 (错误码: " + std::to_wstring(GetLastError()) + L")", L"错误");
}

// The line is clamped to the last line, the column (in characters) to the line's end.
void Tovrel::GotoLineColumn(HWND window, int line, int column) {
    if (window == nullptr || line <= 0) return;
    const GUI::ScintillaPrimitive view = GUI::Scintilla(window);
    const int64_t target = gotoLineIndex(line, view.Send(SCI_GETLINECOUNT));
    view.Send(SCI_GOTOLINE, WPARAM(target));
    if (column > 1) {
        const int64_t start = view.Send(SCI_POSITIONFROMLINE, WPARAM(target));
        const int64_t end = view.Send(SCI_GETLINEENDPOSITION, WPARAM(target));
        int64_t position = view.Send(SCI_POSITIONRELATIVE, WPARAM(start), LPARAM(column - 1));
        // Past the document's end the component answers 0: the line's end stands in.
        if (position <= start || position > end) position = end;
        view.Send(SCI_GOTOPOS, WPARAM(position));
    }
    focusEditor(window);
    view.Send(SCI_SETCARETPERIOD, kCaretPeriod);
    view.Send(SCI_SETCARETFORE, 0);
    view.Send(SCI_ENSUREVISIBLE, WPARAM(target));
    view.Send(SCI_SCROLLCARET);
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    UpdateStatusBar();
}

void Tovrel::GotoLine(HWND window, int line) {
    GotoLineColumn(window, line, 1);
}
