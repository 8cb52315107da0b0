"""Starts the bridge's test host (natively or under wine) and talks to it line by line."""
import os
import queue
import subprocess
import tempfile
import threading

ANSWER_SECONDS = 30


class Host:
    def __init__(self, command):
        self.emulated = len(command) > 1
        self.log = tempfile.NamedTemporaryFile(mode="w+", prefix="webwin-host-", suffix=".log", delete=False)
        self.proc = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=self.log, text=True, bufsize=1, start_new_session=True)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.proc.stdout:
            self.lines.put(line.rstrip("\r\n"))
        self.lines.put(None)

    def ask(self, line, seconds=ANSWER_SECONDS):
        self.tell(line)
        return self.answer(seconds)

    def tell(self, line):
        """Sends a line whose answer comes later (the host blocks on it): read it with answer()."""
        self.proc.stdin.write(line + "\n")
        self.proc.stdin.flush()

    def answer(self, seconds=ANSWER_SECONDS):
        answer = self.lines.get(timeout=seconds)
        if answer is None:
            raise RuntimeError("the host ended; its log:\n" + self.log_text())
        return answer

    def path(self, linux_path):
        """A folder of this machine as the host sees it."""
        return "Z:" + linux_path if self.emulated else linux_path

    def log_text(self):
        self.log.flush()
        with open(self.log.name, encoding="utf-8", errors="replace") as f:
            return f.read()

    def close(self):
        try:
            if self.proc.poll() is None:
                self.ask("quit", seconds=15)
                self.proc.wait(timeout=15)
        except Exception:
            pass
        finally:
            if self.proc.poll() is None:
                self.proc.kill()
                self.proc.wait(timeout=10)
            self.log.close()
            if os.environ.get("KEEP_HOST_LOG") is None:
                os.unlink(self.log.name)
