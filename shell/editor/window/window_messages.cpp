// The window system's messages: creation and destruction, painting, size, focus, timers,
// scrolling, keys, the mouse, and the window text.
#include "editor_window.h"
#include "utf8_text.h"

#include <imm.h>
#include <windowsx.h>

#include <algorithm>

namespace editor {

EditorWindow::EditorWindow(HWND window) : hwnd(window) {
    // the line numbers sit on the window-frame colour
    styles[STYLE_LINENUMBER].back = GetSysColor(COLOR_BTNFACE);
}

EditorWindow::~EditorWindow() {
    if (lexer) lexer->Release();
    if (font) DeleteObject(font);
}

LRESULT EditorWindow::WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: MakeFont(); return 0;
    case WM_DESTROY: KillTimer(hwnd, CARET_TIMER); break;
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;  // painting covers everything
    case WM_SIZE:
        if (wrapMode != SC_WRAP_NONE) {
            InvalidateLayout();
        } else {
            ClampTop();
            UpdateScrollBars();
        }
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        hasFocus = message == WM_SETFOCUS;
        RestartCaretBlink();
        InvalidateRect(hwnd, nullptr, FALSE);  // the selection changes its colour
        return 0;
    case WM_TIMER:
        if (wParam != CARET_TIMER) break;
        caretOn = !caretOn;
        InvalidateCaret();
        return 0;
    case WM_GETDLGCODE: return DLGC_HASSETSEL | DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
        if (KeyDown(wParam)) return 0;
        break;
    case WM_CHAR: Character(wchar_t(wParam)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        MouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), (wParam & MK_SHIFT) != 0, message == WM_LBUTTONDBLCLK);
        return 0;
    case WM_MOUSEMOVE: MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_LBUTTONUP:
        if (dragging) {
            dragging = false;
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED: dragging = false; return 0;
    case WM_RBUTTONDOWN: SetFocus(hwnd); return 0;
    case WM_CONTEXTMENU: ContextMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_MOUSEWHEEL: {
        UINT linesPerNotch = 3;
        SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &linesPerNotch, 0);
        linesPerNotch = std::clamp<UINT>(linesPerNotch, 1, 100);
        wheelDelta += GET_WHEEL_DELTA_WPARAM(wParam);
        for (; wheelDelta >= WHEEL_DELTA; wheelDelta -= WHEEL_DELTA) ScrollRows(-int(linesPerNotch));
        for (; wheelDelta <= -WHEEL_DELTA; wheelDelta += WHEEL_DELTA) ScrollRows(int(linesPerNotch));
        return 0;
    }
    case WM_VSCROLL: OnVerticalScroll(wParam); return 0;
    case WM_HSCROLL: OnHorizontalScroll(wParam); return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            POINT point{};
            GetCursorPos(&point);
            ScreenToClient(hwnd, &point);
            SetCursor(LoadCursorW(nullptr, point.x < TextLeft() ? IDC_ARROW : IDC_IBEAM));
            return TRUE;
        }
        break;
    case WM_IME_STARTCOMPOSITION: {
        // the composition window opens at the caret
        POINT point{};
        if (HIMC context = ImmGetContext(hwnd)) {
            if (PointOf(caret, point)) {
                COMPOSITIONFORM form{};
                form.dwStyle = CFS_POINT;
                form.ptCurrentPos = point;
                ImmSetCompositionWindow(context, &form);
            }
            ImmReleaseContext(hwnd, context);
        }
        break;
    }
    case WM_GETTEXT: {
        auto *out = reinterpret_cast<wchar_t *>(lParam);
        if (!out || wParam == 0) return 0;
        std::u16string text = Utf8ToUtf16(doc.Text(0, doc.Length()));
        size_t units = std::min<size_t>(text.size(), size_t(wParam) - 1);
        std::copy(text.begin(), text.begin() + ptrdiff_t(units), out);
        out[units] = L'\0';
        return LRESULT(units);
    }
    case WM_GETTEXTLENGTH: return LRESULT(Utf8ToUtf16(doc.Text(0, doc.Length())).size());
    case WM_SETTEXT: {
        if (doc.ReadOnly()) return FALSE;
        const auto *text = reinterpret_cast<const wchar_t *>(lParam);
        std::u16string wide;
        if (text) wide.assign(text, text + wcslen(text));
        SetText(Utf16ToUtf8(wide));
        return TRUE;
    }
    case WM_EDITOR_UPDATEUI: {
        updateUIPosted = false;
        SciNotification notification{};
        notification.nmhdr.code = SCN_UPDATEUI;
        Notify(notification);
        return 0;
    }
    default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace editor
