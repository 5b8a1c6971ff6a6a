#!/usr/bin/env python3
"""Orvale.exe end to end: the real Windows window under Wine on a virtual X display (Xvfb),
driven by X key and mouse events only, as a user would drive it. Each test maps a folder of
its own as a drive letter of the Wine prefix, and compares the files the window saves with
the bytes the Linux window saves for the same tree (tests/e2e/orvale_e2e.py works them out),
and with the Linux build's orvale-tree when one is at hand (ORVALE_TREE_NATIVE).

Usage: orvale_window_wine.py WINE-RUN.SH PREFIX ORVALE.EXE [Class.test]
(The Windows package's checks import it for its steps of a user.)

Screenshots of each step land in ORVALE_E2E_SHOTS (the Linux build's e2e-screenshots/),
named wine-...; look at them.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import orvale_e2e as e2e  # noqa: E402
import orvale_tree_e2e as tree_e2e  # noqa: E402

WINE_RUN, PREFIX, EXE = sys.argv[1:4] if __name__ == "__main__" else (None, None, None)
WINE_SERVER = next((path for path in ("/usr/lib/wine/wineserver", shutil.which("wineserver")) if path and
                    os.access(path, os.X_OK)), "wineserver")
NATIVE = os.environ.get("ORVALE_TREE_NATIVE", "")
DRIVE = "t"  # the test's folder, as a drive of the prefix
# Names both systems spell and order alike (a leading dot is an ordinary folder in this prefix).
FOLDERS = ["データ/写真/2024", "データ/音楽", "データ/Zeta", "データ/alpha", "データ/Beta", "資料表/下位", "A&B", ".cache/sub",
           "files", "ｶﾅ/x"]
GEOMETRY = (197, 118, 696, 480)
SCREEN = (1280, 1024)  # what orvale_e2e's Xvfb gives


def windows_path(path):
    """Wine's z: is the Unix root."""
    return "z:" + path.replace("/", "\\")


class WineDesktop(e2e.Desktop):
    """Xvfb with Orvale.exe in it, under Wine with the window prefix."""

    def start(self, *arguments, prefix=PREFIX, **popen):
        self.program = subprocess.Popen([WINE_RUN, "--display", prefix, EXE, *arguments], env=self.env,
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                        **popen)
        self.window = self.wait_for_window("^Orvale$", 180)
        self.focus()

    def focus(self):
        self.xdo("windowfocus", "--sync", self.window)
        time.sleep(0.5)

    def geometry(self, window=None):
        text = self.xdo("getwindowgeometry", window or self.window)
        position = re.search(r"Position: (-?\d+),(-?\d+)", text)
        size = re.search(r"Geometry: (\d+)x(\d+)", text)
        return tuple(int(v) for v in position.groups() + size.groups())

    def windows(self, pattern):
        return self.xdo("search", "--onlyvisible", "--name", pattern).split()

    def answer(self, title, key, what):
        """Waits for a dialog with that title, takes its picture and answers it with `key`."""
        dialog = self.wait_for_window(title, 60)
        self.xdo("windowfocus", "--sync", dialog)
        time.sleep(0.4)
        self.shot(what)
        self.key(key)
        self.wait_for(lambda: dialog not in self.windows(title), 30, f"{title} stayed")


class WindowTest(unittest.TestCase):
    """A folder of the test's own mapped as drive t: of the prefix, and the steps of a user."""

    def setUp(self):
        self.top = tempfile.mkdtemp(prefix="orvale-wine-window-")
        self.addCleanup(shutil.rmtree, self.top, True)
        self.root = os.path.join(self.top, "drive")
        self.out = os.path.join(self.top, "out")
        os.makedirs(self.root)
        os.makedirs(self.out)

    def make_tree(self, many=300):
        for folder in FOLDERS:
            os.makedirs(os.path.join(self.root, folder))
        with open(os.path.join(self.root, "files", "a.txt"), "w") as file:
            file.write("x")
        for i in range(many):
            os.makedirs(os.path.join(self.root, "many", f"d{i:04d}"))

    def start(self, name, *arguments, prefix=PREFIX, setup=None, screen="1280x1024x24"):
        # Wine's desktop process belongs to the display its server started on: each test's
        # server starts on the test's own display and ends with it.
        self.addCleanup(subprocess.run, [WINE_SERVER, "-k"], env=dict(os.environ, WINEPREFIX=prefix),
                        capture_output=True)
        desktop = WineDesktop("wine-" + name, screen)
        self.addCleanup(desktop.close)
        # The prefix is made on first use; the drive link goes in once it is there, and before
        # the server starts that reads the drives.
        subprocess.run([WINE_RUN, "--display", prefix, "cmd", "/c", "echo"], env=desktop.env, capture_output=True,
                       timeout=600)
        if setup:
            setup(desktop)
        subprocess.run([WINE_SERVER, "-k"], env=dict(os.environ, WINEPREFIX=prefix), capture_output=True)
        link = os.path.join(prefix, "dosdevices", f"{DRIVE}:")
        if os.path.lexists(link):
            os.unlink(link)
        os.symlink(self.root, link)
        self.addCleanup(os.unlink, link)
        desktop.start(*arguments, prefix=prefix)
        desktop.shot("started")
        return desktop

    def pick(self, desktop, letter, scale=1.0):
        """Opens the selector's list with the mouse (the field spans the top of the left pane,
        under the menu bar), types the drive's letter, which picks it, and closes the list with
        Return."""
        desktop.xdo("mousemove", "--window", desktop.window, str(round(90 * scale)), str(round(55 * scale)))
        desktop.xdo("click", "1")
        time.sleep(0.6)
        desktop.shot(f"selector-open-{letter}")
        desktop.key(letter, "Return")

    def pick_test_drive(self, desktop):
        self.pick(desktop, DRIVE)

    def build_memo(self, desktop):
        desktop.key("alt+m")
        desktop.answer("^確認$", "Return", "question")
        time.sleep(0.5)
        desktop.shot("memo")

    def save_as(self, desktop, name):
        desktop.key("alt+f", "s")
        dialog = desktop.wait_for_window("^名前を付けて保存$", 60)
        desktop.xdo("windowfocus", "--sync", dialog)
        time.sleep(0.8)
        # Centred across the screen, one third of the free height above it.
        left, top, width, height = desktop.geometry(dialog)
        self.assertEqual((left, top), ((SCREEN[0] - width) // 2, (SCREEN[1] - height) // 3))
        desktop.shot(f"save-dialog-{name.replace('.', '-')}")
        target = os.path.join(self.out, name)
        desktop.key("ctrl+a")  # the dialog opens with the previous name in its box
        desktop.type(windows_path(target))
        desktop.key("Return")
        content = e2e.wait_for_file(target, 60)
        desktop.focus()
        desktop.shot(f"saved-{name.replace('.', '-')}")
        return content

    def assert_tree_files(self, desktop, root_text, folder, stem):
        expected = e2e.tree_lines(e2e.expected_tree(root_text, folder))
        text = self.save_as(desktop, f"{stem}.txt")
        self.assertEqual(text.split(b"\r\n")[:-1], expected)
        self.assertEqual(text, b"".join(line + b"\r\n" for line in expected))
        html = self.save_as(desktop, f"{stem}.htm")
        self.assertEqual(html, e2e.HTML_HEAD + b"".join(line + b"<BR>\r\n" for line in expected) + e2e.HTML_TAIL)
        if NATIVE and os.access(NATIVE, os.X_OK):
            # The Linux build's bytes for the same folder: its root line names the folder its own way.
            native = subprocess.run([NATIVE, folder], capture_output=True, check=True).stdout.split(b"\r\n")[:-1]
            self.assertEqual(native[1:], expected[1:], "the Linux build's tree")
        return expected


class WindowEndToEnd(WindowTest):
    def test_road_from_drive_to_saved_files(self):
        self.make_tree()
        desktop = self.start("road")
        self.assertEqual(desktop.geometry(), GEOMETRY, "outer frame at 197,118, 696 x 480")
        self.pick_test_drive(desktop)
        time.sleep(1.5)
        desktop.shot("scanned")
        self.build_memo(desktop)
        lines = self.assert_tree_files(desktop, f"{DRIVE}:\\".encode("ascii"), self.root, "memo")
        self.assertEqual(sum(1 for line in lines if re.search(rb"d\d{4}$", line)), 300)
        self.assertIn("資料表".encode("cp932"), b"".join(lines))
        desktop.key("alt+f", "x")
        desktop.wait_for(lambda: desktop.program.poll() is not None, 60, "Orvale.exe did not end")
        self.assertEqual(desktop.program.returncode, 0)

    def test_folder_named_on_the_command_line(self):
        self.make_tree()
        folder = os.path.join(self.root, "データ")
        desktop = self.start("folder", f"{DRIVE}:\\データ")
        time.sleep(1.5)
        desktop.shot("folder-scanned")
        self.build_memo(desktop)
        root_text = f"{DRIVE}:\\".encode("ascii") + "データ".encode("cp932") + b"\\"
        self.assert_tree_files(desktop, root_text, folder, "folder")

    def test_folder_opened_from_the_menu(self):
        self.make_tree(many=20)
        folder = os.path.join(self.root, "many")
        desktop = self.start("open-folder")
        desktop.key("alt+f", "o")
        chooser = desktop.wait_for_window("^フォルダを開く$", 60)
        desktop.xdo("windowfocus", "--sync", chooser)
        time.sleep(0.8)
        desktop.shot("folder-chooser")
        desktop.type(f"{DRIVE}:\\many")
        desktop.key("Return")
        desktop.wait_for(lambda: not desktop.windows("^フォルダを開く$"), 60, "the chooser stayed")
        desktop.focus()
        time.sleep(1.0)
        desktop.shot("folder-scanned")
        self.build_memo(desktop)
        self.assert_tree_files(desktop, f"{DRIVE}:\\many\\".encode("ascii"), folder, "opened")

    def test_the_view_menus_options_give_the_bytes_orvale_tree_writes(self):
        self.make_tree(many=5)
        tree_e2e.add_files(self.root)
        patterns = [".CACHE", "*.tmp", "?.log"]
        desktop = self.start("options")
        # Files too, a depth of 3 and the names left out, all by keys, before the scan.
        desktop.key("alt+v", "f")
        desktop.key("alt+v", "d")
        dialog = desktop.wait_for_window("^階層の深さ$", 60)
        desktop.xdo("windowfocus", "--sync", dialog)
        desktop.type("3")
        desktop.shot("depth")
        desktop.key("Return")
        desktop.focus()
        desktop.key("alt+v", "x")
        dialog = desktop.wait_for_window("^除外する名前$", 60)
        desktop.xdo("windowfocus", "--sync", dialog)
        for pattern in patterns:
            desktop.type(pattern)
            desktop.key("Return")
        desktop.shot("names-left-out")
        desktop.key("ctrl+Return")
        desktop.wait_for(lambda: not desktop.windows("^除外する名前$"), 60, "the dialog stayed")
        desktop.focus()
        self.pick_test_drive(desktop)
        time.sleep(1.5)
        desktop.shot("scanned-with-options")
        self.build_memo(desktop)
        root_text = f"{DRIVE}:\\".encode("ascii")
        expected = e2e.tree_lines(tree_e2e.expected_tree_with_options(root_text, self.root, 3, patterns))
        text = self.save_as(desktop, "options.txt")
        self.assertEqual(text, b"".join(line + b"\r\n" for line in expected))
        html = self.save_as(desktop, "options.htm")
        self.assertEqual(html, e2e.HTML_HEAD + b"".join(line + b"<BR>\r\n" for line in expected) + e2e.HTML_TAIL)
        self.assertIn(b"bb.log", text)
        self.assertNotIn(b"Alpha.TMP", text)
        if NATIVE and os.access(NATIVE, os.X_OK):
            options = ["-f", "-L", "3"] + [a for p in patterns for a in ("-I", p)]
            native = subprocess.run([NATIVE, *options, self.root], capture_output=True, check=True).stdout
            self.assertEqual(native.split(b"\r\n")[1:], text.split(b"\r\n")[1:], "the Linux build's orvale-tree")

    def test_drive_not_ready_then_escape_cuts_the_scan_short(self):
        # A pick of the prefix's empty CD-ROM drive raises two change events: a beep and the
        # dialog for each, and the tree stays as it was.
        desktop = self.start("not-ready")
        self.pick(desktop, "e")
        desktop.answer("^情報$", "Return", "not-ready-first")
        desktop.answer("^情報$", "Return", "not-ready-second")
        desktop.shot("not-ready-answered")

        big = os.path.join(self.root, "big")
        for i in range(100):
            for j in range(50):
                os.makedirs(os.path.join(big, f"b{i:03d}", f"c{j:02d}"))
        desktop.focus()
        desktop.xdo("keydown", "Escape")
        self.pick_test_drive(desktop)
        time.sleep(2.0)
        desktop.xdo("keyup", "Escape")
        desktop.shot("interrupted")
        self.build_memo(desktop)
        text = self.save_as(desktop, "cut.txt")
        lines = text.split(b"\r\n")[:-1]
        # The root listing stops at its second entry: the root and at most one folder.
        self.assertEqual(lines[0], f"{DRIVE}:\\".encode("ascii"))
        self.assertLessEqual(len(lines), 2)


    def test_window_scales_with_the_screens_dpi(self):
        # The designed geometry is 100 %; at 150 % and 200 % the window is as much larger, its
        # fonts drawn at that size rather than stretched (the screenshots show it crisp).
        self.make_tree(many=3)
        for dpi, scale in ((144, 1.5), (192, 2.0)):
            prefix = f"{PREFIX}-dpi{dpi}"

            def set_dpi(desktop, dpi=dpi, prefix=prefix):
                registry = os.path.join(prefix, "dpi.reg")
                with open(registry, "w") as file:
                    file.write(f'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n'
                               f'"LogPixels"=dword:{dpi:08x}\r\n')
                subprocess.run([WINE_RUN, "--display", prefix, "regedit", "/S", "z:" + registry.replace("/", "\\")],
                               env=desktop.env, capture_output=True, timeout=300)

            # A screen that holds the larger window.
            desktop = self.start(f"dpi{dpi}", prefix=prefix, setup=set_dpi, screen="1920x1440x24")
            left, top, width, height = desktop.geometry()
            self.assertEqual((left, top), GEOMETRY[:2])
            self.assertEqual((width, height), (round(GEOMETRY[2] * scale), round(GEOMETRY[3] * scale)))
            self.pick(desktop, DRIVE, scale)
            time.sleep(1.0)
            self.build_memo(desktop)
            self.assertEqual(desktop.windows("^確認$"), [], "the tree was there to build the memo from")
            desktop.close()


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1] + sys.argv[4:], verbosity=2)
