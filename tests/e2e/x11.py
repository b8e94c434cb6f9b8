"""A private X server and the person at it: keys, clicks, windows, clipboard, screenshots.

Everything waits for a condition with a deadline; nothing relies on a fixed sleep alone. There is
no window manager: a window gets the keyboard only when it is given the input focus (focus()),
and windows have no frames, so a window's geometry is its client area plus its menu bar.
"""
import os
import re
import select
import shutil
import subprocess
import time

TOOLS = ("Xvfb", "xdotool", "xclip", "xwininfo", "import")
COMMAND_TIMEOUT = 20


class Timeout(AssertionError):
    pass


def wait_until(condition, timeout=20.0, what="condition", interval=0.05):
    """Polls condition until it returns something true, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Timeout(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def missing_tools():
    return [t for t in TOOLS if not shutil.which(t)]


class XServer:
    """Xvfb on a display number it picks itself (-displayfd), closed with close()."""

    def __init__(self, width=1280, height=1024):
        read_end, write_end = os.pipe()
        try:
            self.proc = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
                 "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        finally:
            os.close(write_end)
        try:
            number = self._read_display(read_end)
        except BaseException:
            self.close()
            raise
        finally:
            os.close(read_end)
        self.display = f":{number}"
        self._clipboard_servers = []
        self.env = dict(os.environ, DISPLAY=self.display)
        for name in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XAUTHORITY"):
            self.env.pop(name, None)

    def _read_display(self, fd, timeout=30):
        # Xvfb writes the display number once it accepts connections.
        text = b""
        deadline = time.monotonic() + timeout
        while not text.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or self.proc.poll() is not None:
                raise RuntimeError("Xvfb did not start")
            ready, _, _ = select.select([fd], [], [], left)
            if ready:
                chunk = os.read(fd, 64)
                if not chunk:
                    raise RuntimeError("Xvfb did not report its display")
                text += chunk
        return int(text.strip())

    def close(self):
        self._reap_servers(stop=True)
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()

    def run(self, args, check=True, **kw):
        kw.setdefault("timeout", COMMAND_TIMEOUT)
        return subprocess.run(args, env=self.env, capture_output=True, text=True, check=check, **kw)

    # Windows

    def windows(self, name):
        """Ids of the mapped windows whose whole name matches the regular expression."""
        r = self.run(["xdotool", "search", "--onlyvisible", "--name", name], check=False)
        return r.stdout.split()

    def wait_window(self, name, timeout=30):
        return wait_until(lambda: (self.windows(name) or [None])[0], timeout, f"window /{name}/")

    def is_mapped(self, wid):
        r = self.run(["xwininfo", "-id", wid], check=False)
        return r.returncode == 0 and "Map State: IsViewable" in r.stdout

    def wait_unmapped(self, wid, what="window", timeout=20):
        wait_until(lambda: not self.is_mapped(wid), timeout, f"{what} to close")

    def geometry(self, wid):
        """x, y, width, height of the window on the screen."""
        out = self.run(["xwininfo", "-id", wid]).stdout

        def value(label):
            return int(re.search(rf"{label}:\s+(-?\d+)", out).group(1))

        return (value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"),
                value("Height"))

    # Input

    def focus(self, wid):
        """Gives the window the keyboard, as clicking its title bar would under a window manager."""
        self.run(["xdotool", "windowraise", wid], check=False)
        self.run(["xdotool", "windowfocus", "--sync", wid])

    def key(self, *keys):
        self.run(["xdotool", "key", "--clearmodifiers", "--delay", "30", *keys])

    def type(self, text):
        self.run(["xdotool", "type", "--delay", "40", text])

    def pointer(self):
        out = self.run(["xdotool", "getmouselocation", "--shell"]).stdout
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(values["X"]), int(values["Y"])

    def move(self, x, y):
        # "mousemove --sync" waits for a motion that never comes when the pointer is there
        # already; the pointer's place is the condition instead.
        self.run(["xdotool", "mousemove", str(x), str(y)])
        wait_until(lambda: self.pointer() == (x, y), 10, f"the pointer at {x},{y}")

    def click(self, x, y, button=1):
        self.move(x, y)
        self.run(["xdotool", "click", str(button)])

    def park_mouse(self):
        """Moves the pointer out of the way, so that no tooltip or hover covers what is read."""
        self.move(0, 0)

    # Clipboard and pictures

    def clipboard(self):
        r = self.run(["xclip", "-o", "-selection", "clipboard"], check=False, timeout=5)
        return r.stdout if r.returncode == 0 else ""

    def set_clipboard(self, text):
        # xclip serves the text until another client takes the clipboard; it stays in the
        # foreground (-quiet), so that it is ours to reap, not an orphan.
        self._reap_servers()
        p = subprocess.Popen(["xclip", "-quiet", "-i", "-selection", "clipboard"], env=self.env,
                             stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
        p.stdin.write(text.encode())
        p.stdin.close()
        self._clipboard_servers.append(p)
        wait_until(lambda: self.clipboard() == text, 10, "the clipboard to take a text")

    def _reap_servers(self, stop=False):
        for p in list(self._clipboard_servers):
            if stop and p.poll() is None:
                p.kill()
                p.wait()
            if p.poll() is not None:
                self._clipboard_servers.remove(p)

    def copy_with(self, *keys, what="the copied text"):
        """Presses the keys (ending with ctrl+c) and returns what they put on the clipboard."""
        marker = f"(nothing copied yet {time.monotonic_ns()})"
        self.set_clipboard(marker)
        self.key(*keys)
        return wait_until(lambda: (lambda t: t if t != marker else None)(self.clipboard()), 10, what)

    def screenshot(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        if os.path.exists(path):
            os.remove(path)
        r = self.run(["import", "-window", "root", path], check=False, timeout=60)
        made = os.path.exists(path) and os.path.getsize(path) > 0
        if r.returncode != 0 or not made:
            raise AssertionError(f"no screenshot {path}: {r.stderr.strip()}")
