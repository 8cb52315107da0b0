// Answers the message boxes that one thread shows (they are modal on that thread): a helper
// thread finds each box, notes its caption and text, and presses the scripted button. Used by
// the in-process shell tests and by the shell's test host programs.
#pragma once

#include <atomic>
#include <deque>
#include <iterator>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <windows.h>

#include "resource.h"

struct SeenBox {
    std::wstring caption, text;
    int answer;
};

// Answers every message box of one thread, in order, with the buttons it was given; a box
// without a scripted answer is closed with OK or Cancel and reported by the test's end.
class BoxAnswerer {
  public:
    explicit BoxAnswerer(DWORD thread) : thread_(thread), worker_([this] { run(); }) {}
    ~BoxAnswerer() {
        stop_ = true;
        worker_.join();
    }
    void answer(const std::vector<int> &buttons) {
        std::lock_guard<std::mutex> hold(lock_);
        answers_.insert(answers_.end(), buttons.begin(), buttons.end());
    }
    // Text put into a control of the next box answered (a file name into a file dialog, a
    // line into Go To) before its button is pressed.
    void fill(int control, const std::wstring &text) {
        std::lock_guard<std::mutex> hold(lock_);
        fills_.push_back({control, text});
    }
    std::vector<SeenBox> seen() {
        std::lock_guard<std::mutex> hold(lock_);
        return seen_;
    }
    void forget() {
        std::lock_guard<std::mutex> hold(lock_);
        seen_.clear();
        answers_.clear();
    }
    size_t unanswered() {
        std::lock_guard<std::mutex> hold(lock_);
        return answers_.size();
    }

  private:
    static constexpr int kTextId = 0xFFFF; // the message text of a standard box

    void run() {
        while (!stop_) {
            EnumThreadWindows(thread_, &BoxAnswerer::visit, reinterpret_cast<LPARAM>(this));
            {
                std::lock_guard<std::mutex> hold(lock_);
                for (auto at = answered_.begin(); at != answered_.end();)
                    at = IsWindow(*at) ? std::next(at) : answered_.erase(at);
            }
            Sleep(5);
        }
    }

    static BOOL CALLBACK visit(HWND window, LPARAM self) {
        reinterpret_cast<BoxAnswerer *>(self)->consider(window);
        return TRUE;
    }

    void consider(HWND window) {
        wchar_t className[16] = L"";
        GetClassNameW(window, className, 16);
        if (std::wstring(className) != L"#32770" || !IsWindowVisible(window)) return;
        // The modeless Find and Replace dialogs are the test's to drive, not questions; they are
        // told by their fields (a box may have the caption "Replace" too).
        if (GetDlgItem(window, IDC_FIND_TEXT) != nullptr && GetDlgItem(window, IDC_FIND_NEXT) != nullptr) return;
        {
            std::lock_guard<std::mutex> hold(lock_);
            if (answered_.count(window) != 0) return;
        }
        // Read without the lock: the text is asked of the test thread, which may want the lock.
        wchar_t caption[256] = L"", text[1024] = L"";
        GetWindowTextW(window, caption, 256);
        GetDlgItemTextW(window, kTextId, text, 1024);
        int button = GetDlgItem(window, IDOK) != nullptr ? IDOK : IDCANCEL;
        std::vector<std::pair<int, std::wstring>> fills;
        {
            std::lock_guard<std::mutex> hold(lock_);
            fills.swap(fills_);
        }
        for (const auto &[control, value] : fills) SetDlgItemTextW(window, control, value.c_str());
        {
            std::lock_guard<std::mutex> hold(lock_);
            if (!answers_.empty()) {
                button = answers_.front();
                answers_.pop_front();
            }
            answered_.insert(window);
            seen_.push_back({caption, text, button});
        }
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, button)));
    }

    DWORD thread_;
    std::atomic<bool> stop_{false};
    std::mutex lock_;
    std::deque<int> answers_;
    std::vector<std::pair<int, std::wstring>> fills_;
    std::vector<SeenBox> seen_;
    std::set<HWND> answered_;
    std::thread worker_;
};
