#!/usr/bin/python3
"""A stop that always answers: the real programs scan a FUSE file system of this test's own
whose listing of one folder does not come back until the test lets it (as a share whose
server has gone away). Ctrl+C in orvale-tree and ESC in the window end the scan all the
same, within half a second, with the tree found until then; a close request closes the
window within a second; the hung listing ends later on its own.

Needs Debian's python3-fusepy and python3-xlib: run it with /usr/bin/python3. Where FUSE
cannot be mounted, or those modules are missing, it says "skipped" and why.
"""
import errno
import os
import shutil
import signal
import stat
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import orvale_e2e as e2e  # noqa: E402

TREE = os.environ.get("ORVALE_TREE_BIN", "build/cli/orvale-tree")
TOPS = [f"f{i:02d}" for i in range(40)]
HUNG = "f20"
INNER = ("g0", "g1")
HANG_LIMIT = 120  # seconds: the server lets a hung listing go by itself after this


def hang_tree():
    """Every folder path of the file system, "/" first, each with its children's names."""
    tree = {"/": list(TOPS)}
    for top in TOPS:
        tree[f"/{top}"] = list(INNER)
        for inner in INNER:
            tree[f"/{top}/{inner}"] = []
    return tree


def serve(mount_point, log_path, release_path):
    """The file system: folders only, read-only, answering on several threads at once. The
    listing of /HUNG waits until the file `release_path` exists. The log notes each listing
    as it begins and ends."""
    from fusepy import FUSE, FuseOSError, Operations
    tree = hang_tree()
    now = time.time()
    folder = dict(st_mode=stat.S_IFDIR | 0o555, st_nlink=2, st_ctime=now, st_mtime=now, st_atime=now)
    log = open(log_path, "a", buffering=1)

    class HangingFolders(Operations):
        def getattr(self, path, fh=None):
            if path not in tree:
                raise FuseOSError(errno.ENOENT)
            return folder

        def readdir(self, path, fh):
            log.write(f"begin {path}\n")
            if path == f"/{HUNG}":
                end = time.monotonic() + HANG_LIMIT
                while not os.path.exists(release_path) and time.monotonic() < end:
                    time.sleep(0.02)
            log.write(f"end {path}\n")
            return [".", ".."] + [(name, folder, 0) for name in tree.get(path, [])]

    FUSE(HangingFolders(), mount_point, foreground=True, nothreads=False, ro=True, fsname="orvale-hang")


class HangingDrive:
    """The FUSE file system, mounted by a server process of its own."""

    def __init__(self):
        self.top = tempfile.mkdtemp(prefix="orvale-hang-")
        self.root = os.path.join(self.top, "share")
        self.log = os.path.join(self.top, "listings.log")
        self.release_path = os.path.join(self.top, "release")
        self.out = os.path.join(self.top, "out")
        os.makedirs(self.root)
        os.makedirs(self.out)
        open(self.log, "w").close()
        self.server = subprocess.Popen(
            [sys.executable, os.path.abspath(__file__), "--serve", self.root, self.log, self.release_path],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        end = time.monotonic() + 10
        while not os.path.ismount(self.root):
            if self.server.poll() is not None or time.monotonic() > end:
                reason = self.server.stderr.read().strip() if self.server.poll() is not None else "timed out"
                self.close()
                raise unittest.SkipTest(f"cannot mount a FUSE file system here: {reason.splitlines()[-1:] or reason}")
            time.sleep(0.05)

    def events(self):
        with open(self.log) as file:
            return [tuple(line.split(" ", 1)) for line in file.read().splitlines()]

    def hung(self):
        """Whether the hung listing has begun and not ended."""
        events = self.events()
        return ("begin", f"/{HUNG}") in events and ("end", f"/{HUNG}") not in events

    def listed_up_to_the_hang(self):
        """Whether every folder before the hung one in the walk's order has been listed: the
        walk then waits for the hung listing."""
        ended = {path for what, path in self.events() if what == "end"}
        before = ["/"] + [f"/{top}{inner}" for top in TOPS[:TOPS.index(HUNG)] for inner in ("",) + tuple(
            f"/{name}" for name in INNER)]
        return self.hung() and all(path in ended for path in before)

    def release(self):
        open(self.release_path, "w").close()

    def close(self):
        self.release()
        subprocess.run(["umount", "-l", self.root], capture_output=True)
        if self.server.poll() is None:
            self.server.terminate()
            try:
                self.server.wait(5)
            except subprocess.TimeoutExpired:
                self.server.kill()
                self.server.wait()
        shutil.rmtree(self.top, ignore_errors=True)


def expected_lines_below_root():
    """The tree text below the root line of a scan stopped while it waited for the hung
    listing: every folder before it complete, the hung one and those after it childless."""
    root = e2e.Node(b"root")
    for top in TOPS:
        node = e2e.Node(top.encode(), root)
        root.children.append(node)
        if TOPS.index(top) < TOPS.index(HUNG):
            node.children = [e2e.Node(name.encode(), node) for name in INNER]
    return e2e.tree_lines(root)[1:]


def lines_of(text):
    lines = text.split(b"\r\n")
    assert lines[-1] == b"", "every line ends with CR LF"
    return lines[:-1]


class StopAnswers(unittest.TestCase):
    def setUp(self):
        try:
            import fusepy  # noqa: F401
        except ImportError:
            self.skipTest("the Python module fusepy is missing (python3-fusepy; run with /usr/bin/python3)")
        if not os.path.exists("/dev/fuse"):
            self.skipTest("there is no /dev/fuse here")
        self.drive = HangingDrive()
        self.addCleanup(self.drive.close)

    def wait_until_the_walk_waits(self, process=None):
        def waiting():
            if process is not None and process.poll() is not None:
                raise AssertionError(f"the program ended early with status {process.returncode}")
            return self.drive.listed_up_to_the_hang()

        e2e.Desktop.wait_for(waiting, 60, "the scan did not reach the hung listing")
        time.sleep(0.3)  # the walk is now in its wait, polling

    def test_ctrl_c_ends_orvale_tree_while_a_listing_hangs(self):
        part = os.path.join(self.drive.out, "part.txt")
        env = dict(os.environ, LANG="C.UTF-8", LC_ALL="C.UTF-8")
        process = subprocess.Popen([TREE, "-o", part, self.drive.root], stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, env=env)
        self.addCleanup(lambda: process.poll() is None and process.kill())
        self.wait_until_the_walk_waits(process)
        pressed = time.monotonic()
        process.send_signal(signal.SIGINT)
        try:
            process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.fail("orvale-tree did not end while the listing hung")
        took = time.monotonic() - pressed
        print(f"orvale-tree ended {took * 1000:.0f} ms after Ctrl+C", file=sys.stderr)
        self.assertTrue(self.drive.hung(), "the listing was let go before the program ended")
        self.assertEqual(process.returncode, 130, process.stderr.read().decode("utf-8", "replace"))
        self.assertLess(took, 0.5)
        self.assertEqual(lines_of(e2e.wait_for_file(part))[1:], expected_lines_below_root())

    def test_escape_ends_the_window_scan_while_a_listing_hangs(self):
        desktop = e2e.Desktop("hang-escape")
        self.addCleanup(desktop.close)
        desktop.start(self.drive.root)
        self.wait_until_the_walk_waits(desktop.program)
        desktop.shot("waiting")
        # ESC down for 0.2 s, then the memo command: its question comes once the scan is over
        # (keys wait while the scan runs).
        pressed = time.monotonic()
        desktop.xdo("keydown", "Escape")
        time.sleep(0.2)
        desktop.xdo("keyup", "Escape")
        desktop.xdo("key", "--clearmodifiers", "alt+m")
        desktop.wait_for_window("^確認$", timeout=30)
        took = time.monotonic() - pressed
        print(f"the window's scan ended within {took * 1000:.0f} ms of ESC", file=sys.stderr)
        self.assertTrue(self.drive.hung(), "the listing was let go before the scan ended")
        # Seen with a generous margin for the question window to come up after the scan.
        self.assertLess(took, 1.0)
        time.sleep(0.3)
        desktop.key("Return")
        time.sleep(0.5)
        desktop.shot("memo")

        # The save, as a user makes it, of the tree found until the ESC.
        desktop.key("alt+f", "s")
        time.sleep(1.0)
        target = os.path.join(self.drive.out, "cut.txt")
        desktop.key("ctrl+a")
        desktop.type(target)
        desktop.key("Return")
        self.assertEqual(lines_of(e2e.wait_for_file(target))[1:], expected_lines_below_root())

        # The hung listing ends later; the window goes on as before.
        self.drive.release()
        e2e.Desktop.wait_for(lambda: not self.drive.hung(), 10, "the hung listing did not end")
        time.sleep(0.5)
        self.assertIsNone(desktop.program.poll(), "the program ended when the abandoned listing came back")

    def test_a_close_request_closes_the_window_while_a_listing_hangs(self):
        try:
            import Xlib  # noqa: F401
        except ImportError:
            self.skipTest("the Python module Xlib is missing (python3-xlib; run with /usr/bin/python3)")
        from orvale_alive_e2e import WindowManagerSide
        desktop = e2e.Desktop("hang-close")
        self.addCleanup(desktop.close)
        desktop.start(self.drive.root)
        self.wait_until_the_walk_waits(desktop.program)
        manager = WindowManagerSide(desktop, desktop.window)
        self.addCleanup(manager.close)
        asked = time.monotonic()
        manager.ask_to_close()
        shown = lambda: desktop.xdo("search", "--onlyvisible", "--name", "^Orvale$") != ""  # noqa: E731
        e2e.Desktop.wait_for(lambda: not shown(), 15, "the window did not close while the listing hung")
        took = time.monotonic() - asked
        print(f"the window closed {took * 1000:.0f} ms after the close request", file=sys.stderr)
        self.assertTrue(self.drive.hung(), "the listing was let go before the window closed")
        self.assertLess(took, 1.0)
        # The system keeps the process until its read of the hung folder comes back; then it
        # ends, as a closed window's program does.
        self.drive.release()
        e2e.Desktop.wait_for(lambda: desktop.program.poll() is not None, 15,
                             "the program did not end once the listing came back")
        self.assertEqual(desktop.program.returncode, 0)


if __name__ == "__main__":
    if sys.argv[1:2] == ["--serve"]:
        serve(sys.argv[2], sys.argv[3], sys.argv[4])
    else:
        unittest.main(verbosity=2)
