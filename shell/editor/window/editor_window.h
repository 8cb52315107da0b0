// One window of the editing component: the document, the selection, the look the shell sets,
// the view (scrolling, line layouts, painting) and the input. The window procedure owns it.
#pragma once

#include "editor_lexer.h"
#include "editor_messages.h"
#include "text_document.h"

#include <windows.h>

#include <array>
#include <string>
#include <unordered_map>
#include <vector>

namespace editor {

// Posted to itself: the caret, the selection or the text changed since the last SCN_UPDATEUI.
constexpr UINT WM_EDITOR_UPDATEUI = WM_APP + 1;
constexpr UINT_PTR CARET_TIMER = 1;

struct Style {
    COLORREF fore = RGB(0, 0, 0);
    COLORREF back = RGB(0xFF, 0xFF, 0xFF);
    bool bold = false;
    int size = 10;                    // points
    std::string font = "Courier New"; // UTF-8 face name
};

struct Margin {
    int type = SC_MARGIN_SYMBOL;
    int width = 0;  // pixels
};

// One document line measured for the screen: its UTF-16 form, where each unit begins in bytes
// and pixels, where its wrapped rows begin, and the lexer's styles of its bytes.
struct LineLayout {
    std::wstring text;
    std::vector<Position> byteOf;  // per unit, plus the line's length at the end
    std::vector<int> x;            // left edge of each unit, plus the line's width at the end
    std::vector<size_t> rows;      // first unit of each row; rows[0] == 0
    std::vector<unsigned char> styles;  // per byte; empty without a lexer
    size_t RowOf(size_t unit) const;
    size_t RowEnd(size_t row) const { return row + 1 < rows.size() ? rows[row + 1] : text.size(); }
};

// A row on the screen: a document line and one of its wrapped rows.
struct RowPlace {
    Position line = 0;
    size_t row = 0;
    auto operator<=>(const RowPlace &) const = default;
};

class EditorWindow {
public:
    explicit EditorWindow(HWND window);
    ~EditorWindow();
    EditorWindow(const EditorWindow &) = delete;
    EditorWindow &operator=(const EditorWindow &) = delete;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    // Kept alive while a call of the window procedure for it runs (a notification handler may
    // destroy the window); deleted by the last one out.
    int busy = 0;
    bool destroyed = false;

private:
    // messages.cpp: the component's own messages, from a table.
    bool ComponentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result);
    LRESULT WindowMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // editing.cpp: every change of the text goes through Commit, which moves the selection
    // with the changes, refreshes the view, places the caret and only then notifies the parent.
    enum class CaretAfter { Kept, AtEnd, AtStart };
    bool Commit(const Changes &changes, Position caretAt);
    bool ReplaceRange(Position start, Position end, std::string_view bytes, CaretAfter caret, bool typing = false);
    bool ReplaceSelection(std::string_view bytes, bool typing = false);
    bool UndoOrRedo(bool undo);
    void DeleteBack(bool word);
    void DeleteForward(bool word);
    void SetText(std::string_view bytes);
    void InsertNewLine();
    void InsertTab();

    // notify.cpp
    void Notify(SciNotification &notification);
    void NotifyChange(const Change &change);
    void NotifySavePoint();
    void RequestUpdateUI();

    // selection
    Position SelectionStart() const { return anchor < caret ? anchor : caret; }
    Position SelectionEnd() const { return anchor < caret ? caret : anchor; }
    void SetSelection(Position newAnchor, Position newCaret, bool scroll = true);
    void MoveCaret(Position pos, bool extend, bool keepColumn = false);
    Position WordLeft(Position pos) const;
    Position WordRight(Position pos) const;
    Position Column(Position pos);

    // view.cpp: measuring, wrapping, scrolling and the mapping between positions and points.
    void MakeFont();
    // Layouts from that line on are measured again; `restyle` also lexes those lines again.
    // The whole window is painted again unless `repaint` is false (the caller then asks for
    // the part that changed).
    void InvalidateLayout(Position fromLine = 0, bool restyle = false, bool repaint = true);
    // The rows from shortly before the one of pos down to the window's bottom are painted again.
    void InvalidateFrom(Position pos);
    // The width of one UTF-16 unit (a pair's first unit carries the pair's width), from a
    // table filled as characters are first met, so a line is measured without the system.
    int UnitWidth(HDC dc, const wchar_t *units, size_t at, size_t count);
    const LineLayout &Layout(Position line);
    void StyleLine(Position line, LineLayout &layout);
    int TextLeft() const;
    int TextWidth() const;
    int RowsOnScreen() const;
    size_t RowCount(Position line);
    void ClampTop();
    RowPlace PlaceOf(Position pos, int &x);
    bool NextRow(RowPlace &place);
    bool PreviousRow(RowPlace &place);
    RowPlace LastRow();
    RowPlace TopLimit();
    Position PositionAt(RowPlace place, int x);
    Position PositionFromPoint(int x, int y, bool close);
    bool PointOf(Position pos, POINT &point);
    void ScrollRows(int rows);
    void ScrollTo(RowPlace top);
    void ScrollHorizontally(int pixels);
    void EnsureCaretVisible();
    void UpdateScrollBars();
    void OnVerticalScroll(WPARAM wParam);
    void OnHorizontalScroll(WPARAM wParam);

    // paint.cpp
    void Paint();
    void PaintRow(HDC dc, RowPlace place, int y, const RECT &client);
    void PaintCaret(HDC dc, int x, int y);
    // Asks for the caret's old and new places to be painted again.
    void InvalidateCaret();
    void PaintMargins(HDC dc, const RECT &client, const std::vector<std::pair<Position, int>> &lineTops);
    void RestartCaretBlink();

    // input.cpp: keys, characters, mouse, the context menu and the clipboard.
    bool KeyDown(WPARAM key);
    void Character(wchar_t c);
    void MoveVertically(int rows, bool extend);
    void SelectWordAt(Position pos);
    void MouseDown(int x, int y, bool extend, bool wordWise);
    void MouseMove(int x, int y);
    void ContextMenu(int x, int y);
    void Copy();
    void Cut();
    void Paste();
    void Clear();

    HWND hwnd;
    TextDocument doc;
    Position anchor = 0;
    Position caret = 0;
    Position targetStart = 0;
    Position targetEnd = 0;
    int caretColumnX = -1;  // the x that up and down keep; -1 until one of them is used

    std::array<Style, STYLE_COUNT> styles;
    std::array<Margin, SC_MARGIN_COUNT> margins;
    COLORREF caretColour = RGB(0, 0, 0);
    int caretPeriod = 500;
    int caretStyle = 1;
    int tabWidth = 8;
    int indent = 0;
    bool useTabs = true;
    int wrapMode = SC_WRAP_NONE;
    int fontQuality = 0;
    int modEventMask = SC_MODEVENTMASKALL;
    EditorLexer *lexer = nullptr;

    // focus and caret blinking
    bool hasFocus = false;
    bool caretOn = true;
    RECT caretPainted{};  // where the caret was last drawn; empty when it was not

    // notification state
    bool reportedAtSavePoint = true;
    bool updateUIPosted = false;

    // view state
    HFONT font = nullptr;
    int lineHeight = 16;
    int spaceWidth = 8;
    RowPlace top;
    int xOffset = 0;
    int scrollWidth = 2000;  // horizontal extent, grown as wider lines are measured
    std::unordered_map<Position, LineLayout> layouts;
    std::vector<short> unitWidths;  // per UTF-16 unit in the font; -1 until measured
    bool updatingScrollBars = false;
    bool horizontalBarShown = true;
    // What the scroll bars were last given: setting a bar costs the system milliseconds on a
    // long text, so a change of the text that leaves the bars as they were does not set them.
    struct BarState {
        int max = -1, page = -1, pos = -1;
        bool operator==(const BarState &) const = default;
    };
    BarState verticalBar, horizontalBar;
    std::vector<int> lineEndStates;  // lexer state at the end of each line
    Position statesKnown = 0;        // lines whose end state is known

    // mouse
    bool dragging = false;
    int wheelDelta = 0;
    wchar_t pendingHighSurrogate = 0;
};

}  // namespace editor
