#!/usr/bin/env python3
"""orvale-tree.exe under Wine on a folder generated here, its bytes against the ones worked
out on Linux for the same names (and against the Linux build's own output when one is at
hand: ORVALE_TREE_NATIVE).

Usage: orvale_tree_wine.py EMULATOR... ORVALE-TREE.EXE

The names are ones both systems spell alike and sort alike: small ASCII letters, digits,
Japanese (one ending in 表, whose second byte is the "\\" byte) and a leading dot. Wine lists
a folder in name order, so the expected tree is in name order too.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import orvale_e2e as e2e  # noqa: E402

EMULATOR, EXE = sys.argv[1:-1], sys.argv[-1]
NATIVE = os.environ.get("ORVALE_TREE_NATIVE", "")
FOLDERS = ["データ/写真/2024", "データ/音楽", "資料表/下位/さらに下", "a&b", ".cache/sub", "zeta", "alpha/beta/gamma",
           "m0/m1/m2/m3", "ｶﾅ"]


def windows_path(path):
    """Wine's z: is the Unix root."""
    return "z:" + path.replace("/", "\\")


def expected_lines(folder, root_text):
    return e2e.tree_lines(e2e.expected_tree(root_text, folder))


def sorted_lines(lines):
    """A tree text with every folder's children in name order, as Wine lists them."""
    pieces = (e2e.PIECE_BRANCH, e2e.PIECE_LAST, e2e.PIECE_BAR, e2e.PIECE_BLANK)
    root = e2e.Node(lines[0])
    stack = [root]
    for line in lines[1:]:
        depth = 0
        while line[3 * depth:3 * depth + 3] in pieces:
            depth += 1
        del stack[depth:]
        node = e2e.Node(line[3 * depth:], stack[-1])
        stack[-1].children.append(node)
        stack.append(node)

    def order(node):
        node.children.sort(key=lambda child: e2e.name_order_key(child.text.decode("cp932").encode("utf-8")))
        for child in node.children:
            order(child)

    order(root)
    return e2e.tree_lines(root)


class OrvaleTreeUnderWine(unittest.TestCase):
    def setUp(self):
        self.top = tempfile.mkdtemp(prefix="orvale-tree-wine-")
        self.addCleanup(shutil.rmtree, self.top, True)
        self.folder = os.path.join(self.top, "tree")
        for folder in FOLDERS:
            os.makedirs(os.path.join(self.folder, folder))
        with open(os.path.join(self.folder, "zeta", "file.txt"), "w") as file:
            file.write("x")
        self.root_text = windows_path(self.folder).encode("ascii") + b"\\"
        self.lines = expected_lines(self.folder, self.root_text)

    def run_exe(self, *arguments):
        return subprocess.run([*EMULATOR, EXE, *arguments], stdin=subprocess.DEVNULL, capture_output=True, timeout=300)

    def test_output_is_the_linux_bytes(self):
        run = self.run_exe(windows_path(self.folder))
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(run.stdout.split(b"\r\n")[:-1], self.lines)
        self.assertEqual(run.stdout, b"".join(line + b"\r\n" for line in self.lines))
        self.assertIn("資料表".encode("cp932"), run.stdout)
        self.assertIn("さらに下".encode("cp932"), run.stdout)

        if NATIVE and os.access(NATIVE, os.X_OK):
            native = subprocess.run([NATIVE, self.folder], capture_output=True, check=True).stdout.split(b"\r\n")[:-1]
            self.assertEqual(sorted_lines(native)[1:], self.lines[1:], "the Linux build's tree, in name order")

        utf8 = self.run_exe("--encoding", "utf-8", windows_path(self.folder))
        self.assertEqual(utf8.returncode, 0, utf8.stderr)
        self.assertEqual(utf8.stdout, b"".join(line.decode("cp932").encode("utf-8") + b"\r\n" for line in self.lines))

        depth = self.run_exe("-L", "1", windows_path(self.folder))
        self.assertEqual(depth.stdout.split(b"\r\n")[:-1],
                         [line for line in self.lines if not line.startswith((e2e.PIECE_BAR, e2e.PIECE_BLANK))])

    def test_files_are_the_linux_bytes(self):
        for name, extra in (("tree.txt", []), ("tree.HTM", []), ("utf8.html", ["--encoding", "utf-8"])):
            target = os.path.join(self.top, name)
            run = self.run_exe(*extra, "-o", windows_path(target), windows_path(self.folder))
            self.assertEqual(run.returncode, 0, run.stderr)
            with open(target, "rb") as file:
                saved = file.read()
            if name == "tree.txt":
                self.assertEqual(saved, b"".join(line + b"\r\n" for line in self.lines))
            elif name == "tree.HTM":
                self.assertEqual(saved, e2e.HTML_HEAD + b"".join(line + b"<BR>\r\n" for line in self.lines) +
                                 e2e.HTML_TAIL)
            else:
                head = e2e.HTML_HEAD.decode("cp932").encode("utf-8").replace(
                    b"</TITLE>\r\n", b'</TITLE>\r\n<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">\r\n')
                body = b"".join(line.decode("cp932").encode("utf-8") + b"<BR>\r\n" for line in self.lines)
                self.assertEqual(saved, head + body + e2e.HTML_TAIL)
        self.assertEqual(sorted(os.listdir(self.top)), sorted(["tree", "tree.txt", "tree.HTM", "utf8.html"]))

    def test_failures_and_usage(self):
        self.assertEqual(self.run_exe(windows_path(os.path.join(self.top, "nowhere"))).returncode, 1)
        self.assertEqual(self.run_exe("e:").returncode, 1, "the prefix's CD-ROM drive holds no disc")
        missing_folder = windows_path(os.path.join(self.top, "no", "x.txt"))
        self.assertEqual(self.run_exe("-o", missing_folder, windows_path(self.folder)).returncode, 1)
        for arguments in (["--bogus"], ["-o", "x.csv"], ["-L", "0"], ["a", "b"]):
            run = self.run_exe(*arguments)
            self.assertEqual(run.returncode, 2, arguments)
            self.assertEqual(len(run.stderr.splitlines()), 1, run.stderr)
        version = self.run_exe("--version")
        self.assertEqual(version.returncode, 0)
        self.assertRegex(version.stdout, rb"^orvale-tree \d+\.\d+\n$")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
