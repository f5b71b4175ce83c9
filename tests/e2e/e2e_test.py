#!/usr/bin/env python3
"""Tolvane end to end: the real binary in a real X session with a window manager, against the demo
site, driven with xdotool as a person would. Usage: e2e_test.py TOLVANE_BINARY [SCREENSHOT_DIR]"""
import sys
import time
import unittest
from pathlib import Path

from desktop import CAPTION, SCREEN, Desktop, wait_for

BINARY = None
SCREENSHOT_DIR = None

# Client-area positions of the controls (the window's own layout).
SEARCH_BOX = (300, 18)
FIRST_ROW = (300, 37 + 30)


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

    def test_search_list_and_close(self):
        x, y, width, height = self.desktop.frame_geometry(self.window)
        self.assertEqual((width, height), (900, 410))
        self.assertEqual((x, y), ((SCREEN[0] - 900) // 2, (SCREEN[1] - 410) // 2))

        self.search("ubuntu")
        self.assertEqual(self.desktop.site_requests()[-2:],
                         ["/search/ubuntu/1-1.html", "/search/ubuntu/2-1.html"])
        if SCREENSHOT_DIR is not None:
            self.desktop.screenshot(SCREENSHOT_DIR / "tolvane-results.png")

        # No keeps the window; Yes (the default button) ends the program with exit code 0.
        self.answer_close_question(["Tab", "Return"])
        time.sleep(0.5)
        self.assertIsNone(self.app.poll())
        self.assertEqual(len(self.desktop.windows_named(CAPTION)), 1)
        self.answer_close_question(["Return"])
        self.assertEqual(self.app.wait(10), 0)


if __name__ == "__main__":
    BINARY = Path(sys.argv[1]).resolve()
    if len(sys.argv) > 2:
        SCREENSHOT_DIR = Path(sys.argv[2]).resolve()
        SCREENSHOT_DIR.mkdir(parents=True, exist_ok=True)
    unittest.main(argv=sys.argv[:1], verbosity=2)
