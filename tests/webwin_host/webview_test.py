#!/usr/bin/python3
"""The WebView2 host. No WebView2 runtime can be installed here: under wine the host loads a
stand-in for WebView2Loader.dll (built with the tests, in the folder WEBVIEW_STANDIN_DIR) that
answers as the runtime's loader would and logs every call; the page is played by a raw
WebSocket client. Natively there is no WebView2 at all. Usage: webview_test.py [emulator] host."""
import os
import re
import shutil
import socket
import sys
import tempfile
import time
import unittest

import websocket

from host_driver import Host
from ws_test import Page

HOST_COMMAND = sys.argv[1:]
EMULATED = len(HOST_COMMAND) > 1
STANDIN = os.environ.get("WEBVIEW_STANDIN_DIR", "")
RESIZED = 0xF3
PAGE = '<html><head><script src="webwin.js"></script></head><body>hosted</body></html>'
SECONDS = 20


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


class WithoutLoader(unittest.TestCase):
    """No WebView2Loader.dll where the program looks for it (natively: no WebView2 at all)."""

    def test_a_show_fails_at_once_and_leaves_nothing_open(self):
        host = Host(HOST_COMMAND)
        try:
            window = host.ask("new")
            host.ask("config 0 0")
            started = time.monotonic()
            self.assertEqual(host.ask(f"wv {window} {PAGE}"), "0")
            self.assertEqual(host.ask(f"showb {window} 13 {PAGE}"), "0")
            # any browser: the browsers come first, the WebView2 host last; none starts
            self.assertEqual(host.ask(f"show {window} {PAGE}"), "0")
            self.assertLess(time.monotonic() - started, 5)
            if EMULATED:
                self.assertEqual(host.ask("hostwindows"), "-")
            self.assertEqual(host.ask(f"shown {window}"), "0")
        finally:
            host.close()


@unittest.skipUnless(EMULATED and STANDIN, "the WebView2 host exists only on Windows")
class StandIn(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp(prefix="webwin-webview-")
        cls.host = Host(HOST_COMMAND)
        # the profile holds the data folder; the log is where the stand-in writes
        cls.host.ask(f"setenv USERPROFILE {windows_path(cls.folder)}")
        cls.host.ask(f"setenv KAVLO_WEBVIEW_LOG {windows_path(cls.folder + '/standin.log')}")
        assert cls.host.ask(f"loaderdir {windows_path(STANDIN)}") == "1"
        cls.screen = [int(n) for n in cls.host.ask("screen").split()]

    @classmethod
    def tearDownClass(cls):
        cls.host.close()
        shutil.rmtree(cls.folder, ignore_errors=True)

    def setUp(self):
        self.host.ask("setenv KAVLO_WEBVIEW_MODE")
        self.host.ask("config 0 1")
        self.window = self.host.ask("new")
        self.jar = {}
        self.mark = len(self.log())

    def tearDown(self):
        self.host.ask(f"destroy {self.window}")
        self.assertEqual(self.host.ask("hostwindows"), "-")

    def log(self, since=None):
        """The stand-in's lines since this test began (or since the line `since`)."""
        try:
            with open(self.folder + "/standin.log", encoding="utf-8") as f:
                lines = f.read().splitlines()
        except FileNotFoundError:
            lines = []
        return lines[getattr(self, "mark", 0) if since is None else since:]

    def wait_log(self, pattern, since=None):
        deadline = time.monotonic() + SECONDS
        while time.monotonic() < deadline:
            for line in self.log(since):
                found = re.fullmatch(pattern, line)
                if found:
                    return found
            time.sleep(0.05)
        self.fail(f"the stand-in never logged {pattern!r}: {self.log()}")

    @staticmethod
    def answers(port):
        try:
            socket.create_connection(("127.0.0.1", port), timeout=1).close()
            return True
        except OSError:
            return False

    def windows(self):
        answer = self.host.ask("hostwindows")
        return [] if answer == "-" else [w.split("|") for w in answer.split(";")]

    def show(self, command="wv"):
        """Shows the page in the host; the page connects once the host navigates to it."""
        since = len(self.log(0))
        self.host.tell(f"{command} {self.window} {PAGE}")
        url = self.wait_log(r"navigate (http://localhost:(\d+))", since)
        page = Page(int(url.group(2)), self.jar)
        page.check_token()
        self.assertEqual(self.host.answer(), "1")
        return page, url.group(1)

    def test_the_host_window_and_its_handshake(self):
        page, url = self.show()
        lines = self.log()
        environment = re.fullmatch(r"environment (.*) \| background (.*) \| arguments (.*)", lines[0])
        self.assertRegex(environment.group(1),
                         re.escape(windows_path(self.folder)) + r"\\\.Webwin\\WebwinWebViewCache_\d+$")
        self.assertEqual(environment.group(2), "-")
        self.assertEqual(environment.group(3), "--enable-features=msWebView2EnableDraggableRegions")
        self.assertEqual(lines[1:8], ["controller parent WebViewWindow", "setting script 1", "setting dialogs 1",
                                      "setting messages 1", "setting devtools 0", "bounds 0,0,800,600",
                                      "title handler"])
        self.assertIn(f"navigate {url}", lines)
        # the window: the page's title, the default size, centred, with a frame
        width, height = self.screen
        deadline = time.monotonic() + SECONDS
        while self.windows()[0][0] != f"Kavlo 页 {url}" and time.monotonic() < deadline:
            time.sleep(0.05)
        title, rect, flags = self.windows()[0]
        self.assertEqual(title, f"Kavlo 页 {url}")
        self.assertEqual(rect, f"{(width - 800) // 2},{(height - 600) // 2},800,600")
        self.assertEqual(flags.split(), ["visible", "thickframe", "caption"])
        self.assertEqual(self.host.ask(f"shown {self.window}"), "1")
        page.close()

    def test_navigation_moves_and_sizes(self):
        page, _ = self.show()
        # the host navigates; the page gets no packet
        self.host.ask(f"navigate {self.window} http://localhost:1/elsewhere")
        self.wait_log(r"navigate http://localhost:1/elsewhere")
        page.socket.settimeout(0.5)
        with self.assertRaises(websocket.WebSocketTimeoutException):
            page.receive()
        page.socket.settimeout(SECONDS)
        # moved and sized by hand: the page learns where, once, when it is over
        self.host.ask("hostmove 40 30 640 480")
        _, _, command, payload = page.receive()
        self.assertEqual(command, RESIZED)
        x, y, width, height = payload.decode().split(",")
        self.assertEqual((x, y), ("40", "30"))
        # the control fills the client area it reported
        self.assertEqual(self.log()[-1], f"bounds 0,0,{width},{height}")
        self.host.ask(f"maximize {self.window}")
        self.assertIn("zoomed", self.windows()[0][2])
        self.host.ask(f"minimize {self.window}")
        self.assertIn("iconic", self.windows()[0][2])
        page.close()

    def test_closing(self):
        page, url = self.show()
        # a close handler that says no keeps the window and its page
        self.host.ask(f"closehandler {self.window} 0")
        self.host.ask("hostclose")
        self.assertEqual(self.host.ask("events"), f"close:{self.window}")
        self.assertEqual(len(self.windows()), 1)
        self.assertEqual(self.host.ask(f"shown {self.window}"), "1")
        # one that says yes lets it go, with every object of the runtime released
        self.host.ask(f"closehandler {self.window} 1")
        self.host.ask("hostclose")
        for name in ("controller", "webview", "environment"):
            self.wait_log(f"{name} released")
        self.assertEqual(self.windows(), [])
        # the page went with its window: the server stops without waiting for a reload
        page.close()
        deadline = time.monotonic() + 1.2
        while self.host.ask(f"shown {self.window}") != "0" and time.monotonic() < deadline:
            time.sleep(0.02)
        self.assertEqual(self.host.ask(f"shown {self.window}"), "0")
        port = int(url.rsplit(":", 1)[1])
        while time.monotonic() < deadline + SECONDS and self.answers(port):
            time.sleep(0.05)
        # the program closing the window closes its host; no packet goes to the page
        page, _ = self.show()
        since = len(self.log(0))
        self.host.ask(f"close {self.window}")
        self.wait_log("environment released", since)
        self.assertEqual(self.windows(), [])
        page.socket.settimeout(0.5)
        with self.assertRaises(websocket.WebSocketTimeoutException):
            page.receive()
        page.close()

    def test_a_second_show_replaces_the_host(self):
        self.host.ask("config 0 0")  # no waiting for the page: the first host is still unconnected
        self.assertEqual(self.host.ask(f"wv {self.window} {PAGE}"), "1")
        self.wait_log("title handler")
        since = len(self.log(0))
        self.assertEqual(self.host.ask(f"wv {self.window} {PAGE}"), "1")
        self.wait_log("environment released", since)
        self.assertEqual(len([line for line in self.log() if line.startswith("environment Z:")]), 2)
        self.assertEqual(len(self.windows()), 1)

    def test_any_browser_falls_to_the_host(self):
        # no browser starts here: the show goes on to the WebView2 host
        page, _ = self.show("show")
        self.assertEqual(len(self.windows()), 1)
        page.close()

    def test_failures_of_the_runtime(self):
        for mode in ("refuse", "no-environment", "no-controller"):
            self.host.ask(f"setenv KAVLO_WEBVIEW_MODE {mode}")
            started = time.monotonic()
            self.assertEqual(self.host.ask(f"wv {self.window} {PAGE}"), "0", mode)
            # over as soon as the runtime says no, not after the page's 15 seconds
            self.assertLess(time.monotonic() - started, 5, mode)
            self.assertEqual(self.windows(), [], mode)
        self.host.ask("setenv KAVLO_WEBVIEW_MODE")
        page, _ = self.show()
        page.close()


@unittest.skipUnless(EMULATED and STANDIN, "the WebView2 host exists only on Windows")
class EndOfWaiting(unittest.TestCase):
    def test_the_data_folder_goes_when_waiting_ends(self):
        folder = tempfile.mkdtemp(prefix="webwin-webview-")
        host = Host(HOST_COMMAND)
        try:
            host.ask(f"setenv USERPROFILE {windows_path(folder)}")
            self.assertEqual(host.ask(f"loaderdir {windows_path(STANDIN)}"), "1")
            host.ask("config 0 0")
            host.ask("timeout 1")  # nothing connects: the server gives up after a second
            window = host.ask("new")
            self.assertEqual(host.ask(f"wv {window} {PAGE}"), "1")
            data = os.path.join(folder, ".Webwin")
            self.assertEqual(len(os.listdir(data)), 1)  # the runtime made it
            host.tell("wait")
            self.assertEqual(host.answer(seconds=30), "ok")
            self.assertEqual(os.listdir(data), [])
            self.assertEqual(host.ask("hostwindows"), "-")
        finally:
            host.close()
            shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"])
