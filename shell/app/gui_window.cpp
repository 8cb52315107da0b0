#include "gui_window.h"

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

} // namespace GUI
