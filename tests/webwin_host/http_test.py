#!/usr/bin/python3
"""The bridge's HTTP serving over real HTTP: usage http_test.py [emulator] host-program."""
import http.client
import os
import re
import shutil
import socket
import sys
import tempfile
import threading
import time
import unittest

from host_driver import Host

HOST_COMMAND = sys.argv[1:]
TIMEOUT = 10


class Client:
    """One browser-like client: keeps the cookie it is handed."""

    def __init__(self, port):
        self.port = port
        self.cookie = None

    def get(self, path, method="GET", headers=None):
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=TIMEOUT)
        all_headers = dict(headers or {})
        if self.cookie:
            all_headers["Cookie"] = self.cookie
        connection.request(method, path, headers=all_headers)
        response = connection.getresponse()
        body = response.read()
        connection.close()
        set_cookie = response.getheader("Set-Cookie")
        if set_cookie:
            self.cookie = set_cookie.split(";")[0]
        return response, body


def port_open(port):
    with socket.socket() as s:
        s.settimeout(2)
        return s.connect_ex(("127.0.0.1", port)) == 0


class HttpServing(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="webwin-http-")
        cls.root = os.path.join(cls.tmp, "root")
        os.makedirs(os.path.join(cls.root, "sub"))
        files = {
            "index.html": "<html><body><h1>root page</h1><script src=\"webwin.js\"></script></body></html>",
            "style.css": "h1 { color: red }",
            "data.json": "{\"a\": 1}",
            "a b.txt": "blank name",
            "sub/index.html": "<html>sub</html>",
            "sub/page.js": "let x = 1;",
            "big.bin": "x" * (8 << 20),
        }
        for name, text in files.items():
            with open(os.path.join(cls.root, name), "w") as f:
                f.write(text)
        with open(os.path.join(cls.tmp, "secret.txt"), "w") as f:
            f.write("SECRET outside the root")
        os.symlink(os.path.join(cls.tmp, "secret.txt"), os.path.join(cls.root, "link.txt"))
        cls.host = Host(HOST_COMMAND)

    @classmethod
    def tearDownClass(cls):
        cls.host.close()
        shutil.rmtree(cls.tmp, ignore_errors=True)

    def serve_folder(self):
        window = self.host.ask("new")
        self.assertNotEqual(window, "0")
        self.assertEqual(self.host.ask(f"root {window} {self.host.path(self.root)}"), "1")
        url = self.host.ask(f"start {window}")
        match = re.fullmatch(r"http://localhost:(\d+)", url)
        self.assertIsNotNone(match, url)
        return window, int(match.group(1))

    def test_bridge_script_settings_and_cookie(self):
        window, port = self.serve_folder()
        client = Client(port)
        response, body = client.get("/webwin.js")
        self.assertEqual(response.status, 200)
        self.assertEqual(response.getheader("Content-Type"), "application/javascript")
        cookie = response.getheader("Set-Cookie")
        self.assertRegex(cookie, rf"^webwin_auth={window}_[A-Za-z0-9]{{31}}; Path=/; HttpOnly; SameSite=Strict$")
        text = body.decode()
        self.assertIn("class WebwinBridge", text)
        settings = re.search(r"token: (\d+), port: (\d+),", text)
        self.assertIsNotNone(settings)
        self.assertNotEqual(int(settings.group(1)), 0)
        self.assertEqual(int(settings.group(2)), port)
        # the cookie is handed out once; the token stays with the window
        response, body = client.get("/webwin.js")
        self.assertIsNone(response.getheader("Set-Cookie"))
        self.assertIn(f"token: {settings.group(1)},", body.decode())
        # a page of another site must not read the token
        response, body = client.get("/webwin.js", headers={"Sec-Fetch-Site": "cross-site"})
        self.assertEqual(response.status, 403)
        self.assertNotIn(settings.group(1).encode(), body)
        self.host.ask(f"destroy {window}")

    def test_single_client_refuses_a_second_browser(self):
        window, port = self.serve_folder()
        first, second = Client(port), Client(port)
        self.assertEqual(first.get("/webwin.js")[0].status, 200)
        response, body = second.get("/style.css")
        self.assertEqual(response.status, 403)
        self.assertIn(b"Multi-client mode is disabled.", body)
        self.assertEqual(first.get("/style.css")[0].status, 200)
        self.host.ask("config 3 1")
        try:
            self.assertEqual(Client(port).get("/style.css")[0].status, 200)
        finally:
            self.host.ask("config 3 0")
        self.host.ask(f"destroy {window}")

    def test_files_folders_and_types(self):
        window, port = self.serve_folder()
        client = Client(port)
        cases = [
            ("/", 302, "index.html", None),
            ("/style.css", 200, None, "text/css"),
            ("/data.json", 200, None, "application/json"),
            ("/a%20b.txt", 200, None, "text/plain"),
            ("/sub/page.js", 200, None, "application/javascript"),
            ("/sub", 302, "/sub/index.html", None),
            ("/sub/", 302, "/sub/index.html", None),
            ("/favicon.ico", 302, "favicon.svg", None),
            ("/favicon.svg", 200, None, "image/svg+xml"),
            ("/missing.html", 404, None, "text/html; charset=utf-8"),
        ]
        for path, status, location, mime in cases:
            with self.subTest(path=path):
                response, body = client.get(path)
                self.assertEqual(response.status, status)
                if location:
                    self.assertEqual(response.getheader("Location"), location)
                if mime:
                    self.assertEqual(response.getheader("Content-Type"), mime)
                self.assertIsNone(response.getheader("Access-Control-Allow-Origin"))
        response, body = client.get("/a%20b.txt")
        self.assertEqual(body, b"blank name")
        response, body = client.get("/missing.html")
        self.assertIn(b"Resource Not Available", body)
        # a cross-origin preflight is not answered for another site
        response, _ = client.get("/data.json", method="OPTIONS", headers={"Origin": "http://evil.example"})
        self.assertIsNone(response.getheader("Access-Control-Allow-Origin"))
        # only GET is served
        response, body = client.get("/style.css", method="POST")
        self.assertEqual((response.status, body), (200, b""))
        # the root cannot change under a running server
        self.assertEqual(self.host.ask(f"root {window} {self.host.path(self.tmp)}"), "0")
        self.assertEqual(client.get("/style.css")[0].status, 200)
        self.host.ask(f"icon {window} image/svg+xml <svg>mine</svg>")
        response, body = client.get("/favicon.ico")
        self.assertEqual((response.status, response.getheader("Content-Type"), body),
                         (200, "image/svg+xml", b"<svg>mine</svg>"))
        self.host.ask(f"destroy {window}")

    def test_traversal_probes_stay_inside_the_root(self):
        window, port = self.serve_folder()
        client = Client(port)
        probes = ["/../secret.txt", "/..%2fsecret.txt", "/%2e%2e/secret.txt", "/%2E%2E%2Fsecret.txt",
                  "/%5c..%5csecret.txt", "/sub/..%5c..%5csecret.txt", "/sub/../../secret.txt",
                  "/%252e%252e/secret.txt", "/.../secret.txt", "/..%20/secret.txt", "/C:/windows/win.ini",
                  "/Z:/etc/passwd", "/Z:%5cetc%5cpasswd", "/%25USERPROFILE%25/", "/%25TEMP%25/../secret.txt",
                  "/secret.txt%00.css", "/style.css%00", "/con", "/NUL.txt", "/sub/com1", "/%", "/%zz",
                  "//etc/passwd", "/\\..\\secret.txt"]
        if not self.host.emulated:
            # wine shows a link of the Linux file system to a Windows program as a plain file
            probes.append("/link.txt")
        for probe in probes:
            with self.subTest(probe=probe):
                response, body = client.get(probe)
                self.assertIn(response.status, (400, 404))
                self.assertNotIn(b"SECRET", body)
                self.assertNotIn(b"root:", body)
        self.host.ask(f"destroy {window}")

    def test_start_file_html_and_file_handler(self):
        window = self.host.ask("new")
        self.host.ask(f"root {window} {self.host.path(self.root)}")
        url = self.host.ask(f"start {window} a b.txt")
        port = int(url.rsplit(":", 1)[1])
        client = Client(port)
        response, _ = client.get("/")
        self.assertEqual((response.status, response.getheader("Location")), (302, "a%20b.txt"))
        self.host.ask(f"handler {window}")
        response, body = client.get("/hello.txt")
        self.assertEqual((response.status, body), (200, b"from handler\r\n"))
        self.assertEqual(client.get("/style.css")[0].status, 200)
        self.host.ask(f"destroy {window}")

        window = self.host.ask("new")
        url = self.host.ask(f"start {window} <!doctype html><html><p>inline</p></html>")
        port = int(url.rsplit(":", 1)[1])
        response, body = Client(port).get("/")
        self.assertEqual((response.status, body), (200, b"<!doctype html><html><p>inline</p></html>"))
        self.assertEqual(self.host.ask(f"url {window}"), f"http://127.0.0.1:{port}")
        self.host.ask(f"destroy {window}")

    def test_ports(self):
        window = self.host.ask("new")
        with socket.socket() as taken:
            taken.bind(("127.0.0.1", 0))
            taken.listen(1)
            self.assertEqual(self.host.ask(f"setport {window} {taken.getsockname()[1]}"), "0")
        free = int(self.host.ask("freeport"))
        self.assertTrue(10000 <= free <= 65500)
        self.assertEqual(self.host.ask(f"setport {window} {free}"), "1")
        self.assertEqual(self.host.ask(f"start {window} <html>p</html>"), f"http://localhost:{free}")
        self.assertEqual(int(self.host.ask(f"port {window}")), free)
        self.host.ask(f"destroy {window}")

    def test_show_without_a_browser_fails_cleanly(self):
        window = self.host.ask("new")
        self.host.ask(f"root {window} {self.host.path(self.root)}")
        # no browser is registered here: the show says so at once, not after waiting for a page
        started = time.monotonic()
        self.assertEqual(self.host.ask(f"show {window}"), "0")
        self.assertLess(time.monotonic() - started, 5)
        self.host.ask(f"destroy {window}")

    def test_destroy_while_serving(self):
        window, port = self.serve_folder()
        connection = http.client.HTTPConnection("127.0.0.1", port, timeout=TIMEOUT)
        connection.request("GET", "/big.bin")
        response = connection.getresponse()
        self.assertEqual(response.status, 200)
        response.read(1024)  # the rest waits in the socket while the window goes
        started = time.monotonic()
        self.assertEqual(self.host.ask(f"destroy {window}", seconds=30), "ok")
        self.assertLess(time.monotonic() - started, 30)
        connection.close()
        self.assertFalse(port_open(port))

    def test_hundred_windows_leave_nothing_behind(self):
        before = int(self.host.ask("threads"))
        windows = []
        for _ in range(100):
            window = self.host.ask("new")
            url = self.host.ask(f"start {window} <html>w{window}</html>")
            windows.append((window, int(url.rsplit(":", 1)[1])))
        for window, port in windows[::10]:
            self.assertEqual(Client(port).get("/")[1], f"<html>w{window}</html>".encode())
        for window, _ in windows:
            self.host.ask(f"destroy {window}")
        for _, port in windows:
            self.assertFalse(port_open(port))
        after = int(self.host.ask("threads"))
        self.assertLessEqual(after, before)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"])
