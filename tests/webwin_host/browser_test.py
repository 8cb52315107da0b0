#!/usr/bin/python3
"""A real browser on a bridge window: Debian's headless chromium loads the page the host serves,
and its DOM is read over the DevTools protocol. Usage: browser_test.py [emulator] host-program."""
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest

from devtools import DevToolsPage
from host_driver import Host

HOST_COMMAND = sys.argv[1:]
CHROMIUM = "/usr/bin/chromium"
PAGE = """<!DOCTYPE html><html><head><meta charset="UTF-8"><script src="webwin.js"></script>
<script>document.addEventListener('DOMContentLoaded', () => {
  document.getElementById('s').textContent = 'bridge ' + typeof webwin + ' ' + webwin.isConnected();
});</script></head><body><h1 id="t">Kavlo bridge page</h1><p id="s">waiting</p></body></html>"""
# A page that talks to the program: a button, a raw-data receiver checking every byte it gets
# against the host's pattern, and a link to another page of the window.
TALK = """<!DOCTYPE html><html><head><meta charset="UTF-8"><script src="webwin.js"></script>
<script>
globalThis.raw = 'none';
globalThis.gotRaw = (bytes) => {
  let ok = bytes instanceof Uint8Array;
  for (let i = 0; ok && i < bytes.length; ++i) ok = bytes[i] === ((i * 7 + Math.floor(i / 251)) & 0xFF);
  globalThis.raw = bytes.length + (ok ? ' ok' : ' wrong');
};
</script></head><body><button id="b">press</button><a id="l" href="other.html">other</a></body></html>"""
OTHER = """<!DOCTYPE html><html><head><script src="webwin.js"></script></head><body>other page</body></html>"""


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class DevTools(DevToolsPage):
    """A headless chromium of the test's own on one address, and its page."""

    def __init__(self, url):
        self.profile = tempfile.mkdtemp(prefix="webwin-chromium-")
        port = free_port()
        self.proc = subprocess.Popen(
            [CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             f"--user-data-dir={self.profile}", f"--remote-debugging-port={port}", url],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        super().__init__(port, url)

    def close(self):
        try:
            super().close()
        finally:
            try:
                os.killpg(self.proc.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self.proc.wait(timeout=10)
            shutil.rmtree(self.profile, ignore_errors=True)


class BrowserPage(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="webwin-browser-")
        for name, text in (("index.html", PAGE), ("talk.html", TALK), ("other.html", OTHER)):
            with open(os.path.join(self.tmp, name), "w") as f:
                f.write(text)
        self.host = Host(HOST_COMMAND)

    def tearDown(self):
        self.host.close()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def test_chromium_loads_the_served_page(self):
        window = self.host.ask("new")
        self.assertEqual(self.host.ask(f"root {window} {self.host.path(self.tmp)}"), "1")
        url = self.host.ask(f"start {window}")
        self.assertTrue(url.startswith("http://localhost:"), url)
        browser = DevTools(url + "/")
        try:
            # "/" redirects to index.html, whose bridge script made the page's bridge object
            self.assertEqual(browser.wait_for("document.getElementById('s').textContent", "bridge object false"),
                             "bridge object false")
            self.assertEqual(browser.evaluate("location.pathname"), "/index.html")
            self.assertEqual(browser.evaluate("document.getElementById('t').textContent"), "Kavlo bridge page")
            # the authentication cookie was set, and the page's scripts cannot read it
            self.assertEqual(browser.evaluate("document.cookie"), "")
            self.assertEqual(browser.evaluate(
                "(() => { try { new WebwinBridge({}); return 'made'; } catch (e) { return e.message; } })()"),
                "Sorry. Webwin is already defined, only one instance is allowed.")
        finally:
            browser.close()
        self.host.ask(f"destroy {window}")


    def wait_host(self, line, expected, seconds=20):
        deadline = time.monotonic() + seconds
        answer = None
        while time.monotonic() < deadline:
            answer = self.host.ask(line)
            if answer == expected:
                break
            time.sleep(0.1)
        return answer

    def events_until(self, expected, seconds=20):
        deadline = time.monotonic() + seconds
        seen = []
        while time.monotonic() < deadline and expected not in seen:
            answer = self.host.ask("events")
            seen += [] if answer == "-" else answer.split(";")
            time.sleep(0.05)
        return seen

    def test_the_page_and_the_program_talk(self):
        window = self.host.ask("new")
        self.assertEqual(len(self.host.ask(f"binds {window}").split()), 4)
        self.assertEqual(self.host.ask(f"root {window} {self.host.path(self.tmp)}"), "1")
        url = self.host.ask(f"start {window} talk.html")
        browser = DevTools(url)
        try:
            connected = "globalThis.webwin !== undefined && webwin.isConnected()"
            self.assertTrue(browser.wait_for(connected, True))
            self.assertIn("connected:", self.events_until("connected:"))
            self.assertEqual(self.host.ask(f"shown {window}"), "1")
            self.assertEqual(browser.evaluate("webwin.call('echo', 'a', 2)"), "2:a(1)|2(1)")
            self.assertEqual(browser.evaluate("echo('\u00e9t\u00e9', new Uint8Array([65, 66, 67]))"),
                             "2:\u00e9t\u00e9(5)|ABC(3)")
            # with the all-events handler bound, a name without binding is called and answers nothing
            self.assertEqual(browser.evaluate("webwin.call('nobody')"), "")
            # a click on an element reaches the all-events handler
            browser.evaluate("document.getElementById('b').click()")
            self.assertIn("click:b", self.events_until("click:b"))
            # scripts: a value, a thrown error, a page that never answers within a second
            self.assertEqual(self.host.ask(f"script {window} 0 return 6 * 7"), "1 42")
            self.assertEqual(self.host.ask(f"script {window} 0 throw new Error('boom')"), "0 boom")
            self.assertEqual(self.host.ask(f"script {window} 1 return new Promise(() => {{}})"), "0 ")
            # a bound handler asks its own page while the page waits for its answer
            self.assertEqual(browser.evaluate("ask('return document.title.length + 1')"), "1 1")
            self.host.ask(f"run {window} globalThis.ran = 'yes'")
            self.assertEqual(browser.wait_for("globalThis.ran", "yes"), "yes")
            # raw data, small and 10 MB, arrives intact
            self.host.ask(f"raw {window} gotRaw 3")
            self.assertEqual(browser.wait_for("globalThis.raw", "3 ok"), "3 ok")
            self.host.ask(f"raw {window} gotRaw 10485760")
            self.assertEqual(browser.wait_for("globalThis.raw", "10485760 ok", seconds=60), "10485760 ok")
            # a bind after the connection reaches the page
            self.host.ask(f"bind {window} later")
            self.assertEqual(browser.wait_for("typeof later", "function"), "function")
            self.assertEqual(browser.evaluate("later('x')"), "late:x")
            # a reload reconnects the same window
            # (the old page must be gone first: its own isConnected() answers true until it unloads)
            browser.evaluate("globalThis.beforeReload = 1; location.reload()")
            self.assertEqual(browser.wait_for("typeof globalThis.beforeReload", "undefined"), "undefined")
            self.assertTrue(browser.wait_for(connected, True))
            self.assertEqual(self.host.ask(f"shown {window}"), "1")
            # navigation from the program
            self.host.ask(f"navigate {window} {url}/other.html")
            self.assertEqual(browser.wait_for("location.pathname", "/other.html"), "/other.html")
            self.assertTrue(browser.wait_for(connected, True))
        finally:
            browser.close()
        self.host.ask(f"destroy {window}")


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"])
