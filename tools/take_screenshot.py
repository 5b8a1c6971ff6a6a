#!/usr/bin/env python3
"""Takes the screenshot software centres show (packaging/screenshots/orvale-window.png): the
window under Xvfb, a scanned folder in its tree and the memo made from it.

Run once from the repository root, with the program built (scripts/package.sh builds it):
    python3 tools/take_screenshot.py [PROGRAM]
PROGRAM defaults to build-package/app/orvale.
"""
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import orvale_e2e as e2e  # noqa: E402

OUTPUT = "packaging/screenshots/orvale-window.png"
WIDTH, HEIGHT = 1024, 640
FOLDERS = ["仕事/2025年度/見積書", "仕事/2025年度/請求書", "仕事/2026年度/会議資料", "仕事/2026年度/見積書", "写真/2026/家族",
           "写真/2026/旅行/京都", "写真/2026/旅行/北海道", "音楽/クラシック", "音楽/ジャズ", "趣味/料理", "趣味/園芸", "ダウンロード"]


def main():
    e2e.PROGRAM = sys.argv[1] if len(sys.argv) > 1 else "build-package/app/orvale"
    # A short path, so that the root's line fits the tree pane.
    folder = "/tmp/書類"
    if os.path.exists(folder):
        sys.exit(f"{folder} is in the way: the screenshot's folder is made there and removed afterwards")
    for path in FOLDERS:
        os.makedirs(os.path.join(folder, path))
    desktop = e2e.Desktop("screenshot")
    try:
        desktop.start(folder)
        desktop.xdo("windowsize", "--sync", desktop.window, str(WIDTH), str(HEIGHT))
        time.sleep(1.0)
        # The root's row, under the drive selector; "*" opens every folder below it.
        desktop.xdo("mousemove", "--window", desktop.window, "80", "62")
        desktop.xdo("click", "1")
        desktop.key("asterisk")
        time.sleep(0.5)
        desktop.key("alt+m")
        desktop.wait_for_window("^確認$")
        time.sleep(0.3)
        desktop.key("Return")
        time.sleep(1.0)
        os.makedirs(os.path.dirname(OUTPUT), exist_ok=True)
        # No time stamps in the file, so that taking it again changes only what shows.
        subprocess.run(["import", "-window", desktop.window, "-strip", "-define", "png:exclude-chunks=date,time", OUTPUT],
                       env=desktop.env, check=True)
        print(OUTPUT)
    finally:
        desktop.close()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
