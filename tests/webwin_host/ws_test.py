#!/usr/bin/python3
"""The bridge's WebSocket packet protocol spoken raw, as a hostile page might: usage
ws_test.py [emulator] host-program. Under the native build the host runs with the sanitizers,
so a read past a packet fails the run."""
import http.client
import re
import struct
import sys
import time
import unittest

import websocket

from host_driver import Host

HOST_COMMAND = sys.argv[1:]
TIMEOUT = 20
SIGNATURE = 0xDD
CHECK_TK, MULTI, NEW_ID, CALL_FUNC, CLOSE, CLICK, JS, DRAG = 0xF5, 0xF6, 0xF7, 0xF9, 0xFA, 0xFC, 0xFE, 0xF4
NAVIGATION = 0xFB
PROGRAM = 0xFFFFFFFF


def packet(token, command, payload=b"", call_id=0):
    return struct.pack("<BIHB", SIGNATURE, token, call_id, command) + payload


def call(token, name, args, call_id=1, sizes=None):
    sizes = sizes if sizes is not None else ";".join(str(len(a)) for a in args)
    body = name + b"\0" + sizes.encode() + b"\0" + b"".join(a + b"\0" for a in args)
    return packet(token, CALL_FUNC, body, call_id)


def head(data):
    """(token, id, command, payload without its NUL) of a program packet."""
    signature, token, call_id, command = struct.unpack("<BIHB", data[:8])
    assert signature == SIGNATURE and data[-1:] == b"\0", data
    return token, call_id, command, data[8:-1]


class Page:
    """A page's socket: the window's token and cookie come from its "/webwin.js". The pages of
    one test share their cookie, as the pages of one browser do."""

    def __init__(self, port, jar, origin=None, token=None):
        connection = http.client.HTTPConnection("127.0.0.1", port, timeout=TIMEOUT)
        connection.request("GET", "/webwin.js", headers={"Cookie": jar["cookie"]} if jar.get("cookie") else {})
        response = connection.getresponse()
        script = response.read().decode()
        connection.close()
        if response.getheader("Set-Cookie"):
            jar["cookie"] = response.getheader("Set-Cookie").split(";")[0]
        cookie = jar.get("cookie")
        found = re.search(r"token: (\d+)", script)
        self.token = int(found.group(1)) if found else 0
        if token is not None:
            self.token = token
        self.socket = websocket.create_connection(
            f"ws://127.0.0.1:{port}/_webwin_ws_connect", timeout=TIMEOUT,
            header=[f"Cookie: {cookie}"] if cookie else [], origin=origin or f"http://127.0.0.1:{port}")

    def send(self, data):
        self.socket.send_binary(data)

    def receive(self):
        data = self.socket.recv()
        assert isinstance(data, bytes) and data, data
        return head(data)

    def closed(self):
        """True when the server ends the connection (a close frame or the socket's end)."""
        try:
            while True:
                data = self.socket.recv()
                if not data:
                    return True
        except (websocket.WebSocketConnectionClosedException, ConnectionError):
            return True
        except websocket.WebSocketTimeoutException:
            return False

    def check_token(self):
        self.send(packet(self.token, CHECK_TK))
        return self.receive()

    def close(self):
        self.socket.close()


class PacketProtocol(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.host = Host(HOST_COMMAND)

    @classmethod
    def tearDownClass(cls):
        cls.host.close()

    def setUp(self):
        self.window = self.host.ask("new")
        ids = self.host.ask(f"binds {self.window}").split()
        self.assertEqual(len(set(ids)), 4, ids)
        url = self.host.ask(f"start {self.window} <html><script src=\"webwin.js\"></script></html>")
        self.port = int(url.rsplit(":", 1)[1])
        self.host.ask("events")
        self.jar = {}

    def tearDown(self):
        self.host.ask(f"destroy {self.window}")

    def wait_events(self, expected):
        deadline = time.monotonic() + TIMEOUT
        seen = []
        while time.monotonic() < deadline:
            answer = self.host.ask("events")
            if answer != "-":
                seen += answer.split(";")
            if all(e in seen for e in expected):
                return seen
            time.sleep(0.05)
        return seen

    def test_the_token_check(self):
        page = Page(self.port, self.jar)
        _, call_id, command, payload = page.check_token()
        self.assertEqual((command, payload), (CHECK_TK, b"\x01__webwin_core_api__,echo,counter,ask,,"))
        self.assertIn("connected:", self.wait_events(["connected:"]))
        self.assertEqual(self.host.ask(f"shown {self.window}"), "1")
        page.close()
        self.assertIn("disconnected:", self.wait_events(["disconnected:"]))
        # a wrong token and the token 0 get the empty answer and the close; nothing reaches a handler
        for token in (page.token ^ 0x5A5A, 0):
            wrong = Page(self.port, self.jar, token=token)
            wrong.send(call(token, b"counter", [], call_id=77))
            self.assertEqual(wrong.receive(), (PROGRAM, 77, CALL_FUNC, b""))
            self.assertTrue(wrong.closed())
        right = Page(self.port, self.jar)
        self.assertEqual(right.check_token()[2], CHECK_TK)
        right.send(call(right.token, b"counter", []))
        self.assertEqual(right.receive()[3], b"1")  # the wrong pages never called it
        right.close()

    def test_a_foreign_origin_is_refused(self):
        with self.assertRaises((websocket.WebSocketBadStatusException, websocket.WebSocketConnectionClosedException)):
            Page(self.port, self.jar, origin="http://evil.example")
        page = Page(self.port, self.jar)
        self.assertEqual(page.check_token()[3][:1], b"\x01")
        page.close()

    def test_calls_and_their_sizes(self):
        page = Page(self.port, self.jar)
        page.check_token()
        cases = [
            (call(page.token, b"echo", [b"abc", b""], 5), 5, b"2:abc(3)|(0)"),
            (call(page.token, b"echo", [b"a", b"2"], 6), 6, b"2:a(1)|2(1)"),
            (call(page.token, b"echo", [], 7), 7, b"0:"),
            (call(page.token, b"echo", [b"abc"], 8, sizes="4"), 8, b""),          # sizes past the packet
            (call(page.token, b"echo", [b"abc"], 9, sizes="4294967295;1"), 9, b""),
            (call(page.token, b"echo", [b"x"] * 18, 10), 10, b""),                # more than 17 arguments
            (call(page.token, b"nobody", [b"x"], 11), 11, b""),                   # not bound
            (packet(page.token, CALL_FUNC, b"echo", 12), 12, b""),                # the name runs to the end
            (packet(page.token, CALL_FUNC, b"echo\x003;0", 13), 13, b""),         # the sizes run to the end
        ]
        for data, call_id, answer in cases:
            page.send(data)
            self.assertEqual(page.receive(), (PROGRAM, call_id, CALL_FUNC, answer), data)
        page.close()

    def test_a_long_packet_arrives_in_chunks(self):
        page = Page(self.port, self.jar)
        page.check_token()
        argument = bytes(i % 26 + 97 for i in range(70000 - 8 - len(b"echo\x0069991\x00") - 1))
        whole = call(page.token, b"echo", [argument], 21)
        self.assertEqual(len(whole), 70000)
        header = packet(page.token, MULTI, b"70000\0")
        self.assertEqual(len(header), 14)
        page.send(header)
        page.send(whole[:65500])
        page.send(whole[65500:])
        self.assertEqual(page.receive(), (PROGRAM, 21, CALL_FUNC, b"1:" + argument + b"(69980)"))
        # an announced length past the limit, or chunks that overrun it, are dropped
        page.send(packet(page.token, MULTI, b"64000001\0"))
        page.send(packet(page.token, MULTI, b"20\0"))
        page.send(whole[:30])
        page.send(call(page.token, b"echo", [b"after"], 22))
        self.assertEqual(page.receive(), (PROGRAM, 22, CALL_FUNC, b"1:after(5)"))
        page.close()

    def test_short_packets_change_nothing(self):
        page = Page(self.port, self.jar)
        page.check_token()
        for data in [packet(page.token, JS, b"", 3), packet(page.token, JS, b"\x01", 3),
                     packet(page.token, DRAG), packet(page.token, DRAG, b"\x01\x00\x00\x00"),
                     packet(page.token, CLICK), b"ping", packet(page.token, MULTI, b"0\0"),
                     packet(page.token, MULTI, b"64000001\0"), packet(page.token, MULTI, b"12a\0")]:
            page.send(data)
        page.send(call(page.token, b"echo", [b"still"], 30))
        self.assertEqual(page.receive(), (PROGRAM, 30, CALL_FUNC, b"1:still(5)"))
        self.assertIn("click:", self.wait_events(["click:"]))
        page.close()

    def test_scripts_late_binds_and_closing(self):
        page = Page(self.port, self.jar)
        page.check_token()
        self.host.tell(f"script {self.window} 1 return 6*7")
        _, first, command, payload = page.receive()
        self.assertEqual((command, payload), (JS, b"return 6*7"))
        self.assertEqual(self.host.answer(), "0 ")  # nobody answered within a second
        # the late answer finds no buffer; the next script gets its own answer, cut to the buffer
        page.send(packet(page.token, JS, b"\x00late\0", first))
        self.host.tell(f"script {self.window} 0 return 42")
        _, second, _, _ = page.receive()
        self.assertNotEqual(second, first)
        page.send(packet(page.token, JS, b"\x00" + b"42\0", second))
        self.assertEqual(self.host.answer(), "1 42")
        self.host.tell(f"script {self.window} 0 throw")
        _, third, _, _ = page.receive()
        page.send(packet(page.token, JS, b"\x01" + b"x" * 300 + b"\0", third))
        self.assertEqual(self.host.answer(), "0 " + "x" * 255)
        self.host.tell(f"script {self.window} 0 short")
        _, fourth, _, _ = page.receive()
        page.send(packet(page.token, JS, b"\x00", fourth))  # 9 bytes: an empty answer
        self.assertEqual(self.host.answer(), "1 ")
        # a bind after the connection reaches the page
        self.host.ask(f"bind {self.window} later")
        self.assertEqual(page.receive(), (PROGRAM, 0, NEW_ID, b"later"))
        page.send(call(page.token, b"later", [b"x"], 40))
        self.assertEqual(page.receive(), (PROGRAM, 40, CALL_FUNC, b"late:x"))
        self.host.ask(f"close {self.window}")
        self.assertEqual(page.receive(), (PROGRAM, 0, CLOSE, b""))
        page.close()

    def test_asynchronous_answers_and_serial_events(self):
        self.host.ask(f"bindslow {self.window}")
        self.host.ask("config 5 1")  # answers come later, from any thread
        self.host.ask("config 1 1")  # one packet at a time
        try:
            page = Page(self.port, self.jar)
            page.check_token()
            page.send(call(page.token, b"slow", [], 50))
            self.assertEqual(page.receive(), (PROGRAM, 50, CALL_FUNC, b"slow answer"))
            # a handler waiting for its page's script answer gets it, serial events or not
            page.send(call(page.token, b"ask", [b"return 1"], 51))
            _, script, command, text = page.receive()
            self.assertEqual((command, text), (JS, b"return 1"))
            page.send(packet(page.token, JS, b"\x00" + b"1\0", script))
            self.assertEqual(page.receive(), (PROGRAM, 51, CALL_FUNC, b"1 1"))
            page.close()
        finally:
            self.host.ask("config 5 0")
            self.host.ask("config 1 0")

    def test_a_show_for_one_page_navigates_only_that_page(self):
        self.host.ask(f"bindshow {self.window}")
        self.host.ask("config 3 1")  # several pages
        try:
            asking, other = Page(self.port, self.jar), Page(self.port, self.jar)
            asking.check_token()
            other.check_token()
            base = f"http://localhost:{self.port}"
            cases = [(b"showclient", b"notes two.txt", base.encode() + b"/notes%20two.txt"),
                     (b"ishowclient", b"https://example.invalid/a", b"https://example.invalid/a")]
            for call_id, (name, content, target) in enumerate(cases, start=60):
                asking.send(call(asking.token, name, [content], call_id))
                answers = [asking.receive(), asking.receive()]
                self.assertIn((PROGRAM, 0, NAVIGATION, target), answers, name)
                self.assertIn((PROGRAM, call_id, CALL_FUNC, b"1"), answers, name)
            # the other page got neither navigation
            other.socket.settimeout(0.5)
            with self.assertRaises(websocket.WebSocketTimeoutException):
                other.receive()
            asking.close()
            other.close()
        finally:
            self.host.ask("config 3 0")


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"])
