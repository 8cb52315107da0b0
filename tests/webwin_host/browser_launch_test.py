#!/usr/bin/python3
"""Browsers started for real under wine. No Windows browser installs under wine: a stand-in
program of the tests (browser_standin.cpp) is copied under a browser's executable name and
registered where the bridge looks ("App Paths" in the registry of this test's own wine prefix,
or the browser folder). It logs its command line and starts Debian's headless chromium on the
window's address, so discovery, flags, profile folders, the launch, the page's connection and the
shutdown all run. Usage: browser_launch_test.py wine host-program (environment: WEBWIN_STANDIN,
the stand-in's path; WEBWIN_TEST_PREFIX, the wine prefix of this test)."""
import json
import ntpath
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

from devtools import DevToolsPage
from host_driver import Host

HOST_COMMAND = sys.argv[1:]
STANDIN = os.environ.get("WEBWIN_STANDIN", "")
PREFIX = os.environ.get("WEBWIN_TEST_PREFIX", "")
QUIET = {"stdin": subprocess.DEVNULL, "stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}
BROWSERS = [2, 3, 4, 6, 8, 9, 10, 11]
NOT_BROWSERS = [0, 1, 5, 7, 12, 13, 14, 99]
PAGE = ('<!DOCTYPE html><html><head><script src="webwin.js"></script></head>'
        '<body><p id="s">bridge page</p></body></html>')
DEFAULT_FLAGS = ["--no-first-run", "--safe-mode", "--disable-extensions", "--disable-background-mode",
                 "--disable-plugins", "--disable-plugins-discovery", "--disable-translate",
                 "--disable-features=Translate", "--bwsi", "--disable-sync", "--disable-sync-preferences",
                 "--disable-component-update", "--allow-insecure-localhost",
                 "--auto-accept-camera-and-microphone-capture"]


def setUpModule():
    if len(HOST_COMMAND) < 2 or not STANDIN or not PREFIX:
        raise unittest.SkipTest("runs the windows host under wine")
    # A prefix of this test's own: the browsers registered here are seen by no other test.
    os.environ["WINEPREFIX"] = PREFIX
    os.makedirs(PREFIX, exist_ok=True)
    subprocess.run(["wineserver", "-p"], **QUIET, check=False)
    subprocess.run(["wineboot", "-i"], **QUIET, check=False, timeout=600)
    # wine's default handler for addresses opens nothing here (it would start a Linux browser)
    subprocess.run([HOST_COMMAND[0], "reg", "add", r"HKCU\Software\Wine\WineBrowser", "/v", "Browsers", "/d", "",
                    "/f"], **QUIET, check=False, timeout=120)


def tearDownModule():
    subprocess.run(["wineserver", "-k"], **QUIET, check=False)


def windows_path(linux_path):
    return "Z:" + linux_path.replace("/", "\\")


def linux_path(windows):
    """A path of the wine prefix's drives as this machine sees it."""
    if windows[:3].upper() == "C:\\":
        return os.path.join(PREFIX, "drive_c", *windows[3:].split("\\"))
    if windows[:3].upper() == "Z:\\":
        return "/" + windows[3:].replace("\\", "/")
    raise ValueError(windows)


class BrowserCase(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="webwin-launch-")
        self.chromium = os.path.join(self.tmp, "chromium")
        os.environ["WEBWIN_STANDIN_CHROMIUM"] = self.chromium
        self.host = Host(HOST_COMMAND)
        self.host.ask("regclear")

    def tearDown(self):
        self.host.ask("regclear")
        self.host.close()
        self.end_chromiums()
        shutil.rmtree(self.tmp, ignore_errors=True)
        shutil.rmtree(os.path.join(self.user_folder(), ".Webwin"), ignore_errors=True)

    def end_chromiums(self):
        """The Linux chromiums the stand-ins started (each in a folder of this test)."""
        for pid in os.listdir("/proc"):
            if not pid.isdigit():
                continue
            try:
                with open(f"/proc/{pid}/cmdline", "rb") as f:
                    line = f.read().decode(errors="replace")
                if f"--user-data-dir={self.chromium}/" in line:
                    os.kill(int(pid), signal.SIGKILL)
            except OSError:
                pass

    def user_folder(self):
        users = os.path.join(PREFIX, "drive_c", "users")
        names = [name for name in os.listdir(users) if name.lower() != "public"]
        return os.path.join(users, names[0])

    def standin(self, executable, folder):
        """A copy of the stand-in as `folder`/`executable`; its Windows path."""
        path = os.path.join(self.tmp, folder, executable)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        shutil.copy(STANDIN, path)
        return windows_path(path)

    def records(self, windows, count=1, seconds=30):
        """The stand-in's log lines, once it has written `count`."""
        log = linux_path(windows) + ".log"
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if os.path.exists(log):
                with open(log, encoding="utf-8") as f:
                    lines = [json.loads(line) for line in f if line.strip()]
                if len(lines) >= count:
                    return lines
            time.sleep(0.1)
        self.fail(f"the stand-in {windows} logged fewer than {count} starts")

    def page_of(self, record, address):
        """The page of the chromium a stand-in started."""
        active = os.path.join(record["chromium"], "DevToolsActivePort")
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline and not os.path.exists(active):
            time.sleep(0.1)
        with open(active) as f:
            port = int(f.read().split()[0])
        return DevToolsPage(port, address, seconds=60)

    def wait_host(self, line, expected, seconds=20):
        deadline = time.monotonic() + seconds
        answer = self.host.ask(line)
        while answer != expected and time.monotonic() < deadline:
            time.sleep(0.1)
            answer = self.host.ask(line)
        return answer

    def register(self, root, executable, value, data):
        self.assertEqual(self.host.ask(f"regset {root} {executable} {value} {data}"), "1")


class Discovery(BrowserCase):
    def exist(self):
        return {browser: self.host.ask(f"exist {browser}") for browser in BROWSERS + NOT_BROWSERS}

    def test_none_one_and_several_registered(self):
        window = self.host.ask("new")
        self.assertEqual(set(self.exist().values()), {"0"})
        self.assertEqual(self.host.ask(f"best {window}"), "1")
        # nothing to start: the show says so at once instead of waiting for a page
        self.host.ask("timeout 15")
        for show in (f"showb {window} 2 {PAGE}", f"showb {window} 12 {PAGE}", f"show {window} {PAGE}"):
            started = time.monotonic()
            self.assertEqual(self.host.ask(show), "0", show)
            self.assertLess(time.monotonic() - started, 5, show)

        # one browser, then more: the best is the first installed of Chrome, Edge, Epic, Vivaldi,
        # Brave, Firefox, Yandex, Chromium
        chromium = os.path.join(self.tmp, "chromium-install")
        chrome = os.path.join(self.tmp, "chrome-install")
        self.standin("chrome.exe", "chromium-install")
        self.standin("chrome.exe", "chrome-install")
        open(os.path.join(chrome, "master_preferences"), "w").close()
        steps = [
            # (what, registration, the ids found, the best)
            ("Brave", ("HKCU", "brave.exe", "-", self.standin("brave.exe", "brave")), {8}, 8),
            ("Yandex after Brave", ("HKCU", "browser.exe", "-", self.standin("browser.exe", "yandex")), {8, 11}, 8),
            ("a chrome.exe without Google's files is Chromium",
             ("HKCU", "chrome.exe", "Path", windows_path(chromium)), {6, 8, 11}, 8),
            ("Edge before Brave", ("HKLM", "msedge.exe", "-", self.standin("msedge.exe", "edge")), {4, 6, 8, 11}, 4),
            ("a registered file that is not there", ("HKLM", "firefox.exe", "-", r"Z:\nowhere\firefox.exe"),
             {4, 6, 8, 11}, 4),
            ("Chrome, the folder with master_preferences, first of all",
             ("HKLM", "chrome.exe", "Path", windows_path(chrome)), {2, 4, 6, 8, 11}, 2),
        ]
        for what, registration, found, best in steps:
            self.register(*registration)
            exist = self.exist()
            self.assertEqual({browser for browser, answer in exist.items() if answer == "1"}, found, what)
            self.assertEqual(self.host.ask(f"best {self.host.ask('new')}"), str(best), what)

        # the browser folder is looked in first, without any registration
        self.standin("epic.exe", "folder")
        self.host.ask(f"browserfolder {windows_path(os.path.join(self.tmp, 'folder'))}")
        self.assertEqual(self.host.ask("exist 10"), "1")
        self.assertEqual(self.host.ask("exist 9"), "0")
        # a running browser comes before the installed ones
        vivaldi = self.standin("vivaldi.exe", "vivaldi")
        self.register("HKLM", "vivaldi.exe", "-", vivaldi)
        self.assertEqual(self.host.ask(f"best {self.host.ask('new')}"), "2")
        self.assertNotEqual(self.host.ask(f"startprogram {vivaldi} --running"), "0")
        self.assertEqual(self.host.ask(f"best {self.host.ask('new')}"), "9")
        self.host.ask("endprograms")


class Show(BrowserCase):
    def setUp(self):
        super().setUp()
        self.browser = self.standin("chrome.exe", "chromium-install")
        self.register("HKCU", "chrome.exe", "Path", ntpath.dirname(self.browser))

    def test_a_show_runs_in_the_browser_until_the_window_goes(self):
        window = self.host.ask("new")
        self.host.ask("timeout 60")
        self.assertEqual(self.host.ask(f"show {window} {PAGE}", seconds=90), "1")
        port = self.host.ask(f"port {window}")
        address = f"http://localhost:{port}"
        record = self.records(self.browser)[-1]
        profile = record["args"][0]
        self.assertRegex(profile, r"^--user-data-dir=C:\\users\\[^\\]+\\\.Webwin\\WebwinChromiumProfile$")
        self.assertEqual(record["args"][1:], DEFAULT_FLAGS + ["--no-proxy-server", "--app=" + address])
        self.assertEqual(self.host.ask(f"best {window}"), "6")

        page = self.page_of(record, address)
        try:
            self.assertTrue(page.wait_for("globalThis.webwin !== undefined && webwin.isConnected()", True))
            self.assertEqual(page.evaluate("document.getElementById('s').textContent"), "bridge page")
        finally:
            page.close()
        self.assertEqual(self.host.ask(f"shown {window}"), "1")

        # The window's end ends the browser process the library started, and nothing else: not a
        # program whose command line holds the same address, not the host.
        decoy = self.host.ask(f"startprogram {self.standin('decoy.exe', 'decoy')} --not-app {address}/")
        self.assertNotEqual(decoy, "0")
        self.assertEqual(self.host.ask(f"alive {record['pid']}"), "1")
        self.host.ask(f"destroy {window}")
        self.assertEqual(self.wait_host(f"alive {record['pid']}", "0"), "0")
        self.assertEqual(self.host.ask(f"alive {decoy}"), "1")
        self.host.ask("endprograms")

    def test_texts_reach_the_browser_as_whole_arguments(self):
        self.host.ask("config 0 0")  # the shows do not wait for the pages
        folder = os.path.join(self.tmp, "my profile & 100% ^'x'")
        cases = [
            # (profile "name|folder", content, the profile argument expected, the address expected)
            (f"n a&me|{windows_path(folder)}", "https://example.invalid/a b&c=\"d\"|e",
             "--user-data-dir=" + windows_path(folder), "https://example.invalid/a b&c=\"d\"|e"),
            (None, "my page & more.html", None, "http://localhost:{port}/my%20page%20%26%20more.html"),
            ("|", PAGE, "", "http://localhost:{port}"),  # the browser's own profile: no folder argument
        ]
        for count, (profile, content, expected_profile, expected_address) in enumerate(cases, start=1):
            window = self.host.ask("new")
            if profile is not None:
                self.host.ask(f"profile {window} {profile}")
            self.assertEqual(self.host.ask(f"show {window} {content}"), "1", content)
            address = expected_address.format(port=self.host.ask(f"port {window}"))
            args = self.records(self.browser, count)[-1]["args"]
            self.assertEqual(args[-1], "--app=" + address, content)
            if expected_profile == "":
                self.assertFalse([a for a in args if a.startswith("--user-data-dir")], content)
            elif expected_profile is not None:
                self.assertEqual(args[0], expected_profile, content)
        self.assertTrue(os.path.isdir(folder))  # made by the profile setter

        # a profile with a name and no folder cannot start a browser
        window = self.host.ask("new")
        self.host.ask(f"profile {window} name|")
        self.assertEqual(self.host.ask(f"show {window} {PAGE}"), "0")

    def test_profile_folders_are_removed_only_inside_the_librarys_folder(self):
        self.host.ask("config 0 0")
        outside = os.path.join(self.tmp, "own profile")
        library = os.path.join(self.user_folder(), ".Webwin")
        mine = os.path.join(library, "Mine")
        cases = [
            # (profile, removed)
            (None, True),                                   # the library's own
            (f"n|{windows_path(outside)}", False),          # the program's, elsewhere: never
            (f"n|C:\\users\\{os.path.basename(self.user_folder())}\\.Webwin\\Mine", True),
        ]
        for count, (profile, removed) in enumerate(cases, start=1):
            window = self.host.ask("new")
            if profile is not None:
                self.host.ask(f"profile {window} {profile}")
            self.assertEqual(self.host.ask(f"show {window} {PAGE}"), "1")
            folder = linux_path(self.records(self.browser, count)[-1]["args"][0][len("--user-data-dir="):])
            os.makedirs(os.path.join(folder, "Default"), exist_ok=True)
            with open(os.path.join(folder, "Default", "Preferences"), "w") as f:
                f.write("{}")
            self.host.ask(f"deleteprofile {window}")
            self.assertEqual(not os.path.exists(folder), removed, profile)
            self.assertTrue(os.path.isdir(library))
        self.assertFalse(os.path.exists(mine))
        self.assertTrue(os.path.isdir(outside))


class Firefox(BrowserCase):
    """Firefox's profile is made with its own "-CreateProfile" (the stand-in makes the folder and
    the profiles.ini section as Firefox does), prepared once, reused, and made anew when
    profiles.ini no longer lists it."""

    def tearDown(self):
        super().tearDown()
        shutil.rmtree(self.mozilla(), ignore_errors=True)

    def mozilla(self):
        return os.path.join(self.user_folder(), "AppData", "Roaming", "Mozilla")

    def test_the_profile_is_made_once_and_reused(self):
        firefox = self.standin("firefox.exe", "firefox")
        self.register("HKLM", "firefox.exe", "-", firefox)
        self.host.ask("config 0 0")
        self.host.ask("timeout 60")
        ini = os.path.join(self.mozilla(), "Firefox", "profiles.ini")
        prefs = ('user_pref("toolkit.legacyUserProfileCustomizations.stylesheets", true);'
                 'user_pref("browser.shell.checkDefaultBrowser", false);'
                 'user_pref("browser.tabs.warnOnClose", false);'
                 'user_pref("browser.tabs.inTitlebar", 0);')

        def show(starts):
            window = self.host.ask("new")
            self.assertEqual(self.host.ask(f"showb {window} 3 {PAGE}"), "1")
            port = self.host.ask(f"port {window}")
            records = self.records(firefox, starts)
            self.assertEqual(records[-1]["args"],
                             ["-P", "Webwin", "-purgecaches", "-new-window", f"http://localhost:{port}"])
            return window, records

        window, records = show(2)
        create = records[0]["args"]
        self.assertEqual(create[0], "-CreateProfile")
        self.assertRegex(create[1], r"^Webwin C:\\users\\[^\\]+\\\.Webwin\\WebwinFirefoxProfile$")
        folder = linux_path(create[1][len("Webwin "):])
        with open(os.path.join(folder, "prefs.js")) as f:
            self.assertEqual(f.read(), prefs)
        with open(os.path.join(folder, "chrome", "userChrome.css")) as f:
            self.assertTrue(f.read().startswith("#navigator-toolbox,#TabsToolbar,"))

        # listed and there: used as it is
        show(3)
        with open(os.path.join(folder, "prefs.js")) as f:
            self.assertEqual(f.read(), prefs)

        # no longer listed (only a profile whose name begins the same): made anew
        with open(ini, newline="") as f:
            text = f.read()
        with open(ini, "w", newline="") as f:
            f.write(text.replace("Name=Webwin\r\n", "Name=Webwin-NoHC\r\n"))
        window, records = show(5)
        self.assertEqual(records[3]["args"], create)
        with open(os.path.join(folder, "prefs.js")) as f:
            self.assertEqual(f.read(), prefs)

        # deleting the profile of a window in Firefox takes it out of profiles.ini too
        self.host.ask(f"deleteprofile {window}")
        self.assertFalse(os.path.exists(folder))
        with open(ini, newline="") as f:
            text = f.read()
        self.assertNotIn("Name=Webwin\r\n", text)
        self.assertIn("[Profile0]\r\nName=Webwin-NoHC\r\n", text)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"])
