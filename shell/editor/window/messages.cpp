// The component's messages: one table from message number to what it does.
#include "editor_window.h"
#include "text_search.h"
#include "utf8_text.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace editor {

namespace {

const char *TextOf(LPARAM lParam) {
    const char *text = reinterpret_cast<const char *>(lParam);
    return text ? text : "";
}

// Copies bytes [start, end) of the document and a NUL into buffer (when there is one) and
// answers the byte count.
LRESULT CopyOut(const TextDocument &doc, Position start, Position end, LPARAM buffer) {
    char *out = reinterpret_cast<char *>(buffer);
    if (out) {
        doc.CopyText(start, end, out);
        out[end - start] = '\0';
    }
    return LRESULT(end - start);
}

bool ValidStyle(WPARAM style) { return style < WPARAM(STYLE_COUNT); }
bool ValidMargin(WPARAM margin) { return margin < WPARAM(SC_MARGIN_COUNT); }

// The largest sizes the look messages accept, so that no later sum overflows.
constexpr LPARAM MAX_MARGIN_WIDTH = 4000;
constexpr LPARAM MAX_FONT_POINTS = 500;
constexpr LPARAM MAX_TAB_WIDTH = 256;
// Face names are cut to this many bytes (the shell reads them into 256-byte buffers).
constexpr size_t MAX_FACE_BYTES = 255;

}  // namespace

LRESULT EditorWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ComponentMessage(message, wParam, lParam, result)) return result;
    return WindowMessage(message, wParam, lParam);
}

bool EditorWindow::ComponentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result) {
    using Handler = LRESULT (*)(EditorWindow &, WPARAM, LPARAM);
    static const std::unordered_map<UINT, Handler> table = {
        // text
        {SCI_SETTEXT, [](EditorWindow &e, WPARAM, LPARAM l) -> LRESULT {
             if (e.doc.ReadOnly()) return 0;
             e.SetText(TextOf(l));
             return 1;
         }},
        {SCI_GETTEXT, [](EditorWindow &e, WPARAM w, LPARAM l) -> LRESULT {
             if (!l) return LRESULT(e.doc.Length());
             if (w == 0) return 0;
             return CopyOut(e.doc, 0, std::min<Position>(Position(w - 1), e.doc.Length()), l);
         }},
        {SCI_GETTEXTLENGTH, [](EditorWindow &e, WPARAM, LPARAM) -> LRESULT { return LRESULT(e.doc.Length()); }},
        {SCI_GETLENGTH, [](EditorWindow &e, WPARAM, LPARAM) -> LRESULT { return LRESULT(e.doc.Length()); }},
        {SCI_APPENDTEXT, [](EditorWindow &e, WPARAM w, LPARAM l) -> LRESULT {
             if (!l || Position(w) <= 0) return 0;
             Position end = e.doc.Length();
             e.ReplaceRange(end, end, std::string_view(TextOf(l), size_t(w)), CaretAfter::Kept);
             return 0;
         }},
        {SCI_INSERTTEXT, [](EditorWindow &e, WPARAM w, LPARAM l) -> LRESULT {
             Position pos = Position(w) == -1 ? e.caret : Position(w);
             if (pos < 0 || pos > e.doc.Length()) return 0;
             e.ReplaceRange(pos, pos, TextOf(l), CaretAfter::Kept);
             return 0;
         }},
        {SCI_GETTEXTRANGE, [](EditorWindow &e, WPARAM, LPARAM l) -> LRESULT {
             auto *range = reinterpret_cast<SciTextRange *>(l);
             if (!range) return 0;
             Position length = e.doc.Length();
             Position start = std::clamp<Position>(range->chrg.cpMin, 0, length);
             Position end = range->chrg.cpMax == -1 ? length : std::clamp<Position>(range->chrg.cpMax, 0, length);
             if (end < start) end = start;
             return CopyOut(e.doc, start, end, LPARAM(range->lpstrText));
         }},
        {SCI_GETLINE, [](EditorWindow &e, WPARAM w, LPARAM l) -> LRESULT {
             auto line = Position(w);
             if (line < 0 || line >= e.doc.LineCount()) return 0;
             Position end = line + 1 < e.doc.LineCount() ? e.doc.LineStart(line + 1) : e.doc.Length();
             return CopyOut(e.doc, e.doc.LineStart(line), end, l);
         }},
        {SCI_GETSELTEXT, [](EditorWindow &e, WPARAM, LPARAM l) -> LRESULT {
             return CopyOut(e.doc, e.SelectionStart(), e.SelectionEnd(), l);
         }},
        {SCI_REPLACESEL, [](EditorWindow &e, WPARAM, LPARAM l) -> LRESULT {
             if (l) e.ReplaceSelection(TextOf(l));
             return 0;
         }},
        {SCI_SETTARGETSTART, [](EditorWindow &e, WPARAM w, LPARAM) -> LRESULT {
             e.targetStart = Position(w);
             return 0;
         }},
        {SCI_SETTARGETEND, [](EditorWindow &e, WPARAM w, LPARAM) -> LRESULT {
             e.targetEnd = Position(w);
             return 0;
         }},
        {SCI_REPLACETARGET, [](EditorWindow &e, WPARAM w, LPARAM l) -> LRESULT {
             const char *text = TextOf(l);
             Position length = Position(w) == -1 ? Position(std::strlen(text)) : Position(w);
             if (length < 0 || (!l && length > 0)) return 0;
             Position start = std::clamp<Position>(std::min(e.targetStart, e.targetEnd), 0, e.doc.Length());
             Position end = std::clamp<Position>(std::max(e.targetStart, e.targetEnd), 0, e.doc.Length());
             if (!e.ReplaceRange(start, end, std::string_view(text, size_t(length)), CaretAfter::Kept)) return 0;
             e.targetStart = start;
             e.targetEnd = start + length;
             return LRESULT(length);
         }},
        {SCI_FINDTEXT, [](EditorWindow &e, WPARAM w, LPARAM l) -> LRESULT {
             auto *find = reinterpret_cast<SciTextToFind *>(l);
             if (!find || !find->lpstrText) return -1;
             Position to = find->chrg.cpMax == -1 ? e.doc.Length() : Position(find->chrg.cpMax);
             SearchOptions options{(w & SCFIND_MATCHCASE) != 0, (w & SCFIND_WHOLEWORD) != 0};
             Position end = 0;
             Position found = FindInDocument(e.doc, find->chrg.cpMin, to, find->lpstrText, options, end);
             if (found >= 0) find->chrgText = {int32_t(found), int32_t(end)};
             return LRESULT(found);
         }},

        // editing
        {SCI_BEGINUNDOACTION, [](EditorWindow &e, WPARAM, LPARAM) -> LRESULT {
             e.doc.BeginUndoGroup();
             return 0;
         }},
        {SCI_ENDUNDOACTION, [](EditorWindow &e, WPARAM, LPARAM) -> LRESULT {
             e.doc.EndUndoGroup();
             return 0;
         }},
        {SCI_EMPTYUNDOBUFFER, [](EditorWindow &e, WPARAM, LPARAM) -> LRESULT {
             e.doc.EmptyUndoHistory();
             return 0;
         }},
        {SCI_UNDO, [](EditorWindow &e, WPARAM, LPARAM) -> LRESULT { return e.UndoOrRedo(true); }},
        {SCI_REDO, [](EditorWindow &e, WPARAM, LPARAM) -> LRESULT { return e.UndoOrRedo(false); }},
        {SCI_CUT, [](EditorWindow &e, WPARAM, LPARAM) -> LRESULT { return e.Cut(), 0; }},
        {SCI_COPY, [](EditorWindow &e, WPARAM, LPARAM) -> LRESULT { return e.Copy(), 0; }},
        {SCI_PASTE, [](EditorWindow &e, WPARAM, LPARAM) -> LRESULT { return e.Paste(), 0; }},
        {SCI_CLEAR, [](EditorWindow &e, WPARAM, LPARAM) -> LRESULT { return e.Clear(), 0; }},
        {SCI_SELECTALL, [](EditorWindow &e, WPARAM, LPARAM) -> LRESULT {
             e.SetSelection(0, e.doc.Length(), false);
             return 0;
         }},
        {SCI_SETREADONLY, [](EditorWindow &e, WPARAM w, LPARAM) -> LRESULT {
             e.doc.SetReadOnly(w != 0);
             return 0;
         }},

        // caret, selection and positions
        {SCI_GETCURRENTPOS, [](EditorWindow &e, WPARAM, LPARAM) -> LRESULT { return LRESULT(e.caret); }},
        {SCI_GOTOPOS, [](EditorWindow &e, WPARAM w, LPARAM) -> LRESULT {
             Position pos = CharacterStart(e.doc, Position(w));
             e.SetSelection(pos, pos);
             return 0;
         }},
        {SCI_GOTOLINE, [](EditorWindow &e, WPARAM w, LPARAM) -> LRESULT {
             Position pos = e.doc.LineStart(Position(w));
             e.SetSelection(pos, pos);
             return 0;
         }},
        {SCI_SETSEL, [](EditorWindow &e, WPARAM w, LPARAM l) -> LRESULT {
             Position newCaret = Position(l) < 0 ? e.doc.Length() : CharacterStart(e.doc, Position(l));
             Position newAnchor = Position(w) < 0 ? newCaret : CharacterStart(e.doc, Position(w));
             e.SetSelection(newAnchor, newCaret);
             return 0;
         }},
        {SCI_GETSELECTIONSTART, [](EditorWindow &e, WPARAM, LPARAM) -> LRESULT { return LRESULT(e.SelectionStart()); }},
        {SCI_GETSELECTIONEND, [](EditorWindow &e, WPARAM, LPARAM) -> LRESULT { return LRESULT(e.SelectionEnd()); }},
        {SCI_LINEFROMPOSITION, [](EditorWindow &e, WPARAM w, LPARAM) -> LRESULT {
             return LRESULT(e.doc.LineFromPosition(Position(w)));
         }},
        {SCI_POSITIONFROMLINE, [](EditorWindow &e, WPARAM w, LPARAM) -> LRESULT {
             auto line = Position(w);
             if (line < 0 || line > e.doc.LineCount()) return -1;
             return LRESULT(line == e.doc.LineCount() ? e.doc.Length() : e.doc.LineStart(line));
         }},
        {SCI_GETLINEENDPOSITION, [](EditorWindow &e, WPARAM w, LPARAM) -> LRESULT {
             return LRESULT(e.doc.LineEnd(Position(w)));
         }},
        {SCI_GETCOLUMN, [](EditorWindow &e, WPARAM w, LPARAM) -> LRESULT { return LRESULT(e.Column(Position(w))); }},
        {SCI_GETLINECOUNT, [](EditorWindow &e, WPARAM, LPARAM) -> LRESULT { return LRESULT(e.doc.LineCount()); }},
        {SCI_POSITIONRELATIVE, [](EditorWindow &e, WPARAM w, LPARAM l) -> LRESULT {
             Position pos = Position(w);
             if (pos < 0 || pos > e.doc.Length()) return 0;
             for (Position n = Position(l); n != 0; n += n > 0 ? -1 : 1) {
                 Position next = n > 0 ? NextCharacter(e.doc, pos) : PreviousCharacter(e.doc, pos);
                 if (next == pos) return 0;  // ran out of the document
                 pos = next;
             }
             return LRESULT(pos);
         }},
        {SCI_POSITIONFROMPOINT, [](EditorWindow &e, WPARAM w, LPARAM l) -> LRESULT {
             return LRESULT(e.PositionFromPoint(int(w), int(l), false));
         }},
        {SCI_POSITIONFROMPOINTCLOSE, [](EditorWindow &e, WPARAM w, LPARAM l) -> LRESULT {
             return LRESULT(e.PositionFromPoint(int(w), int(l), true));
         }},
        {SCI_SCROLLCARET, [](EditorWindow &e, WPARAM, LPARAM) -> LRESULT {
             e.EnsureCaretVisible();
             return 0;
         }},
        // no line is ever hidden, so every line is visible already
        {SCI_ENSUREVISIBLE, [](EditorWindow &, WPARAM, LPARAM) -> LRESULT { return 0; }},
        {SCI_SETFOCUS, [](EditorWindow &e, WPARAM w, LPARAM) -> LRESULT {
             e.hasFocus = w != 0;
             e.RestartCaretBlink();
             InvalidateRect(e.hwnd, nullptr, FALSE);  // the selection changes its colour
             return 0;
         }},

        // look
        {SCI_SETCODEPAGE, [](EditorWindow &, WPARAM, LPARAM) -> LRESULT { return 0; }},  // always UTF-8
        {SCI_SETTABWIDTH, [](EditorWindow &e, WPARAM w, LPARAM) -> LRESULT {
             if (w >= 1 && LPARAM(w) <= MAX_TAB_WIDTH) e.tabWidth = int(w), e.InvalidateLayout();
             return 0;
         }},
        {SCI_SETINDENT, [](EditorWindow &e, WPARAM w, LPARAM) -> LRESULT {
             if (LPARAM(w) <= MAX_TAB_WIDTH) e.indent = int(w);
             return 0;
         }},
        {SCI_SETUSETABS, [](EditorWindow &e, WPARAM w, LPARAM) -> LRESULT {
             e.useTabs = w != 0;
             return 0;
         }},
        // drawing is always buffered, in one phase, with layouts cached per line
        {SCI_SETBUFFEREDDRAW, [](EditorWindow &, WPARAM, LPARAM) -> LRESULT { return 0; }},
        {SCI_SETTECHNOLOGY, [](EditorWindow &, WPARAM, LPARAM) -> LRESULT { return 0; }},
        {SCI_SETPHASESDRAW, [](EditorWindow &, WPARAM, LPARAM) -> LRESULT { return 0; }},
        {SCI_SETLAYOUTCACHE, [](EditorWindow &, WPARAM, LPARAM) -> LRESULT { return 0; }},
        {SCI_SETFONTQUALITY, [](EditorWindow &e, WPARAM w, LPARAM) -> LRESULT {
             if (w <= 3) e.fontQuality = int(w), e.MakeFont();
             return 0;
         }},
        {SCI_STYLECLEARALL, [](EditorWindow &e, WPARAM, LPARAM) -> LRESULT {
             for (int i = 0; i < STYLE_COUNT; ++i)
                 if (i != STYLE_DEFAULT) e.styles[size_t(i)] = e.styles[STYLE_DEFAULT];
             // line numbers stay on the window-frame colour, apart from the text
             e.styles[STYLE_LINENUMBER].back = GetSysColor(COLOR_BTNFACE);
             e.MakeFont();
             return 0;
         }},
        {SCI_STYLESETFORE, [](EditorWindow &e, WPARAM w, LPARAM l) -> LRESULT {
             if (ValidStyle(w)) e.styles[w].fore = COLORREF(l) & 0xFFFFFF, InvalidateRect(e.hwnd, nullptr, FALSE);
             return 0;
         }},
        {SCI_STYLESETBACK, [](EditorWindow &e, WPARAM w, LPARAM l) -> LRESULT {
             if (ValidStyle(w)) e.styles[w].back = COLORREF(l) & 0xFFFFFF, InvalidateRect(e.hwnd, nullptr, FALSE);
             return 0;
         }},
        {SCI_STYLESETBOLD, [](EditorWindow &e, WPARAM w, LPARAM l) -> LRESULT {
             if (ValidStyle(w)) e.styles[w].bold = l != 0;
             return 0;
         }},
        {SCI_STYLESETSIZE, [](EditorWindow &e, WPARAM w, LPARAM l) -> LRESULT {
             if (ValidStyle(w) && l >= 1 && l <= MAX_FONT_POINTS) {
                 e.styles[w].size = int(l);
                 if (w == WPARAM(STYLE_DEFAULT)) e.MakeFont();
             }
             return 0;
         }},
        {SCI_STYLESETFONT, [](EditorWindow &e, WPARAM w, LPARAM l) -> LRESULT {
             if (!ValidStyle(w) || !l) return 0;
             std::string_view face = TextOf(l);
             e.styles[w].font = face.substr(0, Utf8PrefixLength(face, MAX_FACE_BYTES));
             if (w == WPARAM(STYLE_DEFAULT)) e.MakeFont();
             return 0;
         }},
        {SCI_STYLEGETFONT, [](EditorWindow &e, WPARAM w, LPARAM l) -> LRESULT {
             if (!ValidStyle(w)) return 0;
             const std::string &face = e.styles[w].font;
             if (char *out = reinterpret_cast<char *>(l)) std::memcpy(out, face.c_str(), face.size() + 1);
             return LRESULT(face.size());
         }},
        {SCI_SETCARETFORE, [](EditorWindow &e, WPARAM w, LPARAM) -> LRESULT {
             e.caretColour = COLORREF(w) & 0xFFFFFF;
             return 0;
         }},
        {SCI_SETCARETPERIOD, [](EditorWindow &e, WPARAM w, LPARAM) -> LRESULT {
             e.caretPeriod = int(std::min<WPARAM>(w, 60000));
             e.RestartCaretBlink();
             return 0;
         }},
        {SCI_SETCARETSTYLE, [](EditorWindow &e, WPARAM w, LPARAM) -> LRESULT {
             if (w <= 2) e.caretStyle = int(w);
             return 0;
         }},
        {SCI_SETMARGINTYPEN, [](EditorWindow &e, WPARAM w, LPARAM l) -> LRESULT {
             if (ValidMargin(w)) e.margins[w].type = int(l), InvalidateRect(e.hwnd, nullptr, FALSE);
             return 0;
         }},
        {SCI_SETMARGINWIDTHN, [](EditorWindow &e, WPARAM w, LPARAM l) -> LRESULT {
             if (ValidMargin(w) && l >= 0 && l <= MAX_MARGIN_WIDTH) e.margins[w].width = int(l), e.InvalidateLayout();
             return 0;
         }},
        {SCI_GETMARGINWIDTHN, [](EditorWindow &e, WPARAM w, LPARAM) -> LRESULT {
             return ValidMargin(w) ? e.margins[w].width : 0;
         }},
        {SCI_SETWRAPMODE, [](EditorWindow &e, WPARAM w, LPARAM) -> LRESULT {
             e.wrapMode = int(w);
             e.xOffset = 0;
             e.InvalidateLayout();
             return 0;
         }},
        {SCI_SETMODEVENTMASK, [](EditorWindow &e, WPARAM w, LPARAM) -> LRESULT {
             e.modEventMask = int(w);
             return 0;
         }},

        // lexing
        {SCI_SETLEXER, [](EditorWindow &, WPARAM, LPARAM) -> LRESULT { return 0; }},
        {SCI_SETILEXER, [](EditorWindow &e, WPARAM, LPARAM l) -> LRESULT {
             auto *lexer = reinterpret_cast<EditorLexer *>(l);
             if (lexer == e.lexer) return 0;
             if (e.lexer) e.lexer->Release();
             e.lexer = lexer;
             e.InvalidateLayout(0, true);
             return 0;
         }},
        {SCI_SETKEYWORDS, [](EditorWindow &e, WPARAM w, LPARAM l) -> LRESULT {
             if (e.lexer && l && w <= 8) e.lexer->SetKeywords(int(w), TextOf(l)), e.InvalidateLayout(0, true);
             return 0;
         }},
    };
    auto found = table.find(message);
    if (found == table.end()) return false;
    result = found->second(*this, wParam, lParam);
    return true;
}

}  // namespace editor
