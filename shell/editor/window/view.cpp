// The view: the font, line layouts (measured, wrapped and styled), scrolling, and the mapping
// between positions and points.
#include "editor_window.h"
#include "utf8_text.h"

#include <algorithm>
#include <climits>

namespace editor {

namespace {

// Blank pixels between the margins and the text, and at the right edge.
constexpr int TEXT_PAD = 2;
// Layouts kept at most; the cache starts afresh beyond, as the screen needs only a few dozen.
constexpr size_t MAX_CACHED_LAYOUTS = 1000;

BYTE QualityOf(int fontQuality) {
    static constexpr BYTE QUALITIES[] = {DEFAULT_QUALITY, NONANTIALIASED_QUALITY, ANTIALIASED_QUALITY,
                                         CLEARTYPE_QUALITY};
    return QUALITIES[std::clamp(fontQuality, 0, 3)];
}

bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

int ClampToInt(Position value) { return int(std::clamp<Position>(value, INT_MIN, INT_MAX)); }

}  // namespace

size_t LineLayout::RowOf(size_t unit) const {
    return size_t(std::upper_bound(rows.begin(), rows.end(), unit) - rows.begin()) - 1;
}

void EditorWindow::MakeFont() {
    const Style &style = styles[STYLE_DEFAULT];
    HDC dc = GetDC(hwnd);
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(style.size, GetDeviceCaps(dc, LOGPIXELSY), 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = QualityOf(fontQuality);
    std::u16string face = Utf8ToUtf16(style.font);
    face.resize(std::min<size_t>(face.size(), LF_FACESIZE - 1));
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    if (HFONT made = CreateFontIndirectW(&lf)) {
        if (font) DeleteObject(font);
        font = made;
    }
    HGDIOBJ old = SelectObject(dc, font ? HGDIOBJ(font) : GetStockObject(ANSI_FIXED_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    lineHeight = std::max<int>(1, metrics.tmHeight);
    SIZE space{};
    GetTextExtentPoint32W(dc, L" ", 1, &space);
    spaceWidth = std::max<int>(1, space.cx);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    unitWidths.clear();
    InvalidateLayout();
}

void EditorWindow::InvalidateLayout(Position fromLine, bool restyle, bool repaint) {
    if (fromLine <= 0) {
        layouts.clear();
    } else {
        std::erase_if(layouts, [&](const auto &entry) { return entry.first >= fromLine; });
    }
    if (restyle) statesKnown = std::min(statesKnown, std::max<Position>(fromLine, 0));
    ClampTop();
    UpdateScrollBars();
    if (repaint) InvalidateRect(hwnd, nullptr, FALSE);
}

void EditorWindow::InvalidateFrom(Position pos) {
    int x = 0;
    RowPlace place = PlaceOf(std::min(pos, doc.Length()), x);
    // A shorter word may move back onto the row before (a row's break looks no further than
    // one row ahead), and a line end may have joined the line before.
    PreviousRow(place);
    PreviousRow(place);
    RECT client{};
    GetClientRect(hwnd, &client);
    if (place > top) {
        RowPlace row = top;
        int y = 0;
        for (; y < client.bottom && row < place; y += lineHeight)
            if (!NextRow(row)) break;
        client.top = y;
    }
    if (client.top < client.bottom) InvalidateRect(hwnd, &client, FALSE);
}

int EditorWindow::UnitWidth(HDC dc, const wchar_t *units, size_t at, size_t count) {
    const wchar_t unit = units[at];
    if (unit >= 0xD800 && unit <= 0xDFFF) {
        // a pair is measured whole, its second unit takes no room; a lone half as itself
        if (unit <= 0xDBFF && at + 1 < count && IsLowSurrogate(units[at + 1])) {
            SIZE pair{};
            GetTextExtentPoint32W(dc, units + at, 2, &pair);
            return int(pair.cx);
        }
        if (IsLowSurrogate(unit) && at > 0 && units[at - 1] >= 0xD800 && units[at - 1] <= 0xDBFF) return 0;
    }
    if (unitWidths.empty()) unitWidths.assign(0x10000, short(-1));
    short &width = unitWidths[size_t(unit)];
    if (width < 0) {
        SIZE size{};
        GetTextExtentPoint32W(dc, &unit, 1, &size);
        width = short(std::clamp<LONG>(size.cx, 0, SHRT_MAX));
    }
    return width;
}

int EditorWindow::TextLeft() const {
    int left = TEXT_PAD;
    for (const Margin &margin : margins) left += margin.width;
    return left;
}

int EditorWindow::TextWidth() const {
    RECT client{};
    GetClientRect(hwnd, &client);
    return std::max(1, int(client.right) - TextLeft() - TEXT_PAD);
}

int EditorWindow::RowsOnScreen() const {
    RECT client{};
    GetClientRect(hwnd, &client);
    return std::max(1, int(client.bottom) / lineHeight);
}

const LineLayout &EditorWindow::Layout(Position line) {
    if (auto found = layouts.find(line); found != layouts.end()) return found->second;
    if (layouts.size() >= MAX_CACHED_LAYOUTS) layouts.clear();
    LineLayout layout;
    std::string_view bytes = doc.View(doc.LineStart(line), doc.LineEnd(line));
    std::u16string wide = Utf8ToUtf16(bytes, &layout.byteOf);
    layout.text.assign(wide.begin(), wide.end());
    // control characters show as their pictures (U+2400 onwards), tabs as room
    for (wchar_t &c : layout.text) {
        if (c < 0x20 && c != L'\t') c = wchar_t(0x2400 + c);
        if (c == 0x7F) c = 0x2421;
    }

    size_t n = layout.text.size();
    layout.x.assign(n + 1, 0);
    // Each unit's width comes from the table: typing on a long line measures only what is new.
    HDC dc = nullptr;
    HGDIOBJ old = nullptr;
    int x = 0;
    int tab = std::max(1, tabWidth * spaceWidth);
    for (size_t i = 0; i < n; ++i) {
        const wchar_t unit = layout.text[i];
        if (unit == L'\t') {
            x = (x / tab + 1) * tab;
        } else {
            if (dc == nullptr && (unitWidths.empty() || (unit >= 0xD800 && unit <= 0xDFFF) || unitWidths[size_t(unit)] < 0)) {
                dc = GetDC(hwnd);
                old = SelectObject(dc, font);
            }
            const int advance = dc != nullptr ? UnitWidth(dc, layout.text.data(), i, n) : unitWidths[size_t(unit)];
            x = std::min(x, INT_MAX / 2 - advance) + advance;  // a line of millions of units stays in range
        }
        layout.x[i + 1] = x;
    }
    if (dc != nullptr) {
        SelectObject(dc, old);
        ReleaseDC(hwnd, dc);
    }

    layout.rows.assign(1, 0);
    int width = TextWidth();
    if (wrapMode != SC_WRAP_NONE) {
        for (size_t start = 0; layout.x[n] - layout.x[start] > width;) {
            // the last unit boundary that fits, at least one unit further
            auto fits = std::upper_bound(layout.x.begin() + ptrdiff_t(start) + 1, layout.x.end(), layout.x[start] + width);
            size_t end = std::max(start + 1, size_t(fits - layout.x.begin()) - 1);
            if (wrapMode != SC_WRAP_CHAR) {
                for (size_t b = end; b > start + 1; --b)
                    if (layout.text[b - 1] == L' ' || layout.text[b - 1] == L'\t') {
                        end = b;
                        break;
                    }
            }
            if (end < n && IsLowSurrogate(layout.text[end]) && end > start + 1) --end;
            layout.rows.push_back(end);
            start = end;
        }
    } else if (layout.x[n] + tab > scrollWidth) {
        scrollWidth = layout.x[n] + tab;
        UpdateScrollBars();
    }
    if (lexer) StyleLine(line, layout);
    return layouts.emplace(line, std::move(layout)).first->second;
}

void EditorWindow::StyleLine(Position line, LineLayout &layout) {
    lineEndStates.resize(size_t(doc.LineCount()), 0);
    std::vector<unsigned char> scratch;
    auto run = [&](Position l, std::vector<unsigned char> &styles) {
        Position start = doc.LineStart(l);
        Position end = l + 1 < doc.LineCount() ? doc.LineStart(l + 1) : doc.Length();
        std::string_view bytes = doc.View(start, end);
        styles.assign(bytes.size(), 0);
        int state = l > 0 ? lineEndStates[size_t(l - 1)] : 0;
        lineEndStates[size_t(l)] = lexer->StyleLine(bytes.data(), bytes.size(), state, styles.data());
    };
    // the lines before carry their state into this one
    for (; statesKnown < line; ++statesKnown) run(statesKnown, scratch);
    run(line, layout.styles);
    if (statesKnown == line) statesKnown = line + 1;
}

size_t EditorWindow::RowCount(Position line) {
    return wrapMode == SC_WRAP_NONE ? 1 : Layout(line).rows.size();
}

void EditorWindow::ClampTop() {
    Position last = doc.LineCount() - 1;
    if (top.line > last) top = {last, 0};
    if (top.line < 0) top = {0, 0};
    if (top.row > 0 && top.row >= RowCount(top.line)) top.row = RowCount(top.line) - 1;
    // The view ends at the last row: when the window grows or the text shrinks, earlier rows
    // come back into view instead of empty space below the text. A top this many lines before
    // the end has a full screen of rows after it, so the rows are only counted near the end.
    if (last - top.line >= Position(RowsOnScreen()) - 1) return;
    const RowPlace limit = TopLimit();
    if (top > limit) top = limit;
}

RowPlace EditorWindow::PlaceOf(Position pos, int &x) {
    pos = std::clamp<Position>(pos, 0, doc.Length());
    Position line = doc.LineFromPosition(pos);
    const LineLayout &layout = Layout(line);
    Position offset = pos - doc.LineStart(line);
    size_t unit = size_t(std::lower_bound(layout.byteOf.begin(), layout.byteOf.end(), offset) - layout.byteOf.begin());
    unit = std::min(unit, layout.text.size());
    size_t row = layout.RowOf(unit);
    x = layout.x[unit] - layout.x[layout.rows[row]];
    return {line, row};
}

bool EditorWindow::NextRow(RowPlace &place) {
    if (place.row + 1 < RowCount(place.line)) {
        ++place.row;
        return true;
    }
    if (place.line + 1 >= doc.LineCount()) return false;
    place = {place.line + 1, 0};
    return true;
}

bool EditorWindow::PreviousRow(RowPlace &place) {
    if (place.row > 0) {
        --place.row;
        return true;
    }
    if (place.line <= 0) return false;
    place = {place.line - 1, RowCount(place.line - 1) - 1};
    return true;
}

RowPlace EditorWindow::LastRow() {
    Position last = doc.LineCount() - 1;
    return {last, RowCount(last) - 1};
}

RowPlace EditorWindow::TopLimit() {
    RowPlace place = LastRow();
    for (int i = 1; i < RowsOnScreen() && PreviousRow(place); ++i) {
    }
    return place;
}

Position EditorWindow::PositionAt(RowPlace place, int x) {
    const LineLayout &layout = Layout(place.line);
    size_t first = layout.rows[std::min(place.row, layout.rows.size() - 1)];
    size_t row = layout.RowOf(first);
    // a wrapped row ends before the first unit of the next row
    size_t last = row + 1 < layout.rows.size() ? layout.RowEnd(row) - 1 : layout.text.size();
    int target = layout.x[first] + std::max(0, x);
    auto after = std::upper_bound(layout.x.begin() + ptrdiff_t(first), layout.x.begin() + ptrdiff_t(last) + 1, target);
    size_t unit = std::max(first, size_t(after - layout.x.begin()) - 1);
    // the nearer edge of the unit under the point
    if (unit < last && target - layout.x[unit] > layout.x[unit + 1] - target) ++unit;
    if (unit < layout.text.size() && IsLowSurrogate(layout.text[unit])) --unit;
    return doc.LineStart(place.line) + layout.byteOf[unit];
}

Position EditorWindow::PositionFromPoint(int x, int y, bool close) {
    int rowIndex = y >= 0 ? y / lineHeight : -1 - (-(y + 1)) / lineHeight;
    RowPlace place = top;
    bool outside = false;
    for (int i = 0; i < rowIndex && !outside; ++i) outside = !NextRow(place);
    for (int i = 0; i > rowIndex && !outside; --i) outside = !PreviousRow(place);
    int textX = x - TextLeft() + (wrapMode == SC_WRAP_NONE ? xOffset : 0);
    if (close) {
        if (outside || textX < 0) return -1;
        const LineLayout &layout = Layout(place.line);
        size_t row = std::min(place.row, layout.rows.size() - 1);
        int rowWidth = layout.x[layout.RowEnd(row)] - layout.x[layout.rows[row]];
        if (textX > rowWidth + spaceWidth / 2) return -1;
    }
    return PositionAt(place, textX);
}

bool EditorWindow::PointOf(Position pos, POINT &point) {
    int x = 0;
    RowPlace place = PlaceOf(pos, x);
    RowPlace row = top;
    for (int i = 0; i < RowsOnScreen(); ++i) {
        if (row == place) {
            point = {TextLeft() + x - (wrapMode == SC_WRAP_NONE ? xOffset : 0), i * lineHeight};
            return true;
        }
        if (!NextRow(row)) break;
    }
    return false;
}

void EditorWindow::ScrollTo(RowPlace newTop) {
    RowPlace limit = TopLimit();
    if (newTop > limit) newTop = limit;
    if (newTop.line < 0) newTop = {0, 0};
    if (newTop == top) return;
    top = newTop;
    UpdateScrollBars();
    InvalidateRect(hwnd, nullptr, FALSE);
}

void EditorWindow::ScrollRows(int rows) {
    RowPlace place = top;
    if (wrapMode == SC_WRAP_NONE) {
        place.line = std::clamp<Position>(place.line + rows, 0, doc.LineCount() - 1);
    } else {
        for (; rows > 0 && NextRow(place); --rows) {
        }
        for (; rows < 0 && PreviousRow(place); ++rows) {
        }
    }
    ScrollTo(place);
}

void EditorWindow::ScrollHorizontally(int pixels) {
    int limit = std::max(0, scrollWidth - TextWidth());
    int offset = std::clamp(xOffset + pixels, 0, limit);
    if (offset == xOffset) return;
    xOffset = offset;
    UpdateScrollBars();
    InvalidateRect(hwnd, nullptr, FALSE);
}

void EditorWindow::EnsureCaretVisible() {
    int x = 0;
    RowPlace place = PlaceOf(caret, x);
    int screen = RowsOnScreen();
    if (place < top) {
        ScrollTo(place);
    } else {
        bool shown = false;
        if (place.line - top.line <= screen) {
            RowPlace row = top;
            for (int i = 0; i < screen && !shown; ++i) {
                shown = row == place;
                if (!NextRow(row)) break;
            }
        }
        if (!shown) {
            // the caret's row becomes the last on the screen
            for (int i = 1; i < screen && PreviousRow(place); ++i) {
            }
            ScrollTo(place);
        }
    }
    if (wrapMode == SC_WRAP_NONE) {
        int width = TextWidth();
        if (x < xOffset) {
            ScrollHorizontally(std::max(0, x - width / 3) - xOffset);
        } else if (x > xOffset + width - spaceWidth) {
            scrollWidth = std::max(scrollWidth, x + width);
            ScrollHorizontally(x - width * 2 / 3 - xOffset);
        }
    }
}

void EditorWindow::UpdateScrollBars() {
    if (updatingScrollBars) return;
    // showing or hiding a bar resizes the client area, which comes back here
    updatingScrollBars = true;
    auto set = [this](int bar, BarState &last, BarState now) {
        if (now == last) return;
        last = now;
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
        info.nMax = now.max;
        info.nPage = UINT(now.page);
        info.nPos = now.pos;
        SetScrollInfo(hwnd, bar, &info, TRUE);
    };
    set(SB_VERT, verticalBar, {ClampToInt(doc.LineCount() - 1), RowsOnScreen(), ClampToInt(top.line)});
    bool wantHorizontal = wrapMode == SC_WRAP_NONE;
    if (wantHorizontal != horizontalBarShown) {
        ShowScrollBar(hwnd, SB_HORZ, wantHorizontal);
        horizontalBarShown = wantHorizontal;
        horizontalBar = {};  // shown again, it is given its state again
    }
    if (wantHorizontal) set(SB_HORZ, horizontalBar, {scrollWidth, TextWidth(), xOffset});
    updatingScrollBars = false;
}

void EditorWindow::OnVerticalScroll(WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case SB_LINEUP: ScrollRows(-1); break;
    case SB_LINEDOWN: ScrollRows(1); break;
    case SB_PAGEUP: ScrollRows(-RowsOnScreen()); break;
    case SB_PAGEDOWN: ScrollRows(RowsOnScreen()); break;
    case SB_TOP: ScrollTo({0, 0}); break;
    case SB_BOTTOM: ScrollTo(TopLimit()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(hwnd, SB_VERT, &info);
        ScrollTo({std::clamp<Position>(info.nTrackPos, 0, doc.LineCount() - 1), 0});
        break;
    }
    default: break;
    }
}

void EditorWindow::OnHorizontalScroll(WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case SB_LINELEFT: ScrollHorizontally(-spaceWidth * 4); break;
    case SB_LINERIGHT: ScrollHorizontally(spaceWidth * 4); break;
    case SB_PAGELEFT: ScrollHorizontally(-TextWidth()); break;
    case SB_PAGERIGHT: ScrollHorizontally(TextWidth()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(hwnd, SB_HORZ, &info);
        ScrollHorizontally(info.nTrackPos - xOffset);
        break;
    }
    default: break;
    }
}

}  // namespace editor
