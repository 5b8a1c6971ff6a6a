#!/usr/bin/env python3
"""Orvale end to end: the real program in a real X server, driven by keys as a user would.

Each test mounts a tmpfs holding a tree it generates (so the tmpfs is the last drive in the
list), starts Orvale under Xvfb, picks that drive, builds the memo, saves it through the file
dialog and compares the saved bytes with what it computes itself from the tree it made.
Screenshots of each step land in ORVALE_E2E_SHOTS for a person to look at.
"""
import os
import re
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
    """A folder name as the program holds it: code page 932, '?' for what it cannot spell
    and for control characters."""
    text = native.decode("utf-8", errors="replace").replace("\ufffd", "?")
    text = "".join("?" if ord(c) < 0x20 or c == "\x7f" else c for c in text)
    return text.encode("cp932", errors="replace")


def name_order_key(native):
    """Where a name sorts in a folder listing: as an NTFS index orders it, by UTF-16 code
    units upper-cased one by one, ties by the units themselves; names that are not UTF-8
    after all others, by bytes. (str.upper of one unit is the simple mapping for every
    name these tests make.)"""
    try:
        text = native.decode("utf-8")
    except UnicodeDecodeError:
        return (1, native)
    raw = text.encode("utf-16-le")
    units = [int.from_bytes(raw[i:i + 2], "little") for i in range(0, len(raw), 2)]

    def upper(unit):
        if 0xD800 <= unit <= 0xDFFF:
            return unit
        shifted = chr(unit).upper()
        return ord(shifted) if len(shifted) == 1 else unit

    return (0, [upper(u) for u in units], units)


class Node:
    def __init__(self, text, parent=None):
        self.text, self.parent, self.children = text, parent, []


def expected_tree(root_text, folder):
    """The tree the scan builds: folders in NTFS name order, symlinks dropped, other file
    systems listed but not entered."""
    root = Node(root_text)
    device = os.lstat(folder).st_dev

    def walk(node, path):
        with os.scandir(path) as listing:
            folders = [entry for entry in listing if entry.is_dir(follow_symlinks=False)]
        folders.sort(key=lambda entry: name_order_key(os.fsencode(entry.name)))
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

    def __init__(self, name, screen="1280x1024x24"):
        self.name = name
        self.step = 0
        # Xvfb picks a free display number itself and tells it: no two runs can meet. Without
        # -noreset it resets when xdpyinfo, its first client, leaves, and a program connecting
        # in that moment is refused (about one start in twenty).
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-noreset", "-screen", "0", screen,
                                      "-nolisten", "tcp"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                     pass_fds=(write,))
        os.close(write)
        with os.fdopen(read) as announced:
            number = announced.readline().strip()
        if not number:
            raise AssertionError("Xvfb did not start")
        self.env = dict(os.environ, DISPLAY=f":{number}", LANG="C.UTF-8")
        self.env.pop("QT_QPA_PLATFORM", None)
        self.wait_for(lambda: subprocess.run(["xdpyinfo"], env=self.env, capture_output=True).returncode == 0, 10)
        self.program = None

    def start(self, *arguments, **popen):
        self.program = subprocess.Popen([PROGRAM, *arguments], env=self.env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL, **popen)
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

    def click_selector(self):
        """Opens the drive selector's list with the mouse: the selector spans the top of the
        left pane, right under the menu bar."""
        menu_bar = 30
        self.xdo("mousemove", "--window", self.window, "60", str(menu_bar + 10))
        self.xdo("click", "1")
        time.sleep(0.5)

    def key(self, *keys):
        for key in keys:
            self.xdo("key", "--clearmodifiers", key)
            time.sleep(0.15)

    def type(self, text):
        self.xdo("type", "--delay", "20", text)

    def wait_for_window(self, pattern, timeout=60):
        return self.wait_for_windows(pattern, 1, timeout)[-1]

    def wait_for_windows(self, pattern, count, timeout=60):
        """The visible windows whose name matches, once there are `count` of them."""
        found = []

        def look():
            found[:] = self.xdo("search", "--onlyvisible", "--name", pattern).split()
            return len(found) >= count

        self.wait_for(look, timeout, f"not {count} windows named {pattern}")
        return found

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
    for folder in ["データ/写真/2024", "データ/音楽", "データ/Zeta", "データ/alpha", "データ/Beta", "データ/ｂｅｔａ",
                   "データ/line\nbreak/under", "資料表/下位", "A&B", "<tag>", ".cache/sub", "files", "inner", "a&b"]:
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


class DriveTest(unittest.TestCase):
    """A test with a drive of its own, and the steps a user takes on the way to saved files."""

    def setUp(self):
        self.drive = MountedDrive()
        self.addCleanup(self.drive.close)

    def start_desktop(self, name, *arguments):
        desktop = Desktop(name)
        self.addCleanup(desktop.close)
        desktop.start(*arguments)
        desktop.shot("started")
        return desktop

    def build_memo(self, desktop):
        desktop.key("alt+m")
        desktop.wait_for_window("^確認$")
        time.sleep(0.3)
        desktop.shot("question")
        desktop.key("Return")
        time.sleep(0.5)
        desktop.shot("memo")

    def save_as(self, desktop, name):
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


class EndToEnd(DriveTest):
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

        desktop.key("alt+f", "x")
        desktop.wait_for(lambda: desktop.program.poll() is not None, 15, "Orvale did not end")
        self.assertEqual(desktop.program.returncode, 0)

    def test_folder_named_on_the_command_line(self):
        make_sample_tree(self.drive)
        folder = os.path.join(self.drive.root, "データ")
        desktop = self.start_desktop("folder", folder)
        time.sleep(1.0)
        desktop.shot("folder-scanned")
        self.build_memo(desktop)
        text = self.save_as(desktop, "folder.txt")
        lines = text.split(b"\r\n")
        self.assertEqual(lines[-1], b"")
        # The drive that holds the folder, then the names below that drive's root.
        # The name's second bytes include "[" and "^": escaped, or the pattern would not compile.
        self.assertRegex(lines[0], rb"^[d-z]:\\" + re.escape("データ".encode("cp932")) + rb"\\$")
        expected = tree_lines(expected_tree(lines[0], folder))
        self.assertEqual(lines[:-1], expected)
        self.assertIn(b"line?break", text)
        html = self.save_as(desktop, "folder.htm")
        self.assertEqual(html, HTML_HEAD + b"".join(line + b"<BR>\r\n" for line in expected) + HTML_TAIL)

        # The selector now shows that drive: in its open list one row up and back down
        # again picks it, and the whole drive is scanned.
        letter = lines[0][:1].decode("ascii")
        desktop.click_selector()
        desktop.key("Up", "Down", "Return")  # Return closes the list: ESC could still be down as the scan starts
        time.sleep(1.0)
        self.build_memo(desktop)
        whole = self.save_as(desktop, "drive.txt").split(b"\r\n")
        self.assertEqual(whole[0], letter.encode("ascii") + b":\\")
        self.assertEqual(whole[:-1], tree_lines(expected_tree(whole[0], self.drive.root)))

    def test_command_line_mistakes_are_usage_errors(self):
        desktop = Desktop("usage")
        self.addCleanup(desktop.close)
        for arguments in (["one", "two"], ["--bogus"], ["-display", desktop.env["DISPLAY"], "one", "two"]):
            run = subprocess.run([PROGRAM, *arguments], env=desktop.env, capture_output=True, text=True, timeout=30)
            self.assertEqual(run.returncode, 2, arguments)
            self.assertEqual(len(run.stderr.strip().splitlines()), 1, run.stderr)
            self.assertIn("orvale", run.stderr)

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
