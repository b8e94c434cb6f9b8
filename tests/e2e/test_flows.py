#!/usr/bin/env python3
"""End-to-end flows: the real veldrun under a private Xvfb, driven by keys and clicks.

Environment: VELDRUN (the executable), VELDRUN_APP (the demo application directory to copy),
VELDRUN_E2E_OUT (where screenshots and logs go). Run one flow with
    test_flows.py Flows.test_launch_with_saved_settings
Exits with 77 (skipped) when the X tools are missing.
"""
import os
import re
import shutil
import sys
import tempfile
import time
import unittest

sys.dont_write_bytecode = True  # nothing is written into the source tree
import x11  # noqa: E402
from frontend import AppDir, Veldrun, children, openmsx, openmsx_socket, use_real_bridge  # noqa: E402

VELDRUN = os.environ.get("VELDRUN", "")
APP_SOURCE = os.environ.get("VELDRUN_APP", "")
OUT = os.environ.get("VELDRUN_E2E_OUT") or os.path.join(tempfile.gettempdir(), "veldrun-e2e")

# The settings.CFG every flow starts from unless it writes its own: MSX2, 60Hz, 128Kb Ram and
# Vram, mappers 0 and 0, quality 5, 320x200, FM-PAC off, SCC on, the video lists at 0, volume 15,
# speed 100; and the command line they give with both drives at their own images.
SETTINGS = b"110000500100000" + b"15#10000\r\n"
LINE = (" -diska {a}/disks/drivea.dsk -diskb {a}/disks/driveb.dsk -rom 0,0 -sq 5 -volume 15"
             " -video 0 -scc 1 -ifreq 60")


def music_message(message):
    """A start-up box about the background music: no audio output here, or a missing tune."""
    return message.startswith("Cannot play ")


def photograph_failures(cls):
    """Each test of the class leaves a picture of the screen when it fails."""
    for name in [n for n in vars(cls) if n.startswith("test_")]:
        def run(self, test=getattr(cls, name)):
            try:
                test(self)
            except unittest.SkipTest:
                raise
            except BaseException:
                try:
                    self.x.screenshot(os.path.join(OUT, f"{self.name}-FAILED.png"))
                except Exception as e:  # the failure itself is what matters
                    print(f"no picture of the failure: {e}", file=sys.stderr)
                raise
        run.__name__ = name
        run.__doc__ = getattr(cls, name).__doc__
        setattr(cls, name, run)
    return cls



@photograph_failures
class Flows(unittest.TestCase):
    def setUp(self):
        self.assertTrue(os.access(VELDRUN, os.X_OK), f"no veldrun executable at {VELDRUN!r}")
        self.assertTrue(os.path.isdir(APP_SOURCE), f"no application directory at {APP_SOURCE!r}")
        self.name = self.id().rsplit(".", 1)[-1].removeprefix("test_")
        os.makedirs(OUT, exist_ok=True)
        self.tmp = tempfile.TemporaryDirectory(prefix="veldrun-e2e-")
        self.addCleanup(self.tmp.cleanup)
        self.x = x11.XServer()
        self.addCleanup(self.x.close)
        self.app = AppDir(self.tmp.name, APP_SOURCE)
        self.a = self.app.path
        self.app.write("settings.CFG", SETTINGS)
        self.line = LINE.format(a=self.a)
        self.log = os.path.join(OUT, f"{self.name}.log")
        if os.path.exists(self.log):
            os.remove(self.log)
        self.runs = []

    def tearDown(self):
        for run in self.runs:
            run.kill()

    # Helpers

    def start(self, expect_messages=None):
        """Starts veldrun; the boxes before the main window are answered and checked: only music
        boxes unless the messages expected are given (checked in order, music boxes aside)."""
        run = Veldrun(self.x, self.app, VELDRUN, self.log)
        self.runs.append(run)
        messages = run.wait_started()
        others = [m for m in messages if not music_message(m)]
        self.assertEqual(others, expect_messages or [], f"start-up messages: {messages}")
        return run

    def screenshot(self, run, suffix=""):
        run.screenshot(os.path.join(OUT, f"{self.name}{suffix}.png"))

    def launch(self, run, number, expected_line, cwd=None):
        """Presses "&MSX!" (Alt+M) and checks the response file and what the emulator got."""
        run.keys("alt+m")
        argv, emulator_cwd, response = self.app.wait_launch(number)
        tulk = self.app.file("TULK.CFG")
        self.assertEqual(argv, ["@" + tulk], "the emulator's one argument")
        self.assertEqual(response, expected_line.encode() + b"\r\n", "the response file it read")
        self.assertEqual(self.app.read("TULK.CFG"), expected_line.encode() + b"\r\n")
        self.assertEqual(emulator_cwd, cwd or self.a, "the emulator's current directory")
        return argv

    def assert_start_shows_launch(self, run):
        self.assertEqual(run.read_start(),
                         f"{self.a}/emulator/fmsx-dos.exe @{self.a}/TULK.CFG")

    # Flows

    def test_launch_with_saved_settings(self):
        # MSX2+, 50Hz, 256Kb Ram and Vram, mappers 4 and 0, quality 3, 320x240, FM-PAC off,
        # SCC off, sprites limited, VDP no, VGA on, sync no, S3 Chipset, volume 9, speed 250.
        settings = b"201140310010101" + b"9#25000\r\n"
        self.app.write("settings.CFG", settings)
        run = self.start()
        expected = (f" -diska {self.a}/disks/drivea.dsk -diskb {self.a}/disks/driveb.dsk -msx2+"
                    " -rom 4,0 -cpuspeed 250 -sq 3 -volume 9 -video 1 -scc 0 -ram 16 -vram 16"
                    " -sprite 1 -video 1 -modeswitch 1")
        self.assertFalse(os.path.exists(self.app.file("TULK.CFG")))

        self.launch(run, 1, expected)
        run.show_command_area()
        self.assertEqual(run.read_editline(), expected)
        self.assert_start_shows_launch(run)
        self.assertEqual(self.app.read("settings.CFG"), settings, "a launch leaves the settings alone")
        self.screenshot(run, "-1-launched")

        # "&Emulator" > "&fMSX" names the executable "fMSX-dos.exe": the same file, found
        # whatever its letter case.
        run.menu("e", "f")
        self.launch(run, 2, expected)
        self.assertEqual(run.read_start(), f"{self.a}/emulator/fMSX-dos.exe @{self.a}/TULK.CFG")

        # A hand edit of the shown command line is what the next launch writes.
        run.click("editline", dx=20)
        run.x.key("End")
        run.x.type(" -hand")
        self.launch(run, 3, expected + " -hand")
        self.screenshot(run, "-2-hand-edit")

    def test_settings_survive_a_restart(self):
        run = self.start()
        run.show_command_area()
        run.wait_editline(self.line)

        run.choose("computer", 0)     # MSX1
        run.choose("Sram", 2)         # 512Kb Ram
        run.choose("Svram", 1)        # 256Kb Vram
        run.choose("sccselect", 0)    # SCC OFF
        run.click("volbar", dx=20)    # the volume takes the keyboard
        run.x.key("Home", *["Right"] * 7)
        for _ in range(3):            # CPU speed 100 -> 103 on the spin button's upper half
            run.click("SpinButton1", dy=4)
        expected = (f" -diska {self.a}/disks/drivea.dsk -diskb {self.a}/disks/driveb.dsk -msx1"
                    " -rom 0,0 -cpuspeed 103 -sq 5 -volume 7 -video 0 -scc 0 -ifreq 60 -ram 32"
                    " -vram 16")
        run.wait_editline(expected)

        run.menu("t", "s")  # Se&ttings > &Save settings
        saved = b"012100500000000" + b"7#10300\r\n"
        x11.wait_until(lambda: self.app.read("settings.CFG") == saved, 20, "settings.CFG to be saved")
        self.screenshot(run, "-1-changed")
        run.keys("alt+q")  # &Quit
        self.assertEqual(run.wait_exit(), 0)

        again = self.start()
        again.show_command_area()
        again.wait_editline(expected)
        self.assertEqual(self.app.read("settings.CFG"), saved, "starting leaves settings.CFG as saved")
        self.launch(again, 1, expected)
        self.screenshot(again, "-2-restarted")

        # "&Save&&Close" saves a change on the way out.
        again.choose("freq", 0)  # 50Hz
        again.menu("f", "s")
        self.assertEqual(again.wait_exit(), 0)
        self.assertEqual(self.app.read("settings.CFG"), b"002100500000000" + b"7#10300\r\n")

    def test_cartridge_moved_to_slot_2(self):
        self.app.write(os.path.join("roms", "GAME.ROM"), bytes(16384))
        run = self.start()
        run.show_command_area()
        # In the directory list, typing a name's first letter finds "roms"; Return opens it.
        run.click("DirectoryListBox1", dy=200)
        run.x.type("r")
        run.x.key("Return")
        # The file list lists "GAME.ROM" under "*.rom"; typing its first letter selects it.
        run.click("FileListBox1", dy=258)
        run.x.type("G")
        rom = f"{self.a}/roms/GAME.ROM"
        run.wait_editline(rom + self.line)
        self.screenshot(run, "-1-slot1")

        run.click("Moveknop")
        expected = " " + rom + self.line
        run.wait_editline(expected)
        self.launch(run, 1, expected, cwd=f"{self.a}/roms")
        self.assertTrue(self.app.read("TULK.CFG").startswith(b" /"), "the line begins with the blank")
        self.screenshot(run, "-2-slot2")

        # Disk images: the "MSX-Disks" filter, up to the application directory and into
        # "disks"; a disk goes to drive A, then over to drive B.
        run.choose("FilterComboBox1", 1)
        run.click("DirectoryListBox1", dy=200)
        run.x.key("Up", "Return")
        run.x.type("d")
        run.x.key("Return")
        run.click("FileListBox1", dy=258)
        run.x.type("m")  # mgear2sa.dsk
        run.wait_editline(" " + rom + self.line.replace("/drivea.dsk", "/mgear2sa.dsk"))
        run.click("Button2")  # Move disk from drive A to drive B
        expected = " " + rom + self.line.replace("/driveb.dsk", "/mgear2sa.dsk")
        run.wait_editline(expected)
        self.launch(run, 2, expected, cwd=f"{self.a}/disks")
        self.screenshot(run, "-3-disk")

    def test_catalogue_title(self):
        run = self.start()
        run.show_command_area()
        # The first publisher, "ASCII", with a click; open it and go down to its title.
        run.click("TreeView1", dx=60, dy=10)
        run.x.key("Home", "Right", "Down")
        # Arkanoid2: MSX2+, 512Kb Ram, SCC off, FM-PAC MPU401 (MIDI).
        expected = (f" -diska {self.a}/disks/drivea.dsk -diskb {self.a}/disks/driveb.dsk -msx2+"
                    " -rom 0,0 -sq 5 -volume 15 -video 0 -fmpac 2 -scc 0 -ifreq 60 -ram 32")
        run.wait_editline(expected)
        self.launch(run, 1, expected)
        self.assert_start_shows_launch(run)
        self.screenshot(run)

    def test_bad_installation(self):
        # No music, no pictures, and a settings file with a letter where a digit belongs.
        self.app.remove("music")
        self.app.remove("images")
        self.app.write("settings.CFG", b"11x0005001000001" + b"5#10000\r\n")
        run = Veldrun(self.x, self.app, VELDRUN, self.log)
        self.runs.append(run)
        messages = run.wait_started(box_shots=os.path.join(OUT, f"{self.name}-0"))
        self.assertEqual(len(messages), 2, messages)
        self.assertRegex(messages[0], rf"^Cannot play {re.escape(self.a)}/music/([1-9]|[12][0-9]|3[0-4])"
                                      r"\.mid: the file does not exist\.$")
        self.assertEqual(messages[1], "'x' is not a valid integer value.")
        self.screenshot(run, "-1-started")

        # The window works: nothing was selected by the bad file; choosing a machine reports
        # the missing picture and keeps the choice.
        run.show_command_area()
        unselected = (f" -diska {self.a}/disks/drivea.dsk -diskb {self.a}/disks/driveb.dsk"
                      " -rom -1,-1 -sq 5 -volume 15 -video -1 -fmpac -1 -scc -1 -ifreq 60 -adjust -1")
        run.wait_editline(unselected)
        run.choose("computer", 0)
        self.assertEqual(run.answer_error_box(os.path.join(OUT, f"{self.name}-1-box3.png")),
                         f"Cannot open file {self.a}/images/msx1.bmp.")
        expected = (f" -diska {self.a}/disks/drivea.dsk -diskb {self.a}/disks/driveb.dsk -msx1"
                    " -rom -1,-1 -sq 5 -volume 15 -video -1 -fmpac -1 -scc -1 -ifreq 60 -adjust -1")
        run.wait_editline(expected)
        # Without a tune there is nothing to stop: the launch goes ahead.
        self.launch(run, 1, expected)
        self.assertTrue(run.no_error_box())
        self.screenshot(run, "-2-launched")
        run.keys("alt+q")
        self.assertEqual(run.wait_exit(), 0)

        # A good settings file without the pictures: the settings apply, the picture is reported.
        self.app.write("settings.CFG", SETTINGS)
        again = self.start(expect_messages=[f"Cannot open file {self.a}/images/msx2.bmp."])
        self.launch(again, 2, self.line)
        self.screenshot(again, "-3-no-pictures")

    def test_reader_window(self):
        run = self.start()
        reader = r"^(About Veldrun 2\.0c|fMSX-Dos manual|View TULK\.CFG file)$"

        def read_reader(caption):
            wid = self.x.wait_window("^" + re.escape(caption) + "$")
            left, top, width, height = self.x.geometry(wid)
            self.x.focus(wid)
            self.x.click(left + 100, top + height // 3)
            return wid, self.x.copy_with("ctrl+a", "ctrl+c", what=f"the text of '{caption}'")

        def words(text):
            return " ".join(text.split())

        run.menu("h", "a")  # &Help > &About
        wid, text = read_reader("About Veldrun 2.0c")
        self.assertEqual(words(text), words(self.app.read("About.txt").decode()))
        self.screenshot(run, "-1-about")
        self.x.key("alt+c")  # &Close reader
        self.x.wait_unmapped(wid, "the reader")

        run.menu("h", "f")  # &Help > &fMSX Manual
        wid, text = read_reader("fMSX-Dos manual")
        self.assertIn("Veldrun 2.0c - the emulator folder", text)
        self.assertNotIn("\\rtf1", text, "the manual is shown formatted, not as RTF source")
        self.screenshot(run, "-2-manual")
        self.x.key("alt+f")  # the reader's &File > &Quit
        self.x.key("q")
        self.x.wait_unmapped(wid, "the reader")

        # Before any launch there is no TULK.CFG to show.
        run.menu("o", "Return")  # &Options > open TULK.CFG, the first item
        self.assertEqual(run.answer_error_box(), f"Cannot open file {self.a}/TULK.CFG.")
        self.assertEqual(self.x.windows(reader), [], "the reader stays closed")

        self.launch(run, 1, self.line)
        run.menu("o", "Return")
        wid, text = read_reader("View TULK.CFG file")
        self.assertEqual(text.rstrip("\n"), self.line)
        self.screenshot(run, "-3-tulk-cfg")
        self.x.key("alt+c")
        self.x.wait_unmapped(wid, "the reader")

        # The main window goes on: it launches again; quitting with the reader open ends all.
        self.launch(run, 2, self.line)
        run.menu("h", "a")
        self.x.wait_window(r"^About Veldrun 2\.0c$")
        self.screenshot(run, "-4-about-again")
        run.keys("alt+q")
        self.assertEqual(run.wait_exit(), 0)
        self.assertEqual(self.x.windows(reader), [])

    def test_running_openmsx(self):
        use_real_bridge(self.app, APP_SOURCE, self.x.env)
        name = 'q[exec touch INJECTED]$x{y}".rom'
        shutil.copy(self.app.file("roms", "veldrun-demo.rom"), self.app.file("roms", name))
        run = self.start()
        run.keys("alt+m")
        pid = x11.wait_until(lambda: [p for p in children(run.proc.pid) if os.path.exists(openmsx_socket(p))],
                             60, "openMSX's control socket")[0]

        # Paused and resumed from the menu; openMSX itself says so.
        def pause_is(answer):
            run.menu("e", "p")
            x11.wait_until(lambda: openmsx(pid, "set pause") == answer, 10, f"pause {answer}")
        time.sleep(2)  # Veldrun looks for the socket four times a second
        pause_is("true")
        self.screenshot(run, "-1-paused")
        pause_is("false")

        # A second launch asks first, and No leaves the one emulator running.
        run.keys("alt+m")
        run.close_box("Return")
        self.assertEqual(children(run.proc.pid), [pid])

        # The C-BIOS machine has no drive: the disk change is refused in words.
        run.menu("e", "a")
        self.assertRegex(run.answer_error_box(), r"^The running machine \S+ has no drive A: ")

        # A cartridge picked while it runs goes in, its name exactly as it is, running nothing.
        run.click("DirectoryListBox1", dy=200)
        run.x.type("r")
        run.x.key("Return")
        run.click("FileListBox1", dy=258)
        run.x.type("q")
        run.close_box("alt+y")
        x11.wait_until(lambda: openmsx(pid, "lindex [carta] 1") == self.app.file("roms", name), 10, "the cartridge")
        self.assertEqual([f for f in os.listdir(self.app.file("roms")) if "INJECTED" == f], [])

        run.menu("e", "s")
        run.close_box("Return")  # where the screenshot went
        self.assertTrue(os.path.isfile(self.app.file("screenshots", "veldrun0001.png")))
        run.menu("e", "t")
        x11.wait_until(lambda: not children(run.proc.pid), 20, "openMSX to stop")
        self.assertTrue(run.no_error_box(), "a stop is no failure")

    def test_emulator_failures(self):
        use_real_bridge(self.app, APP_SOURCE, self.x.env)
        # Only veldrun and what it starts lack openMSX on their PATH.
        run = Veldrun(self.x, self.app, VELDRUN, self.log, PATH=os.path.join(self.tmp.name, "no-openmsx"))
        self.runs.append(run)
        run.wait_started()
        run.keys("alt+m")
        self.assertTrue(run.answer_error_box().startswith("openMSX is not installed: install the packages"))
        run.kill()

        rom = self.app.file("roms", "bad.rom")
        self.app.write("roms/bad.rom", b"" if os.geteuid() == 0 else bytes(16384))
        os.chmod(rom, 0o644 if os.geteuid() == 0 else 0)  # root reads any file, but not an empty one
        again = self.start()
        again.show_command_area()
        again.click("editline", dx=20)
        again.x.key("Home")
        again.x.type(rom)
        again.keys("alt+m")
        self.assertEqual(again.wait_error_box(timeout=10) and again.answer_error_box(), "openMSX cannot open the "
                         f"cartridge {rom}: {'the file is empty' if os.geteuid() == 0 else 'permission denied'}.")
        self.screenshot(again)


if __name__ == "__main__":
    missing = x11.missing_tools()
    if missing:
        print(f"SKIP: missing {', '.join(missing)} (scripts/bootstrap.sh installs them)")
        sys.exit(77)
    unittest.main(verbosity=2)
