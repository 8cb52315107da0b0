// Thin wrappers over window handles. A wrapper never destroys its window: a window is
// destroyed by whoever created it, or with its parent.
#pragma once

#include <cstdint>
#include <string>

#include <windows.h>

struct Rect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    Rect() = default;
    Rect(int32_t l, int32_t t, int32_t r, int32_t b) : left(l), top(t), right(r), bottom(b) {}
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
};

namespace GUI {

class Window {
  public:
    Window() = default;
    virtual ~Window() = default;
    void SetHandle(HWND handle) { hwnd = handle; } // null detaches
    HWND GetHandle() const { return hwnd; }
    void SetText(const std::wstring &text) const {
        if (hwnd != nullptr) SetWindowTextW(hwnd, text.c_str());
    }
    Rect GetClientRect() const;
    Rect GetWindowRect() const;
    void Move(const Rect &r, UINT flags) const;

  protected:
    HWND hwnd = nullptr;
};

// An editing-component window driven by its messages.
class ScintillaPrimitive : public Window {
  public:
    ~ScintillaPrimitive() override = default;
    int64_t Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return hwnd != nullptr ? int64_t(SendMessageW(hwnd, message, wParam, lParam)) : 0;
    }
};

// A primitive bound to `window` for a few messages; the window survives it.
inline ScintillaPrimitive Scintilla(HWND window) {
    ScintillaPrimitive primitive;
    primitive.SetHandle(window);
    return primitive;
}

// The selected text of an editor as UTF-8; empty when nothing is selected.
std::string SelectedText(const ScintillaPrimitive &view);
// The editor's whole text as UTF-8.
std::string DocumentText(const ScintillaPrimitive &view);

} // namespace GUI
