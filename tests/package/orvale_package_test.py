#!/usr/bin/env python3
"""The Debian package as a user gets it: what Debian's validators say of it, the files it
installs, and its two programs run from a folder it was unpacked into, away from the source
and build folders, so that they find Qt's translation and the fonts only where the system
keeps them. The window runs under Xvfb through the end-to-end tests' Desktop.
"""
import configparser
import gzip
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import orvale_e2e as e2e  # noqa: E402

SOURCE_DIR = os.environ["ORVALE_SOURCE_DIR"]
BUILD_DIR = os.environ["ORVALE_PACKAGE_BUILD_DIR"]
VERSION = os.environ["ORVALE_VERSION"]  # the program's
DEB_VERSION = os.environ["ORVALE_DEB_VERSION"]  # the package's: the program's and the Debian revision
APP_ID = os.environ["ORVALE_APP_ID"]
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
EXTRA_DEPENDENCIES = ("fonts-ipafont-gothic", "fonts-ipafont-mincho", "qt6-translations-l10n", "qt6-qpa-plugins")


def run(*command, **options):
    return subprocess.run(command, capture_output=True, text=True, **options)


def package_path():
    architecture = run("dpkg", "--print-architecture").stdout.strip()
    return os.path.join(SOURCE_DIR, "build", f"orvale_{DEB_VERSION}_{architecture}.deb")


class Package(unittest.TestCase):
    def setUp(self):
        self.deb = package_path()
        if not os.path.isfile(self.deb):
            self.fail(f"{self.deb} is missing: scripts/package.sh makes it")
        self.root = tempfile.mkdtemp(prefix="orvale-package-")
        self.addCleanup(shutil.rmtree, self.root, True)
        subprocess.run(["dpkg-deb", "-x", self.deb, self.root], check=True)

    def unpacked(self, path):
        return os.path.join(self.root, path.lstrip("/"))

    def test_desktop_entry_validates_and_names_what_the_package_installs(self):
        entry = self.unpacked(f"/usr/share/applications/{APP_ID}.desktop")
        check = run("desktop-file-validate", entry)
        self.assertEqual((check.returncode, check.stdout + check.stderr), (0, ""))
        parser = configparser.RawConfigParser(strict=True)
        parser.optionxform = str
        parser.read(entry, encoding="utf-8")
        fields = parser["Desktop Entry"]
        self.assertEqual(fields["Exec"], "orvale %f")  # a folder from the file manager's "open with"
        self.assertIn("inode/directory", fields["MimeType"].split(";"))
        self.assertTrue(os.access(self.unpacked("/usr/bin/orvale"), os.X_OK))
        for key in ("GenericName[ja]", "Comment[ja]", "GenericName", "Comment"):
            self.assertTrue(fields.get(key), key)
        for size in ICON_SIZES:
            self.assertTrue(os.path.isfile(self.unpacked(f"/usr/share/icons/hicolor/{size}x{size}/apps/"
                                                         f"{fields['Icon']}.png")), size)

    def test_metainfo_validates_and_follows_the_build(self):
        metainfo = self.unpacked(f"/usr/share/metainfo/{APP_ID}.metainfo.xml")
        for check in (run("appstreamcli", "validate", "--no-net", metainfo),
                      run("appstreamcli", "validate-tree", "--no-net", self.root)):
            self.assertEqual(check.returncode, 0, check.stdout + check.stderr)
        component = ElementTree.parse(metainfo).getroot()
        self.assertEqual(component.findtext("id"), APP_ID)
        self.assertEqual(component.find("releases/release").get("version"), VERSION, "the newest release first")
        japanese = "{http://www.w3.org/XML/1998/namespace}lang"
        self.assertIn("ja", [summary.get(japanese) for summary in component.findall("summary")])
        # The screenshot the home serves is the one kept with the sources.
        image = component.find("screenshots/screenshot/image")
        name = image.text.rsplit("/screenshots/", 1)[1]
        with open(os.path.join(SOURCE_DIR, "packaging", "screenshots", name), "rb") as shot:
            width, height = struct.unpack(">II", shot.read(24)[16:24])
        self.assertEqual((str(width), str(height)), (image.get("width"), image.get("height")))

    def test_lintian_finds_no_errors_or_warnings(self):
        check = run("lintian", "--fail-on", "error,warning", self.deb)
        self.assertEqual(check.returncode, 0, check.stdout + check.stderr)
        self.assertNotRegex(check.stdout, r"(?m)^[EW]: ")

    def test_files_modes_and_control_fields(self):
        listing = run("dpkg-deb", "-c", self.deb).stdout.splitlines()
        entries = {}
        for line in listing:
            mode, owner, _size, _date, _time, path = line.split(None, 5)
            entries[path.lstrip(".")] = (mode, owner)
        files = {path for path, (mode, _) in entries.items() if not mode.startswith("d")}
        expected = {"/usr/bin/orvale", "/usr/bin/orvale-tree", f"/usr/share/applications/{APP_ID}.desktop",
                    f"/usr/share/metainfo/{APP_ID}.metainfo.xml", "/usr/share/man/man1/orvale.1.gz",
                    "/usr/share/man/man1/orvale-tree.1.gz", "/usr/share/doc/orvale/copyright",
                    "/usr/share/doc/orvale/changelog.Debian.gz", "/usr/share/lintian/overrides/orvale",
                    f"/usr/share/icons/hicolor/scalable/apps/{APP_ID}.svg"}
        expected |= {f"/usr/share/icons/hicolor/{size}x{size}/apps/{APP_ID}.png" for size in ICON_SIZES}
        self.assertEqual(files, expected)
        for path, (mode, owner) in entries.items():
            self.assertEqual(owner, "root/root", path)
            wanted = "drwxr-xr-x" if mode.startswith("d") else "-rwxr-xr-x" if "/bin/" in path else "-rw-r--r--"
            self.assertEqual(mode, wanted, path)
        for size in ICON_SIZES:
            with open(self.unpacked(f"/usr/share/icons/hicolor/{size}x{size}/apps/{APP_ID}.png"), "rb") as icon:
                self.assertEqual(struct.unpack(">II", icon.read(24)[16:24]), (size, size))

        control = {field: run("dpkg-deb", "-f", self.deb, field).stdout.strip()
                   for field in ("Version", "Depends", "Section", "Maintainer")}
        self.assertEqual(control["Version"], DEB_VERSION)
        depends = [item.split()[0] for item in control["Depends"].split(", ")]
        # dpkg-shlibdeps' part: the libraries the programs link.
        for package in ("libc6", "libstdc++6", "libqt6core6", "libqt6widgets6", "libx11-6", *EXTRA_DEPENDENCIES):
            self.assertIn(package, depends)
        with gzip.open(self.unpacked("/usr/share/doc/orvale/changelog.Debian.gz"), "rt") as changelog:
            self.assertRegex(changelog.readline(), rf"^orvale \({re.escape(DEB_VERSION)}\) ")

        for page in ("orvale", "orvale-tree"):
            path = self.unpacked(f"/usr/share/man/man1/{page}.1.gz")
            shown = run("man", "--warnings", "-l", path, env=dict(os.environ, LANG="C.UTF-8", MANWIDTH="80"))
            self.assertEqual(shown.stderr, "", page)
            self.assertIn("名前", shown.stdout)
            with gzip.open(path, "rt", encoding="utf-8") as source:
                self.assertRegex(source.read(), rf'(?m)^\.TH \S+ 1 "[^"]*" "Orvale {re.escape(VERSION)}"', page)

        # Nothing in the programs points back at the machine they were built on.
        for program in ("orvale", "orvale-tree"):
            with open(self.unpacked(f"/usr/bin/{program}"), "rb") as binary:
                content = binary.read()
            for folder in (SOURCE_DIR, BUILD_DIR):
                self.assertNotIn(os.fsencode(os.path.realpath(folder)), content, program)

    def test_unpacked_orvale_tree_runs(self):
        program = self.unpacked("/usr/bin/orvale-tree")
        version = run(program, "--version", cwd=self.root)
        self.assertEqual(version.returncode, 0, version.stderr)
        self.assertIn(VERSION, version.stdout)
        folder = os.path.join(self.root, "sample")
        for path in ("写真/2026", "音楽"):
            os.makedirs(os.path.join(folder, path))
        tree = subprocess.run([program, "--encoding", "utf-8", folder], capture_output=True, cwd=self.root)
        self.assertEqual(tree.returncode, 0, tree.stderr)
        lines = tree.stdout.decode("utf-8").split("\r\n")
        self.assertRegex(lines[0], r"^[a-z]:\\.*\\sample\\$")
        self.assertEqual(lines[1:], ["┣ 写真", "┃ ┗ 2026", "┗ 音楽", ""])

    def test_unpacked_orvale_speaks_japanese_with_the_systems_translation_and_fonts(self):
        e2e.PROGRAM = self.unpacked("/usr/bin/orvale")
        folder = os.path.join(self.root, "sample")
        os.makedirs(os.path.join(folder, "写真"))
        desktop = e2e.Desktop("package")
        self.addCleanup(desktop.close)
        desktop.start(folder, cwd=self.root)
        time.sleep(1.0)
        desktop.key("alt+m")
        desktop.wait_for_window("^確認$")
        desktop.key("Return")
        time.sleep(0.5)
        desktop.key("alt+f", "s")
        desktop.wait_for_window("^名前を付けて保存$", 20)  # Qt's own title of its save dialog, in Japanese
        desktop.shot("save-dialog")
        with open(f"/proc/{desktop.program.pid}/maps") as maps:
            mapped = {line.split()[-1] for line in maps if "/" in line}
        self.assertTrue([path for path in mapped if path.startswith("/usr/share/") and path.endswith("/qtbase_ja.qm")],
                        f"no Qt translation from the system in use: {sorted(mapped)}")
        fonts = {os.path.basename(path) for path in mapped if path.startswith("/usr/share/fonts/")}
        self.assertTrue({"ipagp.ttf", "ipam.ttf"} <= fonts, f"fonts in use: {sorted(fonts)}")  # window, memo


if __name__ == "__main__":
    unittest.main(verbosity=2)
