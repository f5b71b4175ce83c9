"""A real X desktop for driving Tolvane as a person would: Xvfb, openbox, xdotool, the demo site.

Used by the end-to-end test and by scripts/screenshot. Everything runs on this machine; the demo
site listens on 127.0.0.1 only.
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
SCREEN = (1280, 800)
CAPTION = "Tolvane v2.0"

RECORDING_OPENER = """#!/bin/sh
# Records every argument it was started with, one per line, then an end-of-call marker.
for a in "$@"; do printf '%s\\n' "$a" >> "{log}"; done
printf -- '--end--\\n' >> "{log}"
"""


def wait_for(predicate, timeout, what):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    raise TimeoutError(f"timed out after {timeout} s waiting for {what}")


class Desktop:
    """Xvfb with openbox, a home folder with a desktop, a recording xdg-open and the demo site."""

    def __init__(self, site_args=()):
        self.tmp = Path(tempfile.mkdtemp(prefix="tolvane-e2e-"))
        self.home = self.tmp / "home"
        (self.home / "Desktop").mkdir(parents=True)
        self.bin = self.tmp / "bin"
        self.bin.mkdir()
        self.opened_log = self.tmp / "opened.txt"
        opener = self.bin / "xdg-open"
        opener.write_text(RECORDING_OPENER.format(log=self.opened_log))
        opener.chmod(0o755)
        self.site_log = self.tmp / "site-requests.txt"
        self.site_log.touch()
        self.processes = []
        self.logs = []
        self._start_x()
        self._start(["openbox", "--sm-disable"], "openbox")
        wait_for(self._window_manager_running, 10, "openbox")
        # The program's site address is fixed at build time, so the demo site must get its port.
        if self._site_up():
            raise RuntimeError("port 8631 is taken by another program; the demo site cannot start")
        site = self._start([sys.executable, str(ROOT / "demo" / "site.py"), "--port", "8631",
                            "--log", str(self.site_log), *site_args], "site")
        wait_for(self._site_up, 10, "the demo site")
        if site.poll() is not None:
            raise RuntimeError("the demo site ended at start-up")

    # -- processes -------------------------------------------------------------------------------
    def _start_x(self):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24",
             "-nolisten", "tcp"], pass_fds=[write_end], stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(write_end)
        self.processes.append(xvfb)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display = f":{number}"

    def env(self):
        env = dict(os.environ)
        env.update({
            "DISPLAY": self.display, "HOME": str(self.home), "PATH": f"{self.bin}:{env.get('PATH', '')}",
            "XDG_CONFIG_HOME": str(self.home / ".config"), "XDG_SESSION_TYPE": "x11",
            "LANG": "zh_CN.UTF-8", "LC_ALL": "C.UTF-8",
        })
        env.pop("QT_QPA_PLATFORM", None)
        env.pop("WAYLAND_DISPLAY", None)
        return env

    def _start(self, argv, name, **kwargs):
        process = subprocess.Popen(argv, env=self.env(), stdout=subprocess.DEVNULL,
                                   stderr=self._log(name), **kwargs)
        self.processes.append(process)
        return process

    def _log(self, name):
        log = open(self.tmp / f"{name}.log", "wb")
        self.logs.append(log)
        return log

    def _window_manager_running(self):
        return self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False).find("window id") >= 0

    def _site_up(self):
        import socket
        try:
            with socket.create_connection(("127.0.0.1", 8631), timeout=0.5):
                return True
        except OSError:
            return False

    def start_tolvane(self, binary):
        self.app = self._start([str(binary)], "tolvane")
        return self.app

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        for log in self.logs:
            log.close()
        shutil.rmtree(self.tmp, ignore_errors=True)

    # -- the X side ------------------------------------------------------------------------------
    def run(self, argv, check=True):
        result = subprocess.run(argv, env=self.env(), capture_output=True, text=True, timeout=30)
        if check and result.returncode != 0:
            raise RuntimeError(f"{argv} failed: {result.stderr}")
        return result.stdout

    def windows_named(self, name):
        out = self.run(["xdotool", "search", "--onlyvisible", "--name", f"^{name}$"], check=False)
        return [int(w) for w in out.split()]

    def frame_geometry(self, window):
        """The rectangle of the window manager's frame around `window`: x, y, width, height."""
        tree = self.run(["xwininfo", "-tree", "-id", str(window)])
        parent = next(line for line in tree.splitlines() if "Parent window id:" in line).split()[3]
        info = self.run(["xwininfo", "-id", parent])
        fields = {}
        for line in info.splitlines():
            key, _, value = line.strip().partition(":")
            fields[key] = value.strip()
        return (int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"]),
                int(fields["Width"]), int(fields["Height"]))

    def click(self, window, x, y, button=1, repeat=1):
        self.run(["xdotool", "mousemove", "--window", str(window), str(x), str(y)])
        self.run(["xdotool", "click", "--repeat", str(repeat), "--delay", "80", str(button)])

    def key(self, *keys):
        self.run(["xdotool", "key", "--delay", "60", *keys])

    def type(self, text):
        self.run(["xdotool", "type", "--delay", "40", text])

    def screenshot(self, path):
        self.run(["import", "-window", "root", str(path)])

    def site_requests(self):
        return [line for line in self.site_log.read_text(errors="replace").splitlines() if line]

    def opened(self):
        """The targets the recording xdg-open was started with, one list of arguments per call."""
        if not self.opened_log.exists():
            return []
        calls, current = [], []
        for line in self.opened_log.read_text(errors="replace").splitlines():
            if line == "--end--":
                calls.append(current)
                current = []
            else:
                current.append(line)
        return calls
