// The main window's client area: toolbar strip, status bar, the left column (directory tree
// over the side pane) and the right column (tabs over the output pane), three splitters
// between them, and dragging the splitters.
#include <algorithm>

#include "tovrel.h"

namespace {

constexpr UINT kPlace = SWP_NOACTIVATE | SWP_NOZORDER;
constexpr int kMinimumPane = 50;        // tree column
constexpr int kMinimumBottomPane = 30;  // side pane and output pane
constexpr int kRoomLeft = 100;          // what a drag leaves of the client area
enum Splitter { TreeSplitter = 0, SideSplitter = 1, OutputSplitter = 2 };

int atLeastZero(int value) {
    return std::max(value, 0);
}

void place(HWND window, int x, int y, int width, int height, bool visible) {
    if (window == nullptr) return;
    if (visible) SetWindowPos(window, nullptr, x, y, atLeastZero(width), atLeastZero(height), kPlace);
    ShowWindow(window, visible ? SW_SHOW : SW_HIDE);
}

int windowHeight(HWND window) {
    RECT r{};
    if (window != nullptr) GetWindowRect(window, &r);
    return r.bottom - r.top;
}

} // namespace

LRESULT Tovrel::OnSize(WPARAM sizeType, LPARAM packedSize) {
    if (sizeType == SIZE_MINIMIZED) {
        if (statusBar != nullptr) SendMessageW(statusBar, WM_SIZE, 0, 0);
        return 0;
    }
    UpdateLayout(true, LOWORD(packedSize), HIWORD(packedSize));
    return 0;
}

void Tovrel::RelayoutClient() {
    const Rect client = mainWindow.GetClientRect();
    OnSize(SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

void Tovrel::UpdateLayout(bool full, int width, int height) {
    if (toolbar != nullptr) {
        SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
        toolbarHeight = windowHeight(toolbar);
    }
    const int statusHeight = windowHeight(statusBar);
    const int top = showToolbar ? toolbarHeight : 0;
    const int tw = showTree ? treeWidth : 0;
    const int s = splitterSize;
    const int oh = showOutput ? outputHeight : 0;
    const int ph = showSidePane ? sidePaneHeight : 0;
    // The command bar lies over the bottom strip of the tab area, so it takes nothing off.
    const int avail = atLeastZero(height - top - statusHeight);

    if (showTree) {
        const int th = atLeastZero(avail - ph - (showSidePane ? s : 0));
        place(directoryTree, 0, top, tw, th, true);
        place(sideSplitter, 0, top + th, tw, s, showSidePane);
        place(sidePane, 0, top + th + s, tw, ph, showSidePane);
        place(treeSplitter, tw, top, s, avail, true);
    } else {
        for (HWND hidden : {directoryTree, sideSplitter, sidePane, treeSplitter})
            if (hidden != nullptr) ShowWindow(hidden, SW_HIDE);
    }

    const int x = tw + (showTree ? s : 0);
    const int w = atLeastZero(width - x);
    const int eh = atLeastZero(avail - (showOutput ? s + oh : 0));
    if (tabControl != nullptr) SetWindowPos(tabControl, nullptr, x, top, w, eh, kPlace);
    place(outputSplitter, x, top + eh, w, s, showOutput);
    place(outputPane, x, top + eh + s, w, oh, showOutput);

    ShowCommandBar(commandBarVisible);
    if (full) ResizeActiveTab();
    if (statusBar != nullptr) SendMessageW(statusBar, WM_SIZE, 0, 0);
    LayoutStatusParts();
    if (commandEdit != nullptr && commandBarVisible) LayoutCommandBar();
    if (full) {
        InvalidateRect(mainWindow.GetHandle(), nullptr, TRUE);
        UpdateWindow(mainWindow.GetHandle());
    }
}

LRESULT CALLBACK Tovrel::SplitterWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto *self = reinterpret_cast<Tovrel *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    Tovrel &t = *self;
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, window == t.treeSplitter ? IDC_SIZEWE : IDC_SIZENS));
        return 1;
    case WM_LBUTTONDOWN: {
        SetCapture(window);
        t.dragging = true;
        GetCursorPos(&t.dragStart);
        if (window == t.treeSplitter) {
            t.dragSplitter = TreeSplitter;
            t.dragStartSize = t.treeWidth;
        } else if (window == t.sideSplitter) {
            t.dragSplitter = SideSplitter;
            t.dragStartSize = t.sidePaneHeight;
        } else {
            t.dragSplitter = OutputSplitter;
            t.dragStartSize = t.outputHeight;
        }
        GUI::Window splitter;
        splitter.SetHandle(window);
        t.dragSplitterRect = splitter.GetWindowRect();
        t.dragLineRect = t.dragSplitterRect;
        t.dragLineShown = false;
        return 0;
    }
    case WM_MOUSEMOVE: {
        if (!t.dragging) break;
        POINT cursor;
        GetCursorPos(&cursor);
        Rect r = t.dragSplitterRect;
        if (t.dragSplitter == TreeSplitter) {
            r.left += cursor.x - t.dragStart.x;
            r.right += cursor.x - t.dragStart.x;
        } else {
            r.top += cursor.y - t.dragStart.y;
            r.bottom += cursor.y - t.dragStart.y;
        }
        if (t.dragLineShown) t.DrawSplitterLine(t.dragLineRect); // drawn twice: erased
        t.DrawSplitterLine(r);
        t.dragLineRect = r;
        t.dragLineShown = true;
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: {
        if (!t.dragging) return 0;
        if (t.dragLineShown) {
            t.DrawSplitterLine(t.dragLineRect);
            t.dragLineShown = false;
        }
        t.dragging = false;
        ReleaseCapture();
        POINT cursor;
        GetCursorPos(&cursor);
        const int dx = cursor.x - t.dragStart.x, dy = cursor.y - t.dragStart.y;
        const Rect client = t.mainWindow.GetClientRect();
        // The upper limit comes last, so in a very small window a size can end below its minimum.
        if (t.dragSplitter == TreeSplitter)
            t.treeWidth = std::min(std::max(t.dragStartSize + dx, kMinimumPane), client.right - kRoomLeft);
        else if (t.dragSplitter == SideSplitter)
            t.sidePaneHeight = std::min(std::max(t.dragStartSize - dy, kMinimumBottomPane), client.bottom - kRoomLeft);
        else
            t.outputHeight = std::min(std::max(t.dragStartSize - dy, kMinimumBottomPane), client.bottom - kRoomLeft);
        t.OnSize(0, MAKELPARAM(client.right, client.bottom));
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Tovrel::DrawSplitterLine(const Rect &r) {
    HDC screen = GetDC(nullptr);
    const int oldMode = SetROP2(screen, R2_NOT);
    HPEN pen = CreatePen(PS_SOLID, 1, 0xFFFFFF);
    HGDIOBJ oldPen = SelectObject(screen, pen);
    MoveToEx(screen, r.left, r.top, nullptr);
    if (dragSplitter == TreeSplitter) LineTo(screen, r.left, r.bottom);
    else LineTo(screen, r.right, r.top);
    SelectObject(screen, oldPen);
    DeleteObject(pen);
    SetROP2(screen, oldMode);
    ReleaseDC(nullptr, screen);
}
