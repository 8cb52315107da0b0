#include "gui_window.h"

#include "editor_messages.h"

namespace GUI {

Rect Window::GetClientRect() const {
    RECT r{};
    if (hwnd != nullptr) ::GetClientRect(hwnd, &r);
    return Rect(r.left, r.top, r.right, r.bottom);
}

Rect Window::GetWindowRect() const {
    RECT r{};
    if (hwnd != nullptr) ::GetWindowRect(hwnd, &r);
    return Rect(r.left, r.top, r.right, r.bottom);
}

void Window::Move(const Rect &r, UINT flags) const {
    if (hwnd != nullptr) SetWindowPos(hwnd, nullptr, r.left, r.top, r.Width(), r.Height(), flags);
}

std::string SelectedText(const ScintillaPrimitive &view) {
    const int64_t start = view.Send(SCI_GETSELECTIONSTART), end = view.Send(SCI_GETSELECTIONEND);
    if (end <= start) return std::string();
    std::string text(size_t(end - start) + 1, '\0');
    view.Send(SCI_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(size_t(end - start));
    return text;
}

std::string DocumentText(const ScintillaPrimitive &view) {
    const int64_t length = view.Send(SCI_GETTEXTLENGTH);
    if (length <= 0) return std::string();
    std::string text(size_t(length) + 1, '\0');
    view.Send(SCI_GETTEXT, WPARAM(length + 1), reinterpret_cast<LPARAM>(text.data()));
    text.resize(size_t(length));
    return text;
}

} // namespace GUI
