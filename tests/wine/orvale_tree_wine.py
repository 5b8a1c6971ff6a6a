#!/usr/bin/env python3
"""orvale-tree.exe under Wine on folders generated here, its bytes against the ones worked
out on Linux for the same names (and against the Linux build's own output when one is at
hand: ORVALE_TREE_NATIVE).

Usage: orvale_tree_wine.py EMULATOR... ORVALE-TREE.EXE

The names: small ASCII letters, digits, Japanese (one ending in 表, whose second byte is the
"\\" byte), a leading dot, and names in scripts code page 932 cannot spell. Both systems put
each folder in NTFS name order, so the expected tree is in that order.
The Wine prefix's share \\\\orvale\\tmp is /tmp (setup-prefix.sh).
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
# Hangul, an emoji, accented Latin, Greek, Hebrew, a mix: code page 932 spells them with "?".
SCRIPTS = ["한글", "😀", "Ünïcödé", "Ελλάδα", "אבג", "mixed表한", "ｶﾀｶﾅ", "表示", "plain"]
PIECES = (e2e.PIECE_BRANCH, e2e.PIECE_LAST, e2e.PIECE_BAR, e2e.PIECE_BLANK)


def windows_path(path):
    """Wine's z: is the Unix root."""
    return "z:" + path.replace("/", "\\")


def share_path(path):
    """The prefix's share \\\\orvale\\tmp is /tmp."""
    return "\\\\orvale\\tmp\\" + os.path.relpath(path, "/tmp").replace("/", "\\")


def expected_lines(folder, root_text):
    return e2e.tree_lines(e2e.expected_tree(root_text, folder))


def in_utf8(line):
    """A tree line with code page 932 pieces and a UTF-8 name, all in UTF-8."""
    depth = 0
    while line[3 * depth:3 * depth + 3] in PIECES:
        depth += 1
    return line[:3 * depth].decode("cp932").encode("utf-8") + line[3 * depth:]


def script_lines(root_text, spell):
    """The tree of SCRIPTS, each with a subfolder and a sub-subfolder, names spelled by `spell`."""
    root = e2e.Node(root_text)
    for name in sorted(SCRIPTS, key=lambda n: e2e.name_order_key(n.encode("utf-8"))):
        parent = root
        for text in (name, name + "-1", name + "-2"):
            node = e2e.Node(spell(text), parent)
            parent.children.append(node)
            parent = node
    return e2e.tree_lines(root)


def crlf(lines):
    return b"".join(line + b"\r\n" for line in lines)


class OrvaleTreeUnderWine(unittest.TestCase):
    def setUp(self):
        self.top = tempfile.mkdtemp(prefix="orvale-tree-wine-", dir="/tmp")
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
            self.assertEqual(native[1:], self.lines[1:], "the Linux build's tree")

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

    def make_scripts(self):
        folder = os.path.join(self.top, "scripts")
        for name in SCRIPTS:
            os.makedirs(os.path.join(folder, name, name + "-1", name + "-2"))
        return folder

    def test_names_in_every_script_are_listed_whole(self):
        folder = self.make_scripts()
        root = windows_path(folder).encode("ascii") + b"\\"
        lines = script_lines(root, lambda name: e2e.cp932_name(name.encode("utf-8")))
        self.assertEqual(len(lines), 28)
        run = self.run_exe(windows_path(folder))
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(run.stdout, crlf(lines))

        utf8_lines = [in_utf8(line) for line in script_lines(root, lambda name: name.encode("utf-8"))]
        utf8 = self.run_exe("--encoding", "utf-8", windows_path(folder))
        self.assertEqual(utf8.returncode, 0, utf8.stderr)
        self.assertEqual(utf8.stdout, crlf(utf8_lines))

        if NATIVE and os.access(NATIVE, os.X_OK):
            for extra, ours in (([], run.stdout), (["--encoding", "utf-8"], utf8.stdout)):
                native = subprocess.run([NATIVE, *extra, folder], capture_output=True, check=True).stdout
                self.assertEqual(native.split(b"\r\n")[1:], ours.split(b"\r\n")[1:], "the Linux build's tree")

    def test_names_in_every_script_on_the_command_line(self):
        folder = self.make_scripts()
        hangul = os.path.join(folder, "한글")
        run = self.run_exe("--encoding", "utf-8", windows_path(hangul))
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(run.stdout.split(b"\r\n")[0], windows_path(hangul).encode("utf-8") + b"\\")
        self.assertEqual(len(run.stdout.split(b"\r\n")), 4)
        cp932 = self.run_exe(windows_path(hangul))
        self.assertEqual(cp932.stdout.split(b"\r\n")[0], windows_path(folder).encode("ascii") + b"\\??\\")

        target = os.path.join(self.top, "출력 😀 表.txt")
        run = self.run_exe("-o", windows_path(target), windows_path(folder))
        self.assertEqual(run.returncode, 0, run.stderr)
        with open(target, "rb") as file:
            self.assertEqual(file.read(), self.run_exe(windows_path(folder)).stdout)

    def test_a_chain_past_400_characters_is_walked_to_its_end(self):
        name = "d" * 40 + "表"
        chain = os.path.join(self.top, "chain", *[name + str(level) for level in range(1, 11)])
        os.makedirs(chain)
        self.assertGreater(len(windows_path(chain)), 400)
        run = self.run_exe(windows_path(os.path.join(self.top, "chain")))
        self.assertEqual(run.returncode, 0, run.stderr)
        lines = run.stdout.split(b"\r\n")[:-1]
        self.assertEqual(len(lines), 11)
        self.assertTrue(lines[-1].endswith(e2e.cp932_name((name + "10").encode("utf-8"))), lines[-1])

    def test_a_share_folder_reads_as_written(self):
        run = self.run_exe(share_path(self.folder))
        self.assertEqual(run.returncode, 0, run.stderr)
        lines = run.stdout.split(b"\r\n")[:-1]
        self.assertEqual(lines[0], share_path(self.folder).encode("ascii") + b"\\")
        self.assertEqual(lines[1:], self.lines[1:])
        forward = self.run_exe(share_path(self.folder).replace("\\", "/") + "/")
        self.assertEqual(forward.stdout, run.stdout)

    def test_links_are_listed_but_not_entered(self):
        folder = os.path.join(self.top, "links")
        os.makedirs(os.path.join(folder, "real", "inner"))
        os.symlink("real", os.path.join(folder, "linkdir"))
        os.symlink("..", os.path.join(folder, "real", "loop"))  # leads back up: would never end
        run = self.run_exe(windows_path(folder))
        self.assertEqual(run.returncode, 0, run.stderr)
        root = windows_path(folder).encode("ascii") + b"\\"
        self.assertEqual(run.stdout.split(b"\r\n")[:-1],
                         [root, e2e.PIECE_BRANCH + b"linkdir", e2e.PIECE_LAST + b"real",
                          e2e.PIECE_BLANK + e2e.PIECE_BRANCH + b"inner", e2e.PIECE_BLANK + e2e.PIECE_LAST + b"loop"])

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
