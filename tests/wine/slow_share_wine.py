#!/usr/bin/python3
"""Windows listings read ahead on a share: a FUSE file system of this test's own whose every
listing takes 3 ms, reached under Wine through the prefix's share \\\\orvale\\tmp (a UNC
folder, which the program treats as it treats a network drive: the pool reads from the
first listing). The unit test Win32ReadAhead.ASlowShare... scans it with and without the
read-ahead and compares.

Usage: slow_share_wine.py EMULATOR... TEST.EXE
Needs Debian's python3-fusepy (run it with /usr/bin/python3); where FUSE cannot be mounted
it says "skipped" and why.
"""
import errno
import os
import shutil
import stat
import subprocess
import sys
import tempfile
import time

LISTING_SECONDS = 0.003
FANOUTS = (40, 30)  # 1,241 folders, each listing 3 ms: about 3.7 s walking alone


def tree():
    folders = {"/": []}
    for i in range(FANOUTS[0]):
        top = f"t{i:02d}"
        folders["/"].append(top)
        folders[f"/{top}"] = [f"s{j:02d}" for j in range(FANOUTS[1])]
        for inner in folders[f"/{top}"]:
            folders[f"/{top}/{inner}"] = []
    return folders


def serve(mount_point):
    from fusepy import FUSE, FuseOSError, Operations
    folders = tree()
    now = time.time()
    folder = dict(st_mode=stat.S_IFDIR | 0o555, st_nlink=2, st_ctime=now, st_mtime=now, st_atime=now)

    class SlowFolders(Operations):
        def getattr(self, path, fh=None):
            if path not in folders:
                raise FuseOSError(errno.ENOENT)
            return folder

        def readdir(self, path, fh):
            time.sleep(LISTING_SECONDS)
            return [".", ".."] + [(name, folder, 0) for name in folders.get(path, [])]

    FUSE(SlowFolders(), mount_point, foreground=True, nothreads=False, ro=True, fsname="orvale-slow-share")


def main():
    emulator, exe = sys.argv[1:-1], sys.argv[-1]
    try:
        import fusepy  # noqa: F401
    except ImportError:
        print("skipped: the Python module fusepy is missing (python3-fusepy; run with /usr/bin/python3)")
        return 0
    if not os.path.exists("/dev/fuse"):
        print("skipped: there is no /dev/fuse here")
        return 0
    top = tempfile.mkdtemp(prefix="orvale-slow-share-", dir="/tmp")
    root = os.path.join(top, "share")
    os.makedirs(root)
    server = subprocess.Popen([sys.executable, os.path.abspath(__file__), "--serve", root],
                              stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    try:
        end = time.monotonic() + 10
        while not os.path.ismount(root):
            if server.poll() is not None or time.monotonic() > end:
                print(f"skipped: cannot mount a FUSE file system here: {server.stderr.read().strip()[-200:]}")
                return 0
            time.sleep(0.05)
        share = "\\\\orvale\\tmp\\" + os.path.relpath(root, "/tmp").replace("/", "\\") + "\\"
        env = dict(os.environ, ORVALE_SLOW_SHARE=share)
        result = subprocess.run([*emulator, exe, "--gtest_filter=Win32ReadAhead.ASlowShare*"], env=env,
                                capture_output=True, text=True, timeout=300)
        print(result.stdout[-3000:])
        print(result.stderr[-2000:], file=sys.stderr)
        if "[  SKIPPED ]" in result.stdout or "1 test" not in result.stdout:
            print("the slow share test did not run")
            return 1
        return result.returncode
    finally:
        subprocess.run(["umount", "-l", root], capture_output=True)
        if server.poll() is None:
            server.terminate()
            try:
                server.wait(5)
            except subprocess.TimeoutExpired:
                server.kill()
                server.wait()
        shutil.rmtree(top, ignore_errors=True)


if __name__ == "__main__":
    if sys.argv[1:2] == ["--serve"]:
        serve(sys.argv[2])
    else:
        sys.exit(main())
