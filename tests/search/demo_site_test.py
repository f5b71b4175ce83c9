#!/usr/bin/env python3
"""The demo site read the way Tolvane reads it: the whole page percent-decoded, then the six field
patterns (greedy, case ignored, "." stopping at line feeds). Every pattern must match exactly once
per result, in result order, or the client's ordinal pairing shifts columns."""
import html
import re
import runpy
import subprocess
import sys
import tempfile
import types
import unittest
import urllib.parse
import urllib.request
from pathlib import Path

SITE = Path(__file__).resolve().parents[2] / "demo" / "site.py"

# The site's own functions (its file name clashes with Python's `site`, so it is run, not imported).
demo_site = types.SimpleNamespace(**runpy.run_path(str(SITE)))

FLAGS = re.IGNORECASE | re.ASCII
PATTERNS = {
    "title": re.compile(r'target="_blank">(.*)</a></h3>', FLAGS),
    "type": re.compile(r'<span class="cpill fileType\d{1,}">(.*)</span>', FLAGS),
    "size": re.compile(r">(.*B)</b>", FLAGS),
    "heat": re.compile(r"下载热度：<b>(\d{1,100000})</b>", FLAGS),
    "magnet": re.compile(r'<a href="(.*)" class="download">磁力链接</a>', FLAGS),
    "thunder": re.compile(r'<a href="(.*)" class="download">迅雷链接</a>', FLAGS),
}
RED_FONT = re.compile(r'<font color="red">|</font>', re.IGNORECASE)


def client_decode(body):
    """Percent-decoding as the client does it: "%" always takes the two bytes after it."""
    def digit(i):
        if i >= len(body):
            return 0
        c = chr(body[i]).upper()
        return "0123456789ABCDEF".index(c) if c in "0123456789ABCDEF" else -2

    out, i = bytearray(), 0
    while i < len(body):
        if body[i] != ord("%"):
            out.append(body[i])
            i += 1
            continue
        value = (16 * digit(i + 1) + digit(i + 2)) % 256
        if value:
            out.append(value)
        i += 3
    return out.decode("utf-8", errors="replace")


class DemoSite(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.log = Path(cls.tmp.name) / "requests.txt"
        cls.site = subprocess.Popen(
            [sys.executable, str(SITE), "--port", "0", "--version-body", "2", "--log", str(cls.log)],
            stderr=subprocess.PIPE, text=True)
        banner = cls.site.stderr.readline()
        port = re.search(r":(\d+)/", banner)
        if not port:
            cls.site.kill()
            raise RuntimeError(f"the site did not start: {banner!r}")
        cls.base = f"http://127.0.0.1:{port.group(1)}"

    @classmethod
    def tearDownClass(cls):
        cls.site.terminate()
        cls.site.wait(10)
        cls.site.stderr.close()
        cls.tmp.cleanup()

    def get(self, target):
        try:
            with urllib.request.urlopen(self.base + target, timeout=10) as response:
                return response.status, response.read()
        except urllib.error.HTTPError as error:
            return error.code, error.read()

    def fields(self, target):
        status, body = self.get(target)
        self.assertEqual(status, 200, target)
        page = client_decode(body)
        return {name: [m.group(1) for m in p.finditer(page)] for name, p in PATTERNS.items()}

    def test_every_field_once_per_result_for_many_keywords(self):
        keywords = ["ubuntu", "中文", "B", "b</b>", "100%", "a%0Ab", "  ", "x\" class=\"download\">",
                    "</a></h3>", "下载热度：<b>1</b>", "é", "a/b"]
        for keyword in keywords:
            for page in (1, 2):
                with self.subTest(keyword=keyword, page=page):
                    # The client sends the keyword's GBK bytes; its HTTP client escapes them.
                    segment = urllib.parse.quote(keyword.encode("gbk"), safe="/%")
                    expected, _ = demo_site.results_for(demo_site.decode_keyword(segment), page)
                    got = self.fields(f"/search/{segment}/{page}-1.html")
                    self.assertTrue(10 <= len(expected) <= 20)
                    for name, values in got.items():
                        self.assertEqual(len(values), len(expected), name)
                    for r, title, kind, size, heat, magnet, thunder in zip(
                            expected, got["title"], got["type"], got["size"], got["heat"],
                            got["magnet"], got["thunder"]):
                        self.assertEqual(RED_FONT.sub("", title), html.escape(r["name"]))
                        self.assertIn('<font color="red">', title)
                        self.assertEqual(kind, r["type"])
                        self.assertEqual(size, r["size"])
                        self.assertRegex(size, r"^\d+\.\d (KB|MB|GB)$")
                        self.assertEqual(heat, r["heat"])
                        self.assertEqual(magnet, f"magnet:?xt=urn:btih:{r['hash']}&dn={demo_site.name_in_link(r['name'])}")
                        self.assertEqual(thunder, r["thunder"])
                        self.assertTrue(thunder.startswith("thunder://"))

    def test_gbk_keyword_and_percent_encoded_names(self):
        status, body = self.get("/search/%D6%D0%CE%C4/1-1.html")
        self.assertEqual(status, 200)
        text = body.decode("utf-8")
        self.assertIn('<font color="red">中文</font>', text)
        self.assertIn("dn=%E4%B8%AD%E6%96%87", text)
        # A keyword a browser sends in UTF-8 is understood as well.
        self.assertEqual(demo_site.decode_keyword("%E4%B8%AD%E6%96%87"), "中文")

    def test_pages_are_the_same_every_time_and_differ_between_pages(self):
        first = self.get("/search/ubuntu/1-1.html")[1]
        self.assertEqual(first, self.get("/search/ubuntu/1-1.html")[1])
        self.assertNotEqual(first, self.get("/search/ubuntu/2-1.html")[1])
        self.assertNotEqual(first, self.get("/search/debian/1-1.html")[1])

    def test_a_page_past_the_last_has_no_results(self):
        got = self.fields("/search/ubuntu/999-1.html")
        self.assertEqual(got, {name: [] for name in PATTERNS})

    def test_version_file_download_page_and_others(self):
        self.assertEqual(self.get("/pumice.txt"), (200, b"2"))
        status, body = self.get("/")
        self.assertEqual(status, 200)
        self.assertIn("Tolvane", body.decode("utf-8"))
        status, body = self.get("/search/ab")
        self.assertEqual(status, 404)
        self.assertEqual(client_decode(body).count("target=\"_blank\">"), 0)

    def test_requests_are_logged_as_sent(self):
        self.get("/search/%D6%D0/1-1.html?x=1")
        self.assertIn("/search/%D6%D0/1-1.html?x=1", self.log.read_text().splitlines())


if __name__ == "__main__":
    unittest.main(verbosity=2)
