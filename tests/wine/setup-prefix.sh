#!/bin/sh
# Usage: setup-prefix.sh WINE PREFIX [window]
# Makes a fresh Wine prefix behave like the Windows the program is for, and gives it a known
# set of drives for the drive list tests. Wine marks every name that begins with a dot as
# hidden, where Windows leaves ".cache" an ordinary folder: ShowDotFiles turns that off.
# The drives, beside the prefix's own c: and z: (both fixed): c: labelled WinSys, d: fixed
# with a label in Japanese and ASCII capitals, e: an empty CD-ROM drive, f: removable,
# n: network (not connected to a share), r: a RAM disk. Wine reads a drive's label from
# the .windows-label file at its root. Shares: \\orvale\share is d:'s folder, \\orvale\tmp
# is /tmp (Wine finds \\server\share under dosdevices/unc/).
# The tests run with no display: windows are made by Wine's null display driver, so the
# window's components can be tested through their messages. With "window", the prefix is for
# the real window on an X display instead: Wine draws the window frames itself (there is no
# window manager), so the X geometry is the window's, and the program's font names find the
# IPA faces.
set -e
wine=$1
prefix=$2
mode=${3:-}
drives=$prefix/drives
mkdir -p "$drives/d" "$drives/f" "$drives/n" "$drives/r"
printf 'WinSys\n' >"$prefix/drive_c/.windows-label"
printf '\346\227\245\346\234\254Disk\n' >"$drives/d/.windows-label"  # the kanji "Japan" in UTF-8
printf 'SHARE\n' >"$drives/n/.windows-label"
ln -sfn ../drives/d "$prefix/dosdevices/d:"
ln -sfn ../drives/no-disc "$prefix/dosdevices/e:"
ln -sfn ../drives/f "$prefix/dosdevices/f:"
ln -sfn ../drives/n "$prefix/dosdevices/n:"
ln -sfn ../drives/r "$prefix/dosdevices/r:"
mkdir -p "$prefix/dosdevices/unc/orvale"
ln -sfn ../../../drives/d "$prefix/dosdevices/unc/orvale/share"
ln -sfn /tmp "$prefix/dosdevices/unc/orvale/tmp"
cat >"$drives/prefix.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine]
"ShowDotFiles"="Y"

[HKEY_LOCAL_MACHINE\Software\Wine\Drives]
"e:"="cdrom"
"f:"="floppy"
"n:"="network"
"r:"="ramdisk"
REG
(cd "$drives" && "$wine" regedit /S prefix.reg)
if [ "$mode" = window ]; then
    # UTF-16 with its mark: the font names are Japanese.
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
        '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Decorated"="N"' '' \
        '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
        '"ＭＳ 明朝"="IPAMincho"' '"ＭＳ Ｐゴシック"="IPAPGothic"' '"ＭＳ ゴシック"="IPAGothic"' \
        '"MS Mincho"="IPAMincho"' '"MS PGothic"="IPAPGothic"' '"MS Gothic"="IPAGothic"' \
        '"MS UI Gothic"="IPAPGothic"' '"MS Shell Dlg"="IPAPGothic"' '"MS Shell Dlg 2"="IPAPGothic"' |
        iconv -f UTF-8 -t UTF-16 >"$drives/window.reg"
    (cd "$drives" && "$wine" regedit /S window.reg)
    # The frame's buttons are drawn with Wine's Marlett, which this Wine finds only here.
    for font in /usr/share/wine/fonts/marlett.ttf; do
        [ -f "$font" ] && cp "$font" "$prefix/drive_c/windows/Fonts/"
    done
else
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\r\n"Graphics"="null"\r\n' >"$drives/null.reg"
    (cd "$drives" && "$wine" regedit /S null.reg)
fi
# Labels are read once per server: start the next program with a fresh one.
"$(dirname "$wine")/wineserver" -k 2>/dev/null || wineserver -k
