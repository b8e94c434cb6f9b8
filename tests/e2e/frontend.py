"""The real veldrun in a temporary application directory, driven as a person drives it.

AppDir makes the application directory (a copy of the demo directory with a recording emulator);
Veldrun starts the program in it and knows where the controls sit in the main window, so that a
test can click them, use their access keys and read what the window shows through the clipboard.
"""
import html
import os
import pwd
import re
import shutil
import signal
import socket
import stat
import subprocess
import unittest

from x11 import Timeout, wait_until

MAIN_WINDOW = r"^TULK MSX Front-End 2\.0c$"
ERROR_BOX = r"^Veldrun 2\.0c$"
RULE = "---------------------------\n"
# How long a box about the music, which starts after the first frame, may take to come.
LATE_BOX_WAIT = 3

# The emulator the front-end starts: it keeps its arguments, its current directory and a copy of
# the response file in a numbered folder next to the application directory, then ends.
RECORDING_EMULATOR = r"""#!/bin/sh
records="$(dirname "$0")/../../records"
mkdir -p "$records"
work="$records/.work-$$"
mkdir "$work"
for a in "$@"; do printf '%s\0' "$a"; done > "$work/argv"
pwd > "$work/cwd"
case "$1" in @*) cp "${1#@}" "$work/response" 2>"$work/copy-error" ;; esac
n=$(ls "$records" | grep -c '^launch-')
mv "$work" "$records/launch-$n"
"""

# Where the controls sit: parent, left, top, width, height; groups hold their children.
GROUPS = {
    "GroupBox4": ("Panel1", 245, 1), "GroupBox6": ("GroupBox4", 8, 15),
    "GroupBox7": ("GroupBox4", 7, 104), "drives": ("GroupBox4", 8, 217),
    "Chips": ("Panel1", 508, 1), "Sound": ("Panel1", 628, 1), "Advanced": ("Panel1", 508, 140),
    "GroupBox5": ("Panel1", 681, 140), "GroupBox2": ("Panel1", 6, 313),
    "GroupBox3": ("Panel1", 249, 313),
}
CONTROLS = {
    "DirectoryListBox1": ("Panel1", 5, 5, 132, 285),
    "FileListBox1": ("Panel1", 137, 27, 104, 263),
    "FilterComboBox1": ("Panel1", 137, 291, 104, 21),
    "slota": ("GroupBox6", 8, 24, 97, 19),
    "Clear1": ("GroupBox6", 8, 48, 97, 25),
    "slotb": ("GroupBox7", 8, 24, 97, 19),
    "Moveknop": ("GroupBox4", 8, 192, 241, 17),
    "Button2": ("GroupBox4", 7, 288, 241, 17),
    "computer": ("Chips", 8, 16, 97, 19),
    "freq": ("Chips", 8, 40, 97, 19),
    "Sram": ("Chips", 8, 64, 97, 19),
    "Svram": ("Chips", 8, 88, 97, 19),
    "resolutie": ("Chips", 8, 112, 97, 19),
    "sccselect": ("Sound", 8, 16, 193, 19),
    "FMPACselect": ("Sound", 8, 40, 193, 19),
    "volbar": ("Sound", 48, 67, 137, 29),
    "sqbar": ("Sound", 48, 98, 137, 29),
    "TrackBar1": ("GroupBox5", 5, 16, 145, 25),
    "SpinButton1": ("GroupBox5", 130, 47, 15, 20),
    "painterbox": ("Panel1", 683, 227, 81, 17),
    "startknop": ("Panel1", 784, 413, 49, 20),
    "TreeView1": ("GroupBox2", 8, 16, 219, 97),
    "editline": ("Panel1", 88, 441, 745, 21),
    "start": ("Panel1", 89, 465, 37, 13),
}


def panel_rect(name):
    """The control's place on Panel1: left, top, width, height."""
    parent, x, y, w, h = CONTROLS[name]
    while parent != "Panel1":
        parent, dx, dy = GROUPS[parent]
        x, y = x + dx, y + dy
    return x, y, w, h


def split_box_copy(text):
    """Title, message and button captions of an error box as Ctrl+C copies it."""
    if not text.startswith(RULE):
        return None
    parts = text.split(RULE)
    if len(parts) != 5:
        return None
    return parts[1].rstrip("\n"), parts[2][:-1], parts[3].split()


def openmsx_socket(pid):
    return f"{os.environ.get('TMPDIR') or '/tmp'}/openmsx-{pwd.getpwuid(os.getuid()).pw_name}/socket.{pid}"


def openmsx(pid, command):
    """openMSX's own answer to a command, through its control socket."""
    with socket.socket(socket.AF_UNIX) as s:
        s.settimeout(10)
        s.connect(openmsx_socket(pid))
        s.sendall(f"<openmsx-control><command>{html.escape(command, quote=False)}</command>".encode())
        data = b""
        while b"</reply>" not in data:
            data += s.recv(4096)
    return html.unescape(re.search(rb"<reply result=\"ok\">(.*?)</reply>", data, re.S).group(1).decode())


def children(pid):
    """The live child processes of a process."""
    found = []
    for entry in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{entry}/stat") as f:
                state, ppid = f.read().rsplit(")", 1)[1].split()[:2]
        except OSError:
            continue
        if int(ppid) == pid and state != "Z":
            found.append(int(entry))
    return found


def use_real_bridge(app, source, env):
    """The real bridge and openMSX in the application directory, openMSX's files beside it."""
    if not shutil.which("openmsx") or not os.path.exists("/usr/share/cbios/cbios_main_msx2.rom"):
        raise unittest.SkipTest("openmsx and cbios are not installed")
    shutil.copy(os.path.join(source, "emulator", "fmsx-dos.exe"), app.file("emulator"))
    home = os.path.join(app.root, "openmsx-home")
    os.makedirs(os.path.join(home, "share"))
    env.update(OPENMSX_HOME=home, SDL_AUDIODRIVER="dummy", XDG_CACHE_HOME=os.path.join(app.root, "cache"))


class AppDir:
    """A copy of the demo application directory under a test's temporary folder."""

    def __init__(self, root, source):
        self.root = root
        self.path = os.path.join(root, "app")
        self.records = os.path.join(root, "records")
        shutil.copytree(source, self.path, symlinks=True)
        emulator = os.path.join(self.path, "emulator", "fmsx-dos.exe")
        with open(emulator, "w") as f:
            f.write(RECORDING_EMULATOR)
        os.chmod(emulator, stat.S_IRWXU | stat.S_IRGRP | stat.S_IXGRP)

    def file(self, *parts):
        return os.path.join(self.path, *parts)

    def read(self, *parts):
        with open(self.file(*parts), "rb") as f:
            return f.read()

    def write(self, relative, data):
        with open(self.file(relative), "wb") as f:
            f.write(data)

    def remove(self, relative):
        target = self.file(relative)
        if os.path.isdir(target):
            shutil.rmtree(target)
        else:
            os.remove(target)

    def launches(self):
        if not os.path.isdir(self.records):
            return []
        return sorted((d for d in os.listdir(self.records) if d.startswith("launch-")),
                      key=lambda d: int(d.split("-")[1]))

    def wait_launch(self, number):
        """What the emulator received at its launch number (1 for the first): argv, cwd, response."""
        name = f"launch-{number - 1}"
        wait_until(lambda: name in self.launches(), 20, f"emulator launch {number}")
        folder = os.path.join(self.records, name)
        with open(os.path.join(folder, "argv"), "rb") as f:
            argv = [a.decode() for a in f.read().split(b"\0")[:-1]]
        with open(os.path.join(folder, "cwd")) as f:
            cwd = f.read().rstrip("\n")
        response = None
        if os.path.exists(os.path.join(folder, "response")):
            with open(os.path.join(folder, "response"), "rb") as f:
                response = f.read()
        return argv, cwd, response


class Veldrun:
    """The program under test on an X server, and a person's hands on it."""

    def __init__(self, x, app, veldrun, log_path, **env_changes):
        self.x = x
        self.app = app
        self.log_path = log_path
        # No sound reaches the desktop's speakers, whatever this machine has: the background
        # music fails the same way everywhere.
        env = dict(x.env, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="0",
                   PULSE_SERVER="unix:/nonexistent/veldrun-e2e",
                   ALSA_CONFIG_PATH="/nonexistent/veldrun-e2e.conf", **env_changes)
        self.log = open(log_path, "ab")
        self.proc = subprocess.Popen([veldrun], cwd=app.path, env=env, stdout=self.log,
                                     stderr=subprocess.STDOUT, start_new_session=True)
        self.main = None
        self.startup_messages = []

    # Life

    def wait_started(self, timeout=60, box_shots=None):
        """Answers the error boxes that come before the main window; returns their messages.
        With box_shots, each box is photographed first, as box_shots + "-box<n>.png"."""
        def step():
            self.check_running()
            if self.x.windows(MAIN_WINDOW):
                return True
            if self.x.windows(ERROR_BOX):
                shot = None
                if box_shots:
                    shot = f"{box_shots}-box{len(self.startup_messages) + 1}.png"
                self.startup_messages.append(self.answer_error_box(shot))
            return False

        wait_until(step, timeout, "the main window")
        self.main = self.x.wait_window(MAIN_WINDOW)
        # The background music starts once the window is on the screen: where it cannot play
        # (no audio output, as under Xvfb) its box follows the window.
        try:
            wait_until(lambda: self.check_running() or self.x.windows(ERROR_BOX), LATE_BOX_WAIT,
                       "a box after the main window", interval=0.05)
        except Timeout:
            pass
        else:
            shot = f"{box_shots}-box{len(self.startup_messages) + 1}.png" if box_shots else None
            self.startup_messages.append(self.answer_error_box(shot))
        left, top, width, height = self.x.geometry(self.main)
        self.menu_bar = height - 481
        assert 10 <= self.menu_bar <= 60, f"a menu bar of {self.menu_bar} pixels"
        assert width == 841, f"the main window is {width} pixels wide"
        self.origin = (left, top + self.menu_bar)
        return self.startup_messages

    def check_running(self):
        code = self.proc.poll()
        if code is not None:
            raise AssertionError(f"veldrun ended with exit code {code}; see {self.log_path}")

    def wait_exit(self, timeout=20):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Timeout("veldrun did not end") from None

    def kill(self):
        if self.proc.poll() is None:
            os.killpg(self.proc.pid, signal.SIGTERM)
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                os.killpg(self.proc.pid, signal.SIGKILL)
                self.proc.wait()
        self.log.close()

    # Error boxes

    def wait_error_box(self, timeout=20):
        return self.x.wait_window(ERROR_BOX, timeout)

    def answer_error_box(self, screenshot=None):
        """Reads the box that is open (Ctrl+C), checks it, closes it with Return, returns its message."""
        box = self.wait_error_box()
        if screenshot:
            self.screenshot(screenshot)
        self.x.focus(box)
        copied = self.x.copy_with("ctrl+c", what="the error box's text")
        parts = split_box_copy(copied)
        assert parts, f"the clipboard holds no error box: {copied!r}"
        title, message, buttons = parts
        assert title == "Veldrun 2.0c", title
        assert buttons == ["OK"], buttons
        self.x.key("Return")
        self.x.wait_unmapped(box, "the error box")
        return message

    def close_box(self, key):
        """Answers a question or an information box with a key."""
        box = self.wait_error_box()
        self.x.focus(box)
        self.x.key(key)
        self.x.wait_unmapped(box, "the box")

    def no_error_box(self):
        return not self.x.windows(ERROR_BOX)

    # The main window

    def focus(self):
        self.check_running()
        self.x.focus(self.main)

    def at(self, name, dx=None, dy=None):
        """The screen point of a control: its centre, or dx, dy inside it."""
        left, top, width, height = panel_rect(name)
        dx = width // 2 if dx is None else dx
        dy = height // 2 if dy is None else dy
        return self.origin[0] + left + dx, self.origin[1] + top + dy

    def click(self, name, dx=None, dy=None):
        self.focus()
        self.x.click(*self.at(name, dx, dy))

    def keys(self, *keys):
        self.focus()
        self.x.key(*keys)

    def menu(self, menu_key, item_key):
        """Opens a menu with its access key (Alt+key) and picks an item by its access key."""
        self.keys(f"alt+{menu_key}")
        self.x.key(item_key)

    def choose(self, name, index):
        """Opens a drop-down list with a click and picks the item with the keyboard."""
        self.click(name)
        self.x.key("Home", *(["Down"] * index), "Return")

    def show_command_area(self):
        self.menu("c", "s")  # &Command > &Show

    def read_editline(self):
        """The command line as the shown edit holds it (Command > Show first)."""
        self.click("editline", dx=20)
        return self.x.copy_with("ctrl+a", "ctrl+c", what="the command line")

    def read_start(self):
        """The last command as the shown label holds it."""
        self.click("start", dx=3)
        return self.x.copy_with("ctrl+a", "ctrl+c", what="the last command")

    def wait_editline(self, expected, timeout=20):
        """Reads the command line until it is the expected one; returns the last text read."""
        last = [None]

        def matches():
            last[0] = self.read_editline()
            return last[0] == expected

        try:
            wait_until(matches, timeout, "the command line", interval=0.2)
        except Timeout:
            raise AssertionError(f"command line\n  is   {last[0]!r}\n  not  {expected!r}") from None
        return last[0]

    def screenshot(self, path):
        self.x.park_mouse()
        self.x.screenshot(path)
