#!/usr/bin/python3
"""A real browser on a bridge window: Debian's headless chromium loads the page the host serves,
and its DOM is read over the DevTools protocol. Usage: browser_test.py [emulator] host-program."""
import http.client
import json
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest

import websocket

from host_driver import Host

HOST_COMMAND = sys.argv[1:]
CHROMIUM = "/usr/bin/chromium"
PAGE = """<!DOCTYPE html><html><head><meta charset="UTF-8"><script src="webwin.js"></script>
<script>document.addEventListener('DOMContentLoaded', () => {
  document.getElementById('s').textContent = 'bridge ' + typeof webwin + ' ' + webwin.isConnected();
});</script></head><body><h1 id="t">Kavlo bridge page</h1><p id="s">waiting</p></body></html>"""


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class DevTools:
    """One page of a headless chromium, driven over its DevTools WebSocket."""

    def __init__(self, url):
        self.profile = tempfile.mkdtemp(prefix="webwin-chromium-")
        self.port = free_port()
        self.proc = subprocess.Popen(
            [CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             f"--user-data-dir={self.profile}", f"--remote-debugging-port={self.port}", url],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        self.socket = websocket.create_connection(self._page_socket(url), timeout=10, suppress_origin=True)
        self.next_id = 0

    def _page_socket(self, url, seconds=30):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            try:
                connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=2)
                connection.request("GET", "/json/list")
                pages = json.loads(connection.getresponse().read())
                connection.close()
                for page in pages:
                    if page.get("type") == "page" and page.get("url", "").startswith(url):
                        return page["webSocketDebuggerUrl"]
            except (OSError, ValueError):
                pass
            time.sleep(0.2)
        raise TimeoutError("chromium showed no page for " + url)

    def evaluate(self, expression):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": "Runtime.evaluate",
                                     "params": {"expression": expression, "returnByValue": True}}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == self.next_id:
                return message["result"]["result"].get("value")

    def wait_for(self, expression, expected, seconds=20):
        deadline = time.monotonic() + seconds
        value = None
        while time.monotonic() < deadline:
            value = self.evaluate(expression)
            if value == expected:
                return value
            time.sleep(0.1)
        return value

    def close(self):
        try:
            self.socket.close()
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
        with open(os.path.join(self.tmp, "index.html"), "w") as f:
            f.write(PAGE)
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


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"])
