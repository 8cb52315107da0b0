// The command bar's euler: the graph typed in the active document, its Euler circuit (or the
// word that there is none) in a new read-only tab. The graph rules are portable
// (euler_graph).
#include "euler_graph.h"
#include "text_codec.h"
#include "tovrel.h"

void Tovrel::RunEulerCircuit() {
    if (!ConfirmRunOfActiveTab(L"Current file has unsaved changes. Run Euler circuit?")) return;
    const std::optional<std::string> text = ActiveDocumentText();
    if (!text) return;
    const EulerAnswer answer = eulerCircuitAnswer(*text);
    if (answer.error) {
        MessageBoxW(mainWindow.GetHandle(), answer.text.c_str(), L"Error", MB_OK | MB_ICONERROR);
        return;
    }
    ShowResultTab(wideToUtf8(answer.text), L"Euler Result", true);
}
