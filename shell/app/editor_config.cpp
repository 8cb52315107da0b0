// One routine sets up every editor window (document editors and the console): fonts from
// the properties file, code page, tabs, the line-number margin, the C/C++ lexer with its
// keywords and colours, wrapping and the change notifications.
#include <algorithm>
#include <fstream>
#include <iterator>

#include "editor_messages.h"
#include "text_codec.h"
#include "tovrel.h"

namespace {

constexpr char kPropertiesFile[] = "editor.properties";
constexpr int kLexerNameBuffer = 256;
constexpr int kFontNameBuffer = 256;
constexpr int kMarginStartWidth = 40;
constexpr int kMarginPixelsPerDigit = 12, kMarginPadding = 8, kMarginMinimum = 30;
constexpr int kFixedStyleSize = 12;
constexpr char kFixedStyleFace[] = "Consolas";
constexpr char kDefaultLexer[] = "cpp";
constexpr const char *kLexerNames[] = {"cpp", "C++", "c++", "CPP"};
constexpr char kKeywords[] =
    "auto break case char const continue default do double else enum extern float for goto if int long register "
    "return short signed sizeof static struct switch typedef union unsigned void volatile while";

enum Style { Comment = 1, DocComment = 3, Keyword = 5, String = 6, Character = 7, Preprocessor = 9 };

struct StyleColour {
    int style;
    COLORREF colour;
};
constexpr StyleColour kColours[] = {
    {Comment, 0x008000}, {Keyword, 0xFF0000}, {String, 0x1515A3}, {Character, 0x808000}, {Preprocessor, 0x008080},
};

int decimalDigits(int64_t value) {
    int digits = 1;
    while (value >= 10) {
        value /= 10;
        ++digits;
    }
    return digits;
}

void setStyleFont(const GUI::ScintillaPrimitive &view, int style, const std::string &face, int size) {
    view.Send(SCI_STYLESETFONT, WPARAM(style), reinterpret_cast<LPARAM>(face.c_str()));
    view.Send(SCI_STYLESETSIZE, WPARAM(style), size);
}

} // namespace

void Tovrel::PreloadLexilla() {
    HMODULE module = LoadLibraryW(L"lexilla.dll");
    if (module == nullptr) {
        OutputDebugStringW(L"Failed to load lexilla.dll\n");
        return;
    }
    createLexer = reinterpret_cast<CreateLexerFn>(reinterpret_cast<void *>(GetProcAddress(module, "CreateLexer")));
    getLexerCount = reinterpret_cast<GetLexerCountFn>(reinterpret_cast<void *>(GetProcAddress(module, "GetLexerCount")));
    getLexerName = reinterpret_cast<GetLexerNameFn>(reinterpret_cast<void *>(GetProcAddress(module, "GetLexerName")));
    if (createLexer == nullptr || getLexerCount == nullptr || getLexerName == nullptr)
        OutputDebugStringW(L"Failed to get all Lexilla functions\n");
}

// Read again for every editor: entries are added or replaced, never removed.
void Tovrel::LoadProperties() {
    std::ifstream file(kPropertiesFile, std::ios::binary);
    if (file) readFontProperties(file, fontProperties);
}

FontSpec Tovrel::GetFontProperty(const std::wstring &key, const std::wstring &face, int size) {
    const auto found = fontProperties.find(key);
    return found != fontProperties.end() ? found->second : FontSpec{face, size};
}

void Tovrel::ConfigureEditor(HWND window) {
    const GUI::ScintillaPrimitive view = GUI::Scintilla(window);
    LoadProperties();
    const FontSpec mono = GetFontProperty(L"font.monospace", L"Consolas", 12);
    const FontSpec comment = GetFontProperty(L"font.comment", L"Georgia", 12);
    const std::string monoFace = wideToUtf8(mono.face), commentFace = wideToUtf8(comment.face);

    setStyleFont(view, STYLE_DEFAULT, monoFace, mono.size);
    view.Send(SCI_STYLECLEARALL);
    setStyleFont(view, STYLE_LINENUMBER, monoFace, mono.size);
    char face[kFontNameBuffer] = {};
    view.Send(SCI_STYLEGETFONT, STYLE_LINENUMBER, reinterpret_cast<LPARAM>(face));
    face[kFontNameBuffer - 1] = '\0';
    OutputDebugStringW((L"Line number font set to: " + utf8ToWide(face) + L"\n").c_str());

    setStyleFont(view, Comment, commentFace, comment.size);
    setStyleFont(view, DocComment, commentFace, comment.size);
    for (int style : {String, Keyword, Character, Preprocessor}) setStyleFont(view, style, kFixedStyleFace, kFixedStyleSize);
    view.Send(SCI_STYLESETBOLD, Keyword, 1);

    view.Send(SCI_SETFONTQUALITY, 3); // LCD optimised
    view.Send(SCI_SETTECHNOLOGY, 0);
    view.Send(SCI_SETPHASESDRAW, 0);
    view.Send(SCI_SETLAYOUTCACHE, 2);
    view.Send(SCI_SETBUFFEREDDRAW, 0);
    view.Send(SCI_SETCODEPAGE, SC_CP_UTF8);
    view.Send(SCI_SETINDENT, 4);
    view.Send(SCI_SETTABWIDTH, 4);
    view.Send(SCI_SETUSETABS, 0);

    if (showLineNumbers) {
        view.Send(SCI_SETMARGINTYPEN, 0, SC_MARGIN_NUMBER);
        view.Send(SCI_SETMARGINWIDTHN, 0, kMarginStartWidth);
        UpdateLineNumberMargin(window);
    } else {
        view.Send(SCI_SETMARGINTYPEN, 0, SC_MARGIN_SYMBOL);
        view.Send(SCI_SETMARGINWIDTHN, 0, 0);
    }
    SetupLexer(window);
    view.Send(SCI_SETWRAPMODE, wrapLines ? SC_WRAP_WORD : SC_WRAP_NONE);
    view.Send(SCI_SETMODEVENTMASK, SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT);
}

void Tovrel::SetupLexer(HWND window) {
    const GUI::ScintillaPrimitive view = GUI::Scintilla(window);
    if (createLexer != nullptr && getLexerCount != nullptr && getLexerName != nullptr) {
        char name[kLexerNameBuffer] = {};
        bool found = false;
        const int count = getLexerCount();
        for (int index = 0; index < count && !found; ++index) {
            std::fill(std::begin(name), std::end(name), '\0');
            getLexerName(unsigned(index), name, kLexerNameBuffer - 1);
            for (const char *wanted : kLexerNames) found = found || std::string(name) == wanted;
        }
        EditorLexer *lexer = createLexer(found ? name : kDefaultLexer);
        if (lexer != nullptr) {
            view.Send(SCI_SETILEXER, 0, reinterpret_cast<LPARAM>(lexer));
            view.Send(SCI_SETKEYWORDS, 0, reinterpret_cast<LPARAM>(kKeywords));
        }
    } else {
        view.Send(SCI_SETLEXER, SCLEX_CPP);
        view.Send(SCI_SETKEYWORDS, 0, reinterpret_cast<LPARAM>(kKeywords));
    }
    for (const StyleColour &c : kColours) view.Send(SCI_STYLESETFORE, WPARAM(c.style), LPARAM(c.colour));
}

// The width follows the digits of this editor's own line count, so the numbers are never cut
// (a count shared by all editors, or recomputed only after a tenth of growth, left 100 lines
// in a margin made for 99); it is sent only when it changes, as this runs after every
// insertion and deletion.
void Tovrel::UpdateLineNumberMargin(HWND window) {
    if (window == nullptr || !showLineNumbers) return;
    const GUI::ScintillaPrimitive view = GUI::Scintilla(window);
    const int64_t lines = std::max<int64_t>(view.Send(SCI_GETLINECOUNT), 1);
    const int width = std::max(kMarginPixelsPerDigit * decimalDigits(lines) + kMarginPadding, kMarginMinimum);
    if (view.Send(SCI_GETMARGINWIDTHN, 0) != width) view.Send(SCI_SETMARGINWIDTHN, 0, width);
}

HFONT Tovrel::CreatePointFont(const FontSpec &spec) {
    HWND main = mainWindow.GetHandle();
    HDC dc = GetDC(main);
    const int height = -MulDiv(spec.size, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(main, dc);
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, FIXED_PITCH | FF_MODERN, spec.face.c_str());
}
