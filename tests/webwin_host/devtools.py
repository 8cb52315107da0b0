"""One page of a running chromium, driven over its DevTools WebSocket."""
import http.client
import json
import time

import websocket


class DevToolsPage:
    def __init__(self, port, url, seconds=30):
        self.port = port
        self.socket = websocket.create_connection(self._page_socket(url, seconds), timeout=10, suppress_origin=True)
        self.next_id = 0

    def _page_socket(self, url, seconds):
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

    def call(self, method, params=None):
        """One DevTools command on the page; its result ({} after an error)."""
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params or {}}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == self.next_id:
                return message.get("result", {})

    def evaluate(self, expression):
        # a page that is unloading answers with an error instead of a result
        return self.call("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                              "awaitPromise": True}).get("result", {}).get("value")

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
        self.socket.close()
