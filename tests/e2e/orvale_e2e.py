#!/usr/bin/env python3
"""Orvale end to end: the real program in a real X server, driven by keys as a user would.

Each test mounts a tmpfs holding a tree it generates (so the tmpfs is the last drive in the
list), starts Orvale under Xvfb, picks that drive, builds the memo, saves it through the file
dialog and compares the saved bytes with what it computes itself from the tree it made.
Screenshots of each step land in ORVALE_E2E_SHOTS for a person to look at.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

PROGRAM = os.environ.get("ORVALE_BIN", "build/app/orvale")
SHOTS = os.environ.get("ORVALE_E2E_SHOTS", "build/e2e-screenshots")

HTML_HEAD = (b"<HTML>\r\n<HEAD>\r\n<TITLE>" + "フォルダ構成".encode("cp932") + b"</TITLE>\r\n"
             b'<META NAME=GENERATOR CONTENT="Orvale">\r\n</HEAD>\r\n<BODY>\r\n'
             b'<BASEFONT FACE="' + "ＭＳ 明朝".encode("cp932") + b'">\r\n<P>\r\n')
HTML_TAIL = b"</P></BODY>\r\n</HTML>\r\n"
PIECE_BRANCH, PIECE_LAST = "┣ ".encode("cp932"), "┗ ".encode("cp932")
PIECE_BAR, PIECE_BLANK = "┃ ".encode("cp932"), "　 ".encode("cp932")


def cp932_name(native):
    """A folder name as the program holds it: code page 932, '?' for what it cannot spell."""
    return native.decode("utf-8", errors="replace").replace("\ufffd", "?").encode("cp932", errors="replace")


class Node:
    def __init__(self, text, parent=None):
        self.text, self.parent, self.children = text, parent, []


def ntfs_order(native):
    """Sort key of a native name in the order an NTFS folder lists names: UTF-16 units
    upper-cased one by one, ties by the unchanged units; names that are not UTF-8 last, by
    their bytes. (A letter whose full upper case is longer than one character keeps its unit
    here; no name of these tests has one.)"""
    try:
        utf16 = native.decode("utf-8").encode("utf-16-be", errors="surrogatepass")
    except UnicodeDecodeError:
        return (1, native)
    units = [int.from_bytes(utf16[i:i + 2], "big") for i in range(0, len(utf16), 2)]

    def upper(unit):
        if 0xD800 <= unit <= 0xDFFF:
            return unit
        text = chr(unit).upper()
        return ord(text) if len(text) == 1 else unit

    return (0, [upper(unit) for unit in units], units)


def expected_tree(root_text, folder):
    """The tree the scan builds: folders in NTFS name order, symlinks dropped, other file
    systems listed but not entered."""
    root = Node(root_text)
    device = os.lstat(folder).st_dev

    def walk(node, path):
        with os.scandir(path) as listing:
            folders = [entry for entry in listing if entry.is_dir(follow_symlinks=False)]
        folders.sort(key=lambda entry: ntfs_order(os.fsencode(entry.name)))
        for entry in folders:
            child = Node(cp932_name(os.fsencode(entry.name)), node)
            node.children.append(child)
        for entry, child in zip(folders, node.children):
            if os.lstat(entry.path).st_dev == device:
                walk(child, entry.path)

    walk(root, folder)
    return root


def tree_lines(root):
    lines = []

    def has_next(node):
        return node.parent is not None and node.parent.children[-1] is not node

    def visit(node, depth):
        prefix = b""
        if depth > 0:
            prefix = PIECE_BRANCH if has_next(node) else PIECE_LAST
            ancestor = node.parent
            for _ in range(depth - 1):
                prefix = (PIECE_BAR if has_next(ancestor) else PIECE_BLANK) + prefix
                ancestor = ancestor.parent
        lines.append(prefix + node.text)
        for child in node.children:
            visit(child, depth + 1)

    visit(root, 0)
    return lines


class Desktop:
    """Xvfb with Orvale in it, and xdotool for the keyboard."""

    def __init__(self, name):
        self.name = name
        self.step = 0
        for number in range(140, 200):
            if not os.path.exists(f"/tmp/.X11-unix/X{number}") and not os.path.exists(f"/tmp/.X{number}-lock"):
                break
        self.env = dict(os.environ, DISPLAY=f":{number}", LANG="C.UTF-8")
        self.env.pop("QT_QPA_PLATFORM", None)
        self.xvfb = subprocess.Popen(["Xvfb", self.env["DISPLAY"], "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.wait_for(lambda: subprocess.run(["xdpyinfo"], env=self.env, capture_output=True).returncode == 0, 10)
        self.program = None

    def start(self):
        self.program = subprocess.Popen([PROGRAM], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.window = self.wait_for_window("^Orvale$")
        self.xdo("windowfocus", "--sync", self.window)
        time.sleep(0.5)

    def close(self):
        if self.program and self.program.poll() is None:
            self.program.kill()
            self.program.wait()
        self.xvfb.kill()
        self.xvfb.wait()

    def xdo(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True).stdout.strip()

    def focus_main_window(self):
        # No window manager here: when a dialog goes away nobody hands the focus back.
        self.xdo("windowfocus", "--sync", self.window)
        time.sleep(0.2)

    def key(self, *keys):
        for key in keys:
            self.xdo("key", "--clearmodifiers", key)
            time.sleep(0.15)

    def type(self, text):
        self.xdo("type", "--delay", "20", text)

    def wait_for_window(self, pattern, timeout=30):
        found = []

        def look():
            ids = self.xdo("search", "--onlyvisible", "--name", pattern).split()
            found[:] = ids
            return bool(ids)

        self.wait_for(look, timeout, f"no window named {pattern}")
        return found[-1]

    def shot(self, what):
        os.makedirs(SHOTS, exist_ok=True)
        self.step += 1
        path = os.path.join(SHOTS, f"{self.name}-{self.step:02d}-{what}.png")
        subprocess.run(["import", "-window", "root", path], env=self.env, capture_output=True)

    @staticmethod
    def wait_for(condition, timeout, message="timed out"):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            if condition():
                return
            time.sleep(0.1)
        raise AssertionError(message)


def wait_for_file(path, timeout=30):
    def settled():
        if not os.path.exists(path):
            return False
        size = os.path.getsize(path)
        time.sleep(0.3)
        return os.path.getsize(path) == size

    Desktop.wait_for(settled, timeout, f"{path} was not written")
    with open(path, "rb") as file:
        return file.read()


class MountedDrive:
    """A tmpfs mounted for the test: the newest mount, so the last drive in the list."""

    def __init__(self):
        self.top = tempfile.mkdtemp(prefix="orvale-e2e-")
        self.root = os.path.join(self.top, "drive")
        self.out = os.path.join(self.top, "out")
        os.makedirs(self.root)
        os.makedirs(self.out)
        self.mounts = []
        self.mount(self.root, "64m")

    def mount(self, where, size):
        result = subprocess.run(["mount", "-t", "tmpfs", "-o", f"size={size}", "orvale-e2e", where],
                                capture_output=True, text=True)
        if result.returncode != 0:
            raise unittest.SkipTest(f"cannot mount a tmpfs here ({result.stderr.strip() or 'not permitted'}): "
                                    "the end-to-end road needs a drive of its own")
        self.mounts.append(where)

    def close(self):
        for where in reversed(self.mounts):
            subprocess.run(["umount", "-l", where], capture_output=True)
        shutil.rmtree(self.top, ignore_errors=True)


def make_sample_tree(drive):
    root = drive.root
    for folder in ["データ/写真/2024", "データ/音楽", "資料表/下位", "A&B", "<tag>", ".cache/sub", "files", "inner"]:
        os.makedirs(os.path.join(root, folder), exist_ok=True)
    for name in ["a.txt", "b.txt"]:
        with open(os.path.join(root, "files", name), "w") as file:
            file.write("x")
    os.symlink(os.path.join(root, "データ"), os.path.join(root, "link"))
    drive.mount(os.path.join(root, "inner"), "1m")
    os.makedirs(os.path.join(root, "inner", "not-entered"))
    many = os.path.join(root, "many")
    os.makedirs(many)
    for i in range(5000):
        os.mkdir(os.path.join(many, f"d{i:04d}"))


class EndToEnd(unittest.TestCase):
    def setUp(self):
        self.drive = MountedDrive()
        self.addCleanup(self.drive.close)

    def start_desktop(self, name):
        desktop = Desktop(name)
        self.addCleanup(desktop.close)
        desktop.start()
        desktop.shot("started")
        return desktop

    def build_memo(self, desktop):
        desktop.focus_main_window()
        desktop.key("alt+m")
        question = desktop.wait_for_window("^確認$")
        desktop.xdo("windowfocus", "--sync", question)
        desktop.shot("question")
        desktop.key("Return")
        time.sleep(0.5)
        desktop.shot("memo")

    def save_as(self, desktop, name):
        desktop.focus_main_window()
        desktop.key("alt+f", "s")
        time.sleep(1.0)
        desktop.shot(f"save-dialog-{name}")
        target = os.path.join(self.drive.out, name)
        desktop.key("ctrl+a")  # the dialog opens with the previous name in its box
        desktop.type(target)
        desktop.key("Return")
        content = wait_for_file(target)
        desktop.shot(f"saved-{name}")
        return content

    def test_road_from_drive_to_saved_files(self):
        make_sample_tree(self.drive)
        desktop = self.start_desktop("road")
        # On the closed selector every key is a pick. The tmpfs mounted inside the drive is
        # the newest mount, so the last drive; the test's drive is the one before it.
        desktop.key("End", "Up")
        time.sleep(1.0)
        desktop.shot("scanned")
        self.build_memo(desktop)

        text = self.save_as(desktop, "memo.txt")
        lines = text.split(b"\r\n")
        self.assertEqual(lines[-1], b"", "every line ends with CR LF")
        root_text = lines[0]
        self.assertRegex(root_text.decode("ascii"), r"^[a-z]:\\$")
        expected = tree_lines(expected_tree(root_text, self.drive.root))
        self.assertEqual(lines[:-1], expected)
        self.assertEqual(sum(1 for line in lines if line[-5:-4] == b"d" and line[-4:].isdigit()), 5000)
        self.assertIn("資料表".encode("cp932"), text)

        html = self.save_as(desktop, "memo.htm")
        self.assertEqual(html, HTML_HEAD + b"".join(line + b"<BR>\r\n" for line in expected) + HTML_TAIL)

        desktop.focus_main_window()
        desktop.key("alt+f", "x")
        desktop.wait_for(lambda: desktop.program.poll() is not None, 15, "Orvale did not end")
        self.assertEqual(desktop.program.returncode, 0)

    def test_escape_held_cuts_the_scan_short(self):
        big = os.path.join(self.drive.root, "big")
        for i in range(200):
            for j in range(100):
                os.makedirs(os.path.join(big, f"b{i:03d}", f"c{j:02d}"))
        desktop = self.start_desktop("escape")
        desktop.xdo("keydown", "Escape")
        desktop.key("End")
        time.sleep(1.5)
        desktop.xdo("keyup", "Escape")
        desktop.shot("interrupted")
        self.build_memo(desktop)
        text = self.save_as(desktop, "cut.txt")
        lines = text.split(b"\r\n")[:-1]
        # The root listing stops at its second entry: the root and at most one folder.
        self.assertGreaterEqual(len(lines), 1)
        self.assertLessEqual(len(lines), 2)
        self.assertRegex(lines[0].decode("ascii"), r"^[a-z]:\\$")


if __name__ == "__main__":
    unittest.main(verbosity=2)
