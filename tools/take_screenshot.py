#!/usr/bin/env python3
"""Takes the screenshot software centres show (packaging/screenshots/orvale-window.png): the
window under Xvfb, a scanned folder in its tree and the memo made from it. With --windows,
the same of Orvale.exe under Wine (packaging/screenshots/orvale-window-windows.png, beside the
Linux one in the README), at its designed size.

Run once from the repository root, with the program built (scripts/package.sh builds it,
scripts/windows-package.sh builds Orvale.exe):
    python3 tools/take_screenshot.py [PROGRAM]
    python3 tools/take_screenshot.py --windows [ORVALE.EXE]
PROGRAM defaults to build-package/app/orvale, ORVALE.EXE to build-windows/app/win32/Orvale.exe.
"""
import os
import shutil
import subprocess
import sys
import time

TOOLS = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(TOOLS, "..", "tests", "e2e"))
sys.path.insert(0, os.path.join(TOOLS, "..", "tests", "wine"))
import orvale_e2e as e2e  # noqa: E402

OUTPUT = "packaging/screenshots/orvale-window.png"
WINDOWS_OUTPUT = "packaging/screenshots/orvale-window-windows.png"
WIDTH, HEIGHT = 1024, 640
FOLDERS = ["仕事/2025年度/見積書", "仕事/2025年度/請求書", "仕事/2026年度/会議資料", "仕事/2026年度/見積書", "写真/2026/家族",
           "写真/2026/旅行/京都", "写真/2026/旅行/北海道", "音楽/クラシック", "音楽/ジャズ", "趣味/料理", "趣味/園芸", "ダウンロード"]


def make_folder():
    # A short path, so that the root's line fits the tree pane.
    folder = "/tmp/書類"
    if os.path.exists(folder):
        sys.exit(f"{folder} is in the way: the screenshot's folder is made there and removed afterwards")
    for path in FOLDERS:
        os.makedirs(os.path.join(folder, path))
    return folder


def open_all_and_make_memo(desktop, root_row, answer, star=("asterisk",)):
    """"*" on the root's row, under the drive selector, opens every folder below it; the memo
    question is answered with `answer`."""
    desktop.xdo("mousemove", "--window", desktop.window, *root_row)
    desktop.xdo("click", "1")
    desktop.key(*star)
    time.sleep(0.5)
    desktop.key("alt+m")
    answer()
    time.sleep(1.0)


def answer_linux(desktop):
    desktop.wait_for_window("^確認$")
    time.sleep(0.3)
    desktop.key("Return")


def save(desktop, output):
    os.makedirs(os.path.dirname(output), exist_ok=True)
    # No time stamps in the file, so that taking it again changes only what shows.
    subprocess.run(["import", "-window", desktop.window, "-strip", "-define", "png:exclude-chunks=date,time", output],
                   env=desktop.env, check=True)
    print(output)


def linux(program):
    e2e.PROGRAM = program or "build-package/app/orvale"
    folder = make_folder()
    desktop = e2e.Desktop("screenshot")
    try:
        desktop.start(folder)
        desktop.xdo("windowsize", "--sync", desktop.window, str(WIDTH), str(HEIGHT))
        time.sleep(1.0)
        open_all_and_make_memo(desktop, ("80", "62"), lambda: answer_linux(desktop))
        save(desktop, OUTPUT)
    finally:
        desktop.close()
        shutil.rmtree(folder, ignore_errors=True)


def windows(program):
    import orvale_window_wine as window

    window.WINE_RUN = os.path.join(TOOLS, "..", "tests", "wine", "wine-run.sh")
    window.EXE = program or "build-windows/app/win32/Orvale.exe"
    prefix = os.path.abspath("build-windows/wineprefix-screenshot")
    folder = make_folder()
    desktop = window.WineDesktop("screenshot-windows")
    try:
        desktop.start(window.windows_path(folder), prefix=prefix)
        time.sleep(1.5)
        # Wine gives the question the focus only when asked; its tree view opens every folder at
        # the keypad's "*" only. The tree and the memo are shown from their first lines.
        open_all_and_make_memo(desktop, ("80", "78"), lambda: desktop.answer("^確認$", "Return", "question"),
                               ("KP_Multiply",))
        desktop.focus()
        desktop.xdo("mousemove", "--window", desktop.window, "90", "250")
        desktop.xdo("click", "--repeat", "10", "4")
        desktop.key("ctrl+Home")
        time.sleep(0.5)
        save(desktop, WINDOWS_OUTPUT)
    finally:
        desktop.close()
        subprocess.run([window.WINE_SERVER, "-k"], env=dict(os.environ, WINEPREFIX=prefix), capture_output=True)
        shutil.rmtree(folder, ignore_errors=True)


def main():
    arguments = sys.argv[1:]
    if arguments[:1] == ["--windows"]:
        windows(arguments[1] if len(arguments) > 1 else None)
    else:
        linux(arguments[0] if arguments else None)


if __name__ == "__main__":
    main()
