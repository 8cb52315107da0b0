// Painting: every row of text in the one font with its style's colours, the selection, the
// caret and the margins, drawn off screen and copied at once.
#include "editor_window.h"

#include <algorithm>

namespace editor {

namespace {

constexpr int CARET_WIDTH = 1;
constexpr int NUMBER_PAD = 3;  // pixels right of the line numbers
constexpr COLORREF SELECTION_FOCUSED = RGB(0xC0, 0xD8, 0xF4);
constexpr COLORREF SELECTION_UNFOCUSED = RGB(0xDC, 0xDC, 0xDC);

void Fill(HDC dc, const RECT &rect, COLORREF colour) {
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

}  // namespace

void EditorWindow::RestartCaretBlink() {
    caretOn = true;
    if (hasFocus && caretPeriod > 0)
        SetTimer(hwnd, CARET_TIMER, UINT(caretPeriod), nullptr);
    else
        KillTimer(hwnd, CARET_TIMER);
    InvalidateCaret();
}

void EditorWindow::InvalidateCaret() {
    if (!IsRectEmpty(&caretPainted)) InvalidateRect(hwnd, &caretPainted, FALSE);
    POINT point{};
    if (!PointOf(caret, point)) return;
    const int width = std::max(spaceWidth, CARET_WIDTH);
    RECT rect{point.x, point.y, point.x + width, point.y + lineHeight};
    InvalidateRect(hwnd, &rect, FALSE);
}

// Only the rows the system asks for are drawn, into a bitmap of their size: a key typed on the
// last line paints that line, however much the window shows above it.
void EditorWindow::Paint() {
    PAINTSTRUCT ps;
    HDC screen = BeginPaint(hwnd, &ps);
    RECT client{};
    GetClientRect(hwnd, &client);
    RECT area{};
    if (IntersectRect(&area, &ps.rcPaint, &client)) {
        const int width = area.right - area.left, height = area.bottom - area.top;
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
        HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
        // drawing keeps the window's coordinates; the bitmap holds the asked-for area
        SetViewportOrgEx(dc, -area.left, -area.top, nullptr);
        HGDIOBJ oldFont = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        Fill(dc, area, styles[STYLE_DEFAULT].back);

        // a caret drawn inside the area is painted over
        RECT overlap{};
        if (IntersectRect(&overlap, &caretPainted, &area)) caretPainted = RECT{};
        ClampTop();
        int caretX = 0;
        RowPlace caretRow = PlaceOf(caret, caretX);
        std::vector<std::pair<Position, int>> lineTops;
        RowPlace place = top;
        for (int y = 0; y < area.bottom; y += lineHeight) {
            if (y + lineHeight > area.top) {
                PaintRow(dc, place, y, client);
                if (place == caretRow) PaintCaret(dc, TextLeft() + caretX - (wrapMode == SC_WRAP_NONE ? xOffset : 0), y);
                if (place.row == 0) lineTops.emplace_back(place.line, y);
            }
            if (!NextRow(place)) break;
        }
        PaintMargins(dc, area, lineTops);

        BitBlt(screen, area.left, area.top, width, height, dc, area.left, area.top, SRCCOPY);
        SelectObject(dc, oldFont);
        SelectObject(dc, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    EndPaint(hwnd, &ps);
}

void EditorWindow::PaintRow(HDC dc, RowPlace place, int y, const RECT &client) {
    const LineLayout &layout = Layout(place.line);
    size_t row = std::min(place.row, layout.rows.size() - 1);
    size_t first = layout.rows[row], end = layout.RowEnd(row);
    bool lastRow = row + 1 == layout.rows.size();
    int left = TextLeft() - (wrapMode == SC_WRAP_NONE ? xOffset : 0) - layout.x[first];
    RECT clip{TextLeft(), y, client.right, y + lineHeight};
    Position lineStart = doc.LineStart(place.line);

    // the selection behind the text; past the line's end a blank marks a selected line end
    Position selStart = SelectionStart() - lineStart, selEnd = SelectionEnd() - lineStart;
    if (selStart < selEnd) {
        auto unitOf = [&](Position offset) {
            return size_t(std::lower_bound(layout.byteOf.begin(), layout.byteOf.end(), offset) - layout.byteOf.begin());
        };
        size_t from = std::clamp(unitOf(selStart), first, end), to = std::clamp(unitOf(selEnd), first, end);
        int right = left + layout.x[to];
        if (lastRow && selEnd > layout.byteOf.back() && selStart <= layout.byteOf.back()) right += spaceWidth;
        RECT rect{std::max(left + layout.x[from], int(clip.left)), y, right, y + lineHeight};
        if (rect.left < rect.right) Fill(dc, rect, hasFocus ? SELECTION_FOCUSED : SELECTION_UNFOCUSED);
    }

    // the text in runs of one style, each unit at its measured place; only the units on the
    // screen, as a line without wrapping may be very long
    auto unitsLeftOf = [&](int screenX) {  // units whose left edge is at or left of screenX
        return size_t(std::upper_bound(layout.x.begin(), layout.x.end(), screenX - left) - layout.x.begin());
    };
    size_t shownFirst = std::max(first, std::max<size_t>(unitsLeftOf(clip.left), 1) - 1);
    size_t shownEnd = std::min(end, unitsLeftOf(client.right));
    std::vector<int> advances;
    for (size_t i = shownFirst; i < shownEnd;) {
        auto styleOf = [&](size_t unit) -> unsigned char {
            return layout.styles.empty() ? 0 : layout.styles[size_t(layout.byteOf[unit])];
        };
        if (layout.text[i] == L'\t') {
            ++i;
            continue;
        }
        unsigned char style = styleOf(i);
        size_t j = i + 1;
        while (j < shownEnd && layout.text[j] != L'\t' && styleOf(j) == style) ++j;
        int x = left + layout.x[i];
        const Style &look = styles[style];
        if (look.back != styles[STYLE_DEFAULT].back) {
            RECT rect{std::max(x, int(clip.left)), y, left + layout.x[j], y + lineHeight};
            Fill(dc, rect, look.back);
        }
        advances.resize(j - i);
        for (size_t k = i; k < j; ++k) advances[k - i] = layout.x[k + 1] - layout.x[k];
        SetTextColor(dc, look.fore);
        ExtTextOutW(dc, x, y, ETO_CLIPPED, &clip, layout.text.data() + i, UINT(j - i), advances.data());
        i = j;
    }
}

void EditorWindow::PaintCaret(HDC dc, int x, int y) {
    if (!hasFocus || !caretOn || caretStyle == 0 || x < TextLeft()) return;
    int width = caretStyle == 2 ? spaceWidth : CARET_WIDTH;
    RECT rect{x, y, x + width, y + lineHeight};
    caretPainted = rect;
    if (caretStyle == 2) {
        InvertRect(dc, &rect);
    } else {
        Fill(dc, rect, caretColour);
    }
}

void EditorWindow::PaintMargins(HDC dc, const RECT &client, const std::vector<std::pair<Position, int>> &lineTops) {
    const Style &look = styles[STYLE_LINENUMBER];
    int x = 0;
    for (const Margin &margin : margins) {
        if (margin.width <= 0) continue;
        RECT rect{x, 0, x + margin.width, client.bottom};
        Fill(dc, rect, look.back);
        if (margin.type == SC_MARGIN_NUMBER) {
            SetTextColor(dc, look.fore);
            for (auto [line, y] : lineTops) {
                std::wstring number = std::to_wstring(line + 1);
                RECT cell{x, y, x + margin.width - NUMBER_PAD, y + lineHeight};
                DrawTextW(dc, number.c_str(), int(number.size()), &cell, DT_RIGHT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
            }
        }
        x += margin.width;
    }
    // the blank strip between the margins and the text
    RECT pad{x, 0, TextLeft(), client.bottom};
    if (pad.left < pad.right) Fill(dc, pad, styles[STYLE_DEFAULT].back);
}

}  // namespace editor
