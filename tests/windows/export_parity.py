#!/usr/bin/env python3
"""hoshiwa2-export.exe under wine gives the same bytes as the Linux exporter: the same exit
status, standard output, standard error and every file written, both run with ARGS beside their
own copy of DATA in RUN/linux and RUN/windows. In ARGS, @DATA stands for that copy, @OUT for
an output file named in Japanese and @EMPTY for an empty argument.

usage: export_parity.py LINUX_EXPORT WINE WINDOWS_EXPORT DATA RUN [ARGS...]
"""
import os
import pathlib
import shutil
import subprocess
import sys

linux_export, wine, windows_export, data, run = sys.argv[1:6]
args = sys.argv[6:]
OUTPUT = "出力 ファイル.txt"


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")  # Z: is the whole Unix file system under wine


results = {}
for side, command, spell in (("linux", [linux_export], str),
                             ("windows", [wine, windows_export], windows_path)):
    folder = pathlib.Path(run) / side
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    shutil.copyfile(data, folder / "YGS_PRG.BIN")
    named = {"@DATA": spell(folder / "YGS_PRG.BIN"), "@OUT": spell(folder / OUTPUT), "@EMPTY": ""}
    # Dictionaries are dated: both sides take the same day (wine passes the variable on).
    result = subprocess.run(command + [named.get(a, a) for a in args], cwd=folder,
                            stdin=subprocess.DEVNULL, capture_output=True,
                            env=dict(os.environ, SOURCE_DATE_EPOCH="1709251199"))
    files = {p.name: p.read_bytes() for p in folder.iterdir()}
    results[side] = (result.returncode, result.stdout, result.stderr, files)

linux, windows = results["linux"], results["windows"]
problems = [what for what, a, b in zip(("exit status", "standard output", "standard error"),
                                       linux, windows) if a != b]
problems += [f"{name} differs" for name in sorted(set(linux[3]) | set(windows[3]))
             if linux[3].get(name) != windows[3].get(name)]
shown = " ".join(args)
if problems:
    sys.exit(f"DIFFERENT ({shown}): {', '.join(problems)}")
print(f"same ({shown}): status {linux[0]}, {len(linux[1])} bytes on standard output")
