// What the next step of the shell builds: the LaTeX preview. It answers one "not available
// yet" text from here and goes when it lands.
#include "tovrel.h"

namespace {

std::wstring notAvailableText(const std::wstring &road) {
    return road + L" is not available yet.";
}

void tellNotAvailable(Tovrel &shell, const std::wstring &road) {
    MessageBoxW(shell.mainWindow.GetHandle(), notAvailableText(road).c_str(), L"Info", MB_OK | MB_ICONINFORMATION);
}

} // namespace

void Tovrel::ShowLatexPreview() {
    tellNotAvailable(*this, L"The LaTeX preview");
}
