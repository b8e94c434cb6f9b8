"""A private X server and the person at it: keys, clicks, windows, clipboard, screenshots.
Everything waits for a condition with a deadline; nothing relies on a fixed sleep alone."""
import os
import shutil
import subprocess
import time


class Timeout(AssertionError):
    pass


def wait_until(condition, timeout=15.0, what="condition", interval=0.05):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Timeout(f"timed out waiting for {what}")
        time.sleep(interval)


def free_display():
    for n in range(90, 400):
        if not os.path.exists(f"/tmp/.X{n}-lock") and not os.path.exists(f"/tmp/.X11-unix/X{n}"):
            return n
    raise RuntimeError("no free X display number")


class XServer:
    def __init__(self, width=1280, height=1024):
        self.display = f":{free_display()}"
        self.proc = subprocess.Popen(
            ["Xvfb", self.display, "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.env.pop("WAYLAND_DISPLAY", None)
        wait_until(lambda: self.run(["xdpyinfo"], check=False).returncode == 0, 20, "Xvfb to start")

    def run(self, args, check=True, **kw):
        return subprocess.run(args, env=self.env, capture_output=True, text=True, check=check, **kw)

    def close(self):
        self.proc.terminate()
        try:
            self.proc.wait(5)
        except subprocess.TimeoutExpired:
            self.proc.kill()

    # Windows
    def windows(self, name):
        r = self.run(["xdotool", "search", "--onlyvisible", "--name", name], check=False)
        return [w for w in r.stdout.split()]

    def wait_window(self, name, timeout=20):
        return wait_until(lambda: (self.windows(name) or [None])[0], timeout, f"window '{name}'")

    def wait_no_window(self, name, timeout=10):
        wait_until(lambda: not self.windows(name), timeout, f"window '{name}' to close")

    def geometry(self, wid):
        out = self.run(["xdotool", "getwindowgeometry", "--shell", wid]).stdout
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def window_name(self, wid):
        return self.run(["xdotool", "getwindowname", wid]).stdout.strip()

    # Input
    def focus(self, wid):
        self.run(["xdotool", "windowactivate", "--sync", wid], check=False)
        self.run(["xdotool", "windowfocus", "--sync", wid], check=False)

    def key(self, *keys, wid=None):
        args = ["xdotool", "key", "--delay", "40"]
        if wid:
            args += ["--window", wid]
        self.run(args + list(keys))

    def type(self, text):
        self.run(["xdotool", "type", "--delay", "30", text])

    def click(self, x, y, button=1, repeat=1):
        self.run(["xdotool", "mousemove", "--sync", str(x), str(y)])
        self.run(["xdotool", "click", "--repeat", str(repeat), "--delay", "80", str(button)])

    # Clipboard and pictures
    def clipboard(self):
        r = self.run(["xclip", "-o", "-selection", "clipboard"], check=False, timeout=5)
        return r.stdout if r.returncode == 0 else ""

    def clear_clipboard(self):
        subprocess.run(["xclip", "-selection", "clipboard", "-i", "/dev/null"], env=self.env, timeout=5)

    def screenshot(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        self.run(["import", "-window", "root", path], check=False)


def have_tools():
    return all(shutil.which(t) for t in ("Xvfb", "xdotool", "xclip", "xdpyinfo", "import"))
