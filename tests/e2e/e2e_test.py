#!/usr/bin/env python3
"""Tolvane end to end: the real binary in a real X session with a window manager, against the demo
site, driven with xdotool as a person would. Usage: e2e_test.py TOLVANE_BINARY [SCREENSHOT_DIR]"""
import html
import runpy
import sys
import time
import types
import unittest
import urllib.parse
from pathlib import Path

from desktop import CAPTION, ROOT, SCREEN, Desktop, wait_for

# The demo site's own results, to know what the program must show (its file name clashes with
# Python's `site`, so it is run, not imported).
demo_site = types.SimpleNamespace(**runpy.run_path(str(ROOT / "demo" / "site.py")))

BINARY = None
SCREENSHOT_DIR = None

# Client-area positions of the controls (the window's own layout).
SEARCH_BOX = (300, 18)
EXPORT_BUTTON = (822, 17)
FIRST_ROW = (300, 37 + 30)


def decoded(text):
    """What the program makes of page text: every %XX decoded, nothing else."""
    return urllib.parse.unquote(text, errors="replace")


def expected_export(keyword):
    """The export records the demo site's two pages for `keyword` must give, as GBK bytes."""
    records = []
    for page in (1, 2):
        for r in demo_site.results_for(keyword, page)[0]:
            title = html.escape(r["name"], quote=True)  # the page escapes HTML; the program keeps it
            records.append(f"片名 {title}  文件类型:{r['type']}  文件大小:{r['size']}\r\n"
                           f"磁力链接 {decoded(r['magnet'])}\r\n迅雷链接 {r['thunder']}\r\n\r\n")
    return "".join(records).encode("gbk", errors="replace")


class SearchWindow(unittest.TestCase):
    def setUp(self):
        self.desktop = Desktop()
        self.addCleanup(self.desktop.close)
        self.app = self.desktop.start_tolvane(BINARY)
        self.window = wait_for(lambda: self.desktop.windows_named(CAPTION), 20, "the main window")[0]
        time.sleep(0.5)

    def search(self, keyword):
        before = len(self.desktop.site_requests())
        self.desktop.click(self.window, *SEARCH_BOX)
        self.desktop.type(keyword)
        self.desktop.key("Return")
        wait_for(lambda: len(self.desktop.site_requests()) >= before + 2, 20, "both result pages")
        time.sleep(1.0)  # the second page is parsed and listed after its request arrives

    def answer_close_question(self, keys):
        self.desktop.key("alt+F4")
        wait_for(lambda: len(self.desktop.windows_named(CAPTION)) >= 2, 10, "the close question")
        time.sleep(0.3)
        self.desktop.key(*keys)

    def clipboard(self):
        return self.desktop.run(["xclip", "-o", "-selection", "clipboard"], check=False)

    def test_search_links_export_and_close(self):
        x, y, width, height = self.desktop.frame_geometry(self.window)
        self.assertEqual((width, height), (900, 410))
        self.assertEqual((x, y), ((SCREEN[0] - 900) // 2, (SCREEN[1] - 410) // 2))
        actions = self.desktop.run(["xprop", "-id", str(self.window), "_NET_WM_ALLOWED_ACTIONS"])
        self.assertIn("_NET_WM_ACTION_MINIMIZE", actions)
        self.assertIn("_NET_WM_ACTION_CLOSE", actions)
        self.assertNotIn("_NET_WM_ACTION_MAXIMIZE", actions)
        self.assertNotIn("_NET_WM_ACTION_RESIZE", actions)

        keyword = "ubuntu"
        self.search(keyword)
        self.assertEqual(self.desktop.site_requests()[-2:],
                         [f"/search/{keyword}/1-1.html", f"/search/{keyword}/2-1.html"])
        if SCREENSHOT_DIR is not None:
            self.desktop.screenshot(SCREENSHOT_DIR / "tolvane-results.png")
        first = demo_site.results_for(keyword, 1)[0][0]

        # Right-click the first row, pick the second item (复制磁力链接): its magnet link is copied.
        self.desktop.click(self.window, *FIRST_ROW, button=3)
        time.sleep(0.5)
        self.desktop.key("Down", "Down", "Return")
        wait_for(lambda: self.clipboard() == decoded(first["magnet"]), 10, "the magnet link on the clipboard")

        # A double-click opens the row's Thunder link through xdg-open.
        self.desktop.click(self.window, *FIRST_ROW, repeat=2)
        wait_for(lambda: self.desktop.opened(), 10, "xdg-open")
        self.assertEqual(self.desktop.opened(), [[first["thunder"]]])

        # Export, answer No: the file holds both pages' records, byte for byte; nothing is opened.
        self.desktop.click(self.window, *EXPORT_BUTTON)
        wait_for(lambda: self.desktop.windows_named("提示"), 10, "the export question")
        time.sleep(0.3)
        self.desktop.key("Tab", "Return")
        exported = self.desktop.home / "Desktop" / "data.txt"
        wait_for(lambda: not self.desktop.windows_named("提示"), 10, "the question to close")
        self.assertEqual(exported.read_bytes(), expected_export(keyword))
        self.assertEqual(len(self.desktop.opened()), 1)

        # No keeps the window; Yes (the default button) ends the program with exit code 0.
        self.answer_close_question(["Tab", "Return"])
        time.sleep(0.5)
        self.assertIsNone(self.app.poll())
        self.assertEqual(len(self.desktop.windows_named(CAPTION)), 1)
        self.answer_close_question(["Return"])
        self.assertEqual(self.app.wait(10), 0)


class RefusedVersion(unittest.TestCase):
    """The update host answers another version: notices, the download page, the end."""

    def test_notices_download_page_and_exit(self):
        desktop = Desktop(site_args=["--version-body", "2"])
        self.addCleanup(desktop.close)
        app = desktop.start_tolvane(BINARY)
        notice = "信息："
        mapped_main_window = False

        def next_notice(previous):
            nonlocal mapped_main_window
            mapped_main_window |= bool(desktop.windows_named(CAPTION))
            windows = desktop.windows_named(notice)
            return windows if windows and windows != previous else None

        first = wait_for(lambda: next_notice(None), 20, "the first notice")
        time.sleep(0.3)
        desktop.key("Tab", "Return")  # No
        wait_for(lambda: next_notice(first), 10, "the second notice")
        time.sleep(0.3)
        desktop.key("Tab", "Return")  # No
        time.sleep(0.8)
        desktop.key("Return")  # OK on the last notice
        self.assertEqual(app.wait(10), 0)
        self.assertFalse(mapped_main_window)
        self.assertEqual(desktop.site_requests(), ["/pumice.txt"])
        wait_for(lambda: desktop.opened(), 10, "xdg-open")
        self.assertEqual(desktop.opened(), [["http://127.0.0.1:8631"]])


if __name__ == "__main__":
    BINARY = Path(sys.argv[1]).resolve()
    if len(sys.argv) > 2:
        SCREENSHOT_DIR = Path(sys.argv[2]).resolve()
        SCREENSHOT_DIR.mkdir(parents=True, exist_ok=True)
    unittest.main(argv=sys.argv[:1], verbosity=2)
