// The messages and notifications of the editing component (window class "Scintilla", in
// Scintilla.dll beside Kavlo.exe). Positions and lengths count bytes of UTF-8 text; colours are
// 0x00BBGGRR. Every copy into a caller's buffer ends with a NUL, so a buffer needs the length
// asked for plus one byte; a null buffer asks for the length only.
#pragma once

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#endif

// Text.
constexpr unsigned SCI_INSERTTEXT = 2003;      // (position or -1 for the caret, text)
constexpr unsigned SCI_GETLENGTH = 2006;       // bytes of the document
constexpr unsigned SCI_FINDTEXT = 2150;        // (SCFIND_* flags, SciTextToFind *) -> position or -1
constexpr unsigned SCI_GETLINE = 2153;         // (line, buffer): the line with its line end
constexpr unsigned SCI_GETSELTEXT = 2161;      // (0, buffer)
constexpr unsigned SCI_GETTEXTRANGE = 2162;    // (0, SciTextRange *): cpMax -1 is the end
constexpr unsigned SCI_REPLACESEL = 2170;      // (0, text): the caret ends after it
constexpr unsigned SCI_SETTEXT = 2181;         // (0, text): only while writable
constexpr unsigned SCI_GETTEXT = 2182;         // (buffer length, buffer)
constexpr unsigned SCI_GETTEXTLENGTH = 2183;
constexpr unsigned SCI_SETTARGETSTART = 2190;
constexpr unsigned SCI_SETTARGETEND = 2192;
constexpr unsigned SCI_REPLACETARGET = 2194;   // (length or -1 for a NUL-ended text, text)
constexpr unsigned SCI_APPENDTEXT = 2282;      // (length, bytes): the caret stays

// Editing.
constexpr unsigned SCI_REDO = 2011;
constexpr unsigned SCI_SELECTALL = 2013;
constexpr unsigned SCI_BEGINUNDOACTION = 2078;  // everything up to the matching end is one undo step
constexpr unsigned SCI_ENDUNDOACTION = 2079;
constexpr unsigned SCI_SETREADONLY = 2171;
constexpr unsigned SCI_EMPTYUNDOBUFFER = 2175;  // nothing is left to undo or redo
constexpr unsigned SCI_UNDO = 2176;
constexpr unsigned SCI_CUT = 2177;
constexpr unsigned SCI_COPY = 2178;
constexpr unsigned SCI_PASTE = 2179;
constexpr unsigned SCI_CLEAR = 2180;

// Caret, selection and positions.
constexpr unsigned SCI_GETCURRENTPOS = 2008;
constexpr unsigned SCI_POSITIONFROMPOINT = 2022;       // (x, y): the nearest position
constexpr unsigned SCI_POSITIONFROMPOINTCLOSE = 2023;  // (x, y): -1 unless over or beside text
constexpr unsigned SCI_GOTOLINE = 2024;
constexpr unsigned SCI_GOTOPOS = 2025;                 // empty selection, scrolled into view
constexpr unsigned SCI_GETCOLUMN = 2129;               // tabs expanded
constexpr unsigned SCI_GETLINEENDPOSITION = 2136;      // before the line end characters
constexpr unsigned SCI_GETSELECTIONSTART = 2143;
constexpr unsigned SCI_GETSELECTIONEND = 2145;
constexpr unsigned SCI_GETLINECOUNT = 2154;
constexpr unsigned SCI_SETSEL = 2160;                  // (anchor, caret); caret -1 is the end
constexpr unsigned SCI_LINEFROMPOSITION = 2166;
constexpr unsigned SCI_POSITIONFROMLINE = 2167;
constexpr unsigned SCI_SCROLLCARET = 2169;
constexpr unsigned SCI_ENSUREVISIBLE = 2232;
constexpr unsigned SCI_SETFOCUS = 2380;
constexpr unsigned SCI_POSITIONRELATIVE = 2670;        // (position, characters): 0 when outside

// Look.
constexpr unsigned SCI_SETBUFFEREDDRAW = 2035;
constexpr unsigned SCI_SETTABWIDTH = 2036;
constexpr unsigned SCI_SETCODEPAGE = 2037;
constexpr unsigned SCI_STYLECLEARALL = 2050;   // every style becomes a copy of STYLE_DEFAULT
constexpr unsigned SCI_STYLESETFORE = 2051;    // (style, colour)
constexpr unsigned SCI_STYLESETBACK = 2052;
constexpr unsigned SCI_STYLESETBOLD = 2053;
constexpr unsigned SCI_STYLESETSIZE = 2055;    // (style, points)
constexpr unsigned SCI_STYLESETFONT = 2056;    // (style, UTF-8 face name)
constexpr unsigned SCI_SETCARETFORE = 2069;
constexpr unsigned SCI_SETCARETPERIOD = 2076;  // milliseconds, 0 for a steady caret
constexpr unsigned SCI_SETINDENT = 2122;
constexpr unsigned SCI_SETUSETABS = 2124;
constexpr unsigned SCI_SETMARGINTYPEN = 2240;  // (margin 0-4, SC_MARGIN_*)
constexpr unsigned SCI_SETMARGINWIDTHN = 2242; // (margin, pixels)
constexpr unsigned SCI_GETMARGINWIDTHN = 2243;
constexpr unsigned SCI_SETWRAPMODE = 2268;     // SC_WRAP_*
constexpr unsigned SCI_SETLAYOUTCACHE = 2272;
constexpr unsigned SCI_SETMODEVENTMASK = 2359; // which SC_MOD_* changes are notified
constexpr unsigned SCI_STYLEGETFONT = 2486;    // (style, buffer) -> length of the face name
constexpr unsigned SCI_SETCARETSTYLE = 2512;   // 0 none, 1 line, 2 block
constexpr unsigned SCI_SETFONTQUALITY = 2611;
constexpr unsigned SCI_SETTECHNOLOGY = 2630;
constexpr unsigned SCI_SETPHASESDRAW = 2674;

// Lexing: the lexer object comes from the lexer library's CreateLexer (editor_lexer.h).
constexpr unsigned SCI_SETLEXER = 4001;        // accepted; the component has no lexers of its own
constexpr unsigned SCI_SETKEYWORDS = 4005;     // (keyword set, blank-separated words)
constexpr unsigned SCI_SETILEXER = 4033;       // (0, lexer object): the component owns it from then on

// Notifications, sent as WM_NOTIFY to the parent window (wParam the control id).
constexpr unsigned SCN_SAVEPOINTREACHED = 2002;
constexpr unsigned SCN_SAVEPOINTLEFT = 2003;
constexpr unsigned SCN_UPDATEUI = 2007;        // caret, selection or text changed; posted, so it comes later
constexpr unsigned SCN_MODIFIED = 2008;        // after the change is complete and on the undo stack

// Modification types of SCN_MODIFIED: what changed, and who did it.
constexpr int SC_MOD_INSERTTEXT = 0x1;
constexpr int SC_MOD_DELETETEXT = 0x2;
constexpr int SC_PERFORMED_USER = 0x10;
constexpr int SC_PERFORMED_UNDO = 0x20;
constexpr int SC_PERFORMED_REDO = 0x40;
constexpr int SC_MODEVENTMASKALL = 0x7FFFFFFF;

// Values of the look and search messages.
constexpr int STYLE_DEFAULT = 32;
constexpr int STYLE_LINENUMBER = 33;
constexpr int STYLE_COUNT = 256;
constexpr int SC_MARGIN_SYMBOL = 0;
constexpr int SC_MARGIN_NUMBER = 1;
constexpr int SC_MARGIN_COUNT = 5;
constexpr int SC_WRAP_NONE = 0;
constexpr int SC_WRAP_WORD = 1;
constexpr int SC_WRAP_CHAR = 2;
constexpr int SC_CP_UTF8 = 65001;
constexpr int SCLEX_CPP = 3;
constexpr int SCFIND_WHOLEWORD = 2;
constexpr int SCFIND_MATCHCASE = 4;

// The range structures of SCI_GETTEXTRANGE and SCI_FINDTEXT carry 32-bit positions.
struct SciCharRange {
    int32_t cpMin;
    int32_t cpMax;
};

struct SciTextRange {
    SciCharRange chrg;
    char *lpstrText;
};

struct SciTextToFind {
    SciCharRange chrg;    // searched from cpMin towards cpMax (backwards when cpMin > cpMax)
    const char *lpstrText;
    SciCharRange chrgText;  // the match found
};

#ifdef _WIN32
struct SciNotification {
    NMHDR nmhdr;
    intptr_t position;      // SCN_MODIFIED: where the text was inserted or deleted
    int ch;
    int modifiers;
    int modificationType;   // SC_MOD_* | SC_PERFORMED_*
    const char *text;       // the inserted or deleted bytes, valid during the notification only
    intptr_t length;
    intptr_t linesAdded;    // negative when lines were deleted
    int updated;
};
#endif
