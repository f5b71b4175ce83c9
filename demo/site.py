#!/usr/bin/env python3
"""The sample torrent index site that a default Tolvane build searches.

Answers, on 127.0.0.1:8631 unless told otherwise:
  /search/<keyword>/<n>-1.html  result page n for the keyword: 10 to 20 made-up results, the same
                                ones every time for the same keyword and page
  /pumice.txt                   the version file ("1", or what --version-body says)
  /                             the download page
Everything else is a 404 page. Python standard library only.

The keyword arrives percent-encoded; its bytes are GBK, as Tolvane sends them (a browser's UTF-8
is accepted too). Every field a client picks out of a result sits on a line of its own, because
the client's patterns are greedy within a line.
"""
import argparse
import base64
import hashlib
import html
import random
import re
import sys
import threading
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

RESULTS_PER_PAGE = (10, 20)
SEARCH_PATH = re.compile(r"^/search/(.+)/(\d{1,6})-1\.html$")

FILE_TYPES = [  # (class number, label, suffixes)
    (1, "视频", [".mkv", ".mp4", ".avi"]),
    (2, "音乐", [".flac", ".mp3", ".ape"]),
    (3, "图片", [".jpg", ".png"]),
    (4, "文档", [".pdf", ".epub", ".txt"]),
    (5, "压缩包", [".zip", ".rar", ".7z"]),
    (6, "软件", [".iso", ".exe"]),
]

TITLE_FORMS = [  # ({k} is where the keyword goes, file type); a few Chinese, a few Latin
    ("{k}.2019.1080p.BluRay.x264-{grp}", 1),
    ("{k} 第{season}季 全{episodes}集 中文字幕", 1),
    ("【高清】{k} 国语中字 {year}", 1),
    ("[{k}].Complete.Series.720p.WEB-DL", 1),
    ("{k}.{year}.2160p.WEB-DL.DDP5.1.H.265", 1),
    ("{k} 原声大碟 {year} FLAC 无损", 2),
    ("{k} 演唱会 现场录音 {year}", 2),
    ("{k} 高清壁纸 {episodes}张", 3),
    ("《{k}》精校版 电子书", 4),
    ("{k} 合集 ({season}-{episodes}) 打包下载", 5),
    ("{k}.Desktop.amd64.{year}.iso", 6),
]
SIZE_RANGES = {1: (300 * 1024 ** 2, 40 * 1024 ** 3), 2: (40 * 1024 ** 2, 2 * 1024 ** 3),
               3: (5 * 1024 ** 2, 900 * 1024 ** 2), 4: (200 * 1024, 60 * 1024 ** 2),
               5: (100 * 1024 ** 2, 20 * 1024 ** 3), 6: (700 * 1024 ** 2, 6 * 1024 ** 3)}
LINK_RESERVED = set('%<>"&#+')
GROUPS = ["CHD", "WiKi", "FRDS", "HDS", "MTeam", "TLF"]


def decode_keyword(segment):
    """The keyword of a search path: percent-decoded, read as GBK (else UTF-8), controls blanked."""
    raw = urllib.parse.unquote_to_bytes(segment)
    for encoding in ("gbk", "utf-8"):
        try:
            text = raw.decode(encoding)
            break
        except UnicodeDecodeError:
            continue
    else:
        text = raw.decode("gbk", errors="replace")
    # A keyword must never break a result line: line breaks and other controls become blanks.
    return "".join(" " if ord(c) < 0x20 or ord(c) == 0x7F else c for c in text)


def shown(text):
    """Text as it goes into the page: HTML-escaped, and "%" escaped too, since the client
    percent-decodes the whole page before reading it."""
    return html.escape(text, quote=True).replace("%", "%25")


def name_in_link(name):
    """The name as a magnet link carries it once the client has percent-decoded the page: the
    characters that mean something in a link or in HTML stay escaped, so the link is still well
    formed and no field pattern can match inside it."""
    return "".join(f"%{ord(c):02X}" if c in LINK_RESERVED else c for c in name)


def results_for(keyword, page):
    """The results of one page as dicts, the same for the same keyword and page."""
    seed = hashlib.sha256(f"{keyword}\0{page}".encode("utf-8")).digest()
    rng = random.Random(seed)
    total_pages = 3 + seed[0] % 6
    if page < 1 or page > total_pages:
        return [], total_pages
    results = []
    for index in range(rng.randint(*RESULTS_PER_PAGE)):
        form, number = rng.choice(TITLE_FORMS)
        _, label, suffixes = FILE_TYPES[number - 1]
        fields = dict(grp=rng.choice(GROUPS), season=rng.randint(1, 9), episodes=rng.randint(6, 40),
                      year=rng.randint(1998, 2026))
        before, _, after = form.partition("{k}")
        head, tail = before.format(**fields), after.format(**fields)
        name = head + keyword + tail
        info_hash = hashlib.sha1(f"{keyword}\0{page}\0{index}".encode("utf-8")).hexdigest().upper()
        magnet = f"magnet:?xt=urn:btih:{info_hash}&dn=" + urllib.parse.quote(name_in_link(name), safe="")
        thunder = "thunder://" + base64.b64encode(f"AA{magnet}ZZ".encode("utf-8")).decode("ascii")
        size_bytes = rng.randint(*SIZE_RANGES[number])
        results.append({
            "name": name,
            "title_html": f'{shown(head)}<font color="red">{shown(keyword)}</font>{shown(tail)}',
            "type_number": number,
            "type": label,
            "size": human_size(size_bytes),
            "heat": str(rng.randint(1, 99999)),
            "magnet": magnet,
            "thunder": thunder,
            "date": f"{fields['year']}-{rng.randint(1, 12):02d}-{rng.randint(1, 28):02d}",
            "files": [(name + rng.choice(suffixes), human_size(size_bytes // 2 or 1)),
                      ("说明.txt", human_size(rng.randint(1, 9) * 1024))],
            "hash": info_hash,
        })
    return results, total_pages


def human_size(count):
    for unit, scale in (("GB", 1024 ** 3), ("MB", 1024 ** 2), ("KB", 1024)):
        if count >= scale:
            return f"{count / scale:.1f} {unit}"
    return f"{count} B"


def result_page(keyword, page):
    results, total_pages = results_for(keyword, page)
    k = shown(keyword)
    out = [
        "<!DOCTYPE html>",
        '<html lang="zh-CN">',
        "<head>",
        '<meta charset="utf-8">',
        f"<title>{k} - 种子搜索 - 第{page}页</title>",
        '<link rel="stylesheet" href="/static/site.css">',
        "</head>",
        "<body>",
        '<div class="header">',
        '<a class="logo" href="/">示例种子站</a>',
        '<form class="search" action="/search" method="get">',
        f'<input type="text" name="q" value="{k}">',
        '<button type="submit">搜索</button>',
        "</form>",
        "</div>",
        f'<div class="summary">关键词 <strong>{k}</strong> 第 {page}/{total_pages} 页，'
        f"本页 {len(results)} 条结果</div>",
        '<div class="list">',
    ]
    if not results:
        out.append('<p class="empty">没有找到相关的种子，请换个关键词试试。</p>')
    for r in results:
        out += [
            '<div class="item">',
            f'<h3><a href="/detail/{r["hash"]}.html" target="_blank">{r["title_html"]}</a></h3>',
            '<div class="info">',
            f'<span class="cpill fileType{r["type_number"]}">{r["type"]}</span>',
            f'文件大小：<b>{r["size"]}</b>',
            f'下载热度：<b>{r["heat"]}</b>',
            f'创建时间：<em>{r["date"]}</em>',
            "</div>",
            '<ul class="files">',
        ]
        out += [f"<li>{shown(name)} <em>{size}</em></li>" for name, size in r["files"]]
        out += [
            "</ul>",
            '<div class="links">',
            f'<a href="{r["magnet"]}" class="download">磁力链接</a>',
            f'<a href="{r["thunder"]}" class="download">迅雷链接</a>',
            "</div>",
            "</div>",
        ]
    out.append("</div>")
    pager = ['<div class="pager">']
    for n in range(1, total_pages + 1):
        # Relative, so the keyword is not written into the page once more.
        target = f"{n}-1.html"
        pager.append(f"<span>{n}</span>" if n == page else f'<a href="{target}">{n}</a>')
    pager.append("</div>")
    out += pager
    out += ['<div class="footer">示例站点，仅供演示，内容均为虚构。</div>', "</body>", "</html>", ""]
    return "\n".join(out)


def download_page():
    return "\n".join([
        "<!DOCTYPE html>",
        '<html lang="zh-CN">',
        '<head><meta charset="utf-8"><title>Tolvane 下载</title></head>',
        "<body>",
        "<h1>Tolvane 种子搜索</h1>",
        "<p>最新版本：v2.0</p>",
        '<p><a href="/tolvane-2.0.tar.gz">下载 Tolvane v2.0</a></p>',
        "</body>",
        "</html>",
        "",
    ])


def not_found_page():
    return '<!DOCTYPE html>\n<html><head><meta charset="utf-8"><title>404</title></head>\n' \
           "<body><h1>404 页面不存在</h1></body></html>\n"


class SiteHandler(BaseHTTPRequestHandler):
    server_version = "DemoIndex/1.0"
    version_body = b"1"
    request_log = None
    log_lock = threading.Lock()

    def do_GET(self):
        self._record()
        path = urllib.parse.urlsplit(self.path).path
        match = SEARCH_PATH.match(path)
        if match:
            body = result_page(decode_keyword(match.group(1)), int(match.group(2)))
            self._answer(200, "text/html; charset=utf-8", body.encode("utf-8"))
        elif path == "/pumice.txt":
            self._answer(200, "text/plain", self.version_body)
        elif path == "/":
            self._answer(200, "text/html; charset=utf-8", download_page().encode("utf-8"))
        else:
            self._answer(404, "text/html; charset=utf-8", not_found_page().encode("utf-8"))

    def _record(self):
        if self.request_log is None:
            return
        with self.log_lock, open(self.request_log, "a", encoding="utf-8", errors="replace") as log:
            log.write(self.path + "\n")

    def _answer(self, status, content_type, body):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, format, *args):  # noqa: A002 - the base class's name
        sys.stderr.write("%s %s\n" % (self.log_date_time_string(), format % args))


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bind", default="127.0.0.1", help="address to listen on (default 127.0.0.1)")
    parser.add_argument("--port", type=int, default=8631, help="port to listen on (default 8631)")
    parser.add_argument("--version-body", default="1", help="body of /pumice.txt (default 1)")
    parser.add_argument("--log", help="append the target of every request to this file, one a line")
    args = parser.parse_args(argv)

    SiteHandler.version_body = args.version_body.encode("utf-8")
    SiteHandler.request_log = args.log
    server = ThreadingHTTPServer((args.bind, args.port), SiteHandler)
    server.daemon_threads = True
    print(f"demo site on http://{args.bind}:{server.server_address[1]}/", file=sys.stderr, flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
