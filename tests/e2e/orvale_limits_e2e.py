#!/usr/bin/env python3
"""Orvale when memory runs out: the real program under Xvfb, in a process whose address space
is capped (RLIMIT_AS) a little above what it needs to start, scans a tree too large for it.
The error box says "アイテムの挿入ができません.", the program goes on, and memo creation and both
saves work on the folders that were found, under the same cap.
"""
import os
import re
import resource
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from orvale_e2e import (HTML_HEAD, HTML_TAIL, PIECE_BAR, PIECE_BLANK, PIECE_BRANCH, PIECE_LAST,  # noqa: E402
                        Desktop, DriveTest, Node, tree_lines)

TOPS, BELOW = 1200, 999  # 1,198,800 folders: a store of 160 MB. The cap does not hold back a
# heap growing into address space it reserved before the cap was set: the second heap the program
# allows itself reserves 64 MB at its start, free to the scan. Above that, the headroom, and what
# the start-up left free, the store is still half as large again.
HEADROOM = 24 * 1024 * 1024  # above the program's own size once its window is up
PIECES = (PIECE_BRANCH, PIECE_LAST, PIECE_BAR, PIECE_BLANK)


def address_space(pid):
    with open(f"/proc/{pid}/status") as status:
        return int(re.search(r"^VmSize:\s+(\d+) kB", status.read(), re.M).group(1)) * 1024


def settled_address_space(pid):
    """The program's address space once its start-up is over: the same for a whole second. A
    loaded machine is still starting it after a second, with font files mapped for a while."""
    end = time.monotonic() + 30
    before = address_space(pid)
    while time.monotonic() < end:
        time.sleep(1.0)
        now = address_space(pid)
        if now == before:
            return now
        before = now
    return before


def tree_from_lines(lines):
    """The tree a memo draws: each line's depth is its number of pieces, its text the rest."""
    root = Node(lines[0])
    stack = [root]
    for line in lines[1:]:
        depth, rest = 0, line
        while rest[:3] in PIECES:
            depth, rest = depth + 1, rest[3:]
        del stack[depth:]
        node = Node(rest, stack[-1])
        stack[-1].children.append(node)
        stack.append(node)
    return root


def resting(pid, seconds=1.0):
    """Whether the program used no processor time for a while: its scans have ended."""
    def used():
        with open(f"/proc/{pid}/stat") as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
        return int(fields[11]) + int(fields[12])
    before = used()
    time.sleep(seconds)
    return used() == before


def says_the_store_is_full(desktop, box):
    """A message box copies its text to the clipboard."""
    desktop.xdo("windowfocus", "--sync", box)
    desktop.key("ctrl+c")
    copied = subprocess.run(["xclip", "-selection", "clipboard", "-o", "-t", "UTF8_STRING"], env=desktop.env,
                            capture_output=True, timeout=10).stdout.decode("utf-8", "replace")
    return "アイテムの挿入ができません." in copied


class MemoryRunsOut(DriveTest):
    def test_a_scan_too_large_for_memory_reports_and_memo_and_save_still_work(self):
        drive = self.drive
        # The newest mount is the last drive: the test's drive is the one before it.
        os.mkdir(os.path.join(drive.root, "zz-last"))
        drive.mount(os.path.join(drive.root, "zz-last"), "1m")
        for i in range(TOPS):
            top = os.path.join(drive.root, f"t{i:04d}")
            os.mkdir(top)
            for j in range(BELOW):
                os.mkdir(os.path.join(top, f"folder-{j:03d}"))

        # The cap is set on the running program, a little above what it holds with its window
        # up, and the drive is picked then.
        desktop = Desktop("limits")
        self.addCleanup(desktop.close)
        desktop.start()
        cap = settled_address_space(desktop.program.pid) + HEADROOM
        resource.prlimit(desktop.program.pid, resource.RLIMIT_AS, (cap, cap))
        desktop.key("End", "Up")  # the test's drive: the one before the newest mount
        # The pick raises two change events and each scans: the first scan may run out of
        # memory as well as the second, as the heap the start-up left free decides. Every
        # error box (captioned with the program's title, as the main window is) is read and
        # answered, until the program rests with none up.
        answered = 0
        end = time.monotonic() + 120
        while time.monotonic() < end:
            boxes = [w for w in desktop.xdo("search", "--onlyvisible", "--name", "^Orvale$").split()
                     if w != desktop.window]
            if boxes:
                if not answered:
                    desktop.shot("error-box")
                desktop.wait_for(lambda: says_the_store_is_full(desktop, boxes[0]), 20,
                                 "the error box's text is not the store's")
                desktop.key("Return")
                answered += 1
                time.sleep(0.5)
            elif answered and resting(desktop.program.pid):
                break
            else:
                time.sleep(0.2)
        self.assertIn(answered, (1, 2), "one error box for each scan that ran out")
        self.assertIsNone(desktop.program.poll(), "the program ended")

        self.build_memo(desktop)
        text = self.save_as(desktop, "found.txt")
        lines = text.split(b"\r\n")
        self.assertRegex(lines[0], rb"^[d-z]:\\$")
        # The memo holds at most 2 MB of what was found: its whole lines, the last perhaps cut.
        whole = lines[:-1]
        self.assertGreater(len(whole), 1000)
        found = tree_from_lines(whole)
        tops = [f"t{i:04d}".encode() for i in range(TOPS)] + [b"zz-last"]
        below = [f"folder-{j:03d}".encode() for j in range(BELOW)]
        shown = [child.text for child in found.children]
        self.assertEqual(shown, tops[:len(shown)])
        # The scan lists in pre-order: every folder before the last one with subfolders shown
        # got all of them, and none of its subfolders has any.
        listed = [child for child in found.children if child.children]
        for top in listed[:-1]:
            self.assertEqual([child.text for child in top.children], below)
        self.assertEqual([child.text for child in listed[-1].children], below[:len(listed[-1].children)])
        # Drawn as the whole root listing would draw it: only the very last line may differ,
        # where the memo's end cut a list of subfolders short.
        for name in tops[len(shown):]:
            found.children.append(Node(name, found))
        expected = tree_lines(found)
        self.assertEqual(whole[:-1], expected[:len(whole) - 1])
        self.assertEqual(whole[-1][-10:], expected[len(whole) - 1][-10:])
        html = self.save_as(desktop, "found.htm")
        page = whole + ([lines[-1]] if lines[-1] else [])
        self.assertEqual(html, HTML_HEAD + b"".join(line + b"<BR>\r\n" for line in page) + HTML_TAIL)
        self.assertIsNone(desktop.program.poll(), "the program ended")


if __name__ == "__main__":
    unittest.main(verbosity=2)
