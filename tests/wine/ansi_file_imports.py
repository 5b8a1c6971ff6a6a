#!/usr/bin/env python3
"""Fails when a Windows program imports an A-suffixed function that takes a file name, a
path or a drive: those speak the ANSI code page and the 260-character limit, where every
call of the program's is a wide one.

Usage: ansi_file_imports.py OBJDUMP PROGRAM.exe...
"""
import re
import subprocess
import sys

# The ANSI twin of a call about files, folders, paths, drives or shares. The runtime's own A
# calls (CreateEventA, GetModuleHandleA, GetStartupInfoA, OutputDebugStringA...) take none.
FILE_CALL = re.compile(r"^\w*(File|Folder|Directory|Path|Drive|Volume|Connection|Disk|FindFirst|FindNext)\w*A$")
IMPORT = re.compile(r"^\s+[0-9a-f]+\s+\d+\s+(\w+)$")


def imports(objdump, program):
    dump = subprocess.run([objdump, "-p", program], capture_output=True, text=True, check=True).stdout
    dll = None
    for line in dump.splitlines():
        if "DLL Name:" in line:
            dll = line.split("DLL Name:")[1].strip()
        elif dll and (match := IMPORT.match(line)):
            yield dll, match.group(1)


def main():
    objdump, programs = sys.argv[1], sys.argv[2:]
    if not programs:
        print("no programs to check")
        return 1
    status = 0
    for program in programs:
        found = list(imports(objdump, program))
        ansi = [f"{dll}!{name}" for dll, name in found if FILE_CALL.match(name)]
        print(f"{program}: {len(found)} imports, {len(ansi)} A-suffixed file calls {' '.join(ansi)}")
        if not found or ansi:
            status = 1
    return status


if __name__ == "__main__":
    sys.exit(main())
