// What the next steps of the shell build: opening and saving files, find and replace, the
// Go To dialog, the help and history pages and the LaTeX preview. Each answers one "not
// available yet" text from here; each goes when it lands.
#include "tovrel.h"

namespace {

std::wstring notAvailableText(const std::wstring &road) {
    return road + L" is not available yet.";
}

void tellNotAvailable(Tovrel &shell, const std::wstring &road) {
    MessageBoxW(shell.mainWindow.GetHandle(), notAvailableText(road).c_str(), L"Info", MB_OK | MB_ICONINFORMATION);
}

} // namespace

void Tovrel::OpenFileDialog() {
    tellNotAvailable(*this, L"Opening files");
}

void Tovrel::OpenFileByPath(const std::wstring &) {
    tellNotAvailable(*this, L"Opening files");
}

void Tovrel::SaveTab(EditorTab *) {
    tellNotAvailable(*this, L"Saving files");
}

void Tovrel::SaveTabAs(EditorTab *) {
    tellNotAvailable(*this, L"Saving files");
}

void Tovrel::SaveActiveTab() {
    if (activeTab >= 0) SaveTab(&GetActiveTab());
}

void Tovrel::SaveActiveTabAs() {
    if (activeTab >= 0) SaveTabAs(&GetActiveTab());
}

void Tovrel::ShowFindDialog() {
    tellNotAvailable(*this, L"Find");
}

void Tovrel::ShowReplaceDialog() {
    tellNotAvailable(*this, L"Replace");
}

void Tovrel::FindNext() {
    tellNotAvailable(*this, L"Find");
}

void Tovrel::FindPrevious() {
    tellNotAvailable(*this, L"Find");
}

void Tovrel::ShowGotoDialog() {
    tellNotAvailable(*this, L"Go To");
}

void Tovrel::ShowHelpPage() {
    tellNotAvailable(*this, L"The help page");
}

void Tovrel::ShowHistoryPage() {
    tellNotAvailable(*this, L"The history page");
}

void Tovrel::ShowLatexPreview() {
    tellNotAvailable(*this, L"The LaTeX preview");
}

void Tovrel::GotoLineColumn(int, int) {
    tellNotAvailable(*this, L"Go To");
}
