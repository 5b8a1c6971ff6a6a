#!/usr/bin/env python3
"""orvale-tree end to end: the shell program beside the window, on trees generated here.

The window is driven as a user drives it (orvale FOLDER, Alt+M, Enter, Alt+F S, the name,
Return) and orvale-tree must write the very same bytes. The rest runs orvale-tree alone:
UTF-8 output, --depth, --memo-limit, exit statuses, Ctrl+C, and what it does on a terminal
(a pseudo-terminal here) and off one.
"""
import os
import pty
import re
import select
import signal
import subprocess
import sys
import tempfile
import time
import tty
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import orvale_e2e as e2e  # noqa: E402

TREE = os.environ.get("ORVALE_TREE_BIN", "build/cli/orvale-tree")
VERSION = os.environ.get("ORVALE_VERSION", "")
MEMO_LIMIT = 2097152
PIECES = (e2e.PIECE_BRANCH, e2e.PIECE_LAST, e2e.PIECE_BAR, e2e.PIECE_BLANK)
UTF8_HEAD_DECLARATION = b'<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">\r\n'
INTERRUPTED = "フォルダ検索を中断しました。"


def environment(lang="C.UTF-8", **more):
    env = dict(os.environ, LANG=lang, LC_ALL=lang, **more)
    env.pop("LANGUAGE", None)
    return env


def run_tree(*arguments, env=None, stdout=subprocess.PIPE):
    return subprocess.run([TREE, *arguments], stdin=subprocess.DEVNULL, stdout=stdout, stderr=subprocess.PIPE,
                          env=env or environment(), timeout=120)


def read(path):
    with open(path, "rb") as file:
        return file.read()


def lines_of(text):
    lines = text.split(b"\r\n")
    assert lines[-1] == b"", "every line ends with CR LF"
    return lines[:-1]


def split_line(line, pieces=PIECES):
    """The pieces in front of a line and the name after them."""
    found = []
    while any(line.startswith(piece) for piece in pieces):
        piece = next(piece for piece in pieces if line.startswith(piece))
        found.append(piece)
        line = line[len(piece):]
    return found, line


def parse_tree(lines):
    """The tree a tree text draws: a node's depth is the number of its pieces."""
    root = e2e.Node(lines[0])
    stack = [root]
    for line in lines[1:]:
        pieces, text = split_line(line)
        del stack[len(pieces):]
        node = e2e.Node(text, stack[-1])
        stack[-1].children.append(node)
        stack.append(node)
    return root


def as_cp932(utf8_line):
    """A UTF-8 line as the program holds it in code page 932."""
    return utf8_line.decode("utf-8").replace("\ufffd", "?").encode("cp932", errors="replace")


def make_sample_tree(root):
    """Names of every kind the two encodings treat differently, and a few that only the
    scan's rules keep out (a symbolic link, files)."""
    for folder in ["データ/写真/2024", "データ/音楽", "資料表/下位", "A&B", "<tag>", ".cache/sub", "files",
                   "line\nbreak/under", "esc\x1b[31mape", "한국어/안녕", "emoji😀/x", "zeta", "alpha/beta/gamma"]:
        os.makedirs(os.path.join(root, folder), exist_ok=True)
    os.mkdir(os.path.join(os.fsencode(root), b"bad\xff\xfename"))
    os.mkdir(os.path.join(os.fsencode(root), b"bad\xff\xfename", b"inside"))
    for name in ["a.txt", "b.txt"]:
        with open(os.path.join(root, "files", name), "w") as file:
            file.write("x")
    os.symlink(os.path.join(root, "データ"), os.path.join(root, "link"))


def make_long_tree(root, folders):
    """Folders with long Japanese names: a tree text well past the editor's limit."""
    stem = "とても長いフォルダの名前" * 5
    for i in range(folders // 200):
        top = os.path.join(root, f"{stem}{i:03d}")
        os.mkdir(top)
        for j in range(199):
            os.mkdir(os.path.join(top, f"{stem[:30 + (i + j) % 30]}{j:03d}"))


def make_big_tree(root, tops=100, middles=50, leaves=20):
    os.makedirs(root)
    for i in range(tops):
        subprocess.run(["bash", "-c", f'mkdir -p "d{i:03d}"/e{{000..{middles - 1:03d}}}/f{{00..{leaves - 1:02d}}}'],
                       cwd=root, check=True)


def run_on_pty(arguments, env, on="stderr", other=None, watch=None, timeout=120):
    """Runs orvale-tree with one of its outputs on a pseudo-terminal (raw, so bytes pass as
    written) and the other into the file `other`; `watch` sees what the terminal got so far
    and the process. Returns the status and the terminal's bytes."""
    master, slave = pty.openpty()
    tty.setraw(slave)
    with open(other or os.devnull, "wb") as sink:
        streams = {"stdout": sink, "stderr": sink, on: slave}
        process = subprocess.Popen([TREE, *arguments], stdin=subprocess.DEVNULL, stdout=streams["stdout"],
                                   stderr=streams["stderr"], env=env)
    os.close(slave)
    got = b""
    end = time.monotonic() + timeout
    try:
        while time.monotonic() < end:
            ready, _, _ = select.select([master], [], [], 0.05)
            if ready:
                try:
                    data = os.read(master, 65536)
                except OSError:  # the other side is closed: everything has been read
                    data = b""
                if not data:
                    break
                got += data
                if watch:
                    watch(got, process)
        return process.wait(timeout=max(1, end - time.monotonic())), got
    finally:
        if process.poll() is None:
            process.kill()
        os.close(master)


def folders_shown(progress):
    counts = re.findall(r"フォルダ検索中です。(\d+) フォルダ", progress.decode("utf-8", errors="replace"))
    return int(counts[-1]) if counts else -1


def add_files(root):
    """Files beside the sample tree's folders: some to be left out by the patterns below."""
    for name in ["zeta.txt", "Alpha.TMP", "b.log", "bb.log", "メモ.txt", "データ/写真/2024/img01.jpg",
                 "データ/写真/cover.png", "alpha/beta/gamma/deep.txt", "alpha/beta/readme", ".cache/sub/x.bin"]:
        os.makedirs(os.path.dirname(os.path.join(root, name)), exist_ok=True)
        with open(os.path.join(root, name), "w") as file:
            file.write("x")


def any_drive(text):
    """The text with its root line's drive letter made "?": the letters follow the mount table,
    which other programs on the machine may change between two runs."""
    return re.sub(rb"(?m)^[a-z]:\\", b"?:\\\\", text, count=1)


def pattern_matches(pattern, name):
    """A pattern against a whole name: "*" any run, "?" one character, case ignored (upper
    case of one character at a time is enough for the names made here)."""
    expression = "".join(".*" if c == "*" else "." if c == "?" else re.escape(c) for c in pattern.upper())
    return re.fullmatch(expression, name.upper(), re.DOTALL) is not None


def expected_tree_with_options(root_text, folder, depth, patterns):
    """The tree a scan with files, a depth and patterns builds: each folder's files, then
    its subfolders, each group in NTFS name order; a depth lists levels 1 to `depth`; a name
    a pattern matches is left out, and such a folder not entered."""
    root = e2e.Node(root_text)
    device = os.lstat(folder).st_dev

    def walk(node, path, level):
        with os.scandir(path) as listing:
            entries = [entry for entry in listing if not entry.is_symlink() and
                       not any(pattern_matches(p, entry.name) for p in patterns)]
        by_name = lambda entry: e2e.name_order_key(os.fsencode(entry.name))  # noqa: E731
        files = sorted((entry for entry in entries if not entry.is_dir(follow_symlinks=False)), key=by_name)
        folders = sorted((entry for entry in entries if entry.is_dir(follow_symlinks=False)), key=by_name)
        for entry in files + folders:
            node.children.append(e2e.Node(e2e.cp932_name(os.fsencode(entry.name)), node))
        if level + 1 < depth:
            for entry, child in zip(folders, node.children[len(files):]):
                if os.lstat(entry.path).st_dev == device:
                    walk(child, entry.path, level + 1)

    walk(root, folder, 0)
    return root


class TreeEndToEnd(e2e.DriveTest):
    """The window's own steps come from DriveTest, as its end-to-end tests drive them."""

    def setUp(self):
        super().setUp()
        self.out = self.drive.out

    def tree(self, *arguments, **options):
        run = run_tree(*arguments, **options)
        self.assertEqual(run.returncode, 0, run.stderr.decode("utf-8", errors="replace"))
        return run

    def saved(self, name, *arguments):
        target = os.path.join(self.out, name)
        self.tree("-o", target, *arguments)
        return read(target)

    def test_window_and_tree_save_the_same_files(self):
        make_sample_tree(self.drive.root)
        folder = os.path.join(self.drive.root, "データ")
        tree_txt, tree_htm = self.saved("tree.txt", folder), self.saved("tree.htm", folder)
        letter = lines_of(tree_txt)[0][:1].decode()
        # The drive by its letter, as the drive selector lists it.
        tree_drive_txt = self.saved("drive.TXT", letter.upper() + ":")
        tree_drive_htm = self.saved("drive.HTML", letter + ":")

        desktop = self.start_desktop("tree-folder", folder)
        time.sleep(1.0)
        self.build_memo(desktop)
        self.assertEqual(self.save_as(desktop, "window.txt"), tree_txt)
        self.assertEqual(self.save_as(desktop, "window.htm"), tree_htm)

        # The selector shows the folder's drive: one row up and back down picks it. Return
        # closes the list: ESC would still be down when the scan begins, and stop it.
        desktop.click_selector()
        desktop.key("Up", "Down", "Return")
        time.sleep(1.0)
        self.build_memo(desktop)
        self.assertEqual(self.save_as(desktop, "window-drive.txt"), tree_drive_txt)
        self.assertEqual(self.save_as(desktop, "window-drive.htm"), tree_drive_htm)

        # The same bytes on standard output and for the drive's root named by its path.
        self.assertEqual(self.tree(self.drive.root).stdout, tree_drive_txt)
        lines = lines_of(tree_drive_txt)
        self.assertEqual(lines[0], letter.encode() + b":\\")
        self.assertEqual(lines, e2e.tree_lines(parse_tree(lines)), "the marks are the builder's")
        names = {split_line(line)[1] for line in lines[1:]}
        self.assertTrue({"資料表".encode("cp932"), b"A&B", b"<tag>", b".cache", b"line?break", b"esc?[31mape",
                         b"???", b"emoji?", b"bad??name"} <= names, names)
        self.assertNotIn(b"link", names)
        self.assertNotIn(b"a.txt", names)
        self.assertEqual(tree_drive_htm, e2e.HTML_HEAD + b"".join(line + b"<BR>\r\n" for line in lines) + e2e.HTML_TAIL)

    def test_utf8_spells_names_as_the_file_system_does(self):
        make_sample_tree(self.drive.root)
        top = os.path.join(self.drive.root, "한국어")
        cp932 = lines_of(self.tree(self.drive.root).stdout)
        utf8 = lines_of(self.tree("--encoding", "utf-8", self.drive.root).stdout)
        # Line for line the same tree: each UTF-8 line is its code page 932 line, spelled fully.
        self.assertEqual([as_cp932(line) for line in utf8], cp932)
        utf8_pieces = tuple(piece.decode("cp932").encode("utf-8") for piece in PIECES)
        names = {split_line(line, utf8_pieces)[1].decode("utf-8") for line in utf8[1:]}
        self.assertTrue({"한국어", "안녕", "emoji😀", "bad\ufffd\ufffdname", "line?break", "esc?[31mape", "写真"} <= names,
                        names)

        # The root text is the folder's path in drive form, as spelled natively.
        below = lines_of(self.tree("--encoding=UTF-8", top).stdout)
        self.assertRegex(below[0].decode("utf-8"), r"^[a-z]:\\한국어\\$")
        self.assertEqual(below[1:], ["┗ 안녕".encode("utf-8")])
        self.assertEqual(lines_of(self.tree(top).stdout)[0], below[0].decode("utf-8").replace("한국어", "???").encode())

        page = self.saved("utf8.htm", "--encoding", "utf-8", self.drive.root)
        head = e2e.HTML_HEAD.decode("cp932").encode("utf-8")
        title_end = head.index(b"</TITLE>\r\n") + len(b"</TITLE>\r\n")
        self.assertEqual(page, head[:title_end] + UTF8_HEAD_DECLARATION + head[title_end:] +
                         b"".join(line + b"<BR>\r\n" for line in utf8) + e2e.HTML_TAIL)
        self.assertEqual(self.saved("utf8.txt", "--encoding", "utf-8", self.drive.root), b"\r\n".join(utf8) + b"\r\n")

    def test_depth_lists_only_the_levels_asked_for(self):
        make_sample_tree(self.drive.root)
        whole = lines_of(self.tree(self.drive.root).stdout)
        depths = [len(split_line(line)[0]) for line in whole]
        for depth in (1, 2, 3):
            limited = lines_of(self.tree("-L", str(depth), self.drive.root).stdout)
            self.assertEqual(limited, [line for line, d in zip(whole, depths) if d <= depth], depth)
        self.assertEqual(lines_of(self.tree("--depth=10", self.drive.root).stdout), whole)

    def test_window_and_tree_agree_on_files_a_depth_and_names_left_out(self):
        make_sample_tree(self.drive.root)
        add_files(self.drive.root)
        root = self.drive.root
        patterns = [".CACHE", "*.tmp", "?.log"]
        options = ["-f", "-L", "3"] + [a for p in patterns for a in ("-I", p)]
        tree_txt, tree_htm = self.saved("tree.txt", *options, root), self.saved("tree.htm", *options, root)
        lines = lines_of(tree_txt)
        self.assertEqual(lines, e2e.tree_lines(expected_tree_with_options(lines[0], root, 3, patterns)))
        names = [split_line(line)[1] for line in lines]
        for kept in [b"zeta.txt", b"bb.log", "メモ.txt".encode("cp932"), b"cover.png", b"a.txt", b"gamma"]:
            self.assertIn(kept, names)
        for left_out in [b"Alpha.TMP", b"b.log", b".cache", b"sub", b"x.bin", b"img01.jpg", b"deep.txt"]:
            self.assertNotIn(left_out, names)
        # Files first: the root's files come right after it, before its first folder.
        self.assertEqual(split_line(lines[1]), ([e2e.PIECE_BRANCH], b"bb.log"))

        # The window scans the folder as it starts, without the options; they are set by keys
        # and apply from the next scan, which the status line says meanwhile.
        desktop = self.start_desktop("options", root)
        time.sleep(1.0)
        desktop.key("alt+v", "f")
        desktop.key("alt+v", "d")
        desktop.wait_for_window("^階層の深さ$")
        desktop.type("3")
        desktop.shot("depth")
        desktop.key("Return")
        desktop.key("alt+v", "x")
        desktop.wait_for_window("^除外する名前$")
        for pattern in patterns:
            desktop.type(pattern)
            desktop.key("Return")
        desktop.shot("names-left-out")
        desktop.key("ctrl+Return")
        time.sleep(0.5)
        desktop.shot("options-set")
        self.build_memo(desktop)
        self.assertEqual(any_drive(self.save_as(desktop, "before.txt")), any_drive(self.saved("plain.txt", root)),
                         "the tree on screen was made before the options")

        desktop.key("alt+f", "o")
        time.sleep(1.0)
        desktop.key("ctrl+a")
        desktop.type(root)
        desktop.key("Return")
        time.sleep(1.5)
        desktop.shot("scanned-with-options")
        self.build_memo(desktop)
        self.assertEqual(any_drive(self.save_as(desktop, "window.txt")), any_drive(tree_txt))
        self.assertEqual(any_drive(self.save_as(desktop, "window.htm")), any_drive(tree_htm))

        # Files off again: the next scan has folders alone, to the depth and without the names.
        desktop.key("alt+v", "f")
        desktop.key("alt+f", "o")
        time.sleep(1.0)
        desktop.key("ctrl+a")
        desktop.type(root)
        desktop.key("Return")
        time.sleep(1.5)
        self.build_memo(desktop)
        folders_only = [a for a in options if a != "-f"]
        self.assertEqual(any_drive(self.save_as(desktop, "folders.txt")),
                         any_drive(self.saved("folders.txt", *folders_only, root)))

    def test_memo_limit_cuts_where_the_editor_cuts(self):
        make_long_tree(self.drive.root, 24000)
        whole = self.saved("whole.txt", self.drive.root)
        self.assertGreater(len(whole), MEMO_LIMIT)
        cut_txt = self.saved("cut.txt", "--memo-limit", self.drive.root)
        cut_htm = self.saved("cut.htm", "--memo-limit", self.drive.root)
        self.assertLessEqual(len(cut_txt), MEMO_LIMIT)
        self.assertGreater(len(cut_txt), MEMO_LIMIT - 300)
        self.assertTrue(whole.startswith(cut_txt))
        cut_txt.decode("cp932")  # no half character at the end
        self.assertEqual(self.tree("--memo-limit", self.drive.root).stdout, cut_txt)

        desktop = self.start_desktop("memo-limit", self.drive.root)
        time.sleep(2.0)
        self.build_memo(desktop)
        time.sleep(2.0)
        self.assertEqual(self.save_as(desktop, "window.txt"), cut_txt)
        self.assertEqual(self.save_as(desktop, "window.htm"), cut_htm)

        # In UTF-8 the limit counts the UTF-8 bytes, cut between characters.
        utf8_whole = self.tree("--encoding", "utf-8", self.drive.root).stdout
        utf8_cut = self.tree("--encoding", "utf-8", "--memo-limit", self.drive.root).stdout
        self.assertTrue(MEMO_LIMIT - 4 < len(utf8_cut) <= MEMO_LIMIT)
        self.assertTrue(utf8_whole.startswith(utf8_cut))
        utf8_cut.decode("utf-8")

    def test_exit_statuses_and_messages(self):
        make_sample_tree(self.drive.root)
        self.assertEqual(self.tree("--version").stdout, f"orvale-tree {VERSION}\n".encode())
        self.assertIn("使い方: orvale-tree", self.tree("--help").stdout.decode("utf-8"))

        missing = run_tree(os.path.join(self.drive.root, "nowhere"))
        self.assertEqual(missing.returncode, 1)
        self.assertEqual(missing.stdout, b"")
        self.assertIn(f"フォルダ {self.drive.root}/nowhere を開けません。", missing.stderr.decode("utf-8"))
        with open("/proc/self/mountinfo") as table:
            if len(table.readlines()) <= 23:  # fewer drives than that: c: to y: at most
                not_ready = run_tree("z:")
                self.assertEqual(not_ready.returncode, 1)
                self.assertIn("ディスクドライブの準備が出来ていません。", not_ready.stderr.decode("utf-8"))

        # Output that cannot be written: nothing replaced, status 1, the reason told.
        old = os.path.join(self.out, "old.txt")
        with open(old, "wb") as file:
            file.write(b"old content")
        os.chmod(old, 0o444)
        folder_named_txt = os.path.join(self.out, "folder.txt")
        os.mkdir(folder_named_txt)
        for target in (old, os.path.join(self.out, "no", "such", "folder.htm"), folder_named_txt):
            run = run_tree("-o", target, self.drive.root)
            self.assertEqual(run.returncode, 1, target)
            self.assertEqual(len(run.stderr.decode("utf-8").splitlines()), 1, run.stderr)
            self.assertIn("保存出来ませんでした", run.stderr.decode("utf-8"))
        self.assertEqual(read(old), b"old content")
        self.assertEqual(sorted(os.listdir(self.out)), ["folder.txt", "old.txt"], "no file left behind")
        with open("/dev/full", "wb") as full:
            run = run_tree(self.drive.root, stdout=full)
        self.assertEqual(run.returncode, 1)
        self.assertIn("書き込みエラー", run.stderr.decode("utf-8"))

        for arguments in (["--bogus"], ["-o", "x.csv"], ["-o", "noextension"], ["-L", "0"], ["-L"],
                          ["--encoding", "latin1"], ["one", "two"], ["--memo-limit=1"]):
            run = run_tree(*arguments)
            self.assertEqual(run.returncode, 2, arguments)
            message = run.stderr.decode("utf-8")
            self.assertEqual(len(message.splitlines()), 1, message)
            self.assertIn("使い方: orvale-tree", message)
            self.assertEqual(run.stdout, b"")


    def test_ctrl_c_writes_the_tree_found_so_far(self):
        big = os.path.join(self.drive.root, "big")
        make_big_tree(big, tops=150)
        full_lines = lines_of(self.saved("full.txt", big))
        part = os.path.join(self.out, "part.txt")

        def interrupt_once_begun(progress, process):
            if folders_shown(progress) >= 1000 and not getattr(process, "signalled", False):
                process.signalled = True
                process.send_signal(signal.SIGINT)

        status, progress = run_on_pty(["-o", part, big], environment(), "stderr", watch=interrupt_once_begun)
        self.assertNotEqual(status, 0, "the scan ended before it could be interrupted: a larger tree is needed here")
        self.assertEqual(status, 130, progress.decode("utf-8", errors="replace"))
        self.assertIn(INTERRUPTED, progress.decode("utf-8"))
        part_lines = lines_of(read(part))
        self.assertGreater(len(part_lines), 1000)
        self.assertLess(len(part_lines), len(full_lines))
        self.check_partial_tree(part_lines, full_lines)

        # A second Ctrl+C ends the program where it stands.
        def interrupt_twice(progress, process):
            if folders_shown(progress) >= 1000 and not getattr(process, "signalled", False):
                process.signalled = True
                process.send_signal(signal.SIGINT)
                process.send_signal(signal.SIGINT)

        started = time.monotonic()
        status, _ = run_on_pty([big], environment(), "stderr", watch=interrupt_twice)
        self.assertIn(status, (130, -signal.SIGINT))
        self.assertLess(time.monotonic() - started, 30)

    def check_partial_tree(self, part_lines, full_lines):
        """What a scan cut short leaves, and why it must hold. The scan lists nodes by
        increasing position, and each listing appends all its folders (in listing order)
        before the next node is listed; it stops at a poll, either between two listings or
        inside the listing of node p. So every node before p has all its children, node p
        has a leading part of them (all, some or none), and no node after p has any. Hence:
        - the partial tree is the whole tree with child lists cut to leading parts, and its
          lines follow the builder's rules for that smaller tree;
        - up to and including p the partial lines are the whole text's first lines: every
          node before p in the whole tree's pre-order is complete, so nothing is missing
          there. Beyond that they are the whole tree's lines of the nodes that are left;
        - the last-sibling marks change only where a list was cut, that is among p's
          children: the last child that p got reads "┗ " where the whole tree reads "┣ ".
          No column changes: that child and its later-listed siblings come after p, so no
          line lies below them. So at most one line differs, in its own connector only.
        Node p itself cannot be told from the output when its listing had not begun or had
        finished; q below, the last node with any children, stands in for it (q <= p, and
        everything said of p holds of q)."""
        part_root, full_root = parse_tree(part_lines), parse_tree(full_lines)
        self.assertEqual(part_lines, e2e.tree_lines(part_root), "the builder's marks for the partial tree")
        pairs = []

        def pair(part_node, full_node):
            self.assertEqual(part_node.text, full_node.text)
            self.assertLessEqual(len(part_node.children), len(full_node.children))
            pairs.append((part_node, full_node))
            for part_child, full_child in zip(part_node.children, full_node.children):
                pair(part_child, full_child)

        pair(part_root, full_root)
        self.assertEqual(len(pairs), len(part_lines))
        q = max(i for i, (p, _) in enumerate(pairs) if p.children)
        self.assertTrue(all(len(p.children) == len(f.children) for p, f in pairs[:q]), "complete before q")
        self.assertTrue(all(not p.children for p, _ in pairs[q + 1:]), "nothing listed after q")
        self.assertEqual(part_lines[:q + 1], full_lines[:q + 1], "a leading part of the whole text up to q")

        full_line_of = dict(zip(map(id, self.preorder(full_root)), full_lines))
        part_q, full_q = pairs[q]
        cut_child = part_q.children[-1] if len(part_q.children) < len(full_q.children) else None
        for (p, f), part_line in zip(pairs, part_lines):
            full_line = full_line_of[id(f)]
            if p is cut_child:
                self.assertEqual(full_line[-len(f.text) - 3:-len(f.text)], e2e.PIECE_BRANCH)
                self.assertEqual(part_line, full_line[:-len(f.text) - 3] + e2e.PIECE_LAST + f.text)
            else:
                self.assertEqual(part_line, full_line)

    @staticmethod
    def preorder(root):
        stack = [root]
        while stack:
            node = stack.pop()
            yield node
            stack.extend(reversed(node.children))

    def test_terminal_gets_progress_and_its_own_encoding(self):
        make_big_tree(os.path.join(self.drive.root, "big"), tops=20)
        make_sample_tree(self.drive.root)
        out = os.path.join(self.out, "stdout.bin")
        cp932 = self.tree(self.drive.root).stdout
        utf8 = self.tree("--encoding", "utf-8", self.drive.root).stdout

        # Standard error a terminal: the progress line, written over itself and wiped.
        status, progress = run_on_pty([self.drive.root], environment(), "stderr", other=out)
        self.assertEqual(status, 0)
        self.assertEqual(read(out), cp932, "a pipe or file gets code page 932")
        self.assertTrue(progress.startswith("\rフォルダ検索中です。".encode("utf-8")), progress[:80])
        self.assertGreaterEqual(folders_shown(progress), 0)
        last = progress.rsplit(b"\r", 2)
        self.assertEqual(last[-1], b"", "the cursor ends at the start of the line")
        self.assertEqual(last[-2].strip(b" "), b"", "the line is wiped")
        self.assertNotIn(b"\n", progress)

        # Not a terminal: no progress at all.
        self.assertEqual(run_tree(self.drive.root).stderr, b"")

        # Standard output a terminal: the locale's character set.
        status, shown = run_on_pty([self.drive.root], environment("C.UTF-8"), "stdout")
        self.assertEqual((status, shown), (0, utf8))
        status, shown = run_on_pty([self.drive.root], environment("C"), "stdout")
        self.assertEqual((status, shown), (0, utf8), "a character set without Japanese gets UTF-8")
        status, shown = run_on_pty(["--encoding", "cp932", self.drive.root], environment(), "stdout")
        self.assertEqual((status, shown), (0, cp932))
        saved = os.path.join(self.out, "file.txt")
        status, shown = run_on_pty(["-o", saved, self.drive.root], environment(), "stdout")
        self.assertEqual((status, shown, read(saved)), (0, b"", cp932), "a file gets code page 932")

        sjis = self.shift_jis_locale()
        if sjis:
            status, shown = run_on_pty([self.drive.root], sjis, "stdout")
            self.assertEqual((status, shown), (0, cp932))
            status, message = run_on_pty(["--bogus"], sjis, "stderr")
            self.assertEqual(status, 2)
            self.assertIn("使い方: orvale-tree".encode("cp932"), message)
        status, message = run_on_pty(["--bogus"], environment(), "stderr")
        self.assertIn("使い方: orvale-tree".encode("utf-8"), message)

    def shift_jis_locale(self):
        """A Shift_JIS locale of our own (Debian ships none); None where it cannot be made."""
        folder = tempfile.mkdtemp(prefix="orvale-locale-")
        self.addCleanup(subprocess.run, ["rm", "-rf", folder])
        made = subprocess.run(["localedef", "--no-warnings=ascii", "-c", "-i", "ja_JP", "-f", "SHIFT_JIS",
                               os.path.join(folder, "ja_JP.SJIS")], capture_output=True)
        env = environment("ja_JP.SJIS", LOCPATH=folder)
        check = subprocess.run(["locale", "charmap"], env=env, capture_output=True, text=True)
        if not os.path.isdir(os.path.join(folder, "ja_JP.SJIS")) or check.stdout.strip() != "SHIFT_JIS":
            print(f"no Shift_JIS locale here ({made.stderr.strip()!r}): that case is left out", file=sys.stderr)
            return None
        return env


if __name__ == "__main__":
    unittest.main(verbosity=2)
