// The WebView2 host: a window shown in an embedded WebView2 control, in a native window of its
// own with its own thread and message loop. Other threads only leave requests with the host;
// its thread carries them out.
#pragma once

#include <cstdint>
#include <string>

#include "windows/window_record.h"

namespace webwin {

// Opens the window's host on the address (a host already open for the window closes first);
// true when this window's host started.
bool webviewShow(WebwinWindow &window, const std::string &address);
// The WebView2 runtime answers: the existence test of browser id 13.
bool webviewAvailable();
// A WebView2 host has started in this process.
bool webviewInUse();

// The requests below answer false, and do nothing, when the window has no open host.
bool webviewHosted(WebwinWindow &window);
bool webviewNavigate(WebwinWindow &window, const std::string &address);
bool webviewResize(WebwinWindow &window, uint32_t width, uint32_t height);  // keeps the position
bool webviewMove(WebwinWindow &window, int32_t x, int32_t y);                // keeps the size
bool webviewClose(WebwinWindow &window);
bool webviewMaximize(WebwinWindow &window);
bool webviewMinimize(WebwinWindow &window);
// The host window's handle (an HWND), null without an open host.
void *webviewWindowHandle(WebwinWindow &window);

// Closes the window's host and waits for its thread: before the record goes.
void webviewEnd(WebwinWindow &window);
// Waiting for the windows ended: every host has closed, the data folder goes.
void webviewEndOfWaiting();

}  // namespace webwin
