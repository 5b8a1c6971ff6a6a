#!/usr/bin/env python3
"""The Windows release as a user gets it (scripts/windows-package.sh --check): the zip's files,
the libraries the programs import, their version resources, orvale-tree.exe run from where
the zip was unpacked, and the installer under Wine: a silent install, the Start-menu shortcut,
the Explorer entries on a folder and on a drive started the way Explorer starts them, the
installed orvale-tree.exe, and a silent uninstall that leaves nothing of Orvale behind.

The Wine prefix is made afresh for each check run, so that what the uninstall leaves is
compared with a Windows that never had Orvale.
"""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
sys.path.insert(0, os.path.join(HERE, "..", "wine"))
import orvale_e2e as e2e  # noqa: E402
import orvale_window_wine as window  # noqa: E402

SOURCE_DIR = os.environ["ORVALE_SOURCE_DIR"]
VERSION = os.environ["ORVALE_VERSION"]
BUILD_DIR = os.environ["ORVALE_WINDOWS_BUILD_DIR"]
OBJDUMP = os.environ["ORVALE_OBJDUMP"]
PROBE = os.environ["ORVALE_WINDOWS_PROBE"]
WINE_RUN = os.environ["ORVALE_WINE_RUN"]
PREFIX = os.environ["ORVALE_WINE_PREFIX"]
WINE_SERVER = window.WINE_SERVER

ZIP = os.path.join(BUILD_DIR, f"orvale-{VERSION}-windows-x64.zip")
SETUP = os.path.join(BUILD_DIR, f"orvale-{VERSION}-windows-x64-setup.exe")
FOLDER = f"orvale-{VERSION}"
FILES = ("Orvale.exe", "orvale-tree.exe", "README.txt", "LICENSE.txt")
PROGRAMS = ("Orvale.exe", "orvale-tree.exe")
# What every Windows has: the programs may import these and nothing else (no MinGW runtime).
SYSTEM_LIBRARIES = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "imm32.dll", "kernel32.dll",
                    "mpr.dll", "msimg32.dll", "msvcrt.dll", "ole32.dll", "oleaut32.dll", "shell32.dll",
                    "shlwapi.dll", "user32.dll", "uxtheme.dll", "version.dll"}
INSTALLED = "C:\\Program Files\\Orvale"
INSTALLED_UNIX = os.path.join(PREFIX, "drive_c", "Program Files", "Orvale")
SHORTCUT = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Orvale.lnk"
ENTRIES = ("HKLM\\Software\\Classes\\Directory\\shell\\Orvale", "HKLM\\Software\\Classes\\Drive\\shell\\Orvale")
UNINSTALL_KEY = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvale"
DRIVE = "t"  # the test's folder as a drive of the prefix
SAMPLE = ["写真/2026", "音楽"]
SAMPLE_LINES = ["┣ 写真", "┃ ┗ 2026", "┗ 音楽", ""]


def windows_path(path):
    return window.windows_path(path)


def wine(*command, display=None):
    """A Windows program in the check's prefix: without a display unless one is given. Its
    output goes through files, not pipes: a program it starts would hold a pipe open."""
    # The prefix is one for windows on a display, whichever call makes it.
    env = display.env if display else {name: value for name, value in os.environ.items() if name != "DISPLAY"}
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        result = subprocess.run([WINE_RUN, "--display", PREFIX, *command], stdout=out, stderr=err, env=env,
                                timeout=300)
        out.seek(0)
        err.seek(0)
        return subprocess.CompletedProcess(result.args, result.returncode, out.read(), err.read())


def probe(*arguments, display=None):
    result = wine(windows_path(PROBE), *arguments, display=display)
    return result.returncode, dict(line.split("=", 1) for line in result.stdout.decode("utf-8").splitlines()
                                   if "=" in line)


def stop_server():
    """Ends the prefix's Wine server, which writes the registry to its files."""
    subprocess.run([WINE_SERVER, "-k"], env=dict(os.environ, WINEPREFIX=PREFIX), capture_output=True)


def registry_values(key):
    """The values of a key as reg.exe shows them (code page 932), or None where there is no key."""
    result = wine("reg", "query", key)
    if result.returncode != 0:
        return None
    values = {}
    for line in result.stdout.decode("cp932").splitlines():
        parts = re.split(r" {4}", line.strip())
        if len(parts) == 3 and parts[1].startswith("REG_"):
            values[parts[0]] = parts[2]
    return values


def orvale_traces():
    """Every line of the prefix's registry files that names Orvale, and every file or folder
    whose path does, under the prefix's drive c:."""
    stop_server()
    lines = set()
    for name in ("system.reg", "user.reg", "userdef.reg"):
        with open(os.path.join(PREFIX, name), encoding="utf-8", errors="replace") as registry:
            lines |= {line.strip() for line in registry if "orvale" in line.lower()}
    drive = os.path.join(PREFIX, "drive_c")
    paths = set()
    for folder, folders, files in os.walk(drive):
        for name in folders + files:
            path = os.path.relpath(os.path.join(folder, name), drive)
            if "orvale" in path.lower() or "~nsu" in path.lower():
                paths.add(path)
    return lines, paths


def pe_header(program):
    """The machine and the symbol table pointer of a PE file's COFF header."""
    with open(program, "rb") as file:
        content = file.read(4096)
    start = struct.unpack_from("<I", content, 0x3C)[0]
    if content[start:start + 4] != b"PE\0\0":
        raise AssertionError(f"{program} is no PE file")
    machine, = struct.unpack_from("<H", content, start + 4)
    symbols, = struct.unpack_from("<I", content, start + 12)
    return machine, symbols


class Unpacked(unittest.TestCase):
    """The zip unpacked into a folder whose name holds Japanese and a space, as a download
    folder may."""

    def setUp(self):
        if not os.path.isfile(ZIP):
            self.fail(f"{ZIP} is missing: scripts/windows-package.sh makes it")
        self.top = tempfile.mkdtemp(prefix="orvale-windows-package-")
        self.addCleanup(shutil.rmtree, self.top, True)
        self.unpacked = os.path.join(self.top, "ダウンロード 一時")
        with zipfile.ZipFile(ZIP) as archive:
            archive.extractall(self.unpacked)
        self.folder = os.path.join(self.unpacked, FOLDER)

    def sample(self):
        folder = os.path.join(self.top, "sample")
        for path in SAMPLE:
            os.makedirs(os.path.join(folder, path))
        return folder


class Archive(Unpacked):
    def test_zip_holds_the_programs_readme_and_licence(self):
        with zipfile.ZipFile(ZIP) as archive:
            self.assertEqual(sorted(archive.namelist()), sorted(f"{FOLDER}/{name}" for name in FILES))
        for name in ("README.txt", "LICENSE.txt"):
            with open(os.path.join(self.folder, name), "rb") as file:
                content = file.read()
            # UTF-8 with its mark and CR LF: Notepad opens it right whatever the code page.
            self.assertTrue(content.startswith(b"\xef\xbb\xbf"), name)
            text = content[3:].decode("utf-8")
            self.assertTrue(text.endswith("\r\n"), name)
            self.assertEqual(text.count("\n"), text.count("\r\n"), f"{name}: a line ends without CR LF")
            self.assertEqual(text.count("\r"), text.count("\r\n"), f"{name}: a lone CR")
        with open(os.path.join(self.folder, "README.txt"), encoding="utf-8-sig", newline="") as file:
            readme = file.read()
        self.assertIn(f"Orvale {VERSION}", readme)
        self.assertNotIn("@", readme, "a placeholder left unfilled")
        for words in ("Orvale で開く", "Uninstall.exe", "/S", f"orvale-{VERSION}-windows-x64-setup.exe"):
            self.assertIn(words, readme)
        with open(os.path.join(SOURCE_DIR, "packaging", "copyright"), encoding="utf-8") as file:
            licence = file.read()
        with open(os.path.join(self.folder, "LICENSE.txt"), encoding="utf-8-sig", newline="") as file:
            self.assertEqual(file.read(), licence.replace("\n", "\r\n"))

    def test_programs_import_only_system_libraries(self):
        for program in PROGRAMS:
            path = os.path.join(self.folder, program)
            machine, symbols = pe_header(path)
            self.assertEqual(machine, 0x8664, f"{program}: not x64")
            self.assertEqual(symbols, 0, f"{program}: not stripped")
            dump = subprocess.run([OBJDUMP, "-p", path], capture_output=True, text=True, check=True).stdout
            libraries = {name.lower() for name in re.findall(r"DLL Name: (\S+)", dump)}
            self.assertIn("kernel32.dll", libraries)
            self.assertLessEqual(libraries, SYSTEM_LIBRARIES, f"{program} imports {sorted(libraries - SYSTEM_LIBRARIES)}")
            # Nothing in the program points back at the machine it was built on.
            with open(path, "rb") as file:
                content = file.read()
            for folder in (SOURCE_DIR, BUILD_DIR):
                self.assertNotIn(os.fsencode(os.path.realpath(folder)), content, program)


class Programs(Unpacked):
    def test_version_resources_name_orvale_and_its_version(self):
        major_minor = ".".join((VERSION.split(".") + ["0"])[:2])
        for program in PROGRAMS:
            status, fields = probe("version", windows_path(os.path.join(self.folder, program)))
            self.assertEqual(status, 0, fields)
            self.assertEqual(fields["ProductName"], "Orvale", program)
            self.assertEqual((fields["ProductVersion"], fields["FileVersion"]), (VERSION, VERSION), program)
            self.assertTrue(fields["FixedProductVersion"].startswith(major_minor + "."), program)
            self.assertEqual(fields["OriginalFilename"], program)
            self.assertTrue(fields["FileDescription"], program)
        status, fields = probe("version", windows_path(SETUP))
        self.assertEqual((status, fields.get("ProductName"), fields.get("ProductVersion")), (0, "Orvale", VERSION))

    def test_unpacked_orvale_tree_runs(self):
        before = sorted(os.listdir(self.folder))
        program = windows_path(os.path.join(self.folder, "orvale-tree.exe"))
        version = wine(program, "--version")
        self.assertEqual(version.returncode, 0, version.stderr)
        self.assertIn(VERSION, version.stdout.decode("utf-8", errors="replace"))
        sample = self.sample()
        tree = wine(program, "--encoding", "utf-8", windows_path(sample))
        self.assertEqual(tree.returncode, 0, tree.stderr)
        lines = tree.stdout.decode("utf-8").split("\r\n")
        self.assertEqual(lines[0], windows_path(sample) + "\\")
        self.assertEqual(lines[1:], SAMPLE_LINES)
        self.assertEqual(sorted(os.listdir(self.folder)), before, "the program wrote beside itself")


class Installer(window.WindowTest):
    """Steps of a user who installs, uses and removes Orvale; each needs the one before."""

    def test_silent_install_explorer_entries_and_uninstall(self):
        if not os.path.isfile(SETUP):
            self.fail(f"{SETUP} is missing: scripts/windows-package.sh makes it")
        wine("cmd", "/c", "echo")  # the prefix, made on first use
        self.assertEqual(orvale_traces(), (set(), set()), "the prefix had Orvale before the install")

        install = wine(windows_path(SETUP), "/S")
        self.assertEqual(install.returncode, 0, install.stderr)
        self.assertEqual(sorted(os.listdir(INSTALLED_UNIX)), sorted(FILES + ("Uninstall.exe",)))
        with zipfile.ZipFile(ZIP) as archive:
            for program in PROGRAMS:
                with open(os.path.join(INSTALLED_UNIX, program), "rb") as installed:
                    self.assertEqual(installed.read(), archive.read(f"{FOLDER}/{program}"), program)
        status, link = probe("shortcut", SHORTCUT)
        self.assertEqual((status, link.get("Target")), (0, f"{INSTALLED}\\Orvale.exe"))
        for key in ENTRIES:
            self.assertEqual(registry_values(key), {"(既定)": "Orvale で開く", "Icon": f"{INSTALLED}\\Orvale.exe,0"}, key)
            self.assertEqual(registry_values(key + "\\command"), {"(既定)": f'"{INSTALLED}\\Orvale.exe" "%1"'}, key)
        entry = registry_values(UNINSTALL_KEY)
        self.assertEqual((entry["DisplayName"], entry["DisplayVersion"]), ("Orvale", VERSION))
        self.assertEqual(entry["UninstallString"], f'"{INSTALLED}\\Uninstall.exe"')

        self.make_tree(many=5)
        self.check_installed_orvale_tree()
        self.check_explorer_entries()

        # The uninstall entry's own command, silent: the uninstaller runs on from a copy of
        # itself and returns at once, so its end is waited for.
        uninstall = wine(*entry["QuietUninstallString"].replace('"', "").rsplit(" ", 1))
        self.assertEqual(uninstall.returncode, 0, uninstall.stderr)
        e2e.Desktop.wait_for(lambda: not os.path.exists(INSTALLED_UNIX), 120, "the program's folder stayed")
        e2e.Desktop.wait_for(lambda: registry_values(UNINSTALL_KEY) is None, 60, "the uninstall entry stayed")
        # That copy cannot delete itself: like any uninstaller's on Windows, it goes at the
        # next restart, which Wine's restart plays.
        time.sleep(2.0)
        stop_server()
        wine("wineboot", "-r")
        self.assertEqual(orvale_traces(), (set(), set()), "left behind by the uninstall")

    def map_test_drive(self):
        """The test's folder as drive t:, which a Wine server reads when it starts."""
        stop_server()
        link = os.path.join(PREFIX, "dosdevices", f"{DRIVE}:")
        if os.path.lexists(link):
            os.unlink(link)
        os.symlink(self.root, link)
        self.addCleanup(os.unlink, link)

    def check_installed_orvale_tree(self):
        # Typed in a command prompt, the drive quoted: its backslash escapes the closing quote.
        self.map_test_drive()
        batch = os.path.join(self.top, "tree.bat")
        with open(batch, "w", newline="\r\n") as file:
            file.write(f'@"{INSTALLED}\\orvale-tree.exe" -L 1 -o "{windows_path(self.out)}\\tree.txt" "{DRIVE}:\\"\n')
        run = wine("cmd", "/c", windows_path(batch))
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        with open(os.path.join(self.out, "tree.txt"), "rb") as saved:
            lines = saved.read().split(b"\r\n")
        expected = [line for line in e2e.tree_lines(e2e.expected_tree(f"{DRIVE}:\\".encode(), self.root))
                    if not line.startswith(e2e.PIECE_BAR) and not line.startswith(e2e.PIECE_BLANK)]
        self.assertEqual(lines[:-1], expected)

    def check_explorer_entries(self):
        """Each entry started as Explorer starts it, on the shown display: the window comes up
        with that folder scanned, and the memo made from it is the folder's tree."""
        folder = os.path.join(self.root, "データ")
        for kind, path, root_text, shown in (
                ("Directory", f"{DRIVE}:\\データ", f"{DRIVE}:\\データ\\".encode("cp932"), folder),
                ("Drive", f"{DRIVE}:\\", f"{DRIVE}:\\".encode("ascii"), self.root)):
            desktop = window.WineDesktop(f"windows-package-{kind.lower()}")
            self.addCleanup(desktop.close)
            stop_server()  # the next server starts on this display
            status, said = probe("open", "Orvale", kind, path, display=desktop)
            self.assertEqual(status, 0, said)
            desktop.window = desktop.wait_for_window("^Orvale$", 180)
            desktop.focus()
            time.sleep(1.5)
            desktop.shot("scanned")
            self.build_memo(desktop)
            text = self.save_as(desktop, f"{kind.lower()}-entry.txt")
            expected = e2e.tree_lines(e2e.expected_tree(root_text, shown))
            self.assertEqual(text, b"".join(line + b"\r\n" for line in expected), kind)
            desktop.key("alt+f", "x")
            desktop.wait_for(lambda d=desktop: not d.windows("^Orvale$"), 60, "Orvale.exe did not end")
            stop_server()
            desktop.close()


if __name__ == "__main__":
    unittest.main(verbosity=2)
