#!/usr/bin/python3
"""Orvale stays alive during a long scan: the real program under Xvfb scans a small FUSE file
system of this test's own that answers every folder listing slowly. While it scans, the
window answers the window manager's ping (_NET_WM_PING) within a second, keys wait until the
scan is over, and the count field shows in the status line; the close box ends the scan
where ESC would and the program with it, without a question.

Needs Debian's python3-fusepy and python3-xlib: run it with /usr/bin/python3. Where FUSE
cannot be mounted, or those modules are missing, it says "skipped" and why.
"""
import errno
import os
import select
import shutil
import stat
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from orvale_e2e import Desktop  # noqa: E402

LISTING_SECONDS = 0.003
# Children per folder, level by level: the count passes a thousand with the root's listing,
# and 2,201 listings take several seconds.
FANOUTS = (1100, 1)


def slow_tree():
    """Every folder path of the test's file system, "/" first, each with its children's names."""
    tree = {"/": []}

    def grow(path, level):
        if level == len(FANOUTS):
            return
        for i in range(FANOUTS[level]):
            name = f"{'abc'[level]}{i:04d}"
            child = f"{path.rstrip('/')}/{name}"
            tree[path].append(name)
            tree[child] = []
            grow(child, level + 1)

    grow("/", 0)
    return tree


def serve(mount_point, log_path):
    """The file system: folders only, read-only; each listing waits LISTING_SECONDS and is
    noted in the log as the monotonic time it was answered and its path. One thread, so
    listings are answered one after the other whatever the reader does."""
    from fusepy import FUSE, FuseOSError, Operations
    tree = slow_tree()
    now = time.time()
    folder = dict(st_mode=stat.S_IFDIR | 0o555, st_nlink=2, st_ctime=now, st_mtime=now, st_atime=now)
    log = open(log_path, "a", buffering=1)

    class SlowFolders(Operations):
        def getattr(self, path, fh=None):
            if path not in tree:
                raise FuseOSError(errno.ENOENT)
            return folder

        def readdir(self, path, fh):
            time.sleep(LISTING_SECONDS)
            log.write(f"{time.monotonic():.6f} {path}\n")
            return [".", ".."] + [(name, folder, 0) for name in tree.get(path, [])]

    FUSE(SlowFolders(), mount_point, foreground=True, nothreads=True, ro=True, fsname="orvale-slow")


class SlowDrive:
    """The FUSE file system, mounted by a server process of its own."""

    def __init__(self):
        self.top = tempfile.mkdtemp(prefix="orvale-alive-")
        self.root = os.path.join(self.top, "slow")
        self.log = os.path.join(self.top, "listings.log")
        os.makedirs(self.root)
        open(self.log, "w").close()
        self.server = subprocess.Popen([sys.executable, os.path.abspath(__file__), "--serve", self.root, self.log],
                                       stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        end = time.monotonic() + 10
        while not os.path.ismount(self.root):
            if self.server.poll() is not None or time.monotonic() > end:
                reason = self.server.stderr.read().strip() if self.server.poll() is not None else "timed out"
                self.close()
                raise unittest.SkipTest(f"cannot mount a FUSE file system here: {reason.splitlines()[-1:] or reason}")
            time.sleep(0.05)

    def listings(self):
        """(time, path) of each listing answered so far."""
        with open(self.log) as file:
            return [(float(when), path) for when, path in (line.split(" ", 1) for line in file.read().splitlines())]

    def close(self):
        subprocess.run(["umount", "-l", self.root], capture_output=True)
        if self.server.poll() is None:
            self.server.terminate()
            try:
                self.server.wait(5)
            except subprocess.TimeoutExpired:
                self.server.kill()
                self.server.wait()
        shutil.rmtree(self.top, ignore_errors=True)


class WindowManagerSide:
    """What a window manager does to a window: ping it and ask it to close, over X."""

    def __init__(self, desktop, window_id):
        from Xlib import X, display
        self.X = X
        self.display = display.Display(desktop.env["DISPLAY"])
        self.root = self.display.screen().root
        # The reply goes to the root window with StructureNotify and SubstructureRedirect;
        # asking for the first is enough to see it and leaves the redirect to a real manager.
        self.root.change_attributes(event_mask=X.StructureNotifyMask | X.SubstructureNotifyMask)
        self.window = self.display.create_resource_object("window", int(window_id))
        self.wm_protocols = self.display.intern_atom("WM_PROTOCOLS")
        self.ping_atom = self.display.intern_atom("_NET_WM_PING")
        self.delete_atom = self.display.intern_atom("WM_DELETE_WINDOW")
        self.stamp = 1000

    def protocols(self):
        return self.window.get_wm_protocols() or []

    def send(self, protocol, *data):
        from Xlib.protocol import event
        message = event.ClientMessage(window=self.window, client_type=self.wm_protocols,
                                      data=(32, [protocol, *data] + [0] * (4 - len(data))))
        self.window.send_event(message, event_mask=self.X.NoEventMask)
        self.display.flush()

    def ping(self, timeout=5.0):
        """Seconds until the window answered a ping, None when it did not within `timeout`."""
        self.stamp += 1
        sent = time.monotonic()
        self.send(self.ping_atom, self.stamp, self.window.id)
        while time.monotonic() - sent < timeout:
            while self.display.pending_events():
                reply = self.display.next_event()
                if (reply.type == self.X.ClientMessage and reply.window.id == self.root.id
                        and reply.client_type == self.wm_protocols and list(reply.data[1][:3]) ==
                        [self.ping_atom, self.stamp, self.window.id]):
                    return time.monotonic() - sent
            select.select([self.display.fileno()], [], [], 0.05)
        return None

    def ask_to_close(self):
        self.send(self.delete_atom, self.X.CurrentTime)

    def close(self):
        self.display.close()


class StaysAlive(unittest.TestCase):
    def setUp(self):
        try:
            import Xlib  # noqa: F401
        except ImportError:
            self.skipTest("the Python module Xlib is missing (python3-xlib; run with /usr/bin/python3)")
        try:
            import fusepy  # noqa: F401
        except ImportError:
            self.skipTest("the Python module fusepy is missing (python3-fusepy; run with /usr/bin/python3)")
        if not os.path.exists("/dev/fuse"):
            self.skipTest("there is no /dev/fuse here")
        self.drive = SlowDrive()
        self.addCleanup(self.drive.close)
        self.tree = slow_tree()

    def start(self, desktop):
        """Starts Orvale on the slow folder and waits until its scan is well under way; the
        number of listings answered before it started."""
        before = len(self.drive.listings())
        desktop.start(self.drive.root)
        Desktop.wait_for(lambda: len(self.drive.listings()) >= before + 20, 30, "the scan did not start")
        return before

    def complete(self, before):
        """Whether the scan has listed every folder since `before` listings."""
        return len({path for _, path in self.drive.listings()[before:]}) == len(self.tree)

    def never_while_scanning(self, before, happened, what, timeout=60):
        """Watches until the scan's last listing that `happened()` stays false meanwhile."""
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            seen = happened()
            if self.complete(before):
                return
            self.assertFalse(seen, f"{what} while the scan still ran")
            time.sleep(0.1)
        self.fail("the scan did not end")

    def test_the_window_answers_pings_and_holds_keys_while_scanning_and_the_close_box_ends_it(self):
        desktop = Desktop("alive")
        self.addCleanup(desktop.close)
        before = self.start(desktop)
        manager = WindowManagerSide(desktop, desktop.window)
        self.addCleanup(manager.close)
        self.assertIn(manager.ping_atom, manager.protocols(), "the window does not take _NET_WM_PING")

        # Pings now and then through the scan: every one answered within a second.
        answers = []
        for _ in range(5):
            answers.append(manager.ping())
            time.sleep(0.2)
        self.assertFalse(self.complete(before), "the scan ended before the pings were answered")
        self.assertTrue(all(answer is not None and answer < 1.0 for answer in answers), answers)
        print(f"ping answers during the scan: {', '.join(f'{answer * 1000:.1f} ms' for answer in answers)}",
              file=sys.stderr)
        desktop.shot("scanning")

        # The memo command's key waits: no question while the scan runs, the question after it.
        desktop.key("alt+m")
        question = lambda: desktop.xdo("search", "--onlyvisible", "--name", "^確認$") != ""  # noqa: E731
        self.never_while_scanning(before, question, "the memo's question came")
        desktop.wait_for(question, 15, "the key pressed during the scan had no effect after it")
        desktop.shot("question-after-scan")
        desktop.key("Escape")

        # The close box does not wait: the scan stops at its next poll, as for ESC, and the
        # program ends without a question.
        desktop.program.kill()
        desktop.program.wait()
        before = self.start(desktop)
        manager.window = manager.display.create_resource_object("window", int(desktop.window))
        asked_at = time.monotonic()
        listed_when_asked = len(self.drive.listings())
        manager.ask_to_close()
        desktop.wait_for(lambda: desktop.program.poll() is not None, 15, "the program did not close")
        closed_after = time.monotonic() - asked_at
        self.assertEqual(desktop.program.returncode, 0)
        time.sleep(0.5)
        self.assertFalse(self.complete(before), "the scan ran to its end")
        # Once the stop is seen only the listings already asked for by the read-ahead
        # (32 threads) are still answered; the scan had more than 2,000 to go.
        after = len(self.drive.listings()) - listed_when_asked
        self.assertLess(after, 100, f"{after} listings after the close request")
        print(f"closed {closed_after * 1000:.0f} ms after the close request, {after} listings later",
              file=sys.stderr)

if __name__ == "__main__":
    if sys.argv[1:2] == ["--serve"]:
        serve(sys.argv[2], sys.argv[3])
    else:
        unittest.main(verbosity=2)
