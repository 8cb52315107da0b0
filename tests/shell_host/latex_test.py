#!/usr/bin/python3
"""The LaTeX preview in a real browser: a host program holds a started Tovrel (under wine), text
goes into its editor, the preview's page is loaded by Debian's headless chromium and read over
the DevTools protocol. MathJax comes from a network this machine cannot reach: what is checked is
the text that reaches the page. Usage: latex_test.py [emulator] host-program."""
import os
import socket
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "webwin_host"))
from browser_test import DevTools  # noqa: E402
from host_driver import Host  # noqa: E402

HOST_COMMAND = sys.argv[1:]
# ASCII, Chinese, and what would be markup if the page took the text as HTML.
TEXT = ("Euler: $e^{i\\pi} + 1 = 0$\n"
        "\u52fe\u80a1\u5b9a\u7406\uff1a\\(a^2 + b^2 = c^2\\)\n"
        "<script>window.hacked = 1</script> & <img src=x onerror=\"window.hacked = 2\"> &amp; &lt;b&gt;\n")
PAGE_PATHS = ("/", "/latex.html", "/index.html")


def request(port, path, cookie=None):
    """One GET with the path sent as it stands; (status, headers, body read to the end)."""
    with socket.create_connection(("127.0.0.1", port), timeout=10) as s:
        head = f"GET {path} HTTP/1.1\r\nHost: localhost:{port}\r\nConnection: close\r\n"
        if cookie:
            head += f"Cookie: {cookie}\r\n"
        s.sendall((head + "\r\n").encode("latin-1"))
        data = b""
        while True:
            chunk = s.recv(65536)
            if not chunk:
                break
            data += chunk
    head, _, body = data.partition(b"\r\n\r\n")
    lines = head.decode("latin-1").split("\r\n")
    headers = {}
    for line in lines[1:]:
        name, _, value = line.partition(":")
        headers[name.strip().lower()] = value.strip()
    return int(lines[0].split()[1]), headers, body


def port_open(port):
    with socket.socket() as s:
        s.settimeout(2)
        return s.connect_ex(("127.0.0.1", port)) == 0


def port_closes(port, seconds=10):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if not port_open(port):
            return True
        time.sleep(0.1)
    return False


class LatexPreview(unittest.TestCase):
    def setUp(self):
        self.host = Host(HOST_COMMAND)
        self.assertEqual(self.host.answer(60), "ready")
        self.browsers = []

    def tearDown(self):
        for browser in self.browsers:
            browser.close()
        self.host.close()

    def put_text(self, text):
        self.assertEqual(self.host.ask("text " + text.encode().hex()), "ok")

    def preview(self):
        """The preview as the TeX command makes it, served to a browser the test starts."""
        answer = self.host.ask("serve")
        self.assertRegex(answer, r"^\d+ \d+ [0-9a-f]*$")
        window, port, boxes = answer.split(" ")
        self.assertEqual(bytes.fromhex(boxes).decode(), "", "no message")
        self.assertNotEqual(window, "0")
        return int(port)

    def browse(self, port):
        browser = DevTools(f"http://localhost:{port}/")
        self.browsers.append(browser)
        status = "document.getElementById('status').className"
        self.assertEqual(browser.wait_for(status, "success", seconds=60), "success",
                         f"port open: {port_open(port)}; " +
                         str(browser.evaluate("location.href + ' ' + document.body.innerText")))
        return browser

    def test_page_shows_the_text_exactly_and_serves_only_its_paths(self):
        self.put_text(TEXT)
        port = self.preview()
        # The answers themselves, before any browser asked (and got a cookie).
        status, headers, body = request(port, "/get_latex_content")
        self.assertEqual((status, headers.get("content-type")), (200, "text/plain; charset=utf-8"))
        self.assertEqual(body, TEXT.encode())
        self.assertEqual(int(headers["content-length"]), len(TEXT.encode()))
        pages = [request(port, path) for path in PAGE_PATHS]
        for status, headers, body in pages:
            self.assertEqual((status, headers.get("content-type")), (200, "text/html; charset=utf-8"))
            self.assertEqual(int(headers["content-length"]), len(body))
            self.assertEqual(body, pages[0][2])
        self.assertIn(b"<title>LaTeX Preview</title>", pages[0][2])

        browser = self.browse(port)
        self.assertEqual(browser.evaluate("document.getElementById('inputText').value"), TEXT)
        self.assertEqual(browser.evaluate("document.getElementById('status').textContent"),
                         f"?\u52a0\u8f7d\u6210\u529f\uff08{len(TEXT)} \u5b57\u7b26\uff09")
        # The output box holds the text as text: no element of the document, no script ran.
        self.assertEqual(browser.evaluate("typeof window.hacked"), "undefined")
        self.assertEqual(browser.evaluate("document.querySelectorAll('#output img, #output script').length"), 0)
        # The bridge's binding answers the same text.
        self.assertTrue(browser.wait_for("globalThis.webwin !== undefined && webwin.isConnected()", True))
        self.assertEqual(browser.evaluate("webwin.call('get_latex_content')"), TEXT)
        if browser.evaluate("typeof (window.MathJax || {}).typesetPromise") != "function":
            self.assertEqual(browser.evaluate("document.getElementById('output').textContent"), TEXT)
            self.assertEqual(browser.evaluate("document.getElementById('output').childElementCount"), 0)

        # Authentication stays on: the browser holds the window's cookie, a client without it
        # is refused, and with it nothing beyond the preview's own paths is served.
        cookies = browser.call("Network.getAllCookies").get("cookies", [])
        cookie = [f"{c['name']}={c['value']}" for c in cookies if c["name"] == "webwin_auth"]
        self.assertEqual(len(cookie), 1, cookies)
        self.assertEqual(request(port, "/get_latex_content")[0], 403)
        self.assertEqual(request(port, "/get_latex_content", cookie[0])[2], TEXT.encode())
        probes = ["/LATEX.HTML", "/Index.html", "/latex.html/", "/nothing.txt", "/../../../../etc/passwd",
                  "/..%2f..%2f..%2fetc%2fpasswd", "/%2e%2e/%2e%2e/windows/win.ini", "/Z:/etc/passwd",
                  "/Z:%5cetc%5cpasswd", "/C:/windows/win.ini", "/..%5c..%5c..%5cwindows%5cwin.ini", "//etc/passwd",
                  "/%25TEMP%25/", "/%", "/con"]
        for probe in probes:
            with self.subTest(probe=probe):
                status, _, body = request(port, probe, cookie[0])
                self.assertIn(status, (400, 404))
                self.assertNotIn(b"root:", body)
                self.assertNotIn(b"[fonts]", body)

    def test_selection_second_preview_and_close_button(self):
        text = "abc\n\u4e2d\u6587 $x$\nzzz"
        self.put_text(text)
        first = self.preview()
        self.assertEqual(self.browse(first).evaluate("document.getElementById('inputText').value"), text)
        # Positions count bytes: the second line is bytes 4 to 14.
        self.assertEqual(self.host.ask("select 4 14"), "ok")
        second = self.preview()
        self.assertTrue(port_closes(first), "the first preview's server still answers")
        browser = self.browse(second)
        self.assertEqual(browser.evaluate("document.getElementById('inputText').value"), "\u4e2d\u6587 $x$")
        # The close button's request closes the preview's window and ends its server.
        browser.evaluate("document.getElementById('close').click()")
        deadline = time.monotonic() + 10
        state = None
        while time.monotonic() < deadline:
            state = self.host.ask("state").split(" ")[:2]
            if state == ["0", "0"]:
                break
        self.assertEqual(state, ["0", "0"])
        self.assertTrue(port_closes(second))


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"])
