// Tab in the console: the file or folder name before the caret is completed from its folder,
// or, when the candidates share nothing more, they are listed in columns and the typed line
// is shown again below them. The rules live in the portable completion unit.
#include <climits>

#include "completion.h"
#include "disk.h"
#include "editor_messages.h"
#include "text_codec.h"
#include "tovrel.h"

namespace {

constexpr int kCandidateColumns = 4;

// The bytes of the first `units` UTF-16 units of the text.
int64_t byteLength(const std::wstring &text, size_t units) {
    return int64_t(wideToUtf8(std::wstring_view(text).substr(0, units)).size());
}

} // namespace

std::wstring Tovrel::FormatInColumns(const std::vector<std::wstring> &items, int columns) {
    return formatInColumns(items, columns);
}

void Tovrel::CompleteTerminalPath(EditorTab *tab) {
    if (tab == nullptr || tab->consoleWindow == nullptr) return;
    const GUI::ScintillaPrimitive console = GUI::Scintilla(tab->consoleWindow);
    const int64_t caret = console.Send(SCI_GETCURRENTPOS);
    const int64_t lineNumber = console.Send(SCI_LINEFROMPOSITION, WPARAM(caret));
    const int64_t lineStart = console.Send(SCI_POSITIONFROMLINE, WPARAM(lineNumber));
    const int64_t lineEnd = console.Send(SCI_GETLINEENDPOSITION, WPARAM(lineNumber));
    if (lineStart < 0 || lineEnd < lineStart || lineEnd > INT32_MAX || caret < lineStart || caret > lineEnd) return;
    std::string bytes(size_t(lineEnd - lineStart) + 1, '\0');
    SciTextRange range{{int32_t(lineStart), int32_t(lineEnd)}, bytes.data()};
    console.Send(SCI_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    bytes.resize(size_t(lineEnd - lineStart));
    const std::wstring line = utf8ToWide(bytes);
    const size_t caretColumn = utf8ToWide(std::string_view(bytes).substr(0, size_t(caret - lineStart))).size();

    const size_t tokenStart = completionTokenStart(line, caretColumn);
    const std::wstring token = line.substr(tokenStart, caretColumn - tokenStart);
    if (token.empty()) return;
    std::wstring directory, prefix;
    if (!splitCompletionToken(token, userProfileDirectory(), directory, prefix)) return;
    std::vector<NameEntry> entries;
    if (!readDirectoryEntries(directory, entries)) return;
    const std::vector<std::wstring> candidates = completionCandidates(entries, prefix);
    if (candidates.empty()) return;

    const std::wstring completion = completionOf(candidates, prefix.size());
    if (completion.empty()) {
        const size_t promptAt = line.rfind(prompt);
        const std::wstring typed = promptAt == std::wstring::npos ? line : line.substr(promptAt + prompt.size());
        AppendTerminalOutput(tab, L"\r\n" + FormatInColumns(candidates, kCandidateColumns) + L"\r\n" + prompt + typed);
        tab->inputStart -= int64_t(wideToUtf8(typed).size());
        console.Send(SCI_GOTOPOS, WPARAM(console.Send(SCI_GETTEXTLENGTH)));
        return;
    }
    const size_t separator = token.find_last_of(L"\\/");
    const size_t nameStart = tokenStart + (separator == std::wstring::npos ? 0 : separator + 1);
    const int64_t replaceFrom = lineStart + byteLength(line, nameStart);
    const std::string inserted = wideToUtf8(completion);
    console.Send(SCI_SETTARGETSTART, WPARAM(replaceFrom));
    console.Send(SCI_SETTARGETEND, WPARAM(caret));
    console.Send(SCI_REPLACETARGET, WPARAM(inserted.size()), reinterpret_cast<LPARAM>(inserted.data()));
    console.Send(SCI_GOTOPOS, WPARAM(replaceFrom + int64_t(inserted.size())));
}
