// Opening and saving files: New, Open (by dialog and by path), Save and Save As. A file is
// read whole before any tab changes, so a failed open leaves every tab as it was; a save
// writes beside the file and replaces it only when every byte is written, so a failed save
// leaves the file as it was and the tab modified.
#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor_messages.h"
#include "file_encoding.h"
#include "file_io.h"
#include "save_paths.h"
#include "tovrel.h"

#include <commdlg.h>

namespace {

constexpr wchar_t kOpenFilter[] = L"All Files (*.*)\0*.*\0Text Files (*.txt)\0*.txt\0C++ Files (*.cpp;*.h)\0*.cpp;*.h\0";
constexpr wchar_t kSaveFilter[] = L"All Files (*.*)\0*.*\0";
constexpr wchar_t kUtf8[] = L"UTF-8";
constexpr wchar_t kUtf8Mark[] = L"UTF-8-BOM";

void showError(HWND owner, const wchar_t *text, const wchar_t *caption) {
    MessageBoxW(owner, text, caption, MB_OK | MB_ICONERROR);
}

// The open and save dialogs take a buffer of the longest path, so no chosen name is cut.
bool askFileName(HWND owner, bool save, std::wstring &chosen) {
    std::vector<wchar_t> name(kLongestPath + 1, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = save ? kSaveFilter : kOpenFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = DWORD(name.size());
    dialog.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) return false;
    name.back() = L'\0';
    chosen = name.data();
    return !chosen.empty();
}

// The whole text of an editor, NUL bytes included.
std::string editorBytes(HWND window) { return GUI::DocumentText(GUI::Scintilla(window)); }

// An editor's text piece by piece as a save writes it, after a mark: a long document is never
// copied whole (under wine, filling that much new memory cost a save more than the write).
// Nothing that could change the text runs between the pieces.
class EditorPieces {
  public:
    EditorPieces(HWND window, std::string mark)
        : view_(GUI::Scintilla(window)), length_(view_.Send(SCI_GETTEXTLENGTH)), mark_(std::move(mark)) {}

    std::string_view operator()() {
        if (!markGiven_) {
            markGiven_ = true;
            if (!mark_.empty()) return mark_;
        }
        if (at_ >= length_) return {};
        const int64_t end = std::min(length_, at_ + kEditorPiece);
        buffer_.resize(size_t(end - at_) + 1); // the range message ends the piece with a NUL
        SciTextRange range{{int32_t(at_), int32_t(end)}, buffer_.data()};
        view_.Send(SCI_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
        const std::string_view piece(buffer_.data(), size_t(end - at_));
        at_ = end;
        return piece;
    }

  private:
    static constexpr int64_t kEditorPiece = int64_t(1) << 16;
    GUI::ScintillaPrimitive view_;
    int64_t length_;
    int64_t at_ = 0;
    std::string mark_;
    bool markGiven_ = false;
    std::string buffer_;
};

// Replaces an editor's text with counted bytes, so a NUL byte does not end the document.
void setEditorBytes(HWND window, const std::string &text) {
    const GUI::ScintillaPrimitive view = GUI::Scintilla(window);
    view.Send(SCI_SETREADONLY, 0);
    view.Send(SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    if (!text.empty()) view.Send(SCI_APPENDTEXT, WPARAM(text.size()), reinterpret_cast<LPARAM>(text.data()));
    // An undo would otherwise take the loaded text back to what the tab held before.
    view.Send(SCI_EMPTYUNDOBUFFER);
    view.Send(SCI_GOTOPOS, 0);
}

// A relative path names a file of the current folder now: the tab keeps the full name, so a
// later save (after a cd) writes back to the same file. Empty when there is none.
std::wstring fullPathOf(const std::wstring &path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0 || needed > kLongestPath + 1) return std::wstring();
    std::wstring full(needed, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) return std::wstring();
    full.resize(written);
    return full;
}

} // namespace

void Tovrel::OpenFileDialog() {
    std::wstring path;
    if (askFileName(mainWindow.GetHandle(), false, path)) LoadFileIntoTab(path, true);
}

void Tovrel::OpenFileByPath(const std::wstring &path) {
    HWND main = mainWindow.GetHandle();
    const std::wstring full = isUsablePath(path) ? fullPathOf(path) : std::wstring();
    if (full.empty()) {
        showError(main, L"文件名无效！", L"错误");
        return;
    }
    if (GetFileAttributesW(full.c_str()) == INVALID_FILE_ATTRIBUTES) {
        showError(main, L"文件不存在！", L"错误");
        return;
    }
    LoadFileIntoTab(full, false);
}

// A fresh, empty, never-saved document tab takes the file; otherwise a new tab does.
EditorTab *Tovrel::TabForLoading() {
    if (activeTab >= 0 && activeTab < int(tabs.size())) {
        EditorTab &tab = GetActiveTab();
        if (!tab.isTerminal && !tab.isModified && tab.path.empty() && !tab.isVirtual && tab.editorWindow != nullptr &&
            GUI::Scintilla(tab.editorWindow).Send(SCI_GETTEXTLENGTH) == 0)
            return &tab;
    }
    const size_t before = tabs.size();
    NewTab();
    return tabs.size() > before ? &tabs.back() : nullptr;
}

bool Tovrel::LoadFileIntoTab(const std::wstring &path, bool dialogForm) {
    HWND main = mainWindow.GetHandle();
    std::string bytes;
    std::optional<std::string> text;
    FileEncoding encoding{L"", 0};
    if (readWholeFile(path, bytes) == ReadOutcome::Read) {
        encoding = detectFileEncoding(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size());
        text = decodeFileText(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size(), encoding.name,
                              encoding.markLength);
    }
    if (!text) {
        // Nothing has changed yet: no tab takes a path whose text it does not hold.
        if (dialogForm) showError(main, L"Failed to open file!", L"Error");
        else showError(main, L"无法打开文件！", L"错误");
        return false;
    }
    EditorTab *tab = TabForLoading();
    if (tab == nullptr) return false;
    setEditorBytes(tab->editorWindow, *text);
    tab->path = path;
    tab->isVirtual = false;
    if (!bytes.empty()) tab->encoding = encoding.name;
    tab->isModified = false;
    UpdateTabLabel(tab);
    UpdateLineNumberMargin(tab->editorWindow);
    UpdateWindowTitle();
    UpdateStatusBar();
    return true;
}

bool Tovrel::SaveTabToFile(EditorTab *tab, const std::wstring &path) {
    if (tab == nullptr || tab->isTerminal || tab->editorWindow == nullptr) return false;
    HWND main = mainWindow.GetHandle();
    HWND editorWindow = tab->editorWindow;
    const int64_t length = GUI::Scintilla(editorWindow).Send(SCI_GETTEXTLENGTH);
    bool written = false;
    if ((tab->encoding == kUtf8 || tab->encoding == kUtf8Mark) && length <= INT32_MAX) {
        // The editor's UTF-8 is the file's: written as it is, after the mark (an empty text
        // gets none).
        const std::optional<std::string> mark = encodeFileText(std::string(), tab->encoding);
        EditorPieces pieces(editorWindow, length > 0 && mark ? *mark : std::string());
        written = writeFileReplacing(path, std::ref(pieces));
    } else {
        const std::string text = editorBytes(editorWindow);
        std::optional<std::string> bytes = std::string();
        if (!text.empty()) {
            bytes = encodeFileText(text, tab->encoding);
            if (!bytes || !encodingHoldsText(text, tab->encoding)) {
                // Characters are never dropped silently: the file is written as UTF-8 or not at all.
                const std::wstring question = L"Some characters of this file cannot be written in " + tab->encoding +
                                              L". Save it as UTF-8 instead?";
                if (MessageBoxW(main, question.c_str(), L"Save Changes?", MB_YESNO | MB_ICONWARNING) != IDYES)
                    return false;
                tab = FindTabByEditor(editorWindow);
                if (tab == nullptr) return false;
                tab->encoding = kUtf8;
                bytes = text;
            }
        }
        written = writeFileReplacing(path, *bytes);
    }
    if (!written) {
        showError(main, L"Failed to save file!", L"Error");
        return false;
    }
    tab = FindTabByEditor(editorWindow);
    if (tab == nullptr) return true;
    tab->isModified = false;
    if (IndexOfTab(tab) == activeTab) {
        UpdateWindowTitle();
        UpdateStatusBar();
    }
    return true;
}

// A page with no file behind it (Help, History) is saved only where the user names a file.
void Tovrel::SaveTab(EditorTab *tab) {
    if (tab == nullptr || tab->isTerminal) return;
    if (tab->path.empty() || tab->isVirtual) SaveTabAs(tab);
    else SaveTabToFile(tab, tab->path);
}

void Tovrel::SaveTabAs(EditorTab *tab) {
    if (tab == nullptr || tab->isTerminal) return;
    HWND editorWindow = tab->editorWindow;
    std::wstring path;
    if (!askFileName(mainWindow.GetHandle(), true, path)) return;
    tab = FindTabByEditor(editorWindow);
    if (tab == nullptr) return;
    // The chosen name is the document's before the write is tried, so a failed write leaves
    // the tab modified under that name and the next Save tries it again, never the old file.
    // A page keeps its title until it is saved.
    if (!tab->isVirtual) tab->path = path;
    const bool saved = SaveTabToFile(tab, path);
    tab = FindTabByEditor(editorWindow);
    if (tab == nullptr) return;
    // Saved under its new name, a page becomes an ordinary document of that file.
    if (saved && tab->isVirtual) {
        tab->path = path;
        tab->isVirtual = false;
        GUI::Scintilla(tab->editorWindow).Send(SCI_SETREADONLY, 0);
    }
    UpdateTabLabel(tab);
    if (IndexOfTab(tab) == activeTab) UpdateWindowTitle();
}

void Tovrel::SaveActiveTab() {
    if (activeTab >= 0 && activeTab < int(tabs.size())) SaveTab(&GetActiveTab());
}

void Tovrel::SaveActiveTabAs() {
    if (activeTab >= 0 && activeTab < int(tabs.size())) SaveTabAs(&GetActiveTab());
}
