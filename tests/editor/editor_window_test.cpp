// The editing component as the shell uses it: Scintilla.dll and Lexilla.dll loaded from the
// program's folder, a "Scintilla" child window driven by messages, its notices read by the parent.
#ifdef _WIN32

#include "editor_lexer.h"
#include "editor_messages.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Notice {
    unsigned code;
    UINT_PTR id;
    HWND from;
    intptr_t position;
    int type;
    std::string text;
    intptr_t linesAdded;
};

std::vector<Notice> notices;
// Runs inside the parent's handling of SCN_MODIFIED, as the shell's handlers do.
std::function<void(HWND, const SciNotification &)> onModified;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        const auto &n = *reinterpret_cast<const SciNotification *>(lParam);
        Notice notice{n.nmhdr.code, n.nmhdr.idFrom, HWND(n.nmhdr.hwndFrom), n.position, n.modificationType, "",
                      n.linesAdded};
        if (n.nmhdr.code == SCN_MODIFIED && n.text) notice.text.assign(n.text, size_t(n.length));
        notices.push_back(notice);
        if (n.nmhdr.code == SCN_MODIFIED && onModified) onModified(HWND(n.nmhdr.hwndFrom), n);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

constexpr int EDITOR_ID = 42;
constexpr wchar_t PARENT_CLASS[] = L"EditorTestParent";

class EditorWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        library = LoadLibraryW(L"Scintilla.dll");
        WNDCLASSW wc{};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = PARENT_CLASS;
        RegisterClassW(&wc);
    }

    void SetUp() override {
        ASSERT_NE(library, nullptr) << "Scintilla.dll is not in the working folder";
        parent = CreateWindowExW(0, PARENT_CLASS, L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 500, 400, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(parent, nullptr) << "no window could be made (no display?)";
        editor = CreateWindowExW(0, L"Scintilla", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP, 0, 0,
                                 400, 300, parent, HMENU(INT_PTR(EDITOR_ID)), GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(editor, nullptr);
        notices.clear();
        onModified = nullptr;
    }

    void TearDown() override {
        onModified = nullptr;
        if (parent) DestroyWindow(parent);
        Pump();
    }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageW(editor, message, wParam, lParam);
    }
    LRESULT SendText(UINT message, WPARAM wParam, const char *text) { return Send(message, wParam, LPARAM(text)); }
    void SetText(const char *text) { SendText(SCI_SETTEXT, 0, text); }
    std::string Text() {
        std::string text(size_t(Send(SCI_GETTEXTLENGTH)) + 1, '\0');
        Send(SCI_GETTEXT, text.size(), LPARAM(text.data()));
        text.pop_back();
        return text;
    }
    void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    void Type(const std::wstring &keys) {
        for (wchar_t c : keys) Send(WM_CHAR, c, 1);
    }
    std::vector<Notice> Modified() const {
        std::vector<Notice> out;
        for (const Notice &n : notices)
            if (n.code == SCN_MODIFIED) out.push_back(n);
        return out;
    }
    size_t Count(unsigned code) const {
        size_t n = 0;
        for (const Notice &notice : notices) n += notice.code == code;
        return n;
    }

    static HMODULE library;
    HWND parent = nullptr;
    HWND editor = nullptr;
};

HMODULE EditorWindow::library = nullptr;

// Holds keys down as far as GetKeyState can tell, for the life of the object.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys) {
        GetKeyboardState(saved);
        BYTE state[256];
        GetKeyboardState(state);
        for (int key : keys) state[key] = 0x80;
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(saved); }

private:
    BYTE saved[256];
};

}  // namespace

TEST_F(EditorWindow, TheClassComesFromTheLibraryAndWindowsOfTheProgramUseIt) {
    wchar_t name[32] = {};
    GetClassNameW(editor, name, 32);
    EXPECT_STREQ(name, L"Scintilla");
    EXPECT_EQ(GetDlgCtrlID(editor), EDITOR_ID);
    EXPECT_EQ(Send(SCI_GETLENGTH), 0);
    EXPECT_EQ(Send(SCI_GETLINECOUNT), 1);
    // the shell's message numbers: a document editor is set up without failing
    Send(SCI_SETCODEPAGE, SC_CP_UTF8);
    Send(SCI_SETTABWIDTH, 4);
    Send(SCI_SETINDENT, 4);
    Send(SCI_SETUSETABS, 0);
    Send(SCI_SETFONTQUALITY, 3);
    Send(SCI_SETTECHNOLOGY, 0);
    Send(SCI_SETPHASESDRAW, 0);
    Send(SCI_SETLAYOUTCACHE, 2);
    Send(SCI_SETBUFFEREDDRAW, 0);
    Send(SCI_SETLEXER, SCLEX_CPP);
    Send(SCI_SETWRAPMODE, SC_WRAP_WORD);
    Send(SCI_SETMODEVENTMASK, SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT);
    SetText("int main() { return 0; }\n");
    UpdateWindow(editor);
    EXPECT_EQ(Text(), "int main() { return 0; }\n");
}

TEST_F(EditorWindow, TextMessagesCopyWithANulAndAnswerLengths) {
    SetText("first line\r\nsecond\nthird");
    EXPECT_EQ(Send(SCI_GETTEXTLENGTH), 24);
    EXPECT_EQ(Send(SCI_GETLENGTH), 24);
    EXPECT_EQ(Send(SCI_GETTEXT, 0, LPARAM(0)), 24);  // no buffer: the length only

    char small[6] = "zzzzz";
    EXPECT_EQ(Send(SCI_GETTEXT, 4, LPARAM(small)), 3);
    EXPECT_STREQ(small, "fir");

    char line[32];
    std::memset(line, 'z', sizeof line);
    EXPECT_EQ(Send(SCI_GETLINE, 0, LPARAM(line)), 12);
    EXPECT_STREQ(line, "first line\r\n");
    EXPECT_EQ(Send(SCI_GETLINE, 2, LPARAM(line)), 5);
    EXPECT_STREQ(line, "third");
    EXPECT_EQ(Send(SCI_GETLINE, 3, LPARAM(line)), 0);
    EXPECT_EQ(Send(SCI_GETLINE, 1, LPARAM(0)), 7);

    char range[16];
    SciTextRange tr{{6, 10}, range};
    EXPECT_EQ(Send(SCI_GETTEXTRANGE, 0, LPARAM(&tr)), 4);
    EXPECT_STREQ(range, "line");
    tr.chrg = {18, -1};  // to the end
    EXPECT_EQ(Send(SCI_GETTEXTRANGE, 0, LPARAM(&tr)), 6);
    EXPECT_STREQ(range, "\nthird");
    tr.chrg = {10, 4};   // reversed: nothing
    EXPECT_EQ(Send(SCI_GETTEXTRANGE, 0, LPARAM(&tr)), 0);
    EXPECT_STREQ(range, "");

    Send(SCI_SETSEL, 6, 10);
    char selected[8];
    EXPECT_EQ(Send(SCI_GETSELTEXT, 0, LPARAM(selected)), 4);
    EXPECT_STREQ(selected, "line");
    SendText(SCI_REPLACESEL, 0, "row");
    EXPECT_EQ(Text(), "first row\r\nsecond\nthird");
    EXPECT_EQ(Send(SCI_GETCURRENTPOS), 9);  // after the replacement
    EXPECT_EQ(Send(SCI_GETSELECTIONSTART), 9);
    EXPECT_EQ(Send(SCI_GETSELECTIONEND), 9);

    // appending keeps the caret; inserting at -1 inserts at the caret
    Send(SCI_GOTOPOS, 2);
    SendText(SCI_APPENDTEXT, 2, "!\n??");
    EXPECT_EQ(Text(), "first row\r\nsecond\nthird!\n");
    EXPECT_EQ(Send(SCI_GETCURRENTPOS), 2);
    SendText(SCI_INSERTTEXT, WPARAM(-1), "<");
    SendText(SCI_INSERTTEXT, 0, ">");
    EXPECT_EQ(Text(), ">fi<rst row\r\nsecond\nthird!\n");
    SendText(SCI_INSERTTEXT, 999, "never");
    EXPECT_EQ(Send(SCI_GETLENGTH), 27);

    // target: the text between the ends is replaced, and the target covers the new text
    Send(SCI_SETTARGETSTART, 13);
    Send(SCI_SETTARGETEND, 19);
    EXPECT_EQ(SendText(SCI_REPLACETARGET, WPARAM(-1), "2nd"), 3);
    EXPECT_EQ(Text(), ">fi<rst row\r\n2nd\nthird!\n");
    Send(SCI_SETTARGETSTART, 0);
    Send(SCI_SETTARGETEND, 1);
    EXPECT_EQ(SendText(SCI_REPLACETARGET, 0, ""), 0);
    EXPECT_EQ(Text(), "fi<rst row\r\n2nd\nthird!\n");

    SetText(nullptr);
    EXPECT_EQ(Send(SCI_GETLENGTH), 0);
}

TEST_F(EditorWindow, FindTextReportsTheMatch) {
    SetText("banana Banana");
    SciTextToFind find{{0, 13}, "ana", {-1, -1}};
    EXPECT_EQ(Send(SCI_FINDTEXT, 0, LPARAM(&find)), 1);
    EXPECT_EQ(find.chrgText.cpMin, 1);
    EXPECT_EQ(find.chrgText.cpMax, 4);
    find = {{0, 13}, "banana", {-1, -1}};
    EXPECT_EQ(Send(SCI_FINDTEXT, SCFIND_MATCHCASE | SCFIND_WHOLEWORD, LPARAM(&find)), 0);
    find = {{1, 13}, "banana", {-1, -1}};
    EXPECT_EQ(Send(SCI_FINDTEXT, SCFIND_MATCHCASE, LPARAM(&find)), -1);
    EXPECT_EQ(Send(SCI_FINDTEXT, 0, LPARAM(&find)), 7);
    find = {{0, 13}, "ana", {-1, -1}};
    EXPECT_EQ(Send(SCI_FINDTEXT, SCFIND_WHOLEWORD, LPARAM(&find)), -1);
    EXPECT_EQ(Send(SCI_FINDTEXT, 0, LPARAM(0)), -1);
}

// Replace All as the shell runs it: one undo step restores the text.
TEST_F(EditorWindow, ReplaceAllIsOneUndoStep) {
    SetText("banana");
    int count = 0;
    Send(SCI_BEGINUNDOACTION);
    for (int32_t start = 0;;) {
        SciTextToFind find{{start, int32_t(Send(SCI_GETLENGTH))}, "a", {0, 0}};
        LRESULT found = Send(SCI_FINDTEXT, 0, LPARAM(&find));
        if (found < 0) break;
        Send(SCI_SETSEL, WPARAM(found), LPARAM(found + 1));
        SendText(SCI_REPLACESEL, 0, "aa");
        ++count;
        start = int32_t(found + 2);
    }
    Send(SCI_ENDUNDOACTION);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(Text(), "baanaanaa");
    Send(SCI_UNDO);
    EXPECT_EQ(Text(), "banana");
    Send(SCI_REDO);
    EXPECT_EQ(Text(), "baanaanaa");
    Send(SCI_UNDO);
    Send(SCI_UNDO);  // the SCI_SETTEXT
    EXPECT_EQ(Text(), "");
}

TEST_F(EditorWindow, CaretAndPositionMessages) {
    SetText("a\tb\r\n\xC3\xA9t\xE2\x82\xAC\nend");  // "a<tab>b", "ét€", "end"
    Send(SCI_SETTABWIDTH, 4);
    EXPECT_EQ(Send(SCI_GETLINECOUNT), 3);
    EXPECT_EQ(Send(SCI_LINEFROMPOSITION, 7), 1);
    EXPECT_EQ(Send(SCI_POSITIONFROMLINE, 1), 5);
    EXPECT_EQ(Send(SCI_POSITIONFROMLINE, 3), 15);  // one past the last line: the end
    EXPECT_EQ(Send(SCI_POSITIONFROMLINE, 4), -1);
    EXPECT_EQ(Send(SCI_GETLINEENDPOSITION, 0), 3);
    EXPECT_EQ(Send(SCI_GETLINEENDPOSITION, 1), 11);
    EXPECT_EQ(Send(SCI_GETCOLUMN, 2), 4);   // the tab reaches column 4
    EXPECT_EQ(Send(SCI_GETCOLUMN, 3), 5);
    EXPECT_EQ(Send(SCI_GETCOLUMN, 8), 2);   // "é" is one column of two bytes
    EXPECT_EQ(Send(SCI_POSITIONRELATIVE, 5, 3), 11);
    EXPECT_EQ(Send(SCI_POSITIONRELATIVE, 11, -2), 7);
    EXPECT_EQ(Send(SCI_POSITIONRELATIVE, 12, 4), 0);  // past the end
    EXPECT_EQ(Send(SCI_POSITIONRELATIVE, 3, 1), 5);   // "\r\n" is one step

    Send(SCI_GOTOPOS, 6);  // inside "é": its start
    EXPECT_EQ(Send(SCI_GETCURRENTPOS), 5);
    Send(SCI_GOTOLINE, 2);
    EXPECT_EQ(Send(SCI_GETCURRENTPOS), 12);
    Send(SCI_GOTOLINE, 99);
    EXPECT_EQ(Send(SCI_GETCURRENTPOS), 12);
    Send(SCI_SETSEL, 11, 2);  // anchor after the caret
    EXPECT_EQ(Send(SCI_GETCURRENTPOS), 2);
    EXPECT_EQ(Send(SCI_GETSELECTIONSTART), 2);
    EXPECT_EQ(Send(SCI_GETSELECTIONEND), 11);
    Send(SCI_SETSEL, 9, 9);  // inside "€": its start
    EXPECT_EQ(Send(SCI_GETSELECTIONEND), 8);
    Send(SCI_SETSEL, 4, WPARAM(-1));  // caret -1: the end
    EXPECT_EQ(Send(SCI_GETSELECTIONEND), 15);
    Send(SCI_SETSEL, WPARAM(-1), 7);  // anchor -1: no selection
    EXPECT_EQ(Send(SCI_GETSELECTIONSTART), 7);
    EXPECT_EQ(Send(SCI_GETSELECTIONEND), 7);
    Send(SCI_SELECTALL);
    EXPECT_EQ(Send(SCI_GETSELECTIONSTART), 0);
    EXPECT_EQ(Send(SCI_GETSELECTIONEND), 15);
    Send(SCI_SCROLLCARET);
    Send(SCI_ENSUREVISIBLE, 2);
    Send(SCI_SETFOCUS, 1);
}

TEST_F(EditorWindow, ModificationNoticesFollowTheChangeAndTheMask) {
    SetText("one");
    notices.clear();
    Send(SCI_SETSEL, 0, 3);
    SendText(SCI_REPLACESEL, 0, "two\nlines");
    std::vector<Notice> modified = Modified();
    ASSERT_EQ(modified.size(), 2u);
    EXPECT_EQ(modified[0].type, SC_MOD_DELETETEXT | SC_PERFORMED_USER);
    EXPECT_EQ(modified[0].position, 0);
    EXPECT_EQ(modified[0].text, "one");
    EXPECT_EQ(modified[1].type, SC_MOD_INSERTTEXT | SC_PERFORMED_USER);
    EXPECT_EQ(modified[1].text, "two\nlines");
    EXPECT_EQ(modified[1].linesAdded, 1);
    EXPECT_EQ(modified[1].from, editor);
    EXPECT_EQ(modified[1].id, UINT_PTR(EDITOR_ID));

    notices.clear();
    Send(SCI_UNDO);
    modified = Modified();
    ASSERT_EQ(modified.size(), 2u);
    EXPECT_EQ(modified[0].type, SC_MOD_DELETETEXT | SC_PERFORMED_UNDO);
    EXPECT_EQ(modified[1].type, SC_MOD_INSERTTEXT | SC_PERFORMED_UNDO);
    notices.clear();
    Send(SCI_REDO);
    EXPECT_EQ(Modified().at(0).type, SC_MOD_DELETETEXT | SC_PERFORMED_REDO);

    Send(SCI_SETMODEVENTMASK, SC_MOD_INSERTTEXT);
    notices.clear();
    SendText(SCI_SETTEXT, 0, "x");
    ASSERT_EQ(Modified().size(), 1u);
    EXPECT_EQ(Modified()[0].type & SC_MOD_INSERTTEXT, SC_MOD_INSERTTEXT);
    Send(SCI_SETMODEVENTMASK, 0);
    notices.clear();
    SendText(SCI_SETTEXT, 0, "y");
    EXPECT_EQ(Modified().size(), 0u);
}

TEST_F(EditorWindow, SavePointNoticesAndUpdateUIArriveInOrder) {
    Type(L"ab");
    ASSERT_EQ(Count(SCN_SAVEPOINTLEFT), 1u);
    // the save point is left after the change is told
    EXPECT_EQ(notices[0].code, SCN_MODIFIED);
    EXPECT_EQ(notices[1].code, SCN_SAVEPOINTLEFT);
    EXPECT_EQ(Count(SCN_UPDATEUI), 0u);  // posted: it comes with the next messages
    Pump();
    EXPECT_EQ(Count(SCN_UPDATEUI), 1u);
    notices.clear();
    Send(SCI_UNDO);  // the typed letters are one step
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(Count(SCN_SAVEPOINTREACHED), 1u);
    Send(SCI_REDO);
    EXPECT_EQ(Count(SCN_SAVEPOINTLEFT), 1u);
    Send(SCI_GOTOPOS, 1);
    Pump();
    EXPECT_EQ(Count(SCN_UPDATEUI), 1u);
}

// The terminal's guard: a change before the input start is undone from inside the handler of
// its own notice, and the caret goes back to the input start.
TEST_F(EditorWindow, UndoFromInsideTheModifiedNoticeIsSafe) {
    const char *welcome = "welcome\n~# ";
    const LRESULT inputStart = LRESULT(std::strlen(welcome));
    SetText(welcome);
    bool guard = false;
    int undone = 0;
    onModified = [&](HWND from, const SciNotification &n) {
        bool change = n.modificationType & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT);
        if (!change || n.position >= inputStart || guard) return;
        guard = true;
        SendMessageW(from, SCI_UNDO, 0, 0);
        guard = false;
        SendMessageW(from, SCI_GOTOPOS, WPARAM(inputStart), 0);
        SendMessageW(from, SCI_SETSEL, WPARAM(inputStart), LPARAM(inputStart));
        ++undone;
    };
    Send(SCI_GOTOPOS, 2);
    Type(L"x");
    EXPECT_EQ(Text(), welcome);
    EXPECT_EQ(Send(SCI_GETCURRENTPOS), inputStart);
    // typing over a selection that reaches into the output: the deletion's notice undoes the
    // whole replacement, and the insertion's stale notice is not sent
    notices.clear();
    Send(SCI_SETSEL, 3, WPARAM(inputStart));
    Type(L"y");
    EXPECT_EQ(Text(), welcome);
    std::vector<Notice> modified = Modified();
    ASSERT_EQ(modified.size(), 3u);
    EXPECT_EQ(modified[0].type, SC_MOD_DELETETEXT | SC_PERFORMED_USER);
    EXPECT_EQ(modified[1].type, SC_MOD_DELETETEXT | SC_PERFORMED_UNDO);
    EXPECT_EQ(modified[2].type, SC_MOD_INSERTTEXT | SC_PERFORMED_UNDO);
    // the shell's own replacement inside a group of its own
    Send(SCI_BEGINUNDOACTION);
    Send(SCI_SETSEL, 0, 1);
    SendText(SCI_REPLACESEL, 0, "W");
    Send(SCI_ENDUNDOACTION);
    EXPECT_EQ(Text(), welcome);
    EXPECT_EQ(undone, 3);
    // input after the input start stays
    Type(L"1+2");
    EXPECT_EQ(Text(), std::string(welcome) + "1+2");
    SendText(SCI_APPENDTEXT, 1, "\n");
    EXPECT_EQ(Text(), std::string(welcome) + "1+2\n");
    EXPECT_EQ(undone, 3);
}

TEST_F(EditorWindow, DestroyingTheWindowFromANoticeEndsTheChangeQuietly) {
    SetText("text");
    notices.clear();
    onModified = [&](HWND from, const SciNotification &) { DestroyWindow(from); };
    Send(SCI_SETSEL, 0, 4);
    SendText(SCI_REPLACESEL, 0, "new");
    EXPECT_FALSE(IsWindow(editor));
    EXPECT_EQ(Modified().size(), 1u);
    Pump();
}

TEST_F(EditorWindow, ReadOnlyRefusesEveryChange) {
    SetText("fixed");
    Send(SCI_SETSEL, 0, 2);
    Send(SCI_SETREADONLY, 1);
    notices.clear();
    EXPECT_EQ(SendText(SCI_SETTEXT, 0, "other"), 0);
    SendText(SCI_REPLACESEL, 0, "x");
    SendText(SCI_APPENDTEXT, 1, "x");
    SendText(SCI_INSERTTEXT, 0, "x");
    Send(SCI_SETTARGETSTART, 0);
    Send(SCI_SETTARGETEND, 5);
    EXPECT_EQ(SendText(SCI_REPLACETARGET, 1, "x"), 0);
    Type(L"typed");
    Send(WM_KEYDOWN, VK_BACK, 0);
    Send(WM_KEYDOWN, VK_RETURN, 0);
    Send(SCI_CUT);
    Send(SCI_CLEAR);
    Send(SCI_PASTE);
    EXPECT_EQ(Send(SCI_UNDO), 0);
    EXPECT_EQ(SendMessageW(editor, WM_SETTEXT, 0, LPARAM(L"w")), FALSE);
    EXPECT_EQ(Text(), "fixed");
    EXPECT_EQ(Modified().size(), 0u);
    Send(SCI_SETREADONLY, 0);
    SendText(SCI_REPLACESEL, 0, "mi");
    EXPECT_EQ(Text(), "mixed");
}

TEST_F(EditorWindow, WindowTextIsTheDocumentInUtf16) {
    SetText("1+2\n\xE4\xB8\xAD\xF0\x9F\x98\x80 3");  // 中 and U+1F600
    wchar_t text[32];
    EXPECT_EQ(GetWindowTextLengthW(editor), 9);
    EXPECT_EQ(GetWindowTextW(editor, text, 32), 9);
    EXPECT_STREQ(text, L"1+2\n\u4E2D\U0001F600 3");
    EXPECT_EQ(SendMessageW(editor, WM_GETTEXT, 3, LPARAM(text)), 2);
    EXPECT_STREQ(text, L"1+");
    EXPECT_TRUE(SetWindowTextW(editor, L"\u03B1=1"));
    EXPECT_EQ(Text(), "\xCE\xB1=1");
}

TEST_F(EditorWindow, KeysEditAndMove) {
    SetFocus(editor);
    Type(L"ab");
    Send(WM_KEYDOWN, VK_RETURN, 0);
    Type(L"c\U0001F600");  // a surrogate pair arrives as two characters
    EXPECT_EQ(Text(), "ab\r\nc\xF0\x9F\x98\x80");
    Send(WM_KEYDOWN, VK_BACK, 0);  // the whole character
    EXPECT_EQ(Text(), "ab\r\nc");
    Send(WM_KEYDOWN, VK_LEFT, 0);
    Send(WM_KEYDOWN, VK_LEFT, 0);  // over the line end at once
    EXPECT_EQ(Send(SCI_GETCURRENTPOS), 2);
    Send(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(Text(), "abc");
    Send(WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(Send(SCI_GETCURRENTPOS), 0);
    {
        HeldKeys shift{VK_SHIFT};
        Send(WM_KEYDOWN, VK_END, 0);
    }
    EXPECT_EQ(Send(SCI_GETSELECTIONSTART), 0);
    EXPECT_EQ(Send(SCI_GETSELECTIONEND), 3);
    Type(L"\t");  // a tab character comes as the Tab key, not as a character
    EXPECT_EQ(Text(), "abc");
    Send(SCI_SETUSETABS, 0);
    Send(SCI_SETINDENT, 4);
    Send(WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(Text(), "    ");
    {
        HeldKeys ctrl{VK_CONTROL};
        Send(WM_KEYDOWN, 'Z', 0);
    }
    EXPECT_EQ(Text(), "abc");
    Send(WM_KEYDOWN, VK_END, 0);
    Send(WM_KEYDOWN, VK_UP, 0);
    Send(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(Send(SCI_GETCURRENTPOS), 3);
    EXPECT_EQ(Send(WM_GETDLGCODE) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
}

TEST_F(EditorWindow, ClipboardCopiesCutsAndPastesUnicode) {
    SetText("x \xCF\x80=3.14");  // π
    Send(SCI_SETSEL, 2, 4);
    Send(SCI_COPY);
    Send(SCI_GOTOPOS, 0);
    Send(SCI_PASTE);
    EXPECT_EQ(Text(), "\xCF\x80x \xCF\x80=3.14");
    EXPECT_EQ(Send(SCI_GETCURRENTPOS), 2);
    Send(SCI_SETSEL, 0, 3);
    Send(SCI_CUT);
    EXPECT_EQ(Text(), " \xCF\x80=3.14");
    Send(SCI_GOTOPOS, 1);
    Send(SCI_PASTE);
    EXPECT_EQ(Text(), " \xCF\x80x\xCF\x80=3.14");
    Send(SCI_SETSEL, 0, 1);
    Send(SCI_CLEAR);
    Send(SCI_CLEAR);  // nothing selected: the character after the caret
    EXPECT_EQ(Text(), "x\xCF\x80=3.14");
}

TEST_F(EditorWindow, LookMessagesAndPainting) {
    SendText(SCI_STYLESETFONT, STYLE_DEFAULT, "Courier New");
    Send(SCI_STYLESETSIZE, STYLE_DEFAULT, 12);
    Send(SCI_STYLESETBACK, STYLE_DEFAULT, 0x00E0F0C0);
    Send(SCI_STYLECLEARALL);
    SendText(SCI_STYLESETFONT, STYLE_LINENUMBER, "Courier New");
    Send(SCI_STYLESETBACK, STYLE_LINENUMBER, 0x00102030);
    char face[256];
    EXPECT_EQ(Send(SCI_STYLEGETFONT, STYLE_LINENUMBER, LPARAM(face)), 11);
    EXPECT_STREQ(face, "Courier New");
    EXPECT_EQ(Send(SCI_STYLEGETFONT, STYLE_COUNT, LPARAM(face)), 0);
    std::string longFace(300, 'f');
    SendText(SCI_STYLESETFONT, 5, longFace.c_str());
    EXPECT_EQ(Send(SCI_STYLEGETFONT, 5, LPARAM(face)), 255);

    Send(SCI_SETMARGINTYPEN, 0, SC_MARGIN_NUMBER);
    Send(SCI_SETMARGINWIDTHN, 0, 40);
    EXPECT_EQ(Send(SCI_GETMARGINWIDTHN, 0), 40);
    EXPECT_EQ(Send(SCI_GETMARGINWIDTHN, 9), 0);
    Send(SCI_SETMARGINWIDTHN, 0, -5);
    EXPECT_EQ(Send(SCI_GETMARGINWIDTHN, 0), 40);
    Send(SCI_SETCARETFORE, 0);
    Send(SCI_SETCARETPERIOD, 500);
    Send(SCI_SETCARETSTYLE, 1);
    SetText("1\n2\n3");

    ShowWindow(parent, SW_SHOWNOACTIVATE);
    RedrawWindow(editor, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(editor);
    COLORREF margin = GetPixel(dc, 2, 200);
    COLORREF text = GetPixel(dc, 300, 200);
    ReleaseDC(editor, dc);
    EXPECT_EQ(margin, COLORREF(0x00102030));
    EXPECT_EQ(text, COLORREF(0x00E0F0C0));
}

TEST_F(EditorWindow, PointsAndPositions) {
    SendText(SCI_STYLESETFONT, STYLE_DEFAULT, "Courier New");
    Send(SCI_STYLECLEARALL);
    SetText("short\nlonger line");
    EXPECT_EQ(Send(SCI_POSITIONFROMPOINT, 0, 0), 0);
    EXPECT_EQ(Send(SCI_POSITIONFROMPOINT, 390, 0), 5);       // right of the text: the line end
    EXPECT_EQ(Send(SCI_POSITIONFROMPOINTCLOSE, 390, 0), -1);  // but not close to it
    EXPECT_EQ(Send(SCI_POSITIONFROMPOINT, 390, 290), 17);     // below the text: the last line
    EXPECT_EQ(Send(SCI_POSITIONFROMPOINTCLOSE, 10, 290), -1);
    EXPECT_EQ(Send(SCI_POSITIONFROMPOINTCLOSE, 3, 1), 0);
    // a click moves the caret there
    Send(WM_LBUTTONDOWN, 0, MAKELPARAM(200, 300));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(200, 300));
    EXPECT_EQ(Send(SCI_GETCURRENTPOS), 17);
}

// The view ends at the last row: a window that grows after it was scrolled to the end, or a
// text cut short below the view, shows the earlier rows again instead of empty space.
TEST_F(EditorWindow, TheViewFillsAgainWhenTheWindowGrowsOrTheTextShrinks) {
    for (int wrap : {SC_WRAP_NONE, SC_WRAP_WORD}) {
        Send(SCI_SETWRAPMODE, wrap);
        std::string lines;
        for (int i = 0; i < 200; ++i) lines += "line " + std::to_string(i) + "\n";
        SetText("one\ntwo\nthree\nfour\n>> ");
        SetWindowPos(editor, nullptr, 0, 0, 400, 20, SWP_NOZORDER | SWP_NOACTIVATE);
        Send(SCI_GOTOPOS, Send(SCI_GETTEXTLENGTH));
        EXPECT_NE(Send(SCI_POSITIONFROMPOINT, 0, 0), 0) << "scrolled to the end, wrap " << wrap;
        SetWindowPos(editor, nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(Send(SCI_POSITIONFROMPOINT, 0, 0), 0) << "grown, wrap " << wrap;

        SetText(lines.c_str());
        Send(SCI_GOTOPOS, Send(SCI_GETTEXTLENGTH));
        const LRESULT fifthLine = Send(SCI_POSITIONFROMLINE, 5);
        Send(SCI_SETTARGETSTART, fifthLine);
        Send(SCI_SETTARGETEND, Send(SCI_GETTEXTLENGTH));
        Send(SCI_REPLACETARGET, 0, LPARAM(""));
        EXPECT_EQ(Send(SCI_POSITIONFROMPOINT, 0, 0), 0) << "cut short, wrap " << wrap;
    }
}

TEST_F(EditorWindow, LexerLibraryServesTheComponent) {
    HMODULE lexilla = LoadLibraryW(L"Lexilla.dll");
    ASSERT_NE(lexilla, nullptr);
    auto entry = [&](const char *symbol) { return reinterpret_cast<void *>(GetProcAddress(lexilla, symbol)); };
    auto create = reinterpret_cast<CreateLexerFn>(entry("CreateLexer"));
    auto count = reinterpret_cast<GetLexerCountFn>(entry("GetLexerCount"));
    auto name = reinterpret_cast<GetLexerNameFn>(entry("GetLexerName"));
    ASSERT_TRUE(create && count && name);
    ASSERT_EQ(count(), 1);
    char buffer[256] = {};
    name(0, buffer, 255);
    EXPECT_STREQ(buffer, "cpp");
    name(0, buffer, 2);
    EXPECT_STREQ(buffer, "c");
    name(7, buffer, 255);
    EXPECT_STREQ(buffer, "");
    name(0, nullptr, 10);
    EXPECT_EQ(create("nothing"), nullptr);
    EXPECT_EQ(create(nullptr), nullptr);

    EditorLexer *lexer = create("cpp");
    ASSERT_NE(lexer, nullptr);
    Send(SCI_SETILEXER, 0, LPARAM(lexer));
    SendText(SCI_SETKEYWORDS, 0, "int return");
    Send(SCI_STYLESETFORE, 5, 0xFF0000);
    SetText("int main() {\n  /* comment\n  */ return 0;\n}\n");
    ShowWindow(parent, SW_SHOWNOACTIVATE);
    RedrawWindow(editor, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    // a second lexer replaces the first, which the editor releases
    Send(SCI_SETILEXER, 0, LPARAM(create("cpp")));
    Send(SCI_SETILEXER, 0, 0);
    RedrawWindow(editor, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

TEST_F(EditorWindow, TenMegabyteDocument) {
    std::string text;
    while (text.size() < 10u * 1024 * 1024) text += "line of text with some words in it\n";
    SetText(text.c_str());
    EXPECT_EQ(Send(SCI_GETLENGTH), LRESULT(text.size()));
    LRESULT lines = Send(SCI_GETLINECOUNT);
    Send(SCI_GOTOLINE, WPARAM(lines / 2));
    SendText(SCI_INSERTTEXT, WPARAM(-1), "X");
    Send(SCI_GOTOPOS, WPARAM(text.size()));
    RedrawWindow(editor, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(Send(SCI_GETLENGTH), LRESULT(text.size() + 1));
    Send(SCI_UNDO);
    EXPECT_EQ(Send(SCI_GETLENGTH), LRESULT(text.size()));
}

#endif
